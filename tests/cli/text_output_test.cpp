// SPDX-License-Identifier: GPL-3.0-or-later
// The text report: the fixed-sign chart with the bodies and the UL tag in the
// right cells, the position table, the details, the UL's house and reading,
// the profile; UTF-8 whatever the locale; the zone list and the help.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>

#include "cli_process.h"
#include "pipeline/pipeline.h"
#include "reading/sign_profile.h"
#include "report/report.h"

namespace korvanta::testing {
namespace {

constexpr std::string_view kVertical = "│";

// Grid position of each sign's cell (row, column), signs 0..11.
constexpr std::array<std::pair<int, int>, 12> kCellOfSign = {{{0, 1},
                                                              {0, 2},
                                                              {0, 3},
                                                              {1, 3},
                                                              {2, 3},
                                                              {3, 3},
                                                              {3, 2},
                                                              {3, 1},
                                                              {3, 0},
                                                              {2, 0},
                                                              {1, 0},
                                                              {0, 0}}};

constexpr std::array<std::string_view, 12> kSignNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> SplitOn(const std::string& line, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = line.find(separator, start)) != std::string::npos;) {
        parts.push_back(line.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(line.substr(start));
    return parts;
}

// The chart's cells read back from the drawing: for each grid row, the lines
// of each region between vertical bars (4 regions in the outer rows, 3 in the
// middle ones, whose middle region is the centre block).
using Cell = std::vector<std::string>;
std::array<std::vector<Cell>, 4> ReadChart(const std::vector<std::string>& lines) {
    std::array<std::vector<Cell>, 4> rows;
    int row = -1;
    for (const std::string& line : lines) {
        if (line.rfind("┌", 0) == 0 || line.rfind("├", 0) == 0) {
            ++row;
            continue;
        }
        if (line.rfind("└", 0) == 0) break;
        if (row < 0 || line.rfind(kVertical, 0) != 0) continue;
        const auto parts = SplitOn(line, kVertical);  // "", cells..., ""
        auto& cells = rows[static_cast<std::size_t>(row)];
        cells.resize(parts.size() - 2);
        for (std::size_t i = 1; i + 1 < parts.size(); ++i) cells[i - 1].push_back(parts[i]);
    }
    return rows;
}

// The cell of a sign, split into its left (bodies) and right (tags) words.
Cell CellOfSign(const std::array<std::vector<Cell>, 4>& rows, int sign) {
    const auto [row, column] = kCellOfSign[static_cast<std::size_t>(sign)];
    const bool middleRow = row == 1 || row == 2;
    const int region = middleRow && column == 3 ? 2 : column;
    return rows[static_cast<std::size_t>(row)].at(static_cast<std::size_t>(region));
}

class TextOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        run_ = RunCliProgram(FlagsOf(NewDelhi1980()));
        auto outcome = CalculateChart(FormOfBirth(NewDelhi1980()));
        ASSERT_TRUE(std::holds_alternative<BirthChart>(outcome));
        const BirthChart& computed = std::get<BirthChart>(outcome);
        chart_ = computed.chart;
        report_ = BuildReport(computed.birth, computed.chart);
    }
    bool Shows(const std::string& text) const { return run_.out.find(text) != std::string::npos; }
    const SignProfileRow& UlProfile() const {
        return SignProfile_Load().at(static_cast<std::size_t>(chart_.padas.ulSign));
    }

    CliRun run_;
    Chart chart_;
    ChartReport report_;
};

TEST_F(TextOutput, EachSignCellListsItsBodiesAndTheUlTagOnItsLine) {
    ASSERT_EQ(run_.status, 0) << run_.err;
    const auto rows = ReadChart(Lines(run_.out));
    int ulCells = 0;
    for (int sign = 0; sign < 12; ++sign) {
        const Cell cell = CellOfSign(rows, sign);
        ASSERT_FALSE(cell.empty()) << kSignNames[sign];
        std::istringstream nameLine(cell[0]);
        std::string name, number;
        nameLine >> name >> number;
        EXPECT_EQ(name, kSignNames[sign]);
        EXPECT_EQ(number, std::to_string(sign + 1)) << kSignNames[sign];
        // Cell line n holds body n - 1 and mark n - 1: the first line is the
        // sign's name.
        const auto& bodies = report_.cells[static_cast<std::size_t>(sign)].bodies;
        const auto& tags = report_.cells[static_cast<std::size_t>(sign)].marks;
        for (std::size_t n = 1; n < cell.size(); ++n) {
            const std::string expectedBody =
                n <= bodies.size() ? Trim(std::string(bodies[n - 1])) : "";
            const std::string expectedTag = n <= tags.size() ? Trim(std::string(tags[n - 1])) : "";
            const std::string shown = Trim(cell[n]);
            const std::string shownTag = shown.size() >= 2 && shown.ends_with("UL") ? "UL" : "";
            const std::string shownBody = Trim(shown.substr(0, shown.size() - shownTag.size()));
            EXPECT_EQ(shownBody, expectedBody) << kSignNames[sign] << " line " << n;
            EXPECT_EQ(shownTag, expectedTag) << kSignNames[sign] << " line " << n;
            ulCells += shownTag == "UL";
        }
        // Every body of the caption made it into the drawing.
        for (std::size_t n = cell.size(); n <= bodies.size(); ++n) {
            EXPECT_EQ(Trim(std::string(bodies[n - 1])), "")
                << kSignNames[sign] << " lost line " << n;
        }
    }
    EXPECT_EQ(ulCells, 1);
    const Cell ulCell = CellOfSign(rows, chart_.padas.ulSign);
    EXPECT_TRUE(std::any_of(ulCell.begin(), ulCell.end(),
                            [](const std::string& line) { return Trim(line).ends_with("UL"); }));
}

TEST_F(TextOutput, ShowsThePositionTableDetailsUlHouseAndReading) {
    ASSERT_EQ(run_.status, 0) << run_.err;
    EXPECT_TRUE(Shows("Surya/Sun         " + report_.positions[Index(Body::Sun)].text + "\n"))
        << run_.out;
    EXPECT_TRUE(Shows("Asc/Lagna         " + report_.positions[Index(Body::Asc)].text + "\n"));
    EXPECT_TRUE(Shows("Date of Birth : June/5/1980\n"));
    EXPECT_TRUE(Shows("Time of Birth : 9:5\n"));
    EXPECT_TRUE(Shows("Latitude   : 28° 36' N\n"));
    EXPECT_TRUE(Shows("Longitude : 77° 12' E\n"));
    EXPECT_TRUE(Shows("City : New Delhi\n"));
    EXPECT_TRUE(Shows("Upapada Lagna Present In House : " + std::string(report_.ulHouse) + "\n"));
    EXPECT_TRUE(Shows("  " + Trim(std::string(report_.ulReading)) + "\n")) << report_.ulReading;
    EXPECT_TRUE(
        Shows("Upapada Lagna Present In Sign  : " + std::string(UlProfile().englishName) + "\n"));
    EXPECT_TRUE(
        Shows("Lucky Gemstone                 : " + std::string(UlProfile().luckyGemstone)));
}

TEST_F(TextOutput, ReadingsAreWrappedWithoutLosingWords) {
    ASSERT_EQ(run_.status, 0) << run_.err;
    const auto lines = Lines(run_.out);
    const auto heading = std::find(lines.begin(), lines.end(), "Nature");
    ASSERT_NE(heading, lines.end());
    std::string joined;
    for (auto line = heading + 1; line != lines.end() && !line->empty(); ++line) {
        EXPECT_LE(line->size(), 78u) << *line;
        joined += (joined.empty() ? "" : " ") + Trim(*line);
    }
    std::istringstream words(std::string(UlProfile().nature));
    std::string expected;
    for (std::string word; words >> word;) expected += (expected.empty() ? "" : " ") + word;
    EXPECT_EQ(joined, expected);
}

// Columns a terminal gives a character: two for the CJK ideographs, kana,
// Hangul and emoji these tests use (Unicode's East Asian Width W), one for
// the rest of what the chart prints.
std::size_t TerminalColumns(const std::string& line) {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < line.size();) {
        const auto lead = static_cast<unsigned char>(line[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (line[i + k] & 0x3F);
        const bool wide = (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) ||
                          (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x1F300 && c <= 0x1F64F);
        columns += wide ? 2 : 1;
        i += length;
    }
    return columns;
}

std::string WithoutBlanks(const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\n') kept += c;
    }
    return kept;
}

// Long names and places, in scripts a terminal draws two columns wide, are
// wrapped to 80 columns, and nothing of them is lost on the way.
TEST(TextOutputWidth, EveryLineFitsEightyColumnsWithEveryCharacterKept) {
    std::string city;
    for (int i = 0; i < 40; ++i) city += "Pune ";
    city += std::string(100, 'x');
    const std::vector<std::string> states = {
        "東京都" + std::string("東京都東京都東京都東京都東京都東京都"),
        std::string(30, 'y') + "서울특별시서울특별시서울특별시서울",
        "ひらがな🌙ひらがな🌙ひらがな🌙ひらがな🌙ひらがな🌙ひらがな🌙"};
    for (const std::string& state : states) {
        std::vector<std::string> args = FlagsOf(NewDelhi1980());
        *(std::find(args.begin(), args.end(), "--name") + 1) = std::string(150, 'A');
        *(std::find(args.begin(), args.end(), "--city") + 1) = city;
        *(std::find(args.begin(), args.end(), "--state") + 1) = state;
        const CliRun run = RunCliProgram(args);
        ASSERT_EQ(run.status, 0) << run.err;
        for (const std::string& line : Lines(run.out))
            EXPECT_LE(TerminalColumns(line), 80u) << line;
        const std::string kept = WithoutBlanks(run.out);
        for (const std::string& text : {std::string(150, 'A'), city, state})
            EXPECT_NE(kept.find(WithoutBlanks(text)), std::string::npos) << text;
    }
}

TEST(TextOutputLocale, IsTheSameUtf8WhateverTheLocale) {
    const auto flags = FlagsOf(NewDelhi1980());
    const CliRun plain = RunCliProgram(flags, "", {{"LC_ALL", "C"}, {"LANG", "C"}});
    const CliRun utf8 = RunCliProgram(flags, "", {{"LC_ALL", "C.UTF-8"}});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, utf8.out);
    EXPECT_NE(plain.out.find("\xE2\x94\x8C"), std::string::npos) << "box corner as UTF-8";
    EXPECT_NE(plain.out.find("28\xC2\xB0 36' N"), std::string::npos) << "degree sign as UTF-8";
}

TEST(ZoneList, PrintsTheSeventyTwoRowsWithTheirIndexes) {
    const CliRun run = RunCliProgram({"--list-zones"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 72u);
    EXPECT_EQ(lines[71], " 71  Other UTC offset (with --offset +HH:MM)");
    EXPECT_EQ(lines[0], "  0  Alaska/Hawaii Daylight Time,AHDT,-9.0");
    EXPECT_EQ(lines[34], " 34  Indian Time, IST, +5.3");
    EXPECT_EQ(lines[70], " 70  Yukon War Time,YWT,-8.0");
}

TEST(Help, ListsEveryFlagWithAnExample) {
    const CliRun run = RunCliProgram({"--help"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* flag :
         {"--name", "--date", "--time", "--lat", "--lon", "--zone", "--dst", "--city", "--state",
          "--country", "--json", "--batch", "--list-zones", "--version"}) {
        const auto at = run.out.find(std::string(flag) + " ");
        ASSERT_NE(at, std::string::npos) << flag;
        const auto lineEnd = run.out.find("\n", at);
        // CLI11 may continue a long description on the next line.
        const auto described = run.out.substr(at, run.out.find("\n  -", lineEnd) - at);
        EXPECT_NE(described.find("e.g. " + std::string(flag)), std::string::npos) << described;
    }
    EXPECT_NE(run.out.find("Exit status"), std::string::npos);
}

}  // namespace
}  // namespace korvanta::testing
