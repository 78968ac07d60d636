// SPDX-License-Identifier: GPL-3.0-or-later
// What a reader sees of one chart: every caption, label and value of the
// result window, the exported page, the text chart and the JSON, made once
// from the birth and its chart. The renderers place these texts and add
// nothing of their own but layout.
#pragma once

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "pipeline/birth.h"
#include "pipeline/chart.h"
#include "reading/sign_profile.h"

namespace korvanta {

// Captions shared by the window, the page and the text chart.
inline constexpr std::string_view kPositionsHeading = "Vedic Planetary Position";
inline constexpr std::string_view kDetailsHeading = "Your Details";
inline constexpr std::string_view kSignificanceHeading = "Significance of Upapada Lagna";
inline constexpr std::string_view kSignificanceText =
    "Upapada Lagna signifies marriage and spouse related issues.";
inline constexpr std::string_view kHouseSignificanceHeading =
    "Upapada Lagna Present In House Significance";
inline constexpr std::string_view kChartHeading = "Upapada Lagna-Chart";
inline constexpr std::string_view kProfileHeading = "Upapada Lagna Details";
inline constexpr std::string_view kPadasHeading = "Padas And Special Lagnas";
inline constexpr std::string_view kUpapadaLagna = "Upapada Lagna";
// Captions of the position table, by Body.
inline constexpr std::array<std::string_view, kBodyCount> kPositionLabels = {
    "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",   "Shukra/Venus",    "Mangala/Mars",
    "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};

// The labels of "Your Details": date, time, longitude, latitude, city, state,
// country. Each renderer adds the colon and blanks its layout wants.
inline constexpr std::array<std::string_view, 7> kDetailLabels = {
    "Date of Birth", "Time of Birth", "Longitude", "Latitude", "City", "State", "Country"};

// The padas tab's and the page's captions: the two tables and their columns.
inline constexpr std::string_view kArudhaPadasHeading = "Arudha Padas";
inline constexpr std::string_view kSpecialLagnasHeading = "Special Lagnas";
inline constexpr std::array<std::string_view, 3> kPadaColumns = {"House", "Pada", "Sign"};
inline constexpr std::array<std::string_view, 3> kPointColumns = {"Point", "Sign", "Position"};
// The caption over the account of how the Upapada Lagna was found. The
// window's frame titles capitalise every word, the page's headings only the
// first, so each keeps the form it has always shown.
inline constexpr std::string_view kUpapadaAccountTitle = "How the Upapada Lagna Was Found";
inline constexpr std::string_view kUpapadaAccountHeading = "How the Upapada Lagna was found";

// The UL sign's profile, in the window's order (three to a row), and its
// readings.
inline constexpr std::array<std::string_view, 24> kProfileLabels = {
    "Vedic Name",
    "Upapada Lagna Present In House",
    "Upapada Lagna Present In Sign",
    "Rulling Planet",
    "Compatible With",
    "Not Compatible With",
    "Symbol",
    "Nature",
    "Color",
    "Type Of Sign",
    "Gender",
    "Best Period Of Activity",
    "Barren",
    "Caste",
    "Position",
    "Constituent Character",
    "Lucky Days",
    "Lucky Numbers",
    "Best Direction",
    "Lucky Colors",
    "Lucky Gemstone",
    "Part Of The Body",
    "Physique",
    "English Name"};
inline constexpr std::array<std::string_view, 5> kReadingLabels = {
    "Looks", "Nature", "Career And Finance", "Love And Domestic Life", "Health"};

// The tag of the Upapada Lagna's line in its chart cell.
inline constexpr std::string_view kUpapadaTag = "UL";
// The tags of the arudha padas of houses 1..12 when every pada is shown on
// the chart: "AL" for the first house's, "A2".."A11", and the UL.
inline constexpr std::array<std::string_view, 12> kPadaTags = {
    "AL", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9", "A10", "A11", kUpapadaTag};

// How the chart square is drawn: the fixed-sign South Indian chart, the North
// Indian chart of fixed houses, or the fixed-sign East Indian chart; and
// whether every house's pada is tagged in its sign or only the UL. A view's
// choice, not part of the report: the window, the page and the text chart
// take it beside the report; the JSON describes the chart, not its drawing.
enum class ChartStyle { South, North, East };
struct ChartDrawing {
    ChartStyle style = ChartStyle::South;
    bool allPadas = false;
};

// A label and its value: {"Surya/Sun", "21 Tau 03"}.
struct LabelledText {
    std::string_view label;
    std::string text;
};
// The same for values that are constant texts of the program's tables.
struct LabelledView {
    std::string_view label;
    std::string_view text;
};

// A short list of table texts kept in place: a cell holds at most the ten
// bodies and the 22 marks a chart can put into one sign, so a report needs
// no allocation for its cells.
template <std::size_t Capacity>
class TextList {
  public:
    void push_back(std::string_view text) {
        if (size_ < Capacity) items_[size_++] = text;
    }
    std::size_t size() const { return size_; }
    void clear() { size_ = 0; }
    bool empty() const { return size_ == 0; }
    std::string_view operator[](std::size_t i) const { return items_[i]; }
    void set(std::size_t i, std::string_view text) {
        if (i < size_) items_[i] = text;
    }
    std::string_view at(std::size_t i) const {
        if (i >= size_) throw std::out_of_range("TextList::at");
        return items_[i];
    }
    const std::string_view* begin() const { return items_.data(); }
    const std::string_view* end() const { return items_.data() + size_; }
    std::vector<std::string_view> ToVector() const { return {begin(), end()}; }
    friend bool operator==(const TextList& a, const TextList& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

  private:
    std::array<std::string_view, Capacity> items_{};
    std::size_t size_ = 0;
};

// One sign's cell of the fixed-sign chart. Its lines pair, top to bottom, a
// body on the left with a mark on the right; the first line of both columns
// is left for the sign's name.
struct ChartCell {
    std::string_view signName;  // "Aries"
    int number = 1;             // 1..12
    // The bodies in the sign, in body order; a retrograde planet's name ends
    // in " (R) ".
    TextList<kBodyCount> bodies;
    // One entry per mark in the order the marks were found: the padas house
    // by house (the lord of house 1 right after house 1's), then the points
    // of the sunrise reference, the sign-count mark, the Moon, the Sun at
    // sunrise, the Sree Lagna and the Pranapada. Every mark is blank but the
    // Upapada Lagna's kUpapadaTag.
    TextList<24> marks;
};

// Where a sign's cell sits in the fixed-sign 4 x 4 chart, row and column 0..3
// from the top left: Pisces in the corner, Aries beside it, the signs running
// clockwise around the centre block.
struct ChartCellPlace {
    int row = 0;
    int column = 0;
};
inline constexpr std::array<ChartCellPlace, 12> kChartCellOfSign = {{
    {0, 1},
    {0, 2},
    {0, 3},
    {1, 3},
    {2, 3},
    {3, 3},  // Aries .. Virgo
    {3, 2},
    {3, 1},
    {3, 0},
    {2, 0},
    {1, 0},
    {0, 0},  // Libra .. Pisces
}};

// One row of the pada table, e.g. {"12", "Upapada Lagna", "Pisces"}.
struct PadaRow {
    std::string house;  // "1".."12"
    std::string name;   // PadaName(house)
    std::string_view sign;
};

// One special point, e.g. {"Hora Lagna", "Virgo", "11° 54' 19\""}. A point
// that was not found (no reference sunrise) has the sign "none" and no
// position; the Pranapada and the sign-count mark are signs only.
struct SpecialPointRow {
    std::string_view point;
    std::string_view sign;
    std::string position;
};
inline constexpr std::size_t kSpecialPointRows = 7;

struct PadasView {
    std::array<PadaRow, 12> padas;  // houses 1..12 in order
    // Ghati, Hora, Bhava, Varnada, Sree Lagnas, Pranapada Lagna, sign-count mark.
    std::array<SpecialPointRow, kSpecialPointRows> points;
    std::string referenceSunrise;  // one sentence: which sunrise, or that there was none
    std::string upapadaAccount;    // how the Upapada Lagna was found
};

// Where the mark of one house's pada sits: the sign's cell and the line of
// its marks column.
struct PadaMarkPlace {
    int sign = 0;
    std::size_t line = 0;
};

// "Your Details" by name, each a plain label and its value.
struct BirthDetails {
    LabelledText dateOfBirth{kDetailLabels[0], {}};  // "June/5/1980"
    LabelledText timeOfBirth{kDetailLabels[1], {}};  // "9:5"
    LabelledText longitude{kDetailLabels[2], {}};    // "77° 12' E"
    LabelledText latitude{kDetailLabels[3], {}};     // "28° 36' N"
    LabelledText city{kDetailLabels[4], {}};
    LabelledText state{kDetailLabels[5], {}};
    LabelledText country{kDetailLabels[6], {}};

    // The rows in the order the window and the page list them.
    std::array<const LabelledText*, 7> Rows() const {
        return {&dateOfBirth, &timeOfBirth, &longitude, &latitude, &city, &state, &country};
    }
};

struct ChartReport {
    std::string programTitle;         // "Korvanta v1.20"
    std::string title;                // "Upapada Lagna Chart of ASHA RAO"
    std::array<ChartCell, 12> cells;  // by sign 0..11
    int ascendantSign = 0;            // 0..11, the sign of the first house
    // The mark of each house's pada, houses 1..12 (the last one is the UL's).
    std::array<PadaMarkPlace, 12> padaMarks;
    // The chart square's centre block: the name, date and time of birth,
    // "Upapada Lagna" and the UL's sign and house.
    std::vector<std::string> centre;
    // The position table, by Body: {"Surya/Sun", "21 Tau 03"}.
    std::array<LabelledText, kBodyCount> positions;
    // "Your Details": the name, then date, time, longitude, latitude, city,
    // state, country.
    std::string name;
    BirthDetails details;
    std::string_view ulHouse;    // "House 7"
    std::string_view ulReading;  // the reading of that house
    // The row of the sign profile table that describes the UL's sign
    // (ProfileRow gives its every field), the profile in the window's order,
    // and its five readings.
    int profileRow = 0;
    std::array<LabelledView, 24> profile;
    std::array<LabelledView, 5> readings;
    PadasView padas;
    // The long position texts of the birth moment, by Body ("21° 3' 4\" Tau").
    std::array<std::string, kBodyCount> longPositions;
    // The bodies' names, by Body, with the retrograde mark.
    std::array<std::string_view, kBodyCount> bodyNames;
    // The short position text of the Sun at the reference sunrise; empty
    // without one.
    std::string sunAtSunrise;
    // Which astronomy made the chart (AstronomyLine); empty for the classic
    // one.
    std::string astronomyLine;
    // Set by ShowVarga (report/varga_chart.h) when the square, its centre
    // block and the pada table show a divisional chart: its name ("D9
    // Navamsa") and a line on how far its signs can be trusted (empty when
    // nothing need be said). Both empty for the rasi chart.
    std::string_view vargaCaption;
    std::string vargaNote;
    // The Upapada Lagna's sign and house in the rasi chart and in the
    // Navamsa, one line (UpapadaInVargasLine); empty unless asked for.
    std::string ulInVargas;
};

// The report of a birth and its chart.
ChartReport BuildReport(const Birth& birth, const Chart& chart);
// The same into `report`, whatever it held: its texts keep their storage, so
// that a report refilled chart after chart allocates nothing once its texts
// have grown to their lengths.
void BuildReport(const Birth& birth, const Chart& chart, ChartReport& report);

// A chart cell's lines as the page draws them: body and mark side by side,
// the sign-name line left out, trailing blanks cut, empty lines at the end
// dropped.
struct CellLine {
    std::string_view body;
    std::string_view mark;
};
std::vector<CellLine> CellLines(const ChartCell& cell);

// A date-time (days since 30 December 1899, local clock) as
// "YYYY-MM-DD HH:MM", with ":SS" appended when the seconds are not zero.
std::string DateTimeText(double dateTime);
// The same text held in place, for a writer that copies it at once.
class DateTimeChars {
  public:
    explicit DateTimeChars(double dateTime);
    std::string_view View() const { return {text_.data(), size_}; }

  private:
    std::array<char, 48> text_{};
    std::size_t size_ = 0;
};

// Every field of row 0..11 of the sign profile table, for a renderer that
// shows them all (the JSON); nothing for another row.
const SignProfileRow* ProfileRow(int row);

// The program's name and version, "Korvanta v1.20".
std::string_view ProgramTitle();

// A file name without folder or extension for the page of `name`:
// "ASHA RAO" gives "asha-rao-upapada-lagna"; a name without letters gives
// "upapada-lagna".
std::string PageFileStem(std::string_view name);

// `path` with `extension` (".pdf") appended unless it already ends in it,
// compared without regard to case.
std::string WithExtension(std::string_view path, std::string_view extension);

}  // namespace korvanta
