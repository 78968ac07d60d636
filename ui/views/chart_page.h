// The printable chart page as plain values: everything the exported image,
// PDF and printout show, taken from one calculation. The drawing (Qt) only
// places these texts; tests read them here without any display.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "pipeline/pipeline.h"
#include "ui/views/padas_view.h"

namespace korvanta {

// Where sign 0..11 sits in the 4 x 4 chart square (kChartCellOfSign); the
// top left corner for any other value.
ChartCellPlace ChartCellOf(int sign);

// One line of a sign cell: a body on the left, a tag ("UL") on the right.
struct CellLine {
    std::string body;
    std::string tag;
};

struct PageCell {
    std::string signName;  // "Aries"
    std::string number;    // "1".."12"
    std::vector<CellLine> lines;
};

// A caption and its value on one line: {"Surya/Sun", "21 Tau 03"}.
struct LabelledText {
    std::string label;
    std::string text;
};

struct ChartPage {
    std::string title;                    // "Upapada Lagna Chart of ASHA RAO"
    std::array<PageCell, 12> cells;       // by sign 0..11
    std::vector<std::string> centre;      // lines of the square's centre block
    std::vector<LabelledText> positions;  // the ten rows of the position table
    std::string name;                     // "Your Details" opens with the name
    std::vector<LabelledText> details;    // date, time, longitude, latitude, place
    std::string ulHouse;                  // "Upapada Lagna Present In House: House 9"
    std::string ulReading;                // the house's reading
    std::vector<LabelledText> profile;    // the UL sign's profile, in the window's order
    std::vector<LabelledText> readings;   // Looks, Nature, Career..., Love..., Health
    PadasView padas;
    std::string footer;  // the program and version
};

// The page of one calculation.
ChartPage BuildChartPage(const ChartResult& result);

// A file name without folder or extension for the page of `name`:
// "ASHA RAO" gives "asha-rao-upapada-lagna"; a name without letters gives
// "upapada-lagna".
std::string PageFileStem(std::string_view name);

// `path` with `extension` (".pdf") appended unless it already ends in it,
// compared without regard to case.
std::string WithExtension(std::string_view path, std::string_view extension);

}  // namespace korvanta
