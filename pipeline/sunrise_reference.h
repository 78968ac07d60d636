// SPDX-License-Identifier: GPL-3.0-or-later
// The sunrise that opens the day of birth, the time elapsed since it, the Sun
// at that sunrise, and the further points derived from them (Ghati, Hora,
// Bhava, Varnada, Sree and Pranapada Lagnas, the sign-count mark).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "astro/moment.h"
#include "astro/sunrise.h"
#include "pipeline/chart.h"
#include "reading/arudha.h"

namespace korvanta {

// The reference sunrise of a birth and the time between the two.
struct ReferenceChoice {
    double sunrise = 0;        // date-time, local clock
    std::int32_t minutes = 0;  // minute boundaries crossed, never negative
    std::int32_t seconds = 0;  // whole-second boundaries crossed, never negative
};

// Where a birth falls in its day: from sunrise to sunset, both ends included;
// before the day's sunrise; after its sunset.
enum class DayPart { BeforeSunrise, Day, AfterSunset };

// The part of its day a birth at `birthMoment` (date-time, local clock) falls
// in, compared on whole seconds with the birth date's sunrise and sunset.
// Returns nothing when the Sun does not both rise and set that day.
std::optional<DayPart> DayPartOfBirth(double birthMoment, std::optional<double> sunriseToday,
                                      std::optional<double> sunsetToday);

// Chooses the reference sunrise of a birth at `birthMoment` (date-time, local
// clock) from the sunrise and sunset of the birth date and the sunrises of the
// days before and after, testing in this order: day birth (sunrise <= birth <=
// sunset, both ends included) takes the day's sunrise; a birth before the
// day's sunrise takes the previous sunrise; a birth after sunset takes the
// next sunrise, the time then being what remains until it. Comparisons are on
// whole seconds. Returns nothing when a needed event does not happen.
std::optional<ReferenceChoice> ChooseReferenceSunrise(double birthMoment,
                                                      std::optional<double> sunriseToday,
                                                      std::optional<double> sunsetToday,
                                                      std::optional<double> sunrisePrev,
                                                      std::optional<double> sunriseNext);

// While a longitude (degrees, never negative) exceeds 360, subtracts 360;
// exactly 360 stays 360.
double ReduceLongitude(double degrees);

// The three points that advance from the Sun at the reference sunrise with the
// minutes elapsed. Given: the Sun's sidereal longitude at the reference
// sunrise (degrees) and the whole minutes from it. Returned: longitudes in
// degrees, reduced as ReduceLongitude does.
struct ElapsedTimeLagnas {
    double ghati = 0;  // 1.25 degrees per minute
    double hora = 0;   // 0.5 degrees per minute
    double bhava = 0;  // 0.25 degrees per minute
};
ElapsedTimeLagnas ElapsedTimeLagnas_Calculation(double sunLongitude, std::int32_t minutes);

// The Varnada Lagna from the ascendant and the Hora Lagna, both in whole
// degrees (0..360). Each counts forward in an odd sign (Aries, Gemini, ...)
// and backward from 360 in an even one. Returned: degrees, 0..360.
double Varnada_Calculation(double ascendantWhole, double horaWhole);

// The Sree Lagna: the ascendant advanced by the part of its nakshatra the
// Moon has covered, 27 times over. Given: Ascendant, MoonLongitude and
// MoonNakStart in degrees. Returned: degrees, reduced as ReduceLongitude does.
double SreeLagna_Calculation(double ascendant, double moonLongitude, double moonNakStart);

// Splits x (its absolute value is used) into the four Pranapada parts: signs
// = whole part / 15; degrees, minutes, seconds from the fraction taken as a
// thirtieth of a sign. Returned in the order signs, degrees, minutes, seconds;
// all zero for a value that is not finite.
std::array<int, 4> Vighati2Degree(double x);

// The Pranapada Lagna. Given: the parts of Vighati2Degree and the Sun's
// sidereal longitude at the reference sunrise (degrees). The whole signs
// carried when the parts' degrees and minutes join the Sun's (its whole
// degrees and minutes within its sign) are added to the signs; movable signs
// count from the Sun's sign, fixed ones from its 9th, dual ones from its 5th.
// Returned: the sign 0..11; nothing for a negative count.
std::optional<int> PranapadaSign(const std::array<int, 4>& parts, double sunLongitude);

// The sign-count mark: the ascendant's sign advanced by the sign counts of
// the ascendant and the Moon (their sum modulo 12), less one.
// Given: the pada result (lagnaSign, lagnaSignCount, moonSignCount).
// Returned: sign 0..11; nothing when the count lands before Aries.
std::optional<int> SignCountMark(const ArudhaPadas& padas);

// The sunrise reference of a birth and the points found from it.
// Given: the chart so far (its Moment and Place, ascendant, Moon, padas). Fills
// chart.sunrise (three days' sunrise and sunset, the birth moment, the
// reference sunrise, the minutes and seconds from it, the Sun at that
// moment) and chart.special. Without a reference sunrise (polar day or
// night) only the sign-count mark and the Sree Lagna are found.
void SunriseReference_Calculation(Chart& chart);

// The two halves of SunriseReference_Calculation, for a chart whose sun
// events come from another source. SetSunriseDays: given the chart's Moment
// and the sunrise and sunset of the days before, of and after the birth date
// (date-times, local clock), fills chart.sunrise but the Sun's longitude;
// returned: the Moment of the reference sunrise, empty without one.
// SpecialPoints_Calculation: given the chart with chart.sunrise.sunLongitude
// set (where there is a reference sunrise), fills the Sun's split and
// chart.special.
std::optional<Moment> SetSunriseDays(Chart& chart, const SunEvents& prev, const SunEvents& today,
                                     const SunEvents& next);
void SpecialPoints_Calculation(Chart& chart);

}  // namespace korvanta
