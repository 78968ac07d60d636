// SPDX-License-Identifier: GPL-3.0-or-later
// The version, licence and credit lines of `korvanta-cli --version`, and the
// licence file, README and AppStream metainfo that must say the same.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_process.h"

namespace korvanta::testing {
namespace {

constexpr const char* kLicence = "Licensed under the GNU GPL v3 or later";
constexpr const char* kCredits = "Place data © GeoNames, CC-BY-4.0, https://www.geonames.org/";
constexpr const char* kEphemeris =
    "Links Swiss Ephemeris (AGPL-3.0) under section 13 of the GNU GPL v3";

std::string SourceFile(const std::string& relative) {
    std::ifstream in(std::string(KORVANTA_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Version, PrintsTheVersionLicenceAndCreditsWhateverElseIsGiven) {
    const std::string expected =
        std::string("korvanta-cli 1.20\n") + kLicence + "\n" + kCredits + "\n" + kEphemeris + "\n";
    const std::vector<std::vector<std::string>> commandLines = {
        {"--version"},
        {"--version", "--batch"},
        {"--name", "ASHA RAO", "--date", "1980-06-05", "--version"},
        {"--version", "--list-zones", "--json"},
    };
    for (const auto& args : commandLines) {
        const CliRun run = RunCliProgram(args, "", {{"LC_ALL", "C"}});
        EXPECT_EQ(run.status, 0) << args.front() << " " << args.back() << "\n" << run.err;
        EXPECT_EQ(run.out, expected) << args.front() << " " << args.back();
        EXPECT_EQ(run.err, "");
    }
}

TEST(Licence, TheLicenceFileReadmeAndMetainfoSayWhatTheProgramSays) {
    const std::string licence = SourceFile("LICENSE");
    EXPECT_NE(licence.find("GNU GENERAL PUBLIC LICENSE"), std::string::npos);
    EXPECT_NE(licence.find("Version 3, 29 June 2007"), std::string::npos);

    const std::string readme = SourceFile("README.md");
    EXPECT_NE(readme.find(kLicence), std::string::npos) << "README lacks: " << kLicence;
    EXPECT_NE(readme.find(kCredits), std::string::npos) << "README lacks: " << kCredits;
    EXPECT_NE(readme.find(kEphemeris), std::string::npos) << "README lacks: " << kEphemeris;

    const std::string metainfo = SourceFile("app/io.github.korvanta.Korvanta.metainfo.xml.in");
    EXPECT_NE(metainfo.find("<project_license>GPL-3.0-or-later</project_license>"),
              std::string::npos);
    EXPECT_NE(metainfo.find("<metadata_license>CC0-1.0</metadata_license>"), std::string::npos);
}

}  // namespace
}  // namespace korvanta::testing
