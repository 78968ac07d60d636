// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar.h"

#include <chrono>
#include <cmath>

namespace korvanta {
namespace {

using std::chrono::sys_days;

// The epoch of date-time values: 30 December 1899 00:00.
constexpr sys_days kEpoch = sys_days{std::chrono::year{1899} / 12 / 30};

}  // namespace

double DateTimeValue(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t seconds =
        static_cast<std::int64_t>(hour) * 3600 + static_cast<std::int64_t>(minute) * 60 + second;
    return DateTimeOfSeconds(std::int64_t{DaysFromCivil(year, month, day)} * kSecondsPerDay +
                             seconds);
}

double DateTimeOfSeconds(std::int64_t seconds) {
    const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const std::int64_t secondOfDay = seconds - days * kSecondsPerDay;
    return static_cast<double>(days) + static_cast<double>(secondOfDay) / kSecondsPerDay;
}

CivilDateTime SplitDateTime(double value) {
    return CivilOfSeconds(static_cast<std::int64_t>(std::llround(value * kSecondsPerDay)));
}

CivilDateTime CivilOfSeconds(std::int64_t total) {
    const std::int64_t days = FloorDiv(total, kSecondsPerDay);
    std::int64_t secondOfDay = total - days * kSecondsPerDay;
    const std::chrono::year_month_day ymd{kEpoch + std::chrono::days{days}};
    CivilDateTime out;
    out.year = static_cast<int>(ymd.year());
    out.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    out.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    out.hour = static_cast<int>(secondOfDay / 3600);
    secondOfDay %= 3600;
    out.minute = static_cast<int>(secondOfDay / 60);
    out.second = static_cast<int>(secondOfDay % 60);
    return out;
}

std::int32_t CalendarDaysBetween(double earlier, double later) {
    const auto dayOf = [](double v) {
        return FloorDiv(static_cast<std::int64_t>(std::llround(v * kSecondsPerDay)),
                        kSecondsPerDay);
    };
    return static_cast<std::int32_t>(dayOf(later) - dayOf(earlier));
}

int DayOfYear(int year, int month, int day) {
    return DaysFromCivil(year, month, day) - DaysFromCivil(year, 1, 1) + 1;
}

}  // namespace korvanta
