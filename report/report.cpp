// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "astro/calendar.h"
#include "pipeline/text_format.h"
#include "reading/arudha.h"
#include "reading/sign_profile.h"
#include "report/astronomy_text.h"
#include "report/names.h"
#include "report/pada_account.h"
#include "report/positions.h"
#include "report/program_notice.h"

namespace korvanta {
namespace {

constexpr std::string_view kNone = "none";

// The UL's house as the window names it.
constexpr std::array<std::string_view, 12> kHouseCaptions = {
    "House 1", "House 2", "House 3", "House 4",  "House 5",  "House 6",
    "House 7", "House 8", "House 9", "House 10", "House 11", "House 12"};

// The chart's marks, sign by sign, in the order they are found.
void AddMarks(const Chart& chart, std::array<ChartCell, 12>& cells,
              std::array<PadaMarkPlace, 12>& padaMarks) {
    const auto mark = [&cells](int sign, std::string_view tag = {}) {
        if (sign >= 0 && sign < 12) cells[static_cast<std::size_t>(sign)].marks.push_back(tag);
    };
    const auto markLongitude = [&mark](const std::optional<SignPosition>& at) {
        if (at) mark(at->sign);
    };
    const ArudhaPadas& padas = chart.padas;
    for (std::size_t house = 0; house < padas.pada.size(); ++house) {
        const int sign = padas.pada[house];
        if (sign >= 0 && sign < 12) {
            padaMarks[house] = {sign, cells[static_cast<std::size_t>(sign)].marks.size()};
        }
        mark(sign, house == 11 ? kUpapadaTag : std::string_view{});
        if (house == 0) mark(padas.lagnaLordSign);
    }
    const SpecialPoints& special = chart.special;
    const bool hasSunrise = chart.sunrise.reference.has_value();
    markLongitude(special.ghatiAt);
    markLongitude(special.horaAt);
    markLongitude(special.bhavaAt);
    if (special.signCountMark) mark(*special.signCountMark);
    markLongitude(special.varnadaAt);
    mark(chart.SignOf(Body::Moon));
    if (hasSunrise) mark(chart.sunrise.sunAt.sign);
    markLongitude(special.sreeAt);
    if (special.pranapada) mark(*special.pranapada);
}

std::string ClockText(const CivilDateTime& t) {
    char clock[16];
    if (t.second != 0) {
        std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    } else {
        std::snprintf(clock, sizeof clock, "%02d:%02d", t.hour, t.minute);
    }
    return clock;
}

std::string ReferenceSunriseText(const SunriseReference& sunrise) {
    if (!sunrise.reference || !sunrise.referenceClock) {
        return "No sunrise used: the Sun does not rise or set around this birth (polar day or "
               "night), so the Ghati, Hora, Bhava and Varnada Lagnas and the Pranapada are not "
               "found.";
    }
    const CivilDateTime& t = *sunrise.referenceClock;
    // A birth after sunset counts to the next sunrise, so the sunrise may
    // follow the birth.
    const bool afterSunrise = sunrise.birthMoment >= *sunrise.reference;
    return "Sunrise used: " + IntText(t.day) + " " +
           std::string(kMonthNames[static_cast<std::size_t>(t.month - 1)]) + " " + IntText(t.year) +
           " at " + ClockText(t) + " local time, " + IntText(sunrise.minutesFromSunrise) +
           " minutes " + (afterSunrise ? "before" : "after") + " the birth.";
}

SpecialPointRow LongitudeRow(std::string_view point, const std::optional<SignPosition>& at) {
    if (!at) return {point, kNone, ""};
    return {point, SignName(at->sign), DegreesWithinSign(*at)};
}

SpecialPointRow SignRow(std::string_view point, const std::optional<int>& sign) {
    return {point, sign ? SignName(*sign) : kNone, ""};
}

PadasView DescribePadas(const Chart& chart) {
    PadasView view;
    for (std::size_t house = 0; house < view.padas.size(); ++house) {
        const int number = static_cast<int>(house) + 1;
        view.padas[house] = {IntText(number), PadaName(number), SignName(chart.padas.pada[house])};
    }
    const SpecialPoints& special = chart.special;
    view.points = {
        LongitudeRow("Ghati Lagna", special.ghatiAt),
        LongitudeRow("Hora Lagna", special.horaAt),
        LongitudeRow("Bhava Lagna", special.bhavaAt),
        LongitudeRow("Varnada Lagna", special.varnadaAt),
        LongitudeRow("Sree Lagna", special.sreeAt),
        SignRow("Pranapada Lagna", special.pranapada),
        SignRow("Sign-count mark", special.signCountMark),
    };
    view.referenceSunrise = ReferenceSunriseText(chart.sunrise);
    view.upapadaAccount = ExplainUpapada(chart);
    return view;
}

// The profile of sign 0..11 in the window's order; the English name is shown
// twice, as the sign's name and as the sign that holds the Upapada Lagna, and
// the abbreviation not at all.
void FillProfile(int profileRow, std::string_view ulHouse, ChartReport& report) {
    const SignProfileRow& p = SignProfile_Load()[static_cast<std::size_t>(profileRow)];
    const std::array<std::string_view, 24> values = {p.vedicName,      ulHouse,
                                                     p.englishName,    p.rulingPlanet,
                                                     p.compatibleWith, p.notCompatibleWith,
                                                     p.symbol,         p.element,
                                                     p.colour,         p.typeOfSign,
                                                     p.gender,         p.bestPeriod,
                                                     p.fruitfulness,   p.caste,
                                                     p.position,       p.constituentCharacter,
                                                     p.luckyDays,      p.luckyNumbers,
                                                     p.bestDirection,  p.luckyColours,
                                                     p.luckyGemstone,  p.partOfBody,
                                                     p.physique,       p.englishName};
    for (std::size_t k = 0; k < values.size(); ++k)
        report.profile[k] = {kProfileLabels[k], values[k]};
    const std::array<std::string_view, 5> readings = {p.looks, p.nature, p.careerAndFinance,
                                                      p.loveAndDomesticLife, p.health};
    for (std::size_t k = 0; k < readings.size(); ++k) {
        report.readings[k] = {kReadingLabels[k], readings[k]};
    }
}

std::string CoordinateText(int degrees, int minutes, std::string_view side) {
    // Only the hemisphere letter shows the side, never a sign on the number.
    std::string text;
    AppendInt(text, degrees);
    text += "\xC2\xB0 ";
    AppendInt(text, minutes);
    text += "'";
    text += side;
    return text;
}

}  // namespace

ChartReport BuildReport(const Birth& birth, const Chart& chart) {
    ChartReport report;
    report.programTitle = ProgramTitle();
    report.title = "Upapada Lagna Chart";
    if (!birth.name.empty()) report.title += " of " + birth.name;

    for (std::size_t body = 0; body < kBodyCount; ++body) {
        const auto b = static_cast<Body>(body);
        report.bodyNames[body] =
            chart.IsRetrograde(b) ? kRetrogradeBodyNames[body] : kBodyNames[body];
        report.positions[body] = {kPositionLabels[body], ShortPosition(chart.position[body])};
        report.longPositions[body] = FormatSignPosition(chart.position[body]);
    }
    for (std::size_t sign = 0; sign < report.cells.size(); ++sign) {
        report.cells[sign].signName = kSignNames[sign];
        report.cells[sign].number = static_cast<int>(sign) + 1;
    }
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        report.cells[static_cast<std::size_t>(chart.sign[body])].bodies.push_back(
            report.bodyNames[body]);
    }
    AddMarks(chart, report.cells, report.padaMarks);
    report.ascendantSign = chart.SignOf(Body::Asc);
    report.astronomyLine = AstronomyLine(chart.astronomy);

    // "Your Details"
    report.name = birth.name;
    std::string dob(kMonthNames[static_cast<std::size_t>(birth.month - 1)]);
    dob += '/';
    AppendInt(dob, birth.day);
    dob += '/';
    AppendInt(dob, birth.year);
    std::string tob;
    AppendInt(tob, birth.hour);
    tob += ':';
    AppendInt(tob, birth.minute);
    BirthDetails& details = report.details;
    details.dateOfBirth.text = dob;
    details.timeOfBirth.text = tob;
    details.longitude.text = CoordinateText(birth.lonDeg, birth.lonMin, birth.east ? " E" : " W");
    details.latitude.text = CoordinateText(birth.latDeg, birth.latMin, birth.south ? " S" : " N");
    details.city.text = birth.city;
    details.state.text = birth.state;
    details.country.text = birth.country;

    // The UL's house, its reading and its sign's profile.
    const ArudhaPadas& padas = chart.padas;
    report.ulHouse = kHouseCaptions[static_cast<std::size_t>(padas.ulHouse - 1)];
    report.ulReading = kHouseReading[static_cast<std::size_t>(padas.ulHouse - 1)];
    report.profileRow = chart.ulProfileRow;
    FillProfile(chart.ulProfileRow, report.ulHouse, report);

    report.centre = {birth.name, dob + "  " + tob, std::string(kUpapadaLagna),
                     std::string(SignName(padas.ulSign)) + ", " + std::string(report.ulHouse)};
    report.padas = DescribePadas(chart);
    if (chart.sunrise.reference) report.sunAtSunrise = ShortPosition(chart.sunrise.sunAt);
    return report;
}

std::vector<CellLine> CellLines(const ChartCell& cell) {
    const auto trimmed = [](std::string_view text) {
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        return text;
    };
    std::vector<CellLine> lines;
    const std::size_t count = std::max(cell.bodies.size(), cell.marks.size());
    for (std::size_t i = 0; i < count; ++i) {
        lines.push_back({i < cell.bodies.size() ? trimmed(cell.bodies[i]) : std::string_view{},
                         i < cell.marks.size() ? trimmed(cell.marks[i]) : std::string_view{}});
    }
    while (!lines.empty() && lines.back().body.empty() && lines.back().mark.empty()) {
        lines.pop_back();
    }
    return lines;
}

std::string DateTimeText(double dateTime) {
    const CivilDateTime t = SplitDateTime(dateTime);
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", t.year, t.month, t.day);
    return date + ClockText(t);
}

const SignProfileRow* ProfileRow(int row) {
    if (row < 0 || row >= 12) return nullptr;
    return &SignProfile_Load()[static_cast<std::size_t>(row)];
}

std::string_view ProgramTitle() {
    static const std::string title = "Korvanta v" + std::string(kProgramVersion);
    return title;
}

std::string PageFileStem(std::string_view name) {
    std::string stem;
    bool gap = false;
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            if (gap && !stem.empty()) stem += '-';
            stem += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            gap = false;
        } else {
            gap = true;
        }
    }
    return stem.empty() ? "upapada-lagna" : stem + "-upapada-lagna";
}

std::string WithExtension(std::string_view path, std::string_view extension) {
    const bool has = path.size() >= extension.size() &&
                     std::equal(extension.begin(), extension.end(), path.end() - extension.size(),
                                [](char a, char b) {
                                    return std::tolower(static_cast<unsigned char>(a)) ==
                                           std::tolower(static_cast<unsigned char>(b));
                                });
    return has ? std::string(path) : std::string(path) + std::string(extension);
}

}  // namespace korvanta
