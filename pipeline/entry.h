// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data entry: the state of the entry controls as plain values, the
// lists the entry window loads, the whole-entry check and the key filters.
// Everything here is pure; the window shows the messages and moves the focus.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "pipeline/birth.h"

namespace korvanta {

// Contents of the drop-down lists, in list order. A list's selected index
// picks its text: cboDate "1".."31", cboYear "1901".."2050", cboHH "0".."23",
// cboMM and cboSS "0".."59".
inline constexpr int kDayCount = 31;
inline constexpr int kFirstYear = 1901;
inline constexpr int kYearCount = 150;  // 1901..2050
inline constexpr int kHourCount = 24;
inline constexpr int kMinuteCount = 60;
inline constexpr int kSecondCount = 60;
inline constexpr int kDefaultZoneIndex = 29;  // "Greenwich Mean Time,GMT,0.0"

// Text of item `index` of a numeric list starting at `first` ("7", "1980").
std::string ListItemText(int first, int index);

// The entry controls of the birth-data window. List controls are given by
// their selected index (-1: nothing selected); text boxes by their text.
// The defaults are the window's state right after it loads.
struct EntryForm {
    std::string txtName;
    int cboMonth = 0;  // 0 = January
    int cboDate = 0;   // 0 = day 1
    int cboYear = 0;   // 0 = 1901
    int cboHH = 0;
    int cboMM = 0;
    int cboSS = 0;
    std::string txtMCity, txtMState, txtMCountry;
    int cmbTimeZone = kDefaultZoneIndex;
    // The offset box beside the zone list, read only while the list is at
    // "Other UTC offset" (row 71): "+05:45", "-03:30".
    std::string txtUtcOffset;
    bool chkDST = false;
    std::string txtLonD, txtLonM;
    bool optLongEast = true;  // optLong(0) "East" selected; false: optLong(1) "West"
    std::string txtLatD, txtLatM;
    bool optLatSouth = false;  // optLat(1) "South" selected; false: optLat(0) "North"
};

enum class MessageIcon { Error, Information };

// Controls a refusal can send the focus to; None leaves the focus where it is.
enum class EntryControl {
    None,
    txtName,
    cboMonth,
    cboDate,
    cboYear,
    cboHH,
    cboMM,
    cboSS,
    txtMCity,
    txtMState,
    txtMCountry,
    txtLonD,
    txtLonM,
    txtLatD,
    txtLatM,
    cmbTimeZone,
    txtUtcOffset,
};

// Object name of a control ("txtLonD"); "" for None.
std::string_view ControlName(EntryControl control);

// A message box the program shows to the user (title "Korvanta", one OK).
struct UserMessage {
    std::string_view text;
    MessageIcon icon = MessageIcon::Information;
};

struct Refusal {
    std::string_view message;
    MessageIcon icon = MessageIcon::Information;
    EntryControl focus = EntryControl::None;
};

// Checks the whole entry before a calculation. Empty result: the entry may be
// used. Otherwise the first failing check's refusal; only it is shown.
std::optional<Refusal> ValidateBirthData(const EntryForm& form);

// The birth of a form that ValidateBirthData accepted: the one place where
// the control texts and list indexes become numbers, with the zone row's
// correction. A form the check would refuse gives a birth of no meaning.
Birth BirthOfForm(const EntryForm& form);

// The entry controls that give `birth` back, the inverse of BirthOfForm:
// lists at its values, the coordinate boxes as digits without padding.
EntryForm FormOfBirth(const Birth& birth);

// ValidateBirthData, then BirthOfForm: the refusal, or the birth.
std::variant<Refusal, Birth> AcceptBirth(const EntryForm& form);

// Result of a key filter: the character code to insert (0 = key cancelled)
// and, for a cancelled key, the message to show first.
struct KeyFilterResult {
    int code = 0;
    std::optional<UserMessage> message;
};

// txtName: a letter of any script passes, made capital ("é" -> "É"); blank,
// hyphen, apostrophe (' and U+2019), Enter and Backspace pass unchanged.
// `code` is a Unicode code point.
KeyFilterResult NameKeyFilter(int code);

// The name rule, shared by the entry check, the command line and the births
// library: letters of any script (with their combining marks), blanks, and
// hyphens and apostrophes (' or U+2019) inside the name, never as its first
// or last character after the blanks ("MARY-JANE", "O'BRIEN", "JOSÉ").
// Given: UTF-8 text. Returned: empty when the text keeps the rule (a text of
// blanks does; the check refuses it as no name), else the 1-based position,
// in characters, of the first character that breaks it (invalid UTF-8
// counts as one character per bad byte).
std::optional<std::size_t> NameFaultAt(std::string_view text);

// The text with every letter made capital (CapitalLetter); anything else,
// and invalid UTF-8, as it is.
std::string CapitalName(std::string_view text);
// txtLonD, txtLonM, txtLatD, txtLatM: digits and Backspace pass.
KeyFilterResult CoordinateKeyFilter(int code);

// Longest texts the coordinate boxes take.
inline constexpr int kLonDegMaxLength = 3;
inline constexpr int kLonMinMaxLength = 2;
inline constexpr int kLatDegMaxLength = 2;
inline constexpr int kLatMinMaxLength = 2;

// The coordinate look-up button: checks the place fields and builds the query
// text for a web search ("Pune Maharashtra India Latitude Longitude").
std::variant<Refusal, std::string> CoordinateLookupQuery(std::string_view city,
                                                         std::string_view state,
                                                         std::string_view country);

}  // namespace korvanta
