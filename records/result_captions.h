// What the result window shows after one calculation, as a plain value whose
// members are named after the controls they fill. The window and the command
// line only copy these texts; nothing here is computed by them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

// Object names of the twelve sign cells, index = sign 0..11 (Aries..Pisces).
// "lblSagattarius" is spelled as the control is named.
inline constexpr std::array<std::string_view, 12> kSignCellNames = {
    "lblAries", "lblTaurus",  "lblGemini",      "lblCancer",    "lblLeo",      "lblVirgo",
    "lblLibra", "lblScorpio", "lblSagattarius", "lblCapricorn", "lblAquarius", "lblPisces"};

// Line break used inside chart cell captions.
inline constexpr std::string_view kCrLf = "\r\n";

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

// The lines of a caption that separates its lines with "\r\n", each line's
// trailing blanks removed: "\r\nSun\r\nVenus (R) " gives "", "Sun", "Venus (R)".
inline std::vector<std::string> CaptionLines(std::string_view caption) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = caption.find(kCrLf, start);
        std::string line(caption.substr(start, end == std::string_view::npos ? end : end - start));
        line.erase(line.find_last_not_of(' ') + 1);
        lines.push_back(std::move(line));
        if (end == std::string_view::npos) return lines;
        start = end + kCrLf.size();
    }
}

struct ResultCaptions {
    std::array<std::string, 10> planet;     // position table, body slots 0..9
    std::array<std::string, 12> signCells;  // bodies per sign, each after "\r\n"
    std::array<std::string, 12> lblArudha;  // pada marks and the "UL" tag, per sign

    // "Your Details"
    std::string lblName, lblDOB, lblTOB, lblLatitude, lblLongitude;
    std::string lblCity, lblState, lblCountry;

    // The UL's house and its reading
    std::string lblULPresentHouse;  // "House 7"
    std::string_view lblHoraDesc;

    // Profile of the UL's sign (row ULSignIndex of the sign profile table)
    std::string_view lblVedicName, lblEnglishName, lblArudhaLagnaPresentInSign;
    std::string_view lblRullingPlanet, lblSymbol, lblNature, lblColor, lblTypeOfSign;
    std::string_view lblGender, lblBestPeriodOfActivity, lblBarren, lblCaste, lblPosition;
    std::string_view lblConstituentCharacter, lblLuckyDays, lblLuckyNumbers, lblBestDirection;
    std::string_view lblLuckyColors, lblLuckyGemstone, lblPartOfTheBody, lblPhysique;
    std::string_view txtLooks, txtNature, txtCareerAndFinance, txtLoveAndDomesticLife, txtHealth;
    std::string_view lblCompatibleWith, lblNotCompatibleWith;
};

}  // namespace korvanta
