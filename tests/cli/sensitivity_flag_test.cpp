// SPDX-License-Identifier: GPL-3.0-or-later
// --sensitivity: the strip in the JSON, the text, batch lines and the page,
// each compared with the core's strip of the same birth, the rest of each
// output unchanged by the flag, and the spans it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <variant>

#include "cli_process.h"
#include "pipeline/pipeline.h"
#include "pipeline/sensitivity.h"
#include "report/sensitivity_view.h"

#ifdef KORVANTA_CLI_PAGE_FILES
#include <QImage>
#endif

namespace korvanta::testing {
namespace {

using nlohmann::json;

constexpr int kBadCommandLine = 1;

SensitivityView CoreStrip(const Birth& entry, int minutes) {
    const auto outcome = CalculateChart(FormOfBirth(entry));
    const auto& birth = std::get<BirthChart>(outcome).birth;
    return BuildSensitivityView(BirthTimeSensitivity(birth, minutes));
}

std::vector<std::string> With(std::vector<std::string> args,
                              std::initializer_list<std::string> more) {
    args.insert(args.end(), more);
    return args;
}

// The "sensitivity" object holds the span, the answer and, per row key, the
// core's segments with "from", "to" and "value" only.
void ExpectStripJson(const json& object, const SensitivityView& expected) {
    std::set<std::string> keys;
    for (const auto& item : object.items()) keys.insert(item.key());
    std::set<std::string> expectedKeys = {"span_minutes", "birth", "start", "end", "cut", "answer"};
    for (const auto key : kSensitivityRowKeys) expectedKeys.insert(std::string(key));
    EXPECT_EQ(keys, expectedKeys);
    EXPECT_EQ(object["span_minutes"], expected.spanMinutes);
    EXPECT_EQ(object["answer"], expected.answer);
    EXPECT_EQ(object["birth"], ClockDateTimeText(expected.birth));
    for (const SensitivityRowView& row : expected.rows) {
        const json& segments = object[std::string(row.key)];
        ASSERT_EQ(segments.size(), row.segments.size()) << row.key;
        for (std::size_t k = 0; k < row.segments.size(); ++k) {
            const json& segment = segments[k];
            EXPECT_EQ(segment.size(), 3u);
            EXPECT_EQ(segment["from"], ClockDateTimeText(row.segments[k].from)) << row.key;
            EXPECT_EQ(segment["to"], ClockDateTimeText(row.segments[k].to)) << row.key;
            EXPECT_EQ(segment["value"], row.segments[k].value) << row.key;
        }
    }
}

TEST(SensitivityFlag, JsonTextAndBatchCarryTheCoreStripAndNothingElseChanges) {
    for (const Birth& birth : {NewDelhi1980(), BuenosAiresNight(), LongyearbyenMidsummer()}) {
        SCOPED_TRACE(birth.name);
        const std::vector<std::string> flags = FlagsOf(birth);

        const CliRun plainJson = RunCliProgram(With(flags, {"--json"}));
        const CliRun stripJson = RunCliProgram(With(flags, {"--json", "--sensitivity", "120"}));
        ASSERT_EQ(stripJson.status, 0) << stripJson.err;
        json withStrip = json::parse(stripJson.out);
        ExpectStripJson(withStrip["sensitivity"], CoreStrip(birth, 120));
        withStrip.erase("sensitivity");
        EXPECT_EQ(withStrip, json::parse(plainJson.out));

        const CliRun plainText = RunCliProgram(flags);
        const CliRun stripText = RunCliProgram(With(flags, {"--sensitivity", "30"}));
        ASSERT_EQ(stripText.status, 0) << stripText.err;
        ASSERT_EQ(stripText.out.substr(0, plainText.out.size()), plainText.out);
        const std::string section = stripText.out.substr(plainText.out.size());
        const SensitivityView view = CoreStrip(birth, 30);
        EXPECT_NE(section.find(view.heading), std::string::npos) << section;
        for (const SensitivityRowView& row : view.rows) {
            for (const SensitivitySegmentView& segment : row.segments) {
                EXPECT_NE(section.find(segment.fromText + " to " + segment.toText),
                          std::string::npos)
                    << row.label;
            }
        }
        // The sentence may be wrapped; compare it word by word.
        std::istringstream words(view.answer), printed(section.substr(section.find("The Upapada")));
        std::string word, got;
        while (words >> word) {
            printed >> got;
            EXPECT_EQ(got, word);
        }

        std::string record = RecordLineOf(birth);
        record.insert(record.size() - 1, ",\"sensitivity\":15");
        const CliRun batch = RunCliProgram({"--batch"}, record + "\n" + RecordLineOf(birth) + "\n");
        ASSERT_EQ(batch.status, 0) << batch.err;
        const std::vector<std::string> lines = Lines(batch.out);
        ASSERT_EQ(lines.size(), 2u);
        json first = json::parse(lines[0]);
        ExpectStripJson(first["sensitivity"], CoreStrip(birth, 15));
        EXPECT_FALSE(json::parse(lines[1]).contains("sensitivity"));
    }
}

TEST(SensitivityFlag, RefusesOtherSpansAndModesWithTheUsageStatus) {
    const std::vector<std::string> flags = FlagsOf(NewDelhi1980());
    for (const char* span : {"45", "0", "-60", "60.0", "abc", "1e2", "240"}) {
        const CliRun run = RunCliProgram(With(flags, {"--sensitivity", span}));
        EXPECT_EQ(run.status, kBadCommandLine) << span;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("--sensitivity " + std::string(span) +
                               ": the span takes 15, 30, 60 or 120 minutes"),
                  std::string::npos)
            << run.err;
    }
    const CliRun empty = RunCliProgram(With(flags, {"--sensitivity", ""}));
    EXPECT_EQ(empty.status, kBadCommandLine);
    const CliRun batch = RunCliProgram({"--batch", "--sensitivity", "60"}, "");
    EXPECT_EQ(batch.status, kBadCommandLine);
    EXPECT_NE(batch.err.find("--batch takes no --sensitivity"), std::string::npos) << batch.err;

    std::string record = RecordLineOf(NewDelhi1980());
    record.insert(record.size() - 1, ",\"sensitivity\":45");
    const CliRun line = RunCliProgram({"--batch"}, record + "\n");
    const json error = json::parse(line.out);
    EXPECT_EQ(error["field"], "sensitivity");
    EXPECT_EQ(error["error"], "\"sensitivity\": expected 15, 30, 60 or 120, got 45");
}

// A birth at the first or last moment the entry takes has nothing beyond it
// to examine on one side: the answer never claims the whole span, and says
// how much was examined and which side could not be.
TEST(SensitivityFlag, AtTheEndsOfTheDateRangeTheAnswerSaysTheSpanWasCut) {
    struct Edge {
        std::string date, time, unseen;
    };
    for (const Edge& edge : {Edge{"2050-12-31", "23:59:59", "nothing after 23:59:59"},
                             Edge{"1901-01-01", "00:00:00", "nothing before 00:00:00"}}) {
        for (const Birth& birth : {NewDelhi1980(), BuenosAiresNight()}) {
            for (const std::string minutes : {"15", "120"}) {
                std::vector<std::string> args = FlagsOf(birth);
                *(std::find(args.begin(), args.end(), "--date") + 1) = edge.date;
                *(std::find(args.begin(), args.end(), "--time") + 1) = edge.time;
                const CliRun run = RunCliProgram(With(args, {"--sensitivity", minutes, "--json"}));
                ASSERT_EQ(run.status, 0) << run.err;
                const json strip = json::parse(run.out)["sensitivity"];
                const std::string answer = strip["answer"];
                SCOPED_TRACE(birth.name + " " + edge.date + " ±" + minutes + ": " + answer);
                EXPECT_TRUE(strip["cut"].get<bool>());
                EXPECT_EQ(answer.find("within \u00B1"), std::string::npos);
                EXPECT_NE(answer.find(edge.unseen + " could be examined."), std::string::npos);
                // The birth at the edge: the one side examined is the whole span.
                if (answer.find("no change") != std::string::npos) {
                    const std::string examined = minutes == "15" ? "15 min" : "2 h";
                    EXPECT_NE(answer.find("no change within the " + examined + " examined"),
                              std::string::npos);
                }
            }
        }
    }
}

#ifdef KORVANTA_CLI_PAGE_FILES

// The PNG gains a second A4 page under an unchanged first one; the PDF a
// second page with the strip's sentence.
TEST(SensitivityFlag, PagesGainTheStripPage) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "korvanta-sensitivity-page";
    fs::create_directories(folder);
    const std::vector<std::string> flags = FlagsOf(NewDelhi1980());
    const std::string one = (folder / "one.png").string(), two = (folder / "two.png").string();
    const std::string pdf = (folder / "two.pdf").string();
    ASSERT_EQ(RunCliProgram(With(flags, {"--png", one})).status, 0);
    const CliRun run =
        RunCliProgram(With(flags, {"--png", two, "--pdf", pdf, "--sensitivity", "60"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");

    const QImage single(QString::fromStdString(one)), doubled(QString::fromStdString(two));
    ASSERT_EQ(doubled.width(), single.width());
    ASSERT_EQ(doubled.height(), 2 * single.height());
    EXPECT_TRUE(doubled.copy(0, 0, single.width(), single.height()) == single);
    long ink = 0;
    for (int y = single.height(); y < doubled.height(); y += 2) {
        for (int x = 0; x < doubled.width(); x += 2) {
            if (qGray(doubled.pixel(x, y)) < 200) ++ink;
        }
    }
    EXPECT_GT(ink, 2000);  // the second page is drawn, not blank

    if (std::system("command -v pdftotext >/dev/null 2>&1") == 0) {
        const std::string text = (folder / "page2.txt").string();
        ASSERT_EQ(std::system(("pdftotext -f 2 -l 2 '" + pdf + "' '" + text + "'").c_str()), 0);
        std::ifstream file(text);
        std::stringstream read;
        read << file.rdbuf();
        EXPECT_NE(read.str().find("Birth Time Sensitivity"), std::string::npos);
        EXPECT_NE(read.str().find("Upapada Lagna sign"), std::string::npos);
    }
    fs::remove_all(folder);
}

#endif

}  // namespace
}  // namespace korvanta::testing
