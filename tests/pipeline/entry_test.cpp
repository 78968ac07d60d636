// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-entry check, the key filters and the coordinate look-up.
#include "pipeline/entry.h"

#include <gtest/gtest.h>

#include "pipeline/zones.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

using testing::SampleBirth;

EntryForm ValidForm() {
    Birth b = SampleBirth();
    b.name = "ASHA RAO";
    b.lonDeg = 77;
    b.lonMin = 12;
    b.latDeg = 28;
    b.latMin = 36;
    return FormOfBirth(b);
}

void ExpectRefused(const EntryForm& form, std::string_view message, MessageIcon icon,
                   EntryControl focus) {
    const auto refusal = ValidateBirthData(form);
    ASSERT_TRUE(refusal.has_value()) << "expected: " << message;
    EXPECT_EQ(refusal->message, message);
    EXPECT_EQ(refusal->icon, icon);
    EXPECT_EQ(refusal->focus, focus);
}

constexpr std::string_view kLonDeg =
    "Please Enter Value Between 0 And 179 in the Degree of Longitude";
constexpr std::string_view kLonMin =
    "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
constexpr std::string_view kLatDeg =
    "Please Enter Value Between 0 And 89 in the Degree of Latitude";
constexpr std::string_view kLatMin =
    "Please Enter Value Between 0 And 59 in the  Minute of Latitude";

TEST(ValidateBirthData, AcceptsAValidEntryAndTheLimits) {
    EXPECT_FALSE(ValidateBirthData(ValidForm()));
    EntryForm f = ValidForm();
    f.txtLonD = "179";
    f.txtLonM = "59";
    f.txtLatD = "89";
    f.txtLatM = "59";
    EXPECT_FALSE(ValidateBirthData(f));
    f.txtLonD = "0";
    f.txtLonM = "0";
    f.txtLatD = " 0 ";
    f.txtLatM = "00";
    EXPECT_FALSE(ValidateBirthData(f));
}

TEST(ValidateBirthData, EachCheckWithItsMessageIconAndFocus) {
    EntryForm f = ValidForm();
    f.txtName = "   ";
    ExpectRefused(f, "Please Enter Name", MessageIcon::Error, EntryControl::txtName);

    f = ValidForm();
    f.txtLonD = "180";
    ExpectRefused(f, kLonDeg, MessageIcon::Error, EntryControl::txtLonD);
    f.txtLonD = "";
    ExpectRefused(f, kLonDeg, MessageIcon::Error, EntryControl::txtLonD);

    f = ValidForm();
    f.txtLonM = "60";
    ExpectRefused(f, kLonMin, MessageIcon::Error, EntryControl::txtLonM);

    f = ValidForm();
    f.txtLatD = "90";
    ExpectRefused(f, kLatDeg, MessageIcon::Error, EntryControl::txtLatD);

    f = ValidForm();
    f.txtLatM = " ";
    ExpectRefused(f, kLatMin, MessageIcon::Error, EntryControl::txtLatM);
}

TEST(ValidateBirthData, TextThatIsNotAWholeNumberIsRefusedByItsBox) {
    for (const char* text : {"12a", "-", "1e3", "4.5", "+", "0x1", "1 2", "-5"}) {
        EntryForm f = ValidForm();
        f.txtLonD = text;
        ExpectRefused(f, kLonDeg, MessageIcon::Error, EntryControl::txtLonD);
        f = ValidForm();
        f.txtLatM = text;
        ExpectRefused(f, kLatMin, MessageIcon::Error, EntryControl::txtLatM);
    }
    EntryForm f = ValidForm();
    f.txtLonD = "99999999999999999999999";  // never wraps into range
    ExpectRefused(f, kLonDeg, MessageIcon::Error, EntryControl::txtLonD);
}

TEST(ValidateBirthData, OnlyTheFirstFailingCheckSpeaks) {
    EntryForm f = ValidForm();
    f.txtName = "";
    f.txtLonD = "500";
    f.txtLatM = "x";
    f.cboMonth = 3;
    f.cboDate = 30;
    ExpectRefused(f, "Please Enter Name", MessageIcon::Error, EntryControl::txtName);
    f.txtName = "A";
    ExpectRefused(f, kLonDeg, MessageIcon::Error, EntryControl::txtLonD);
    f.txtLonD = "5";
    ExpectRefused(f, kLatMin, MessageIcon::Error, EntryControl::txtLatM);
    f.txtLatM = "5";
    ExpectRefused(f, "Please Enter Correct Date Or Month !", MessageIcon::Information,
                  EntryControl::None);
}

TEST(ValidateBirthData, CalendarDays) {
    Birth b = SampleBirth();
    b.lonDeg = 1;
    auto dateForm = [&](int year, int month, int day) {
        b.year = year;
        b.month = month;
        b.day = day;
        return FormOfBirth(b);
    };
    EXPECT_FALSE(ValidateBirthData(dateForm(2000, 2, 29)));
    EXPECT_FALSE(ValidateBirthData(dateForm(1904, 2, 29)));
    ExpectRefused(dateForm(1901, 2, 29), "Please Enter Correct Date Or Month!",
                  MessageIcon::Information, EntryControl::None);
    ExpectRefused(dateForm(2000, 2, 30), "Please Enter Correct Date Or Month!",
                  MessageIcon::Information, EntryControl::None);
    for (int month : {4, 6, 9, 11}) {
        ExpectRefused(dateForm(1980, month, 31), "Please Enter Correct Date Or Month !",
                      MessageIcon::Information, EntryControl::None);
        EXPECT_FALSE(ValidateBirthData(dateForm(1980, month, 30)));
    }
    for (int month : {1, 3, 5, 7, 8, 10, 12})
        EXPECT_FALSE(ValidateBirthData(dateForm(1980, month, 31)));
}

TEST(ValidateBirthData, ListsWithoutASelectionAreRefused) {
    EntryForm f = ValidForm();
    f.cboHH = -1;
    ExpectRefused(f, "Please Select the Date and Time of Birth", MessageIcon::Information,
                  EntryControl::cboHH);
    f = ValidForm();
    f.cboYear = 150;  // one past 2050
    ExpectRefused(f, "Please Select the Date and Time of Birth", MessageIcon::Information,
                  EntryControl::cboYear);
    // Without a zone the chart would be computed at UT: refused, whatever
    // lies outside the list.
    for (const int zone : {-1, 72, 1000}) {
        f = ValidForm();
        f.cmbTimeZone = zone;
        ExpectRefused(f, "Please Select the Time Zone", MessageIcon::Information,
                      EntryControl::cmbTimeZone);
    }
    // The date and time speak first.
    f.cboSS = -1;
    ExpectRefused(f, "Please Select the Date and Time of Birth", MessageIcon::Information,
                  EntryControl::cboSS);
}

// Row 71, "Other UTC offset", takes its offset from the box beside the list:
// to the minute, from -12:00 to +14:00; the correction is its negation in
// hours and minutes of one sign.
TEST(ValidateBirthData, OtherUtcOffsetTakesTheBoxesOffset) {
    const struct {
        const char* text;
        int minutes;  // the offset when accepted
        const char* refusal;
    } cases[] = {
        {"+05:45", 345, nullptr},
        {" -03:30 ", -210, nullptr},
        {"5:45", 345, nullptr},
        {"\u221209:30", -570, nullptr},
        {"-12:00", -720, nullptr},
        {"+14:00", 840, nullptr},
        {"-00:30", -30, nullptr},
        {"+00:00", 0, nullptr},
        {"+14:01", 0, "Please Enter a UTC Offset Between -12:00 And +14:00"},
        {"-12:01", 0, "Please Enter a UTC Offset Between -12:00 And +14:00"},
        {"+99:59", 0, "Please Enter a UTC Offset Between -12:00 And +14:00"},
        {"", 0, "Please Enter the UTC Offset as +HH:MM or -HH:MM, for example +05:45"},
        {"+5.75", 0, "Please Enter the UTC Offset as +HH:MM or -HH:MM, for example +05:45"},
        {"+05:60", 0, "Please Enter the UTC Offset as +HH:MM or -HH:MM, for example +05:45"},
        {"+05:4", 0, "Please Enter the UTC Offset as +HH:MM or -HH:MM, for example +05:45"},
        {"+105:00", 0, "Please Enter the UTC Offset as +HH:MM or -HH:MM, for example +05:45"},
        {"++05:45", 0, "Please Enter the UTC Offset as +HH:MM or -HH:MM, for example +05:45"},
        {"+05:45:00", 0, "Please Enter the UTC Offset as +HH:MM or -HH:MM, for example +05:45"},
        {"05 45", 0, "Please Enter the UTC Offset as +HH:MM or -HH:MM, for example +05:45"},
    };
    for (const auto& c : cases) {
        EntryForm f = ValidForm();
        f.cmbTimeZone = kOtherOffsetRow;
        f.txtUtcOffset = c.text;
        if (c.refusal) {
            ExpectRefused(f, c.refusal, MessageIcon::Error, EntryControl::txtUtcOffset);
            continue;
        }
        const auto accepted = AcceptBirth(f);
        ASSERT_EQ(accepted.index(), 1u) << c.text;
        const korvanta::Birth& b = std::get<1>(accepted);
        EXPECT_EQ(b.zoneIndex, 71) << c.text;
        EXPECT_EQ(b.utcOffsetMinutes, c.minutes) << c.text;
        // UT minus local time, both parts of the offset's opposite sign.
        EXPECT_EQ(b.zoneHours * 60 + b.zoneMinutes, -c.minutes) << c.text;
        EXPECT_LE(b.zoneHours * c.minutes, 0) << c.text;
        EXPECT_LE(b.zoneMinutes * c.minutes, 0) << c.text;
        // The form of the birth gives it back.
        EXPECT_EQ(FormOfBirth(b).txtUtcOffset, UtcOffsetText(c.minutes)) << c.text;
        EXPECT_EQ(ReadUtcOffset(UtcOffsetText(c.minutes)), c.minutes) << c.text;
    }
    // A named row ignores the box, whatever it holds.
    EntryForm named = ValidForm();
    named.txtUtcOffset = "nonsense";
    const auto accepted = AcceptBirth(named);
    ASSERT_EQ(accepted.index(), 1u);
    EXPECT_EQ(std::get<1>(accepted).utcOffsetMinutes, 0);
}

TEST(KeyFilters, NameTakesLettersOfAnyScriptInCapitals) {
    const struct {
        int code, passed;
    } keys[] = {{'k', 'K'},
                {'Q', 'Q'},
                {0xE9, 0xC9} /* é */,
                {0x17E, 0x17D} /* ž */,
                {0x3C2, 0x3A3} /* ς */,
                {0x436, 0x416} /* ж */,
                {0x915, 0x915} /* क */,
                {0x93E, 0x93E} /* ा */,
                {0x5D0, 0x5D0} /* א */,
                {0x1EA1, 0x1EA0} /* ạ */,
                {0xDF, 0xDF} /* ß */,
                {'-', '-'},
                {'\'', '\''},
                {0x2019, 0x2019},
                {32, 32},
                {13, 13},
                {8, 8}};
    for (const auto& key : keys) {
        EXPECT_EQ(NameKeyFilter(key.code).code, key.passed) << key.code;
        EXPECT_FALSE(NameKeyFilter(key.code).message) << key.code;
    }
    for (int code : std::initializer_list<int>{'1', '.', ',', '_', 0xD7 /* × */, 0x966 /* ० */,
                                               0x2014, 0x1F600, 0, -5, 9, 127, 0x110000}) {
        const KeyFilterResult r = NameKeyFilter(code);
        EXPECT_EQ(r.code, 0) << code;
        ASSERT_TRUE(r.message);
        EXPECT_EQ(r.message->text, "Please Enter only Letters");
        EXPECT_EQ(r.message->icon, MessageIcon::Information);
    }
}

// The name rule the entry check, the command line and the library share:
// letters of any script made capital, blanks, hyphens and apostrophes inside.
TEST(ValidateBirthData, NamesOfEveryScriptPassMadeCapital) {
    const struct {
        const char* typed;
        const char* name;
    } accepted[] = {{"JOSÉ", "JOSÉ"},
                    {"José", "JOSÉ"},
                    {"MARY-JANE", "MARY-JANE"},
                    {"O'Brien", "O'BRIEN"},
                    {"o\u2019brien", "O\u2019BRIEN"},
                    {" Jean-Luc d'Arc ", " JEAN-LUC D'ARC "},
                    {"Željko Ćosić", "ŽELJKO ĆOSIĆ"},
                    {"Σωκράτης", "ΣΩΚΡΆΤΗΣ"},
                    {"Дмитрий", "ДМИТРИЙ"},
                    {"Nguyễn Thị", "NGUYỄN THỊ"},
                    {"रामानुजन", "रामानुजन"},
                    {"Straße", "STRAßE"},
                    {"Jose\u0301", "JOSE\u0301"}};  // a combining accent
    for (const auto& c : accepted) {
        EntryForm f = ValidForm();
        f.txtName = c.typed;
        EXPECT_EQ(NameFaultAt(c.typed), std::nullopt) << c.typed;
        const auto birth = AcceptBirth(f);
        ASSERT_EQ(birth.index(), 1u) << c.typed;
        EXPECT_EQ(std::get<1>(birth).name, c.name) << c.typed;
    }
    using namespace std::string_view_literals;
    const struct {
        std::string_view typed;
        std::size_t at;  // 1-based character
    } refused[] = {{"-MARY"sv, 1}, {"MARY-"sv, 5},       {"O' "sv, 2},   {" 'O"sv, 2},
                   {"ASHA1"sv, 5}, {"ASHA\tRAO"sv, 5},   {"A.B"sv, 2},   {"ÉÉ\xFF"sv, 3},
                   {"A\xC3"sv, 2}, {"Ж_"sv, 2},          {"RAO\n"sv, 4}, {"A\0B"sv, 2},
                   {"A--"sv, 2},   {"\xED\xA0\x80"sv, 1}};
    for (const auto& c : refused) {
        const std::string typed(c.typed);
        EXPECT_EQ(NameFaultAt(typed), c.at) << typed;
        EntryForm f = ValidForm();
        f.txtName = typed;
        ExpectRefused(f,
                      "Please Enter only Letters and Blanks in the Name, with Hyphens and "
                      "Apostrophes only inside it",
                      MessageIcon::Information, EntryControl::txtName);
    }
    // A blank name is still no name at all.
    EXPECT_EQ(NameFaultAt("   "), std::nullopt);
}

TEST(KeyFilters, CoordinatesTakeDigitsOnly) {
    for (int code = '0'; code <= '9'; ++code) EXPECT_EQ(CoordinateKeyFilter(code).code, code);
    EXPECT_EQ(CoordinateKeyFilter(8).code, 8);
    for (int code : std::initializer_list<int>{'-', '.', 'a', ' ', 13}) {
        const KeyFilterResult r = CoordinateKeyFilter(code);
        EXPECT_EQ(r.code, 0) << code;
        ASSERT_TRUE(r.message);
        EXPECT_EQ(r.message->text, "Only Numbers Are Accepted");
        EXPECT_EQ(r.message->icon, MessageIcon::Error);
    }
}

TEST(CoordinateLookup, ChecksThePlaceThenBuildsTheQuery) {
    auto refusalOf = [](std::string_view c, std::string_view s, std::string_view n) {
        return std::get<Refusal>(CoordinateLookupQuery(c, s, n));
    };
    EXPECT_EQ(refusalOf("", "Maharashtra", "India").message, "Please Enter City");
    EXPECT_EQ(refusalOf("", "", "").focus, EntryControl::txtMCity);
    EXPECT_EQ(refusalOf("Pune", "", "India").message, "Please Enter State");
    EXPECT_EQ(refusalOf("Pune", "", "India").focus, EntryControl::txtMState);
    EXPECT_EQ(refusalOf("Pune", "Maharashtra", "").focus, EntryControl::txtMCountry);
    EXPECT_EQ(std::get<std::string>(CoordinateLookupQuery("Pune", "Maharashtra", "India")),
              "Pune Maharashtra India Latitude Longitude");
    // A box of blanks counts as filled.
    EXPECT_TRUE(std::holds_alternative<std::string>(CoordinateLookupQuery(" ", " ", " ")));
}

}  // namespace
}  // namespace korvanta
