// The sunrise reference of a birth and the further points marked in the chart.
// Every mark here is an empty line appended to a sign's marker cell, after the
// pada marks, so the cell grows by a line and none of its text moves.
#include "pipeline/sunrise_reference.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "astro/calendar.h"
#include "astro/ephemeris.h"
#include "astro/planets.h"
#include "astro/sunrise.h"

namespace korvanta {
namespace {

constexpr double kFullCircle = 360.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr std::int64_t kSecondsPerMinute = 60;

constexpr double kGhatiDegreesPerMinute = 1.25;
constexpr double kHoraDegreesPerMinute = 0.5;
constexpr double kBhavaDegreesPerMinute = 0.25;
constexpr double kDegreesPerSign = 30.0;
constexpr double kSreeFraction = 0.075;  // 3 / 40

// Seconds from sunrise to the Pranapada's vighatis: / 3600 * 150 / 15.
constexpr double kSecondsPerHour = 3600.0;
constexpr double kVighatiHourFactor = 150.0;
constexpr double kVighatiDivisor = 15.0;
constexpr int kSignsPerPranapadaUnit = 15;
constexpr int kFixedSignOffset = 8;
constexpr int kDualSignOffset = 4;

constexpr int kSignsInZodiac = 12;

// Whole seconds since 30 December 1899 of a date-time value; values built from
// whole seconds come back exact.
std::int64_t WholeSeconds(double dateTime) {
    return std::llround(dateTime * kSecondsPerDay);
}

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    std::int64_t quotient = value / divisor;
    if (value % divisor != 0 && (value < 0) != (divisor < 0)) --quotient;
    return quotient;
}

// Minute boundaries crossed from `earlier` to `later` (negative when later
// comes first).
std::int64_t MinutesBetween(double earlier, double later) {
    return FloorDiv(WholeSeconds(later), kSecondsPerMinute) -
           FloorDiv(WholeSeconds(earlier), kSecondsPerMinute);
}

std::int64_t SecondsBetween(double earlier, double later) {
    return WholeSeconds(later) - WholeSeconds(earlier);
}

std::int32_t ClampToInt32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

// A whole number written in decimal, surrounding blanks allowed.
std::optional<int> ReadWholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> MonthOfName(std::string_view name) {
    for (int k = 0; k < static_cast<int>(kMonthNames.size()); ++k) {
        if (kMonthNames[k] == name) return k + 1;
    }
    return std::nullopt;
}

// The birth moment read from the text copies, seconds included. A copy that
// does not read as a number falls back to the whole-number field (seconds 0).
double BirthMomentOf(const BirthData& birth) {
    const int month = MonthOfName(birth.BirthMonthName).value_or(birth.BirthMonth);
    const int day = ReadWholeNumber(birth.BirthDayText).value_or(birth.BirthDay);
    const int year = ReadWholeNumber(birth.BirthYearText).value_or(birth.BirthYear);
    const int hour = ReadWholeNumber(birth.BirthHourText).value_or(birth.BirthHour);
    const int minute = ReadWholeNumber(birth.BirthMinuteText).value_or(birth.BirthMinute);
    const int second = ReadWholeNumber(birth.BirthSecondText).value_or(0);
    return DateTimeValue(year, month, day, hour, minute, second);
}

// Sunrise and sunset of the civil date `date` into chart.SunriseResult.
void SunriseAndSunset(const BirthData& birth, ChartRecord& chart, const CivilDateTime& date) {
    SunRiseSet_Calculation(date.month, date.day, date.year, birth.BirthHour, birth.BirthMinute,
                           birth.LatDeg, birth.LatMin, birth.IsSouth, birth.LonDeg, birth.LonMin,
                           birth.IsEast, chart.ZoneHours, chart.ZoneMinutes, birth.IsDST,
                           chart.SunriseResult);
}

// Sum of two 16-bit values; nothing when it leaves the 16-bit range.
std::optional<std::int16_t> Add16(int a, int b) {
    const int sum = a + b;
    if (sum < std::numeric_limits<std::int16_t>::min() ||
        sum > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(sum);
}

// Advances ExtraMarkSign by the sign counts of the ascendant and the Moon and
// marks the sign it lands on. A sum that overflows 16 bits leaves its target
// as it was; an index outside 0..11 marks nothing.
std::optional<int> MarkSignCount(ArudhaState& arudha, ResultCaptions& captions) {
    std::int16_t advance = 0;
    if (const auto sum = Add16(arudha.LagnaSignCount, arudha.MoonSignCount)) {
        advance = static_cast<std::int16_t>(*sum % kSignsInZodiac);
    }
    if (const auto moved = Add16(arudha.ExtraMarkSign, advance)) {
        if (const auto back = Add16(*moved, -1)) arudha.ExtraMarkSign = *back;
    }
    while (arudha.ExtraMarkSign > kSignsInZodiac) arudha.ExtraMarkSign -= kSignsInZodiac;

    const int index = arudha.ExtraMarkSign - 1;
    if (index < 0 || index >= kSignsInZodiac) return std::nullopt;
    captions.lblArudha[index] += kCrLf;
    return index;
}

void ClearReference(ChartRecord& chart) {
    chart.ReferenceSunrise.reset();
    chart.MinutesFromSunrise = 0;
    chart.SecondsFromSunrise = 0;
    chart.SunriseDay.clear();
    chart.SunriseMonthName.clear();
    chart.SunriseYear.clear();
    chart.SunriseHour.clear();
    chart.SunriseMinute.clear();
    chart.SunriseSunLongitude = 0;
    chart.SunriseSunText.clear();
    chart.PranapadaParts = {};
}

}  // namespace

std::optional<ReferenceChoice> ChooseReferenceSunrise(double birthMoment,
                                                      std::optional<double> sunriseToday,
                                                      std::optional<double> sunsetToday,
                                                      std::optional<double> sunrisePrev,
                                                      std::optional<double> sunriseNext) {
    if (!sunriseToday || !sunsetToday) return std::nullopt;
    const std::int64_t birth = WholeSeconds(birthMoment);
    const std::int64_t rise = WholeSeconds(*sunriseToday);
    const std::int64_t set = WholeSeconds(*sunsetToday);

    std::optional<double> reference;
    bool measureToReference = false;
    if (rise <= birth && birth <= set) {
        reference = sunriseToday;
    } else if (birth < rise) {
        reference = sunrisePrev;
    } else if (birth > set) {
        reference = sunriseNext;
        measureToReference = true;
    }
    if (!reference) return std::nullopt;

    ReferenceChoice choice;
    choice.sunrise = *reference;
    if (measureToReference) {
        choice.minutes = ClampToInt32(MinutesBetween(birthMoment, *reference));
        choice.seconds = ClampToInt32(SecondsBetween(birthMoment, *reference));
    } else {
        choice.minutes = ClampToInt32(std::abs(MinutesBetween(*reference, birthMoment)));
        choice.seconds = ClampToInt32(std::abs(SecondsBetween(*reference, birthMoment)));
    }
    return choice;
}

double ReduceLongitude(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    while (degrees > kFullCircle) degrees -= kFullCircle;
    return degrees;
}

ElapsedTimeLagnas ElapsedTimeLagnas_Calculation(double sunLongitude, std::int32_t minutes) {
    ElapsedTimeLagnas points;
    points.ghati = ReduceLongitude(sunLongitude + kGhatiDegreesPerMinute * minutes);
    points.hora = ReduceLongitude(sunLongitude + kHoraDegreesPerMinute * minutes);
    points.bhava = ReduceLongitude(sunLongitude + kBhavaDegreesPerMinute * minutes);
    return points;
}

double Varnada_Calculation(double ascendantWhole, double horaWhole) {
    // Odd signs (even 0-based index below 12) count forward from 0 degrees
    // Aries, even signs backward from 360.
    const auto countsForward = [](double degrees) {
        const double sign = std::floor(degrees / kDegreesPerSign);
        return sign >= 0 && sign <= 10 && std::fmod(sign, 2.0) == 0;
    };
    const bool ascendantForward = countsForward(ascendantWhole);
    const bool horaForward = countsForward(horaWhole);
    const double ascendantCount = ascendantForward ? ascendantWhole : kFullCircle - ascendantWhole;
    const double horaCount = horaForward ? horaWhole : kFullCircle - horaWhole;

    double varnada = ascendantForward == horaForward ? std::abs(ascendantCount + horaCount)
                                                     : std::abs(ascendantCount - horaCount);
    varnada = ReduceLongitude(varnada);
    if (!ascendantForward) varnada = kFullCircle - varnada;
    return varnada;
}

double SreeLagna_Calculation(double ascendant, double moonLongitude, double moonNakStart) {
    return ReduceLongitude(ascendant +
                           (moonLongitude - moonNakStart) * kSreeFraction * kFullCircle);
}

std::array<int, 4> Vighati2Degree(double x) {
    std::array<int, 4> parts{};
    const double y = std::abs(x);
    if (!std::isfinite(y)) return parts;
    const double whole = std::floor(y);
    const double degrees = (y - whole) * kDegreesPerSign;
    const double minutes = (degrees - std::floor(degrees)) * 60;
    const double seconds = (minutes - std::floor(minutes)) * 60;
    const double signs = std::floor(whole / kSignsPerPranapadaUnit);
    // Only the sign count can grow beyond an int; it then stays 0.
    if (signs <= std::numeric_limits<int>::max()) parts[0] = static_cast<int>(signs);
    parts[1] = static_cast<int>(std::floor(degrees));
    parts[2] = static_cast<int>(std::floor(minutes));
    parts[3] = static_cast<int>(std::floor(seconds));
    return parts;
}

std::optional<int> PranapadaSign(std::array<int, 4>& parts, const std::string& sunText) {
    if (sunText.size() < 9) return std::nullopt;
    const std::string_view text(sunText);
    const auto sunDegrees = ReadWholeNumber(text.substr(0, 2));
    const auto sunMinutes = ReadWholeNumber(text.substr(7, 2));
    if (!sunDegrees || !sunMinutes) return std::nullopt;

    // Whole signs carried over when the parts are added to the Sun's position.
    const int carry = (*sunMinutes + parts[2]) / 60;
    const int degrees = carry + (*sunDegrees + parts[1]);
    parts[0] += degrees / static_cast<int>(kDegreesPerSign);

    const int sunSignIndex = SignIndexOfShortText(text);
    if (sunSignIndex < 0) return std::nullopt;
    const std::optional<int> sunSign = sunSignIndex;

    // Movable signs count from the Sun's sign, fixed ones from its 9th, dual
    // ones from its 5th.
    int pranapada = parts[0] + *sunSign;
    if (*sunSign % 3 == 1) pranapada += kFixedSignOffset;
    if (*sunSign % 3 == 2) pranapada += kDualSignOffset;
    while (pranapada > kSignsInZodiac - 1) pranapada -= kSignsInZodiac;
    if (pranapada < 0) return std::nullopt;
    return pranapada;
}

std::optional<int> MarkSignOfText(const std::string& shortText, ResultCaptions& captions) {
    const int sign = SignIndexOfShortText(shortText);
    if (sign < 0) return std::nullopt;
    captions.lblArudha[static_cast<std::size_t>(sign)] += kCrLf;
    return sign;
}

std::optional<int> MarkSignOfLongitude(double degrees, ResultCaptions& captions) {
    if (!std::isfinite(degrees)) return std::nullopt;
    // The sign its short position text would name, without building the text.
    const int sign = SignIndexOfLongitude(degrees);
    captions.lblArudha[static_cast<std::size_t>(sign)] += kCrLf;
    return sign;
}

void SunriseReference_Calculation(const BirthData& birth, ChartRecord& chart, ArudhaState& arudha,
                                  ResultCaptions& captions, SpecialPoints& special) {
    special = SpecialPoints{};

    // Sunrise and sunset of the birth date and of the days on either side.
    const std::int32_t birthDay = DaysFromCivil(birth.BirthYear, birth.BirthMonth, birth.BirthDay);
    SunriseAndSunset(birth, chart, SplitDateTime(birthDay));
    chart.SunriseToday = chart.SunriseResult[0];
    chart.SunsetToday = chart.SunriseResult[1];
    SunriseAndSunset(birth, chart, SplitDateTime(birthDay - 1));
    chart.SunrisePrev = chart.SunriseResult[0];
    chart.SunsetPrev = chart.SunriseResult[1];
    SunriseAndSunset(birth, chart, SplitDateTime(birthDay + 1));
    chart.SunriseNext = chart.SunriseResult[0];
    chart.SunsetNext = chart.SunriseResult[1];
    chart.BirthMoment = BirthMomentOf(birth);

    // The reference sunrise, the time from it, and the Sun at that moment.
    chart.SecondMomentMode = true;
    ClearReference(chart);
    const std::optional<ReferenceChoice> choice =
        ChooseReferenceSunrise(chart.BirthMoment, chart.SunriseToday, chart.SunsetToday,
                               chart.SunrisePrev, chart.SunriseNext);
    if (choice) {
        chart.ReferenceSunrise = choice->sunrise;
        chart.MinutesFromSunrise = choice->minutes;
        chart.SecondsFromSunrise = choice->seconds;
        const CivilDateTime reference = SplitDateTime(choice->sunrise);
        chart.SunriseDay = std::to_string(reference.day);
        chart.SunriseMonthName = std::string(kMonthNames[reference.month - 1]);
        chart.SunriseYear = std::to_string(reference.year);
        chart.SunriseHour = std::to_string(reference.hour);
        chart.SunriseMinute = std::to_string(reference.minute);
        PlanetPositions(birth, chart);
    }

    // The points, each marked in its sign, in this order.
    std::optional<double> horaWhole;
    if (choice) {
        const ElapsedTimeLagnas lagnas =
            ElapsedTimeLagnas_Calculation(chart.SunriseSunLongitude, chart.MinutesFromSunrise);
        special.ghati = lagnas.ghati;
        MarkSignOfLongitude(lagnas.ghati, captions);
        special.hora = lagnas.hora;
        horaWhole = std::floor(lagnas.hora);
        MarkSignOfLongitude(lagnas.hora, captions);
        special.bhava = lagnas.bhava;
        MarkSignOfLongitude(lagnas.bhava, captions);
    }
    special.signCountMark = MarkSignCount(arudha, captions);
    if (horaWhole) {
        special.varnada = Varnada_Calculation(chart.AscendantWhole, *horaWhole);
        MarkSignOfLongitude(*special.varnada, captions);
    }
    MarkSignOfText(chart.ChartList[kMoon], captions);
    if (choice) MarkSignOfText(chart.ChartList[kSun], captions);
    special.sree = SreeLagna_Calculation(chart.Ascendant, chart.MoonLongitude, chart.MoonNakStart);
    MarkSignOfLongitude(*special.sree, captions);

    // The Pranapada from the seconds since sunrise.
    if (choice) {
        const double vighatis =
            chart.SecondsFromSunrise / kSecondsPerHour * kVighatiHourFactor / kVighatiDivisor;
        chart.PranapadaParts = Vighati2Degree(vighatis);
        special.pranapada = PranapadaSign(chart.PranapadaParts, chart.SunriseSunText);
        if (special.pranapada) captions.lblArudha[*special.pranapada] += kCrLf;
    }
}

}  // namespace korvanta
