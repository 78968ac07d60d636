// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/prepared_births.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <variant>

#include "bench/birth_spread.h"

namespace korvanta::bench {
namespace {

// Julian day of 30 December 1899 00:00, the zero of the date-time values.
constexpr double kJulianDayOfDateTimeZero = 2415018.5;

PreparedBirth Prepare(const EntryForm& form) {
    PreparedBirth p;
    p.form = form;
    auto outcome = CalculateChart(form);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        std::fprintf(stderr, "bench: a birth of the spread was refused: %.*s\n",
                     static_cast<int>(refusal->message.size()), refusal->message.data());
        std::abort();
    }
    BirthChart& computed = std::get<BirthChart>(outcome);
    p.birth = std::move(computed.birth);
    p.chart = computed.chart;
    const Birth& b = p.birth;

    const Moment& m = p.chart.moment;
    p.sunriseDays = {m, ShiftedByDays(m, -1), ShiftedByDays(m, 1)};
    if (p.chart.sunrise.reference) {
        p.referenceSunrise = MomentOfLocal(
            std::llround(*p.chart.sunrise.reference * static_cast<double>(kSecondsPerDay)),
            m.zoneMinutes, m.dst);
    }

    const double local = DateTimeValue(b.year, b.month, b.day, b.hour, b.minute, b.second);
    const double utHours = b.zoneHours + b.zoneMinutes / 60.0 - (b.dst ? 1 : 0);
    p.utJulianDay = kJulianDayOfDateTimeZero + local + utHours / 24.0;
    p.latitude = (b.latDeg + b.latMin / 60.0) * (b.south ? -1 : 1);
    p.longitude = (b.lonDeg + b.lonMin / 60.0) * (b.east ? 1 : -1);
    return p;
}

}  // namespace

const std::vector<PreparedBirth>& PreparedBirths() {
    static const std::vector<PreparedBirth> births = [] {
        std::vector<PreparedBirth> out;
        out.reserve(kBirthCount);
        for (const EntryForm& form : BirthSpread(kBirthCount)) out.push_back(Prepare(form));
        return out;
    }();
    return births;
}

}  // namespace korvanta::bench
