#include "astro/ephemeris.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "astro/text_format.h"

namespace korvanta {
namespace {

// Julian day number of 1900 January 0.5, the epoch of the 1900 series.
constexpr double kJd1900 = 2415020.0;
// Last day number that is still in the Julian calendar.
constexpr double kLastJulianCalendarDay = 2299171.0;

// The 1900 series: mean node and twice the Sun's mean longitude in
// arcseconds, nutation amplitudes in arcseconds, general precession and the
// ayanamsa at the epoch in arcseconds.
constexpr double kNode1900 = 933060.0, kNodeRate1900 = 6962911.0, kNodeT2_1900 = 7.5;
constexpr double kTwoSun1900 = 2013816.0, kTwoSunRate1900 = 259205536.0;
constexpr double kNutationSun = 1.27, kNutationNode = 17.23;
constexpr double kPrecessionRate = 5025.64, kPrecessionT2 = 1.11;
constexpr double kAyanamsaAt1900 = 80861.27;

// The J2000 series (degrees) and its ayanamsa at the epoch (arcseconds).
constexpr double kNode2000 = 125.044555, kNodeRate2000 = 1934.1361849, kNodeT2_2000 = 0.0020762;
constexpr double kSun2000 = 280.466449, kSunRate2000 = 36000.7698231, kSunT2_2000 = 0.0003106;
constexpr double kAyanamsaAt2000 = 85886.27;

// Sidereal time (hours) and obliquity (degrees) of the 1900 series.
constexpr double kSidereal0 = 6.6460656, kSiderealRate = 2400.0513, kSiderealT2 = 0.0000258;
constexpr double kObliquity0 = 23.452294, kObliquityRate = 0.0130125;

double Sgn(double v) {
    return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}

}  // namespace

double JulianDayNumber(int month, int day, int year) {
    // 64-bit integers keep every intermediate exact for any 16-bit input.
    const auto floorDiv = [](std::int64_t a, std::int64_t b) {
        std::int64_t q = a / b;
        if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
        return q;
    };
    const std::int64_t mPrime = month + 12 * (static_cast<std::int64_t>(year) + 4800) - 3;
    std::int64_t jd = day +
                      floorDiv(365 * mPrime + 7 + 2 * (mPrime - 12 * floorDiv(mPrime, 12)), 12) +
                      floorDiv(mPrime, 48) - 32083;
    if (static_cast<double>(jd) > kLastJulianCalendarDay) {
        jd = jd + floorDiv(mPrime, 4800) - floorDiv(mPrime, 1200) + 38;
    }
    return static_cast<double>(jd);
}

double Ayanamsa_1900(double T) {
    double node = (kNode1900 - kNodeRate1900 * T + kNodeT2_1900 * T * T) / 3600.0;
    while (node >= 360.0) node -= 360.0;
    const double twoSun = (kTwoSun1900 + kTwoSunRate1900 * T) / 3600.0;
    const double nutation =
        kNutationSun * std::sin(twoSun * kDegToRad) + kNutationNode * std::sin(node * kDegToRad);
    const double a = nutation - T * (kPrecessionRate + kPrecessionT2 * T);
    return (a - kAyanamsaAt1900) / 3600.0;
}

double Ayanamsa_2000(double T) {
    const double node = kNode2000 - kNodeRate2000 * T + kNodeT2_2000 * T * T;
    const double sun = kSun2000 + kSunRate2000 * T + kSunT2_2000 * T * T;
    const double nutation =
        kNutationSun * std::sin(sun * kDegToRad) + kNutationNode * std::sin(node * kDegToRad);
    const double a = nutation - T * (kPrecessionRate + kPrecessionT2 * T);
    return (a - kAyanamsaAt2000) / 3600.0;
}

double Normalize360(double& x) {
    if (x < 0) x += 360.0;
    if (x > 360.0) x -= 360.0;
    return x;
}

double ArcTan2(double y, double x) {
    if (x > 0) return std::atan(y / x);
    if (x == 0) return Sgn(y) * kPi / 2.0;
    return Sgn(y) * (kPi - std::atan(std::fabs(y / x)));
}

int SignIndexOfLongitude(double x) {
    return static_cast<int>(static_cast<std::int64_t>(std::floor(std::floor(std::fabs(x)) / 30.0)) %
                            12);
}

std::string FormatSignPosition(double x) {
    std::string text;
    FormatSignPositionTo(x, text);
    return text;
}

void FormatSignPositionTo(double x, std::string& text) {
    x = std::fabs(x);
    double whole = std::floor(x);
    const double fraction = x - whole;
    const double minutes = std::floor(60.0 * fraction);
    const double seconds = std::floor(60.0 * (60.0 * fraction - minutes));
    // The sign is taken modulo 12 so that 360° reads as 0° Aries rather than
    // losing its sign.
    const auto sign = static_cast<std::int64_t>(std::floor(whole / 30.0)) % 12;
    whole -= 30.0 * std::floor(whole / 30.0);

    text.clear();
    AppendInt(text, static_cast<std::int64_t>(whole));
    text += "\xC2\xB0 ";  // degree sign
    AppendInt(text, static_cast<std::int64_t>(minutes));
    text += "' ";
    AppendInt(text, static_cast<std::int64_t>(seconds));
    text += "\" ";
    text += kSignAbbr[static_cast<std::size_t>(sign)];
}

double BirthUniversalHours(const BirthData& birth, const ChartRecord& chart) {
    const double clock = birth.BirthHour + birth.BirthMinute / 60.0;
    return clock - (birth.IsDST ? 1.0 : 0.0) + chart.ZoneHours + chart.ZoneMinutes / 60.0;
}

void Lagna_Calculation(const BirthData& birth, ChartRecord& chart) {
    double lonGeo = birth.LonDeg + birth.LonMin / 60.0;  // east negative
    if (birth.IsEast) lonGeo = -lonGeo;
    double lat = birth.LatDeg + birth.LatMin / 60.0;  // south negative
    if (birth.IsSouth) lat = -lat;

    const double jd = JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
    const double ut = BirthUniversalHours(birth, chart);
    const double T = (((jd - kJd1900) + ut / 24.0) - 0.5) / 36525.0;
    chart.Ayanamsa = Ayanamsa_1900(T);

    // Local sidereal angle in degrees; negative values are left as they are.
    double theta =
        15.0 * (((kSidereal0 + kSiderealRate * T) + T * (kSiderealT2 * T)) + ut) - lonGeo;
    if (theta >= 360.0) {
        // Whole turns removed at once; every step is exact, so this equals
        // subtracting 360 one turn at a time.
        theta -= 360.0 * std::floor(theta / 360.0);
        if (theta < 0) theta += 360.0;
        while (theta >= 360.0) theta -= 360.0;
    }
    const double ramc = theta * kDegToRad;
    const double obliquity = (kObliquity0 - kObliquityRate * T) * kDegToRad;

    const double x =
        (-std::sin(ramc)) * std::cos(obliquity) - std::sin(obliquity) * std::tan(lat * kDegToRad);
    double a = ArcTan2(std::cos(ramc), x);
    if (a < 0) a += kPi;
    if (std::cos(ramc) < 0) a += kPi;
    double asc = a * kRadToDeg;
    while (asc >= 360.0) asc -= 360.0;

    double sidereal = asc + chart.Ayanamsa;
    Normalize360(sidereal);
    chart.AscendantWhole = std::floor(sidereal);
    chart.Ascendant = sidereal;
    FormatSignPositionTo(sidereal, chart.AscText);
}

}  // namespace korvanta
