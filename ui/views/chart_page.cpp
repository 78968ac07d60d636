#include "ui/views/chart_page.h"

#include <algorithm>
#include <cctype>

#include "reading/pada_account.h"

namespace korvanta {
namespace {

// Captions of the position table in body-slot order.
constexpr std::array<std::string_view, 10> kPositionLabels = {
    "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",   "Shukra/Venus",    "Mangala/Mars",
    "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};

std::string Text(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

// Both captions of a cell open with a line break: their first line is the
// place of the sign's name. Lines below the last text are dropped.
std::vector<CellLine> CellLines(std::string_view bodies, std::string_view tags) {
    const std::vector<std::string> bodyLines = CaptionLines(bodies);
    const std::vector<std::string> tagLines = CaptionLines(tags);
    std::vector<CellLine> lines;
    const std::size_t count = std::max(bodyLines.size(), tagLines.size());
    for (std::size_t i = 1; i < count; ++i) {
        lines.push_back(
            {i < bodyLines.size() ? bodyLines[i] : "", i < tagLines.size() ? tagLines[i] : ""});
    }
    while (!lines.empty() && lines.back().body.empty() && lines.back().tag.empty()) {
        lines.pop_back();
    }
    return lines;
}

std::vector<LabelledText> Profile(const ResultCaptions& c) {
    return {
        {"Vedic Name", Text(c.lblVedicName)},
        {"Upapada Lagna Present In House", Text(c.lblULPresentHouse)},
        {"Upapada Lagna Present In Sign", Text(c.lblArudhaLagnaPresentInSign)},
        {"Rulling Planet", Text(c.lblRullingPlanet)},
        {"Compatible With", Text(c.lblCompatibleWith)},
        {"Not Compatible With", Text(c.lblNotCompatibleWith)},
        {"Symbol", Text(c.lblSymbol)},
        {"Nature", Text(c.lblNature)},
        {"Color", Text(c.lblColor)},
        {"Type Of Sign", Text(c.lblTypeOfSign)},
        {"Gender", Text(c.lblGender)},
        {"Best Period Of Activity", Text(c.lblBestPeriodOfActivity)},
        {"Barren", Text(c.lblBarren)},
        {"Caste", Text(c.lblCaste)},
        {"Position", Text(c.lblPosition)},
        {"Constituent Character", Text(c.lblConstituentCharacter)},
        {"Lucky Days", Text(c.lblLuckyDays)},
        {"Lucky Numbers", Text(c.lblLuckyNumbers)},
        {"Best Direction", Text(c.lblBestDirection)},
        {"Lucky Colors", Text(c.lblLuckyColors)},
        {"Lucky Gemstone", Text(c.lblLuckyGemstone)},
        {"Part Of The Body", Text(c.lblPartOfTheBody)},
        {"Physique", Text(c.lblPhysique)},
        {"English Name", Text(c.lblEnglishName)},
    };
}

}  // namespace

ChartCellPlace ChartCellOf(int sign) {
    if (sign < 0 || sign > 11) return {};
    return kChartCellOfSign[static_cast<std::size_t>(sign)];
}

ChartPage BuildChartPage(const ChartResult& result) {
    const ResultCaptions& c = result.captions;
    ChartPage page;
    page.title = "Upapada Lagna Chart";
    if (!c.lblName.empty()) page.title += " of " + c.lblName;

    for (std::size_t sign = 0; sign < page.cells.size(); ++sign) {
        PageCell& cell = page.cells[sign];
        cell.signName = std::string(kSignNames[sign]);
        cell.number = std::to_string(sign + 1);
        cell.lines = CellLines(c.signCells[sign], c.lblArudha[sign]);
    }
    const int ulSign = result.arudha.ULSignIndex;
    page.centre = {c.lblName, c.lblDOB + "  " + c.lblTOB, "Upapada Lagna"};
    if (ulSign >= 0 && ulSign <= 11) {
        page.centre.push_back(std::string(kSignNames[static_cast<std::size_t>(ulSign)]) + ", " +
                              c.lblULPresentHouse);
    }

    for (std::size_t slot = 0; slot < kPositionLabels.size(); ++slot) {
        page.positions.push_back({std::string(kPositionLabels[slot]), Text(c.planet[slot])});
    }
    page.name = c.lblName;
    page.details = {
        {"Date of Birth", c.lblDOB}, {"Time of Birth", c.lblTOB}, {"Longitude", c.lblLongitude},
        {"Latitude", c.lblLatitude}, {"City", c.lblCity},         {"State", c.lblState},
        {"Country", c.lblCountry},
    };

    page.ulHouse = "Upapada Lagna Present In House: " + c.lblULPresentHouse;
    page.ulReading = Text(c.lblHoraDesc);
    page.profile = Profile(c);
    page.readings = {
        {"Looks", Text(c.txtLooks)},
        {"Nature", Text(c.txtNature)},
        {"Career And Finance", Text(c.txtCareerAndFinance)},
        {"Love And Domestic Life", Text(c.txtLoveAndDomesticLife)},
        {"Health", Text(c.txtHealth)},
    };
    page.padas = DescribePadas(result);
    page.footer = "Korvanta v1.20";
    return page;
}

std::string PageFileStem(std::string_view name) {
    std::string stem;
    bool gap = false;
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            if (gap && !stem.empty()) stem += '-';
            stem += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            gap = false;
        } else {
            gap = true;
        }
    }
    return stem.empty() ? "upapada-lagna" : stem + "-upapada-lagna";
}

std::string WithExtension(std::string_view path, std::string_view extension) {
    const bool has = path.size() >= extension.size() &&
                     std::equal(extension.begin(), extension.end(), path.end() - extension.size(),
                                [](char a, char b) {
                                    return std::tolower(static_cast<unsigned char>(a)) ==
                                           std::tolower(static_cast<unsigned char>(b));
                                });
    return has ? std::string(path) : std::string(path) + std::string(extension);
}

}  // namespace korvanta
