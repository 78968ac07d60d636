// SPDX-License-Identifier: GPL-3.0-or-later
// One calculated chart as numbers: the astronomy of the birth moment, the
// retrograde marks, the arudha padas and the Upapada Lagna, the reference
// sunrise and the points found from it. Nothing here is text; what a reader
// sees is made from this by the presentation.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "astro/angles.h"
#include "astro/bodies.h"
#include "calendar/calendar.h"
#include "astro/moment.h"
#include "pipeline/positions_source.h"
#include "reading/arudha.h"

namespace korvanta {

// The reference sunrise of a birth: the sunrise that opens its day.
// Date-times are days since 30 December 1899, local clock of the birth place.
struct SunriseReference {
    // Sunrise and sunset of the birth date and of the days before and after;
    // empty where the Sun does not rise or set (polar day or night).
    std::optional<double> today, sunsetToday;
    std::optional<double> prev, sunsetPrev;
    std::optional<double> next, sunsetNext;
    double birthMoment = 0;  // the birth, seconds included
    // The chosen sunrise; empty when the birth has none.
    std::optional<double> reference;
    int minutesFromSunrise = 0;  // minute boundaries between the two, never negative
    int secondsFromSunrise = 0;  // whole seconds between the two, never negative
    double sunLongitude = 0;     // sidereal Sun at the reference sunrise, degrees
    // The reference sunrise's local date and clock, and the Sun's sign and
    // split there (SignPositionOf); set with the reference only.
    std::optional<CivilDateTime> referenceClock;
    SignPosition sunAt;
};

// Points found from the reference sunrise, the ascendant and the Moon. The
// four that need the sunrise (and the Pranapada) are empty without one; the
// sign-count mark is empty when its count lands on no sign.
struct SpecialPoints {
    std::optional<double> ghati, hora, bhava, varnada;  // degrees
    std::optional<double> sree;                         // degrees
    std::optional<int> signCountMark;                   // sign 0..11
    std::optional<int> pranapada;                       // sign 0..11
    // The sign and split (SignPositionOf) of each point in degrees that was
    // found with a finite value; empty otherwise.
    std::optional<SignPosition> ghatiAt, horaAt, bhavaAt, varnadaAt, sreeAt;

    // Fills the splits from the degrees.
    void SplitPositions();
};

struct Chart {
    // The birth's instant and place (MomentOf, PlaceOf), from which every
    // step worked.
    Moment moment;
    Place place;
    // The zone correction used: UT minus local standard time, in signed hours
    // and minutes of the same sign.
    int zoneHours = 0;
    int zoneMinutes = 0;
    // The astronomy that made the chart, with its choices.
    AstronomyOptions astronomy;
    // The ayanamsas, in degrees added to the tropical longitudes (negative).
    // Classic: the 1900 series for the ascendant and the planets, the J2000
    // series for the Moon. Precise: both the Lahiri ayanamsa that Swiss
    // Ephemeris subtracted from the tropical positions, with its sign turned.
    double ayanamsa = 0;
    double moonAyanamsa = 0;
    // Sidereal longitudes at the birth moment, degrees, by Body.
    std::array<double, kBodyCount> longitude{};
    // The sign 0..11 of each longitude (SignOfLongitude), by Body.
    std::array<int, kBodyCount> sign{};
    // Each longitude split into sign, degrees, minutes and seconds
    // (SignPositionOf), by Body.
    std::array<SignPosition, kBodyCount> position{};
    double ascendantWhole = 0;  // whole degrees of the ascendant
    double moonNakStart = 0;    // start of the Moon's nakshatra, degrees
    // Retrograde marks of Mercury, Venus, Mars, Jupiter, Saturn.
    std::array<bool, 5> retrograde{};
    ArudhaPadas padas;
    SunriseReference sunrise;
    SpecialPoints special;
    // The row of the sign profile table that describes the UL's sign.
    int ulProfileRow = 0;

    double Longitude(Body body) const { return longitude[Index(body)]; }
    int SignOf(Body body) const { return sign[Index(body)]; }
    // Whether a body carries the retrograde mark (only Mercury..Saturn can).
    bool IsRetrograde(Body body) const;
};

}  // namespace korvanta
