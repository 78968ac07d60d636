#include "astro/planets.h"

#include <charconv>
#include <cmath>

#include "astro/calendar.h"
#include "astro/ephemeris.h"

namespace korvanta {
namespace {

constexpr double kTwoPi = 6.28318530717958;
constexpr double kKeplerTolerance = 1e-12;
// Newton's method converges in a handful of steps for planetary
// eccentricities; the cap only guards against a floating-point cycle.
constexpr int kKeplerMaxSteps = 100;
// Radians to degrees for the node, with pi written as 3.1416.
constexpr double kNodeRadToDeg = 180.0 / 3.1416;
constexpr double kNode0 = 125.1228, kNodeRate = 0.0529538083;  // degrees, degrees per day
constexpr double kNodeOffset = 1.0;                            // degrees
// General precession in longitude, arcseconds per Julian century (and T^2).
constexpr double kPrecessionRate = 5029.0966, kPrecessionT2 = 1.11113;

// J2000 mean elements and rates per Julian century: a (AU), e, then i, node,
// perihelion and mean longitude as degrees with rates in arcseconds.
struct ElementRow {
    double a, aRate, e, eRate, i, iRate, node, nodeRate, peri, periRate, L, LRate;
};
constexpr std::array<ElementRow, 6> kElements = {{
    {0.38709893, 0.00000066, 0.20563069, 0.00002527, 7.00487, -23.51, 48.33167, -446.30, 77.45645,
     573.57, 252.25084, 538101628.29},
    {0.72333199, 0.00000092, 0.00677323, -0.00004938, 3.39471, -2.86, 76.68069, -996.89, 131.53298,
     -108.80, 181.97973, 210664136.06},
    {1.00000011, -0.00000005, 0.01671022, -0.00003804, 0.00005, -46.94, -11.26064, -18228.25,
     102.94719, 1198.28, 100.46435, 129597740.63},
    {1.52366231, -0.00007221, 0.09341233, 0.00011902, 1.85061, -25.47, 49.57854, -1020.19,
     336.04084, 1560.78, 355.45332, 68905103.78},
    {5.20336301, 0.00060737, 0.04839266, -0.00012880, 1.30530, -4.15, 100.55615, 1217.17, 14.75385,
     839.93, 34.40438, 10925078.35},
    {9.53707032, -0.00301530, 0.05415060, -0.00036762, 2.48446, 6.11, 113.71504, -1591.05, 92.43194,
     -1948.89, 49.94432, 4401052.95},
}};
constexpr int kEarth = 2;

// Reduces an angle in radians into [0, 2 pi): whole turns are cut off toward
// zero, and a negative remainder gets one more turn.
double ReduceTwoPi(double angle) {
    const double turns = angle / kTwoPi;
    const double whole = turns >= 0 ? std::floor(turns) : std::floor(turns) + 1;
    double r = (turns - whole) * kTwoPi;
    if (r < 0) r += kTwoPi;
    return r;
}

struct Heliocentric {
    double x = 0, y = 0;
};

// Position of the Earth in the plane of its orbit (node and inclination of the
// Earth are not used).
Heliocentric EarthPosition(double d) {
    Elements el;
    OrbitalElements(kEarth, d, el);
    const double v = SolveKepler(ReduceTwoPi(el.L - el.perihelion), el.e);
    const double r = el.a * (1 - el.e * el.e) / (1 + el.e * std::cos(v));
    return {r * std::cos(v + el.perihelion), r * std::sin(v + el.perihelion)};
}

// Tropical geocentric longitude (degrees, [0, 360]) of a planet, the Earth's
// position at the same moment given.
double LongitudeFromEarth(int planet, double d, const Heliocentric& earth) {
    double x = 0, y = 0;
    if (planet != kEarth) {
        Elements el;
        OrbitalElements(planet, d, el);
        const double v = SolveKepler(ReduceTwoPi(el.L - el.perihelion), el.e);
        const double r = el.a * (1 - el.e * el.e) / (1 + el.e * std::cos(v));
        const double u = v + el.perihelion - el.node;
        x = r *
            (std::cos(el.node) * std::cos(u) - std::sin(u) * std::sin(el.node) * std::cos(el.i));
        y = r *
            (std::sin(el.node) * std::cos(u) + std::sin(u) * std::cos(el.node) * std::cos(el.i));
    }
    double lambda = ArcTan2(y - earth.y, x - earth.x) * 180.0 / kPi;
    while (lambda > 360.0) lambda -= 360.0;
    while (lambda < 0) lambda += 360.0;
    return lambda;
}

int ParseInt(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int MonthFromName(const std::string& name) {
    for (std::size_t k = 0; k < kMonthNames.size(); ++k) {
        if (kMonthNames[k] == name) return static_cast<int>(k) + 1;
    }
    return 1;
}

}  // namespace

double DayNumber(int year, int month, int day, int hour, int minute) {
    const double y = year, m = month;
    return 367.0 * y - std::floor(7.0 * (y + std::floor((m + 9.0) / 12.0)) / 4.0) +
           std::floor(275.0 * m / 9.0) + day - 730531.5 + (hour + minute / 60.0) / 24.0;
}

bool OrbitalElements(int planet, double d, Elements& out) {
    if (planet < 0 || planet > 5) return false;
    const ElementRow& row = kElements[static_cast<std::size_t>(planet)];
    const double T = d / 36525.0;
    out.a = row.a + row.aRate * T;
    out.e = row.e + row.eRate * T;
    out.i = (row.i + row.iRate * T / 3600.0) * kDegToRad;
    out.node = (row.node + row.nodeRate * T / 3600.0) * kDegToRad;
    out.perihelion = (row.peri + row.periRate * T / 3600.0) * kDegToRad;
    out.L = ReduceTwoPi((row.L + row.LRate * T / 3600.0) * kDegToRad);
    return true;
}

double SolveKepler(double M, double e) {
    double E = M + e * std::sin(M) * (1 + e * std::cos(M));
    for (int step = 0; step < kKeplerMaxSteps; ++step) {
        const double next = E - (E - e * std::sin(E) - M) / (1 - e * std::cos(E));
        const bool done = std::fabs(E - next) <= kKeplerTolerance;
        E = next;
        if (done) break;
    }
    double v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
    if (v < 0) v += kTwoPi;
    return v;
}

double GeocentricLongitude(int planet, double d) {
    if (planet < 0 || planet > 5) return 0;
    return LongitudeFromEarth(planet, d, EarthPosition(d));
}

double PrecessionSinceJ2000(double d) {
    const double T = d / 36525.0;
    return (kPrecessionRate * T + kPrecessionT2 * T * T) / 3600.0;
}

std::string ShortPosition(std::string_view text) {
    std::string out;
    ShortPositionTo(text, out);
    return out;
}

void ShortPositionTo(std::string_view text, std::string& out) {
    out.clear();
    const auto notBlank = text.find_first_not_of(' ');
    if (notBlank == std::string_view::npos) return;
    text = text.substr(notBlank, text.find_last_not_of(' ') - notBlank + 1);

    constexpr std::string_view kDegreeSign = "\xC2\xB0";
    const auto degreeAt = text.find(kDegreeSign);
    const auto minuteAt = text.find('\'');
    std::string_view degrees = text.substr(0, degreeAt);
    std::string_view minutes;
    if (degreeAt != std::string_view::npos && minuteAt != std::string_view::npos &&
        minuteAt > degreeAt) {
        const auto start = degreeAt + kDegreeSign.size();
        minutes = text.substr(start, minuteAt - start);
        const auto first = minutes.find_first_not_of(' ');
        minutes = first == std::string_view::npos ? std::string_view{} : minutes.substr(first);
    }
    const std::string_view abbreviation = text.size() >= 3 ? text.substr(text.size() - 3) : text;

    if (degrees.size() <= 1) out += '0';
    out += degrees;
    out += ' ';
    out += abbreviation;
    out += ' ';
    if (minutes.size() <= 1) out += '0';
    out += minutes;
}

void PlanetPositions(const BirthData& birth, ChartRecord& chart) {
    // The moment as a local clock time, then to UT: one hour less with
    // daylight saving, plus the signed zone correction, in calendar arithmetic.
    double local = 0;
    if (chart.SecondMomentMode) {
        local = DateTimeValue(ParseInt(chart.SunriseYear), MonthFromName(chart.SunriseMonthName),
                              ParseInt(chart.SunriseDay), ParseInt(chart.SunriseHour),
                              ParseInt(chart.SunriseMinute));
    } else {
        local = DateTimeValue(birth.BirthYear, birth.BirthMonth, birth.BirthDay, birth.BirthHour,
                              birth.BirthMinute);
    }
    const int offsetMinutes = (birth.IsDST ? -60 : 0) + chart.ZoneHours * 60 + chart.ZoneMinutes;
    const CivilDateTime ut = SplitDateTime(local + offsetMinutes / 1440.0);
    const double d = DayNumber(ut.year, ut.month, ut.day, ut.hour, ut.minute);

    // The elements give longitudes on the J2000 equinox; the ayanamsa is
    // measured from the equinox of the date, so precess to the date first.
    const double precession = PrecessionSinceJ2000(d);
    const double ayanamsa = std::fabs(chart.Ayanamsa);
    const Heliocentric earth = EarthPosition(d);
    for (int planet = 0; planet < 6; ++planet) {
        double lambda = LongitudeFromEarth(planet, d, earth) + precession - ayanamsa;
        while (lambda < 0) lambda += 360.0;
        FormatSignPositionTo(lambda, chart.PlanetText[static_cast<std::size_t>(planet)]);
        if (chart.SecondMomentMode && planet == kEarth) {
            chart.SunriseSunLongitude = lambda;
            ShortPositionTo(chart.PlanetText[kEarth], chart.SunriseSunText);
        }
    }

    double node = (kNode0 - kNodeRate * d) * kDegToRad;
    const double turns = node / kTwoPi;
    node = (turns - std::trunc(turns)) * kTwoPi;
    if (node < 0) node += kTwoPi;
    double rahu = node * kNodeRadToDeg - kNodeOffset - ayanamsa;
    while (rahu < 0) rahu += 360.0;
    double ketu = rahu + 180.0;
    while (ketu > 360.0) ketu -= 360.0;
    FormatSignPositionTo(rahu, chart.RahuText);
    FormatSignPositionTo(ketu, chart.KetuText);

    ShortPositionTo(chart.PlanetText[2], chart.ChartList[kSun]);
    ShortPositionTo(chart.MoonText, chart.ChartList[kMoon]);
    ShortPositionTo(chart.PlanetText[0], chart.ChartList[kMercury]);
    ShortPositionTo(chart.PlanetText[1], chart.ChartList[kVenus]);
    ShortPositionTo(chart.PlanetText[3], chart.ChartList[kMars]);
    ShortPositionTo(chart.PlanetText[4], chart.ChartList[kJupiter]);
    ShortPositionTo(chart.PlanetText[5], chart.ChartList[kSaturn]);
    ShortPositionTo(chart.RahuText, chart.ChartList[kRahu]);
    ShortPositionTo(chart.KetuText, chart.ChartList[kKetu]);
    ShortPositionTo(chart.AscText, chart.ChartList[kAsc]);
}

}  // namespace korvanta
