// What the result window shows after one calculation, as a plain value whose
// members are named after the controls they fill. The window and the command
// line only copy these texts; nothing here is computed by them.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvanta {

// Object names of the twelve sign cells, index = sign 0..11 (Aries..Pisces).
// "lblSagattarius" is spelled as the control is named.
inline constexpr std::array<std::string_view, 12> kSignCellNames = {
    "lblAries", "lblTaurus",      "lblGemini",    "lblCancer",   "lblLeo",      "lblVirgo",
    "lblLibra", "lblScorpio", "lblSagattarius", "lblCapricorn", "lblAquarius", "lblPisces"};

// Line break used inside chart cell captions.
inline constexpr std::string_view kCrLf = "\r\n";

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
