// The two records every calculation shares: the entered birth data and the
// chart record that the computation steps fill one after another.
//
// One calculation = one fresh ChartRecord, passed by reference through the
// steps; nothing here is global, so a second calculation never sees the first.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// Body slots 0..9, shared by ChartList, BodyName, the chart and the table.
enum BodySlot : int {
    kSun = 0,
    kMoon = 1,
    kMercury = 2,
    kVenus = 3,
    kMars = 4,
    kJupiter = 5,
    kSaturn = 6,
    kRahu = 7,
    kKetu = 8,
    kAsc = 9,
};

inline constexpr std::array<std::string_view, 10> kPlainBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Asc"};

// Sign k + 1 for k = 0..11 (Aries..Pisces); slot 12 stays empty.
inline constexpr std::array<std::string_view, 13> kSignAbbr = {
    "Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis", ""};

// Sign index 0..11 of a three-letter abbreviation, compared exactly
// (case-sensitive); -1 for anything else. The first letter narrows the
// choice to one or two signs, so a lookup costs a couple of comparisons.
constexpr int SignIndexOfAbbr(std::string_view abbr) {
    if (abbr.size() != 3) return -1;
    int first = -1, second = -1;
    switch (abbr[0]) {
        case 'A':
            first = 0, second = 10;
            break;  // Ari, Aqu
        case 'T':
            first = 1;
            break;  // Tau
        case 'G':
            first = 2;
            break;  // Gem
        case 'C':
            first = 3, second = 9;
            break;  // Can, Cap
        case 'L':
            first = 4, second = 6;
            break;  // Leo, Lib
        case 'V':
            first = 5;
            break;  // Vir
        case 'S':
            first = 7, second = 8;
            break;  // Sco, Sag
        case 'P':
            first = 11;
            break;  // Pis
        default:
            return -1;
    }
    const auto matches = [&](int k) {
        const std::string_view candidate = kSignAbbr[static_cast<std::size_t>(k)];
        return candidate[1] == abbr[1] && candidate[2] == abbr[2];
    };
    if (matches(first)) return first;
    if (second >= 0 && matches(second)) return second;
    return -1;
}

static_assert(SignIndexOfAbbr("Ari") == 0 && SignIndexOfAbbr("Aqu") == 10 &&
              SignIndexOfAbbr("Cap") == 9 && SignIndexOfAbbr("Pis") == 11 &&
              SignIndexOfAbbr("Sag") == 8 && SignIndexOfAbbr("ari") == -1 &&
              SignIndexOfAbbr("Arx") == -1 && SignIndexOfAbbr("") == -1);

// Sign index 0..11 of a short position text "DD Sss MM" (characters 4-6);
// -1 when they hold no known abbreviation.
constexpr int SignIndexOfShortText(std::string_view text) {
    return text.size() < 6 ? -1 : SignIndexOfAbbr(text.substr(3, 3));
}

inline constexpr std::array<std::string_view, 13> kSignLord = {
    "Mars", "Venus",   "Mercury", "Moon",   "Sun",     "Mercury", "Venus",
    "Mars", "Jupiter", "Saturn",  "Saturn", "Jupiter", ""};

// English names of the signs, index 0..11 (Aries..Pisces).
inline constexpr std::array<std::string_view, 12> kSignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// The retrograde mark appended to a planet's name: blank, "(R)", blank.
inline constexpr std::string_view kRetroMark = " (R) ";

// The entered birth data, as the pipeline copies it from the entry controls.
// Whole numbers are 16-bit as entered; the hemispheres are never folded into
// the numbers here, each computation applies IsEast / IsSouth itself.
struct BirthData {
    std::string BirthName;
    std::int16_t BirthMonth = 0;      // 1..12
    std::int16_t BirthDay = 0;        // 1..31
    std::int16_t BirthYear = 0;       // 1901..2050
    std::int16_t BirthHour = 0;       // local clock, 0..23
    std::int16_t BirthMinute = 0;     // 0..59
    std::int16_t AbsZoneHours = 0;    // |ZoneHours|
    std::int16_t AbsZoneMinutes = 0;  // |ZoneMinutes|
    std::int16_t LonDeg = 0;          // 0..179, never negative
    std::int16_t LonMin = 0;          // 0..59
    std::int16_t LatDeg = 0;          // 0..89
    std::int16_t LatMin = 0;          // 0..59
    bool IsEast = false;              // "East" option selected
    bool IsSouth = false;             // "South" option selected
    bool IsDST = false;               // "Daylight Saving Time" ticked
    // Text copies of the birth moment; the seconds exist only here.
    std::string BirthMonthName;
    std::string BirthDayText;
    std::string BirthYearText;
    std::string BirthHourText;
    std::string BirthMinuteText;
    std::string BirthSecondText;
    std::string BirthDateText;  // "June 5,1980"
};

// Everything one calculation computes and the steps pass to each other.
// Date-times are days since 30 December 1899 00:00 (local clock of the birth
// place), the time of day being the fraction.
struct ChartRecord {
    static constexpr const std::array<std::string_view, 13>& SignAbbr = kSignAbbr;
    static constexpr const std::array<std::string_view, 13>& SignLord = kSignLord;

    // Zone correction of the selected row: UT minus local standard time,
    // signed whole hours and minutes (same sign). Zero until a row is chosen.
    std::int16_t ZoneHours = 0;
    std::int16_t ZoneMinutes = 0;

    // Lagna_Calculation
    double Ayanamsa = 0;        // Ayanamsa_1900, degrees, negative
    double Ascendant = 0;       // sidereal, degrees in [0, 360]
    double AscendantWhole = 0;  // floor of Ascendant
    std::string AscText;        // FormatSignPosition text

    // Moon_Calculation
    double MoonAyanamsa = 0;   // Ayanamsa_2000, degrees, negative
    double MoonLongitude = 0;  // sidereal, degrees in [0, 360)
    double MoonNakStart = 0;   // start of the Moon's nakshatra, degrees
    std::string MoonText;

    // PlanetPositions
    bool SecondMomentMode = false;
    std::array<std::string, 6> PlanetText;  // Mercury, Venus, Sun, Mars, Jupiter, Saturn
    std::string RahuText;
    std::string KetuText;
    std::array<std::string, 10> ChartList;  // ShortPosition texts, body slots 0..9
    double SunriseSunLongitude = 0;         // Sun at the reference sunrise (second moment)
    std::string SunriseSunText;

    // Retrograde_Calculation
    std::array<bool, 5> RetroFlags{};  // Mercury, Venus, Mars, Jupiter, Saturn
    std::array<std::string, 11> BodyName = {"Sun",    "Moon", "Mercury", "Venus", "Mars", "Jupiter",
                                            "Saturn", "Rahu", "Ketu",    "Asc",   ""};

    // Sunrise reference of the birth. An event that does not happen that day
    // (polar day or night) has no value.
    std::string BirthDateText;
    double BirthMoment = 0;
    std::array<std::optional<double>, 3> SunriseResult;  // 0 sunrise, 1 sunset
    std::optional<double> SunriseToday, SunsetToday;
    std::optional<double> SunrisePrev, SunsetPrev;
    std::optional<double> SunriseNext, SunsetNext;
    std::optional<double> ReferenceSunrise;  // empty: the birth has no reference sunrise
    std::int32_t MinutesFromSunrise = 0;
    std::int32_t SecondsFromSunrise = 0;
    std::string SunriseDay, SunriseMonthName, SunriseYear, SunriseHour, SunriseMinute;
    std::array<int, 4> PranapadaParts{};  // signs, degrees, minutes, seconds
};

}  // namespace korvanta
