// SPDX-License-Identifier: GPL-3.0-or-later
// Every input kept in this folder, one subfolder per fuzz target, runs
// through its target exactly as libFuzzer ran it; each must now pass every
// property. In the sanitizer build this also replays the memory and
// undefined-behaviour faults they once showed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/targets.h"
#include "pipeline/entry.h"

namespace korvanta::fuzz {
namespace {

using Target = std::string (*)(const std::uint8_t*, std::size_t);

std::vector<std::filesystem::path> KeptCases(const std::string& target) {
    std::vector<std::filesystem::path> cases;
    const std::filesystem::path folder = std::filesystem::path(KORVANTA_FUZZ_CASES) / target;
    if (std::filesystem::is_directory(folder)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.is_regular_file()) cases.push_back(entry.path());
        }
    }
    return cases;
}

void RunKeptCases(const std::string& target, Target run) {
    const auto cases = KeptCases(target);
    ASSERT_FALSE(cases.empty()) << "no kept inputs in tests/fuzz_regressions/" << target;
    for (const auto& path : cases) {
        std::ifstream file(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
            << "kept input " << path.filename().string();
    }
}

TEST(FuzzRegressions, EntryChecks) {
    RunKeptCases("entry_checks", EntryChecks);
}

TEST(FuzzRegressions, WholeCalculation) {
    RunKeptCases("whole_calculation", WholeCalculation);
}

TEST(FuzzRegressions, SettingsDuration) {
    RunKeptCases("settings_duration", SettingsDuration);
}

#ifdef KORVANTA_FUZZ_WITH_CLI
TEST(FuzzRegressions, BatchReader) {
    RunKeptCases("batch_reader", BatchReader);
}

TEST(FuzzRegressions, LibraryImport) {
    RunKeptCases("library_import", LibraryImport);
}
#endif

// List indexes at the ends of int reached the date check's arithmetic before
// the list checks refused them (signed overflow). Each must be refused by the
// first rule it breaks.
TEST(FuzzRegressions, ListIndexesAtTheEndsOfIntAreRefused) {
    EntryForm form;
    form.txtName = "ASHA";
    form.txtLonD = "77", form.txtLonM = "12", form.txtLatD = "28", form.txtLatM = "36";
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();

    form.cboMonth = 0, form.cboDate = kMax;
    auto refusal = ValidateBirthData(form);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->focus, EntryControl::cboDate);
    EXPECT_EQ(refusal->message, "Please Select the Date and Time of Birth");

    // February: a day index beyond the month is the date rule's refusal.
    form.cboMonth = 1, form.cboDate = kMax;
    refusal = ValidateBirthData(form);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->focus, EntryControl::None);
    EXPECT_EQ(refusal->message, "Please Enter Correct Date Or Month!");

    // 1901 + INT_MAX is divisible by 4, so 29 February passes the date rule
    // and the year list refuses.
    form.cboMonth = 1, form.cboDate = 28, form.cboYear = kMax;
    refusal = ValidateBirthData(form);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->focus, EntryControl::cboYear);

    form.cboMonth = 1, form.cboDate = kMin, form.cboYear = kMin;
    refusal = ValidateBirthData(form);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->focus, EntryControl::cboDate);
}

}  // namespace
}  // namespace korvanta::fuzz
