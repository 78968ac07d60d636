// SPDX-License-Identifier: GPL-3.0-or-later
// The births library on the command line: --save, --list-births, --birth and
// --import against a library in a temporary folder, and their exit statuses.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_process.h"

namespace korvanta::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class LibraryFlags : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "korvanta-cli-library-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        db_ = (folder_ / "births.sqlite").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    // korvanta-cli with the library in the temporary folder: by --db, or by
    // XDG_DATA_HOME when `byEnvironment`.
    CliRun Run(std::vector<std::string> args, const std::string& input = "",
               bool byEnvironment = false) {
        if (!byEnvironment) {
            args.push_back("--db");
            args.push_back(db_);
        }
        return RunCliProgram(args, input, {{"XDG_DATA_HOME", (folder_ / "data").string()}});
    }

    fs::path folder_;
    std::string db_;
};

// The chart object without the echoed input, which differs by the "id".
json ChartOnly(const std::string& text) {
    json chart = json::parse(text);
    chart.erase("input");
    return chart;
}

TEST_F(LibraryFlags, SavedBirthsListedAndComputedGiveTheSameCharts) {
    const std::vector<Birth> births = {NewDelhi1980(), BuenosAiresNight(), LongyearbyenMidsummer()};
    std::vector<json> charts;
    for (const Birth& birth : births) {
        auto args = FlagsOf(birth);
        args.insert(args.end(), {"--json", "--save"});
        const CliRun saved = Run(args);
        ASSERT_EQ(saved.status, 0) << saved.err;
        charts.push_back(ChartOnly(saved.out));
        auto plain = FlagsOf(birth);
        plain.push_back("--json");
        EXPECT_EQ(ChartOnly(RunCliProgram(plain).out), charts.back()) << "--save changes no chart";
    }
    const CliRun listed = Run({"--list-births"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    const auto lines = Lines(listed.out);
    ASSERT_EQ(lines.size(), births.size());
    const CliRun batch = RunCliProgram({"--batch"}, listed.out);
    ASSERT_EQ(batch.status, 0) << batch.out;
    const auto results = Lines(batch.out);
    ASSERT_EQ(results.size(), births.size());
    for (std::size_t i = 0; i < births.size(); ++i) {
        SCOPED_TRACE(births[i].name);
        EXPECT_EQ(ChartOnly(results[i]), charts[i]);
        EXPECT_EQ(json::parse(lines[i])["id"], static_cast<int>(i + 1));
        // The same birth by its name and by its id.
        for (const std::string& which : {births[i].name, std::to_string(i + 1)}) {
            const CliRun one = Run({"--birth", which, "--json"});
            ASSERT_EQ(one.status, 0) << one.err;
            EXPECT_EQ(ChartOnly(one.out), charts[i]);
        }
    }
    // The default library is the one under XDG_DATA_HOME.
    auto args = FlagsOf(births[0]);
    args.push_back("--save");
    ASSERT_EQ(Run(args, "", true).status, 0);
    EXPECT_TRUE(fs::exists(folder_ / "data" / "Korvanta" / "births.sqlite"));
    EXPECT_EQ(Lines(Run({"--list-births"}, "", true).out).size(), 1u);
}

TEST_F(LibraryFlags, ListBirthsFiltersByNameAndPlaceInEitherCase) {
    std::string input;
    for (const Birth& b : {NewDelhi1980(), BuenosAiresNight(), LongyearbyenMidsummer()})
        input += RecordLineOf(b) + "\n";
    ASSERT_EQ(Run({"--import", "-"}, input).status, 0);
    struct Case {
        const char* text;
        std::vector<std::string> names;
    };
    for (const Case& c : std::vector<Case>{{"delhi", {"ASHA RAO"}},
                                           {"berg", {"INGRID BERG"}},
                                           {"ARGENTINA", {"MARTIN ALVAREZ"}},
                                           {"r", {"ASHA RAO", "MARTIN ALVAREZ", "INGRID BERG"}},
                                           {"tokyo", {}}}) {
        SCOPED_TRACE(c.text);
        const CliRun run = Run({"--list-births", c.text});
        ASSERT_EQ(run.status, 0);
        std::vector<std::string> names;
        for (const std::string& line : Lines(run.out)) names.push_back(json::parse(line)["name"]);
        EXPECT_EQ(names, c.names);
    }
}

TEST_F(LibraryFlags, ImportCountsAndExitStatuses) {
    Birth twin = NewDelhi1980();
    twin.hour = 10;  // the same name at another moment
    Birth refused = NewDelhi1980();
    refused.name = "FEB THIRTY";
    refused.month = 2;
    refused.day = 30;
    const std::string file = (folder_ / "in.jsonl").string();
    std::ofstream(file) << RecordLineOf(NewDelhi1980()) << "\n"
                        << RecordLineOf(twin) << "\n"
                        << RecordLineOf(NewDelhi1980()) << "\n"
                        << "{\"name\":1}\n"
                        << RecordLineOf(refused) << "\n";
    const CliRun imported = Run({"--import", file});
    EXPECT_EQ(imported.status, 8) << imported.err;
    EXPECT_EQ(imported.out, "2 added, 1 skipped as duplicates, 2 refused\n");
    EXPECT_NE(imported.err.find("line 4: "), std::string::npos) << imported.err;
    EXPECT_NE(imported.err.find("line 5: "), std::string::npos) << imported.err;

    // A name two births share is refused with both listed.
    const CliRun ambiguous = Run({"--birth", "asha rao"});
    EXPECT_EQ(ambiguous.status, 7);
    EXPECT_NE(ambiguous.err.find("09:05:30"), std::string::npos) << ambiguous.err;
    EXPECT_NE(ambiguous.err.find("10:05:30"), std::string::npos) << ambiguous.err;
    EXPECT_EQ(Run({"--birth", "NOBODY"}).status, 7);
    EXPECT_EQ(Run({"--birth", "99"}).status, 7);
    EXPECT_EQ(Run({"--birth", "BAD1NAME"}).status, 1);

    // Saving the very same birth again is no change; another place at the
    // same name and moment is refused.
    EXPECT_EQ(Run([] { auto a = FlagsOf(NewDelhi1980()); a.push_back("--save"); return a; }()).status, 0);
    Birth moved = NewDelhi1980();
    moved.city = "Agra";
    auto args = FlagsOf(moved);
    args.push_back("--save");
    const CliRun clash = Run(args);
    EXPECT_EQ(clash.status, 9);
    EXPECT_TRUE(clash.out.empty());
    EXPECT_EQ(Lines(Run({"--list-births"}).out).size(), 2u);

    // Flags that do not go together, or go nowhere.
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--list-births", "--batch"},
                                               {"--import", file, "--name", "X"},
                                               {"--birth", "1", "--save"},
                                               {"--birth", "1", "--date", "1980-01-01"},
                                               {"--import", (folder_ / "missing").string()}}) {
        EXPECT_EQ(Run(wrong).status, 1) << wrong[0];
    }
    EXPECT_EQ(RunCliProgram({"--db", db_, "--list-zones"}).status, 1);
}

TEST_F(LibraryFlags, UnusableLibrariesExitWithTheirOwnStatusAndStayUntouched) {
    struct Case {
        const char* what;
        std::string contents;
    };
    for (const Case& c : std::vector<Case>{
             {"text", "name,date\n"},
             {"zeros", std::string(8192, '\0')},
         }) {
        SCOPED_TRACE(c.what);
        std::ofstream(db_, std::ios::binary | std::ios::trunc) << c.contents;
        auto save = FlagsOf(NewDelhi1980());
        save.push_back("--save");
        for (const auto& args : std::vector<std::vector<std::string>>{
                 save, {"--list-births"}, {"--birth", "1"}, {"--import", "-"}}) {
            const CliRun run = Run(args, RecordLineOf(NewDelhi1980()) + "\n");
            EXPECT_EQ(run.status, 6) << args[0];
            EXPECT_NE(run.err.find(db_), std::string::npos) << run.err;
            EXPECT_TRUE(run.out.empty());
        }
        std::ifstream file(db_, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), c.contents);
    }
    fs::remove(db_);
    EXPECT_EQ(Run({"--list-births"}).status, 6) << "reading never creates a library";
    EXPECT_FALSE(fs::exists(db_));
}

}  // namespace
}  // namespace korvanta::testing
