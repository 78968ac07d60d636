// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/zone_history.h"

#include <date/tz.h>

#include <chrono>
#include <fstream>
#include <iterator>

#include "atlas/posix_tz.h"

namespace korvanta::atlas {
namespace {

using std::chrono::seconds;

// How far the search for standard time walks, in changes of the clock and in
// years; beyond these the first and last periods of a file are open-ended.
constexpr int kMaxSteps = 400;
const date::sys_seconds kSearchFloor{date::sys_days{date::year{1800} / 1 / 1}};
const date::sys_seconds kSearchCeiling{date::sys_days{date::year{2200} / 1 / 1}};

constexpr std::string_view kZoneInfoDir = "/usr/share/zoneinfo/";

// The UT moment of local time `local` read with `offset`.
date::sys_seconds AsUt(date::local_seconds local, seconds offset) {
    return date::sys_seconds{local.time_since_epoch() - offset};
}

bool IsDaylight(const date::sys_info& info) {
    return info.save != std::chrono::minutes{0};
}

// The period without daylight saving nearest to `moment`, looking both ways
// from the period `at` that holds it.
std::optional<date::sys_info> NearestStandardPeriod(const date::time_zone& zone,
                                                    const date::sys_info& at,
                                                    date::sys_seconds moment) {
    if (!IsDaylight(at)) return at;
    std::optional<date::sys_info> before;
    date::sys_info info = at;
    for (int step = 0; step < kMaxSteps && info.begin > kSearchFloor; ++step) {
        info = zone.get_info(info.begin - seconds{1});
        if (!IsDaylight(info)) {
            before = info;
            break;
        }
    }
    std::optional<date::sys_info> after;
    info = at;
    for (int step = 0; step < kMaxSteps && info.end < kSearchCeiling; ++step) {
        info = zone.get_info(info.end);
        if (!IsDaylight(info)) {
            after = info;
            break;
        }
    }
    if (before && after) return (moment - before->end) <= (after->begin - moment) ? before : after;
    return before ? before : after;
}

ZoneState StateFrom(const date::time_zone& zone, const date::sys_info& info,
                    date::sys_seconds moment) {
    ZoneState state;
    state.utcOffsetSeconds = static_cast<int>(info.offset.count());
    state.isDaylightSaving = IsDaylight(info);
    state.abbreviation = info.abbrev;
    if (const std::optional<date::sys_info> standard = NearestStandardPeriod(zone, info, moment)) {
        state.standardOffsetSeconds = static_cast<int>(standard->offset.count());
        state.standardAbbreviation = standard->abbrev;
    } else {
        // A zone on daylight saving for its whole listed history: assume the usual hour.
        state.standardOffsetSeconds = state.utcOffsetSeconds - 3600;
    }
    return state;
}

ZoneState StateFrom(const PosixTimeZone& rule, const PosixClock& clock) {
    return {clock.utcOffsetSeconds, clock.isDaylightSaving, clock.abbreviation,
            rule.standardOffsetSeconds, rule.standardAbbreviation};
}

// The closing rule of a zone's file, when it has daylight saving.
std::optional<PosixTimeZone> ClosingRule(const date::time_zone& zone) {
    std::ifstream file(std::string(kZoneInfoDir) + zone.name(), std::ios::binary);
    if (!file) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::optional<std::string> footer = TzFileFooter(bytes);
    if (!footer) return std::nullopt;
    std::optional<PosixTimeZone> rule = ParsePosixTimeZone(*footer);
    if (!rule || !rule->hasDaylightSaving) return std::nullopt;
    return rule;
}

LocalTimeLookup FromClosingRule(const PosixTimeZone& rule, date::local_seconds local) {
    const PosixLocalReading reading = PosixLocalTime(rule, local.time_since_epoch().count());
    LocalTimeLookup lookup;
    lookup.first = StateFrom(rule, reading.first);
    switch (reading.kind) {
        case PosixLocalReading::Kind::Unique:
            lookup.status = LocalTimeStatus::Unique;
            break;
        case PosixLocalReading::Kind::Ambiguous:
            lookup.status = LocalTimeStatus::Ambiguous;
            lookup.second = StateFrom(rule, reading.second);
            break;
        case PosixLocalReading::Kind::Nonexistent:
            lookup.status = LocalTimeStatus::Nonexistent;
            lookup.second = StateFrom(rule, reading.second);
            break;
    }
    return lookup;
}

std::optional<date::local_seconds> ToLocalSeconds(const LocalBirthTime& t) {
    const date::year_month_day ymd{date::year{t.year}, date::month{static_cast<unsigned>(t.month)},
                                   date::day{static_cast<unsigned>(t.day)}};
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || !ymd.ok()) return std::nullopt;
    if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 ||
        t.second > 59) {
        return std::nullopt;
    }
    return date::local_days{ymd} + std::chrono::hours{t.hour} + std::chrono::minutes{t.minute} +
           seconds{t.second};
}

LocalTimeLookup LookUp(std::string_view ianaZone, date::local_seconds local) {
    LocalTimeLookup lookup;
    const date::time_zone* zone = date::locate_zone(ianaZone);  // throws for an unknown name
    const date::local_info info = zone->get_info(local);
    switch (info.result) {
        case date::local_info::unique:
            if (info.first.end >= kSearchCeiling) {
                if (const std::optional<PosixTimeZone> rule = ClosingRule(*zone)) {
                    return FromClosingRule(*rule, local);
                }
            }
            lookup.status = LocalTimeStatus::Unique;
            lookup.first = StateFrom(*zone, info.first, AsUt(local, info.first.offset));
            break;
        case date::local_info::ambiguous:
            lookup.status = LocalTimeStatus::Ambiguous;
            lookup.first = StateFrom(*zone, info.first, AsUt(local, info.first.offset));
            lookup.second = StateFrom(*zone, info.second, AsUt(local, info.second.offset));
            break;
        case date::local_info::nonexistent:
            lookup.status = LocalTimeStatus::Nonexistent;
            lookup.first = StateFrom(*zone, info.first, info.first.end);
            lookup.second = StateFrom(*zone, info.second, info.second.begin);
            break;
    }
    return lookup;
}

}  // namespace

LocalTimeLookup LookUpLocalTime(std::string_view ianaZone, const LocalBirthTime& local) {
    LocalTimeLookup lookup;
    const std::optional<date::local_seconds> localSeconds = ToLocalSeconds(local);
    if (!localSeconds) {
        lookup.status = LocalTimeStatus::InvalidTime;
        return lookup;
    }
    if (ianaZone.empty()) return lookup;
    try {
        return LookUp(ianaZone, *localSeconds);
    } catch (const std::exception&) {
        // Unknown zone name, or no readable tz database.
        return LocalTimeLookup{};
    }
}

}  // namespace korvanta::atlas
