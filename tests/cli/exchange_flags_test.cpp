// SPDX-License-Identifier: GPL-3.0-or-later
// --import of .jhd folders, AAF and CSV files beside JSON lines, and --export
// in each kind, run as a user would against a library in a temporary folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "cli_process.h"

namespace korvanta::testing {
namespace {

namespace fs = std::filesystem;

class ExchangeFlags : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "korvanta-cli-exchange-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    CliRun Run(std::vector<std::string> args, const std::string& db,
               const std::string& input = "") {
        args.push_back("--db");
        args.push_back((folder_ / db).string());
        return RunCliProgram(args, input);
    }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

// The listed births without their ids, for comparing two libraries.
std::vector<std::string> WithoutIds(const std::string& listed) {
    std::vector<std::string> lines = Lines(listed);
    for (std::string& line : lines) line.erase(0, line.find(','));
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST_F(ExchangeFlags, MixedFilesImportWithRefusalsNamedAndExportsComeBackTheSame) {
    fs::create_directories(folder_ / "charts" / "x.jhd");
    std::ofstream(folder_ / "charts" / "Rama Rao.jhd", std::ios::binary)
        << "4\r\n4\r\n1970\r\n17.506666666666668\r\n-5.300000\r\n-81.080000\r\n16.100000\r\n"
           "0.000000\r\n-5.500000\r\n-5.500000\r\n0\r\n105\r\nMachilipatnam\r\nIndia\r\n1\r\n"
           "1013.250000\r\n20.000000\r\n0\r\n";
    std::ofstream(folder_ / "charts" / "Bad.jhd") << "4\n4\n19a0\n17.5\n-5.3\n-81.08\n16.1\n";
    // Content decides, not the name: this AAF file is called .txt.
    std::ofstream(folder_ / "old.txt") << "#A93:Ferber,Tobias,m,27.9.1970,11:04,Kandel/Pfalz,D\n"
                                          "#B93:*,49n05,8e11,1he,0\n#ZNAM:CET\n#SRC:AA\n";
    std::ofstream(folder_ / "sheet.csv")
        << "name,date,time,latitude,longitude,zone,dst,city,state,country,note\n"
           "Asha Rao,1980-06-05,09:05:30,28N36,77E12,IST,0,New Delhi,Delhi,India,\"a, b\"\n"
           "Bad \xFF,1980-06-05,09:05:30,28N36,77E12,IST,0,,,,\n";
    const CliRun imported =
        Run({"--import", Path("charts"), Path("old.txt"), Path("sheet.csv")}, "a.sqlite");
    EXPECT_EQ(imported.status, 8) << imported.err;
    EXPECT_EQ(imported.out, "3 added, 0 skipped as duplicates, 3 refused\n");
    for (const char* said :
         {"Bad.jhd line 3: ", "x.jhd: a folder", "sheet.csv line 3: the row is not UTF-8",
          "Rama Rao.jhd line 1: RAMA RAO: zone row \"Indian Time, IST, +5.3\""}) {
        EXPECT_NE(imported.err.find(said), std::string::npos) << said << "\n" << imported.err;
    }
    const CliRun again = Run({"--import", Path("sheet.csv")}, "a.sqlite");
    EXPECT_EQ(again.out, "0 added, 1 skipped as duplicates, 1 refused\n");

    const std::string listed = Run({"--list-births"}, "a.sqlite").out;
    ASSERT_EQ(Lines(listed).size(), 3u);
    for (const std::string kind : {"jsonl", "aaf", "csv", "jhd"}) {
        const std::string out = Path("out-" + kind);
        const CliRun exported = Run({"--export", out, "--format", kind}, "a.sqlite");
        ASSERT_EQ(exported.status, 0) << kind << ": " << exported.err;
        EXPECT_EQ(exported.out, "3 births written to " + out + "\n");
        const CliRun back = Run({"--import", out}, kind + ".sqlite");
        ASSERT_EQ(back.status, 0) << kind << ": " << back.err;
        EXPECT_EQ(back.out, "3 added, 0 skipped as duplicates, 0 refused\n");
        const std::string relisted = Run({"--list-births"}, kind + ".sqlite").out;
        if (kind == "jhd") {
            // .jhd keeps neither the note nor the atlas's zone name.
            EXPECT_EQ(Lines(relisted).size(), 3u);
            EXPECT_NE(relisted.find("\"second\":40"), std::string::npos) << relisted;
        } else {
            EXPECT_EQ(WithoutIds(relisted), WithoutIds(listed)) << kind;
        }
    }

    // Only the births --list-births finds; standard input by its content.
    const CliRun found = Run({"--list-births", "delhi", "--export", Path("delhi.aaf")}, "a.sqlite");
    EXPECT_EQ(found.out, "1 births written to " + Path("delhi.aaf") + "\n");
    std::ifstream aaf(Path("delhi.aaf"));
    const std::string text(std::istreambuf_iterator<char>(aaf), {});
    const CliRun piped = Run({"--import", "-"}, "piped.sqlite", text);
    EXPECT_EQ(piped.out, "1 added, 0 skipped as duplicates, 0 refused\n") << piped.err;

    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"--export", Path("x.txt")},
             {"--export", Path("y.csv"), "--format", "xls"},
             {"--format", "csv"},
             {"--export", Path("z.csv"), "--import", Path("sheet.csv")}}) {
        EXPECT_EQ(Run(wrong, "a.sqlite").status, 1) << wrong[0] << " " << wrong[1];
    }
}

}  // namespace
}  // namespace korvanta::testing
