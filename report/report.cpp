// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "calendar/calendar.h"
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

void AppendTwoDigits(std::string& out, int value) {
    if (value >= 0 && value < 10) out += '0';
    AppendInt(out, value);
}

// "HH:MM", with ":SS" when the seconds are not zero.
void AppendClock(std::string& out, const CivilDateTime& t) {
    AppendTwoDigits(out, t.hour);
    out += ':';
    AppendTwoDigits(out, t.minute);
    if (t.second != 0) {
        out += ':';
        AppendTwoDigits(out, t.second);
    }
}

void WriteReferenceSunrise(const SunriseReference& sunrise, std::string& text) {
    text.clear();
    if (!sunrise.reference || !sunrise.referenceClock) {
        text +=
            "No sunrise used: the Sun does not rise or set around this birth (polar day or "
            "night), so the Ghati, Hora, Bhava and Varnada Lagnas and the Pranapada are not "
            "found.";
        return;
    }
    const CivilDateTime& t = *sunrise.referenceClock;
    // A birth after sunset counts to the next sunrise, so the sunrise may
    // follow the birth.
    const bool afterSunrise = sunrise.birthMoment >= *sunrise.reference;
    text += "Sunrise used: ";
    AppendInt(text, t.day);
    text += ' ';
    text += kMonthNames[static_cast<std::size_t>(t.month - 1)];
    text += ' ';
    AppendInt(text, t.year);
    text += " at ";
    AppendClock(text, t);
    text += " local time, ";
    AppendInt(text, sunrise.minutesFromSunrise);
    text += " minutes ";
    text += afterSunrise ? "before" : "after";
    text += " the birth.";
}

void SetLongitudeRow(SpecialPointRow& row, std::string_view point,
                     const std::optional<SignPosition>& at) {
    row.point = point;
    row.position.clear();
    if (!at) {
        row.sign = kNone;
        return;
    }
    row.sign = SignName(at->sign);
    AppendDegreesWithinSign(row.position, *at);
}

void SetSignRow(SpecialPointRow& row, std::string_view point, const std::optional<int>& sign) {
    row.point = point;
    row.sign = sign ? SignName(*sign) : kNone;
    row.position.clear();
}

void DescribePadas(const Chart& chart, PadasView& view) {
    for (std::size_t house = 0; house < view.padas.size(); ++house) {
        const int number = static_cast<int>(house) + 1;
        PadaRow& row = view.padas[house];
        row.house.clear();
        AppendInt(row.house, number);
        row.name = PadaName(number);
        row.sign = SignName(chart.padas.pada[house]);
    }
    const SpecialPoints& special = chart.special;
    SetLongitudeRow(view.points[0], "Ghati Lagna", special.ghatiAt);
    SetLongitudeRow(view.points[1], "Hora Lagna", special.horaAt);
    SetLongitudeRow(view.points[2], "Bhava Lagna", special.bhavaAt);
    SetLongitudeRow(view.points[3], "Varnada Lagna", special.varnadaAt);
    SetLongitudeRow(view.points[4], "Sree Lagna", special.sreeAt);
    SetSignRow(view.points[5], "Pranapada Lagna", special.pranapada);
    SetSignRow(view.points[6], "Sign-count mark", special.signCountMark);
    WriteReferenceSunrise(chart.sunrise, view.referenceSunrise);
    view.upapadaAccount.clear();
    AppendUpapadaAccount(chart, view.upapadaAccount);
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

void WriteCoordinate(std::string& text, int degrees, int minutes, std::string_view side) {
    // Only the hemisphere letter shows the side, never a sign on the number.
    text.clear();
    AppendInt(text, degrees);
    text += "\xC2\xB0 ";
    AppendInt(text, minutes);
    text += "'";
    text += side;
}

}  // namespace

ChartReport BuildReport(const Birth& birth, const Chart& chart) {
    ChartReport report;
    BuildReport(birth, chart, report);
    return report;
}

void BuildReport(const Birth& birth, const Chart& chart, ChartReport& report) {
    report.programTitle = ProgramTitle();
    report.title = "Upapada Lagna Chart";
    if (!birth.name.empty()) report.title.append(" of ").append(birth.name);

    for (std::size_t body = 0; body < kBodyCount; ++body) {
        const auto b = static_cast<Body>(body);
        const SignPosition& at = chart.position[body];
        report.bodyNames[body] =
            chart.IsRetrograde(b) ? kRetrogradeBodyNames[body] : kBodyNames[body];
        LabelledText& position = report.positions[body];
        position.label = kPositionLabels[body];
        position.text.clear();
        AppendShortPosition(position.text, at);
        report.longPositions[body].clear();
        AppendSignPosition(report.longPositions[body], at);
    }
    for (std::size_t sign = 0; sign < report.cells.size(); ++sign) {
        ChartCell& cell = report.cells[sign];
        cell.signName = kSignNames[sign];
        cell.number = static_cast<int>(sign) + 1;
        cell.bodies.clear();
        cell.marks.clear();
    }
    for (std::size_t body = 0; body < kBodyCount; ++body) {
        report.cells[static_cast<std::size_t>(chart.sign[body])].bodies.push_back(
            report.bodyNames[body]);
    }
    report.padaMarks.fill({});
    AddMarks(chart, report.cells, report.padaMarks);
    report.ascendantSign = chart.SignOf(Body::Asc);
    report.astronomyLine = AstronomyLine(chart.astronomy);
    // The rasi chart's report: nothing of a divisional chart (ShowVarga).
    report.vargaCaption = {};
    report.vargaNote.clear();
    report.ulInVargas.clear();

    // "Your Details"
    report.name = birth.name;
    BirthDetails& details = report.details;
    std::string& dob = details.dateOfBirth.text;
    dob = kMonthNames[static_cast<std::size_t>(birth.month - 1)];
    dob += '/';
    AppendInt(dob, birth.day);
    dob += '/';
    AppendInt(dob, birth.year);
    std::string& tob = details.timeOfBirth.text;
    tob.clear();
    AppendInt(tob, birth.hour);
    tob += ':';
    AppendInt(tob, birth.minute);
    WriteCoordinate(details.longitude.text, birth.lonDeg, birth.lonMin, birth.east ? " E" : " W");
    WriteCoordinate(details.latitude.text, birth.latDeg, birth.latMin, birth.south ? " S" : " N");
    details.city.text = birth.city;
    details.state.text = birth.state;
    details.country.text = birth.country;

    // The UL's house, its reading and its sign's profile.
    const ArudhaPadas& padas = chart.padas;
    report.ulHouse = kHouseCaptions[static_cast<std::size_t>(padas.ulHouse - 1)];
    report.ulReading = kHouseReading[static_cast<std::size_t>(padas.ulHouse - 1)];
    report.profileRow = chart.ulProfileRow;
    FillProfile(chart.ulProfileRow, report.ulHouse, report);

    std::vector<std::string>& centre = report.centre;
    centre.resize(4);
    centre[0] = birth.name;
    centre[1] = dob;
    centre[1].append("  ").append(tob);
    centre[2] = kUpapadaLagna;
    centre[3] = SignName(padas.ulSign);
    centre[3].append(", ").append(report.ulHouse);
    DescribePadas(chart, report.padas);
    report.sunAtSunrise.clear();
    if (chart.sunrise.reference) AppendShortPosition(report.sunAtSunrise, chart.sunrise.sunAt);
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

DateTimeChars::DateTimeChars(double dateTime) {
    const CivilDateTime t = SplitDateTime(dateTime);
    const auto digits = [this](int value, int count) {
        for (int k = count - 1; k >= 0; --k) {
            text_[size_ + static_cast<std::size_t>(k)] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
        size_ += static_cast<std::size_t>(count);
    };
    const auto separator = [this](char c) { text_[size_++] = c; };
    const auto twoDigits = [](int value) { return value >= 0 && value <= 99; };
    if (t.year >= 0 && t.year <= 9999 && twoDigits(t.month) && twoDigits(t.day) &&
        twoDigits(t.hour) && twoDigits(t.minute) && twoDigits(t.second)) {
        // The common case, written by hand: snprintf is most of the time of
        // a JSON line's eight sunrise moments.
        digits(t.year, 4);
        separator('-');
        digits(t.month, 2);
        separator('-');
        digits(t.day, 2);
        separator(' ');
        digits(t.hour, 2);
        separator(':');
        digits(t.minute, 2);
        if (t.second != 0) {
            separator(':');
            digits(t.second, 2);
        }
        return;
    }
    const int written =
        t.second != 0 ? std::snprintf(text_.data(), text_.size(), "%04d-%02d-%02d %02d:%02d:%02d",
                                      t.year, t.month, t.day, t.hour, t.minute, t.second)
                      : std::snprintf(text_.data(), text_.size(), "%04d-%02d-%02d %02d:%02d",
                                      t.year, t.month, t.day, t.hour, t.minute);
    size_ = written > 0 ? std::min(static_cast<std::size_t>(written), text_.size() - 1) : 0;
}

std::string DateTimeText(double dateTime) {
    return std::string(DateTimeChars(dateTime).View());
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
