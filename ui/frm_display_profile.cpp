// SPDX-License-Identifier: GPL-3.0-or-later
// The second tab of the result window: the profile of the UL's sign and its
// five readings.
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

#include "ui/frm_display.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

constexpr double kTextPoints = 8.0;
constexpr int kTabStrip = 360;

constexpr std::array<int, 3> kColumnLeft = {120, 4080, 8040};
constexpr int kColumnWidth = 3840;
constexpr int kFirstRowTop = 240;
constexpr int kRowStep = 600;
constexpr int kValueDrop = 240;

// The headings are the report's profile labels, in the same order.
struct ProfileCell {
    const char* headingName;
    QLabel* frmDisplay::*value;
    const char* valueName;
};

// The grid, row by row, left to right.
const std::array<ProfileCell, 24> kProfileGrid = {{
    {"dsd_0", &frmDisplay::lblVedicName, "lblVedicName"},
    {"dsd_1", &frmDisplay::lblULPresentHouse, "lblULPresentHouse"},
    {"Label8_1", &frmDisplay::lblArudhaLagnaPresentInSign, "lblArudhaLagnaPresentInSign"},
    {"Label8_2", &frmDisplay::lblRullingPlanet, "lblRullingPlanet"},
    {"Label8_4", &frmDisplay::lblCompatibleWith, "lblCompatibleWith"},
    {"Label8_5", &frmDisplay::lblNotCompatibleWith, "lblNotCompatibleWith"},
    {"Label8_6", &frmDisplay::lblSymbol, "lblSymbol"},
    {"Label8_7", &frmDisplay::lblNature, "lblNature"},
    {"Label8_8", &frmDisplay::lblColor, "lblColor"},
    {"Label8_9", &frmDisplay::lblTypeOfSign, "lblTypeOfSign"},
    {"Label8_10", &frmDisplay::lblGender, "lblGender"},
    {"Label8_11", &frmDisplay::lblBestPeriodOfActivity, "lblBestPeriodOfActivity"},
    {"Label8_12", &frmDisplay::lblBarren, "lblBarren"},
    {"Label8_13", &frmDisplay::lblCaste, "lblCaste"},
    {"Label8_14", &frmDisplay::lblPosition, "lblPosition"},
    {"Label8_15", &frmDisplay::lblConstituentCharacter, "lblConstituentCharacter"},
    {"Label8_16", &frmDisplay::lblLuckyDays, "lblLuckyDays"},
    {"Label8_17", &frmDisplay::lblLuckyNumbers, "lblLuckyNumbers"},
    {"Label8_18", &frmDisplay::lblBestDirection, "lblBestDirection"},
    {"Label8_19", &frmDisplay::lblLuckyColors, "lblLuckyColors"},
    {"Label8_20", &frmDisplay::lblLuckyGemstone, "lblLuckyGemstone"},
    {"Label8_21", &frmDisplay::lblPartOfTheBody, "lblPartOfTheBody"},
    {"Label8_22", &frmDisplay::lblPhysique, "lblPhysique"},
    {"Label8_23", &frmDisplay::lblEnglishName, "lblEnglishName"},
}};

// The headings are the report's reading labels, in the same order.
struct ReadingBox {
    int headingIndex;  // index in the Label8 array
    QPlainTextEdit* frmDisplay::*box;
    const char* boxName;
    int left, top, width, height;
};

const std::array<ReadingBox, 5> kReadingBoxes = {{
    {0, &frmDisplay::txtLooks, "txtLooks", 120, 5280, 3735, 735},
    {24, &frmDisplay::txtNature, "txtNature", 3960, 5280, 4215, 735},
    {25, &frmDisplay::txtCareerAndFinance, "txtCareerAndFinance", 8280, 5280, 3615, 735},
    {26, &frmDisplay::txtLoveAndDomesticLife, "txtLoveAndDomesticLife", 120, 6360, 6015, 735},
    {27, &frmDisplay::txtHealth, "txtHealth", 6240, 6360, 5655, 735},
}};

// Headings stand this far above their box.
constexpr int kReadingHeadingRise = 255;

}  // namespace

void frmDisplay::BuildProfileTab(QWidget* page) {
    Frame4 = new QFrame(page);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Frame4->setFrameShape(QFrame::StyledPanel);
    Frame4->setGeometry(TwipsRect(120, 360 - kTabStrip, 12015, 7215));

    const QFont headingFont = VerdanaFont(kTextPoints, true);
    for (std::size_t i = 0; i < kProfileGrid.size(); ++i) {
        const ProfileCell& cell = kProfileGrid[i];
        const int left = kColumnLeft[i % kColumnLeft.size()];
        const int top = kFirstRowTop + kRowStep * static_cast<int>(i / kColumnLeft.size());
        QLabel* heading = PlaceLabel(Frame4, cell.headingName, DisplayText(kProfileLabels[i]),
                                     TwipsRect(left, top, kColumnWidth, 240));
        heading->setFont(headingFont);
        const QString headingName = QString::fromLatin1(cell.headingName);
        const int index = headingName.section(QLatin1Char('_'), 1).toInt();
        if (headingName.startsWith(QLatin1String("dsd"))) {
            dsd[static_cast<std::size_t>(index)] = heading;
        } else {
            Label8[static_cast<std::size_t>(index)] = heading;
        }
        this->*cell.value = PlaceLabel(Frame4, cell.valueName, QString(),
                                       TwipsRect(left, top + kValueDrop, kColumnWidth, 270));
    }

    for (std::size_t r = 0; r < kReadingBoxes.size(); ++r) {
        const ReadingBox& reading = kReadingBoxes[r];
        QLabel* heading = PlaceLabel(
            Frame4, QStringLiteral("Label8_%1").arg(reading.headingIndex).toLatin1().constData(),
            DisplayText(kReadingLabels[r]),
            TwipsRect(reading.left, reading.top - kReadingHeadingRise, reading.width, 240));
        heading->setFont(headingFont);
        Label8[static_cast<std::size_t>(reading.headingIndex)] = heading;

        auto* box = new QPlainTextEdit(Frame4);
        box->setObjectName(QString::fromLatin1(reading.boxName));
        box->setGeometry(TwipsRect(reading.left, reading.top, reading.width, reading.height));
        box->setReadOnly(true);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        QPalette buttonFace = box->palette();
        buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
        box->setPalette(buttonFace);
        this->*reading.box = box;
    }
}

void frmDisplay::FillProfile(const ChartReport& report) {
    for (std::size_t i = 0; i < kProfileGrid.size(); ++i) {
        (this->*kProfileGrid[i].value)->setText(DisplayText(report.profile[i].text));
    }
    for (std::size_t r = 0; r < kReadingBoxes.size(); ++r) {
        (this->*kReadingBoxes[r].box)->setPlainText(DisplayText(report.readings[r].text));
    }
}

}  // namespace korvanta
