// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/posix_tz.h"

#include <cctype>
#include <chrono>

namespace korvanta::atlas {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// A cursor over the rule string.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ == text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    bool Take(char c) {
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }

    // "EST" (three or more letters) or "<+0530>" (quoted, signs and digits too).
    std::optional<std::string> Abbreviation() {
        std::string name;
        if (Take('<')) {
            while (!AtEnd() && Peek() != '>') name += text_[pos_++];
            if (!Take('>') || name.size() < 3) return std::nullopt;
            return name;
        }
        while (std::isalpha(static_cast<unsigned char>(Peek()))) name += text_[pos_++];
        if (name.size() < 3) return std::nullopt;
        return name;
    }

    // Unsigned decimal number of at most `maxDigits` digits.
    std::optional<int> Number(int maxDigits) {
        int value = 0;
        int digits = 0;
        while (digits < maxDigits && std::isdigit(static_cast<unsigned char>(Peek()))) {
            value = value * 10 + (text_[pos_++] - '0');
            ++digits;
        }
        if (digits == 0) return std::nullopt;
        return value;
    }

    // [+|-]hh[:mm[:ss]] in seconds; hours up to `maxHours`.
    std::optional<int> Duration(int maxHours) {
        int sign = 1;
        if (Take('-')) {
            sign = -1;
        } else {
            Take('+');
        }
        const std::optional<int> hours = Number(3);
        if (!hours || *hours > maxHours) return std::nullopt;
        int seconds = *hours * 3600;
        if (Take(':')) {
            const std::optional<int> minutes = Number(2);
            if (!minutes || *minutes > 59) return std::nullopt;
            seconds += *minutes * 60;
            if (Take(':')) {
                const std::optional<int> secs = Number(2);
                if (!secs || *secs > 59) return std::nullopt;
                seconds += *secs;
            }
        }
        return sign * seconds;
    }

    // One change: "Jn", "n" or "Mm.w.d", then an optional "/time".
    std::optional<PosixChangeRule> ChangeRule() {
        PosixChangeRule rule;
        if (Take('M')) {
            const std::optional<int> month = Number(2);
            if (!month || *month < 1 || *month > 12 || !Take('.')) return std::nullopt;
            const std::optional<int> week = Number(1);
            if (!week || *week < 1 || *week > 5 || !Take('.')) return std::nullopt;
            const std::optional<int> weekday = Number(1);
            if (!weekday || *weekday > 6) return std::nullopt;
            rule.kind = PosixChangeRule::Kind::MonthWeekDay;
            rule.month = *month;
            rule.week = *week;
            rule.weekday = *weekday;
        } else if (Take('J')) {
            const std::optional<int> day = Number(3);
            if (!day || *day < 1 || *day > 365) return std::nullopt;
            rule.kind = PosixChangeRule::Kind::JulianNoLeap;
            rule.day = *day;
        } else {
            const std::optional<int> day = Number(3);
            if (!day || *day > 365) return std::nullopt;
            rule.kind = PosixChangeRule::Kind::ZeroBasedDay;
            rule.day = *day;
        }
        if (Take('/')) {
            const std::optional<int> time = Duration(167);
            if (!time) return std::nullopt;
            rule.timeSeconds = *time;
        }
        return rule;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int64_t DaysFromCivil(int year, unsigned month, unsigned day) {
    using namespace std::chrono;
    return sys_days{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}}
        .time_since_epoch()
        .count();
}

// Days since 1970-01-01 of the day on which `rule` changes the clock in `year`.
std::int64_t ChangeDay(const PosixChangeRule& rule, int year) {
    using namespace std::chrono;
    switch (rule.kind) {
        case PosixChangeRule::Kind::JulianNoLeap: {
            const int leapDay = IsLeap(year) && rule.day >= 60 ? 1 : 0;
            return DaysFromCivil(year, 1, 1) + rule.day - 1 + leapDay;
        }
        case PosixChangeRule::Kind::ZeroBasedDay:
            return DaysFromCivil(year, 1, 1) + rule.day;
        case PosixChangeRule::Kind::MonthWeekDay:
            break;
    }
    const std::chrono::year_month ym{std::chrono::year{year},
                                     std::chrono::month{static_cast<unsigned>(rule.month)}};
    const std::chrono::weekday wd{static_cast<unsigned>(rule.weekday)};
    const sys_days day = rule.week == 5 ? sys_days{ym / wd[last]}
                                        : sys_days{ym / wd[static_cast<unsigned>(rule.week)]};
    return day.time_since_epoch().count();
}

// UT seconds at which daylight saving starts and ends in `year`.
std::pair<std::int64_t, std::int64_t> ChangesInYear(const PosixTimeZone& zone, int year) {
    const std::int64_t start = ChangeDay(zone.daylightStart, year) * kSecondsPerDay +
                               zone.daylightStart.timeSeconds - zone.standardOffsetSeconds;
    const std::int64_t end = ChangeDay(zone.daylightEnd, year) * kSecondsPerDay +
                             zone.daylightEnd.timeSeconds - zone.daylightOffsetSeconds;
    return {start, end};
}

int CivilYear(std::int64_t unixSeconds) {
    using namespace std::chrono;
    std::int64_t days = unixSeconds / kSecondsPerDay;
    if (unixSeconds % kSecondsPerDay < 0) --days;
    const year_month_day ymd{sys_days{std::chrono::days{days}}};
    return static_cast<int>(ymd.year());
}

PosixClock StandardClock(const PosixTimeZone& zone) {
    return {zone.standardOffsetSeconds, false, zone.standardAbbreviation};
}

PosixClock DaylightClock(const PosixTimeZone& zone) {
    return {zone.daylightOffsetSeconds, true, zone.daylightAbbreviation};
}

}  // namespace

std::optional<PosixTimeZone> ParsePosixTimeZone(std::string_view text) {
    Reader reader(text);
    PosixTimeZone zone;
    const std::optional<std::string> standardName = reader.Abbreviation();
    const std::optional<int> standardWest = standardName ? reader.Duration(24) : std::nullopt;
    if (!standardWest) return std::nullopt;
    zone.standardAbbreviation = *standardName;
    zone.standardOffsetSeconds = -*standardWest;
    if (reader.AtEnd()) return zone;

    const std::optional<std::string> daylightName = reader.Abbreviation();
    if (!daylightName) return std::nullopt;
    zone.hasDaylightSaving = true;
    zone.daylightAbbreviation = *daylightName;
    zone.daylightOffsetSeconds = zone.standardOffsetSeconds + 3600;
    if (reader.Peek() != ',') {
        const std::optional<int> daylightWest = reader.Duration(24);
        if (!daylightWest) return std::nullopt;
        zone.daylightOffsetSeconds = -*daylightWest;
    }
    if (!reader.Take(',')) return std::nullopt;
    const std::optional<PosixChangeRule> start = reader.ChangeRule();
    if (!start || !reader.Take(',')) return std::nullopt;
    const std::optional<PosixChangeRule> end = reader.ChangeRule();
    if (!end || !reader.AtEnd()) return std::nullopt;
    zone.daylightStart = *start;
    zone.daylightEnd = *end;
    return zone;
}

std::optional<std::string> TzFileFooter(std::string_view fileBytes) {
    if (fileBytes.size() < 6 || fileBytes.substr(0, 4) != "TZif" || fileBytes[4] < '2') {
        return std::nullopt;
    }
    if (fileBytes.back() != '\n') return std::nullopt;
    const std::string_view body = fileBytes.substr(0, fileBytes.size() - 1);
    const std::size_t newline = body.rfind('\n');
    if (newline == std::string_view::npos) return std::nullopt;
    return std::string(body.substr(newline + 1));
}

PosixClock PosixClockAt(const PosixTimeZone& zone, std::int64_t unixSeconds) {
    if (!zone.hasDaylightSaving) return StandardClock(zone);
    const auto [start, end] =
        ChangesInYear(zone, CivilYear(unixSeconds + zone.standardOffsetSeconds));
    // Northern rules start and end within the year; southern ones end first
    // and start again before the year is out.
    const bool daylight = start < end ? (unixSeconds >= start && unixSeconds < end)
                                      : !(unixSeconds >= end && unixSeconds < start);
    return daylight ? DaylightClock(zone) : StandardClock(zone);
}

PosixLocalReading PosixLocalTime(const PosixTimeZone& zone, std::int64_t localSeconds) {
    PosixLocalReading reading;
    const PosixClock standard = StandardClock(zone);
    if (!zone.hasDaylightSaving || zone.daylightOffsetSeconds == zone.standardOffsetSeconds) {
        reading.first = standard;
        return reading;
    }
    const PosixClock daylight = DaylightClock(zone);
    const bool standardFits =
        !PosixClockAt(zone, localSeconds - standard.utcOffsetSeconds).isDaylightSaving;
    const bool daylightFits =
        PosixClockAt(zone, localSeconds - daylight.utcOffsetSeconds).isDaylightSaving;
    // The clock with the larger offset reaches a given local time first.
    const bool daylightAhead = daylight.utcOffsetSeconds > standard.utcOffsetSeconds;
    const PosixClock& ahead = daylightAhead ? daylight : standard;
    const PosixClock& behind = daylightAhead ? standard : daylight;
    if (standardFits && daylightFits) {
        reading.kind = PosixLocalReading::Kind::Ambiguous;
        reading.first = ahead;
        reading.second = behind;
    } else if (standardFits || daylightFits) {
        reading.first = standardFits ? standard : daylight;
    } else {
        reading.kind = PosixLocalReading::Kind::Nonexistent;
        reading.first = behind;
        reading.second = ahead;
    }
    return reading;
}

}  // namespace korvanta::atlas
