// SPDX-License-Identifier: GPL-3.0-or-later
// The text chart in its three drawings (--style) and with every pada tagged
// (--all-padas): each drawing of one birth is pinned, fits an 80-column
// terminal and shows every body and tag once; the JSON stays as it is.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "cli_process.h"
#include "report/chart_style.h"
#include "report/report.h"

namespace korvanta::testing {
namespace {

// The drawing: the output up to the position table.
std::string ChartPart(const std::string& out) {
    return out.substr(0, out.find(std::string(kPositionsHeading)));
}

std::string Pinned(const std::string& name) {
    std::ifstream in(std::string(KORVANTA_SOURCE_DIR) + "/tests/cli/charts/" + name,
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::size_t Columns(const std::string& line) {
    std::size_t count = 0;
    for (const char c : line) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// The words of the drawing between blanks and line glyphs.
std::map<std::string, int> Words(const std::string& chart) {
    std::string plain;
    for (std::size_t i = 0; i < chart.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(chart[i]);
        plain += c >= 0x80 ? ' ' : chart[i];
    }
    std::map<std::string, int> words;
    std::istringstream in(plain);
    for (std::string word; in >> word;) ++words[word];
    return words;
}

TEST(StyledTextChart, EachStyleIsDrawnAsPinnedAndShowsEveryBodyAndTagOnce) {
    const std::string plain = RunCliProgram(FlagsOf(NewDelhi1980())).out;
    for (const std::string style : {"south", "north", "east"}) {
        for (const bool allPadas : {false, true}) {
            std::vector<std::string> args = FlagsOf(NewDelhi1980());
            args.insert(args.end(), {"--style", style});
            if (allPadas) args.push_back("--all-padas");
            const CliRun run = RunCliProgram(args);
            const std::string name = style + (allPadas ? "-all-padas" : "") + ".txt";
            SCOPED_TRACE(name);
            ASSERT_EQ(run.status, 0) << run.err;
            const std::string chart = ChartPart(run.out);
            EXPECT_EQ(chart, Pinned(name));
            // Only the drawing differs from the plain text.
            EXPECT_EQ(run.out.substr(chart.size()), plain.substr(ChartPart(plain).size()));
            if (style == "south" && !allPadas) {
                EXPECT_EQ(run.out, plain);
            }
            for (const std::string& line : Lines(chart)) EXPECT_LE(Columns(line), 80u) << line;

            const std::map<std::string, int> words = Words(chart);
            const auto count = [&words](const std::string& word) {
                return words.count(word) ? words.at(word) : 0;
            };
            for (const std::string body : {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter",
                                           "Saturn", "Rahu", "Ketu", "Asc"}) {
                EXPECT_EQ(count(body), 1) << body;
            }
            EXPECT_EQ(count("(R)"), 1);  // Venus is retrograde
            for (std::size_t house = 0; house < 12; ++house) {
                const std::string tag(kPadaTags[house]);
                EXPECT_EQ(count(tag), allPadas || house == 11 ? 1 : 0) << tag;
            }
            if (style != "south") {
                // Every sign's number once; the South Indian cells write names.
                for (int sign = 1; sign <= 12; ++sign) {
                    EXPECT_GE(count(std::to_string(sign)), 1) << sign;
                }
            }
        }
    }
    // The JSON describes the chart, not its drawing.
    std::vector<std::string> json = FlagsOf(NewDelhi1980());
    json.push_back("--json");
    std::vector<std::string> styled = json;
    styled.insert(styled.end(), {"--style", "north", "--all-padas"});
    EXPECT_EQ(RunCliProgram(styled).out, RunCliProgram(json).out);
}

TEST(StyledTextChart, AnUnknownStyleIsRefusedNamingTheFlag) {
    std::vector<std::string> args = FlagsOf(NewDelhi1980());
    args.insert(args.end(), {"--style", "western"});
    const CliRun run = RunCliProgram(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("--style"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

}  // namespace
}  // namespace korvanta::testing
