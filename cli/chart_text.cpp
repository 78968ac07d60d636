#include "cli/chart_text.h"

#include <array>
#include <utility>

#include "cli/text_grid.h"

namespace korvanta {
namespace {

constexpr int kTextWidth = 78;

// The position table's captions in body-slot order.
constexpr std::array<std::string_view, 10> kPlanetNames = {
    "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",   "Shukra/Venus",    "Mangala/Mars",
    "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};

using Row = std::pair<std::string_view, std::string_view>;

// "  Heading  : value" with the colons of all rows in one column.
std::string Rows(std::initializer_list<Row> rows) {
    std::size_t width = 0;
    for (const auto& [heading, value] : rows) width = std::max(width, DisplayWidth(heading));
    std::string text;
    for (const auto& [heading, value] : rows) {
        text += "  ";
        text += heading;
        text.append(width - DisplayWidth(heading), ' ');
        text += " : ";
        text += value;
        text += '\n';
    }
    return text;
}

std::string PositionTable(const ResultCaptions& captions) {
    std::string text = "Vedic Planetary Position\n";
    for (std::size_t slot = 0; slot < kPlanetNames.size(); ++slot) {
        text += "  ";
        text += kPlanetNames[slot];
        text.append(18 - kPlanetNames[slot].size(), ' ');
        text += captions.planet[slot];
        text += '\n';
    }
    return text;
}

std::string Details(const ResultCaptions& c) {
    // The window's own captions, "Latitude   :" with its three blanks included.
    std::string text = "Your Details\n  " + c.lblName + "\n";
    const std::array<Row, 7> rows = {{{"Date of Birth :", c.lblDOB},
                                      {"Time of Birth :", c.lblTOB},
                                      {"Longitude :", c.lblLongitude},
                                      {"Latitude   :", c.lblLatitude},
                                      {"City :", c.lblCity},
                                      {"State :", c.lblState},
                                      {"Country :", c.lblCountry}}};
    for (const auto& [caption, value] : rows) {
        text += "  ";
        text += caption;
        text += ' ';
        text += value;
        text += '\n';
    }
    return text;
}

std::string UpapadaHouse(const ResultCaptions& c) {
    return "Significance of Upapada Lagna\n"
           "  Upapada Lagna signifies marriage and spouse related issues.\n"
           "Upapada Lagna Present In House Significance\n  " +
           c.lblULPresentHouse + "\n" + WrapText(c.lblHoraDesc, 2, kTextWidth);
}

std::string Profile(const ResultCaptions& c) {
    std::string text = "Upapada Lagna Details\n";
    text += Rows({{"Vedic Name", c.lblVedicName},
                  {"Upapada Lagna Present In House", c.lblULPresentHouse},
                  {"Upapada Lagna Present In Sign", c.lblArudhaLagnaPresentInSign},
                  {"Rulling Planet", c.lblRullingPlanet},
                  {"Compatible With", c.lblCompatibleWith},
                  {"Not Compatible With", c.lblNotCompatibleWith},
                  {"Symbol", c.lblSymbol},
                  {"Nature", c.lblNature},
                  {"Color", c.lblColor},
                  {"Type Of Sign", c.lblTypeOfSign},
                  {"Gender", c.lblGender},
                  {"Best Period Of Activity", c.lblBestPeriodOfActivity},
                  {"Barren", c.lblBarren},
                  {"Caste", c.lblCaste},
                  {"Position", c.lblPosition},
                  {"Constituent Character", c.lblConstituentCharacter},
                  {"Lucky Days", c.lblLuckyDays},
                  {"Lucky Numbers", c.lblLuckyNumbers},
                  {"Best Direction", c.lblBestDirection},
                  {"Lucky Colors", c.lblLuckyColors},
                  {"Lucky Gemstone", c.lblLuckyGemstone},
                  {"Part Of The Body", c.lblPartOfTheBody},
                  {"Physique", c.lblPhysique},
                  {"English Name", c.lblEnglishName}});
    const std::array<Row, 5> readings = {{{"Looks", c.txtLooks},
                                          {"Nature", c.txtNature},
                                          {"Career And Finance", c.txtCareerAndFinance},
                                          {"Love And Domestic Life", c.txtLoveAndDomesticLife},
                                          {"Health", c.txtHealth}}};
    for (const auto& [heading, reading] : readings) {
        text += '\n';
        text += heading;
        text += '\n';
        text += WrapText(reading, 2, kTextWidth);
    }
    return text;
}

}  // namespace

std::string WrapText(std::string_view text, int indent, int width) {
    std::string wrapped;
    const std::string margin(static_cast<std::size_t>(indent), ' ');
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        start = end + 1;
        std::string line = margin;
        std::size_t lineWidth = margin.size();
        bool lineHasWord = false;
        std::size_t pos = 0;
        while (pos < paragraph.size()) {
            const std::size_t wordStart = paragraph.find_first_not_of(' ', pos);
            if (wordStart == std::string_view::npos) break;
            std::size_t wordEnd = paragraph.find(' ', wordStart);
            if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
            const std::string_view word = paragraph.substr(wordStart, wordEnd - wordStart);
            const std::size_t wordWidth = DisplayWidth(word);
            if (lineHasWord && lineWidth + 1 + wordWidth > static_cast<std::size_t>(width)) {
                wrapped += line + '\n';
                line = margin;
                lineWidth = margin.size();
                lineHasWord = false;
            }
            if (lineHasWord) {
                line += ' ';
                ++lineWidth;
            }
            line += word;
            lineWidth += wordWidth;
            lineHasWord = true;
            pos = wordEnd;
        }
        wrapped += (lineHasWord ? line : std::string()) + '\n';
    }
    return wrapped;
}

std::string ChartText(const ChartResult& result) {
    const ResultCaptions& c = result.captions;
    const std::vector<std::string> centre = {
        c.lblName, c.lblDOB + "  " + c.lblTOB, "", "Upapada Lagna",
        std::string(c.lblArudhaLagnaPresentInSign) + ", " + c.lblULPresentHouse};
    std::string text = DrawSignChart(c, centre);
    text += '\n';
    text += PositionTable(c);
    text += '\n';
    text += Details(c);
    text += '\n';
    text += UpapadaHouse(c);
    text += '\n';
    text += Profile(c);
    return text;
}

}  // namespace korvanta
