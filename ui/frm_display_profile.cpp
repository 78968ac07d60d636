// SPDX-License-Identifier: GPL-3.0-or-later
// The second tab of the result window: the profile of the UL's sign and its
// five readings.
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/elided_label.h"
#include "ui/frm_display.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

constexpr double kTextPoints = 8.0;
constexpr int kColumns = 3;

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

// The headings are the report's reading labels, in the same order. The
// boxes keep their designed widths as proportions of their row.
struct ReadingPlace {
    int headingIndex;  // index in the Label8 array
    QPlainTextEdit* frmDisplay::*box;
    const char* boxName;
    int left, top, width, height;
};

const std::array<ReadingPlace, 5> kReadingBoxes = {{
    {0, &frmDisplay::txtLooks, "txtLooks", 120, 5280, 3735, 735},
    {24, &frmDisplay::txtNature, "txtNature", 3960, 5280, 4215, 735},
    {25, &frmDisplay::txtCareerAndFinance, "txtCareerAndFinance", 8280, 5280, 3615, 735},
    {26, &frmDisplay::txtLoveAndDomesticLife, "txtLoveAndDomesticLife", 120, 6360, 6015, 735},
    {27, &frmDisplay::txtHealth, "txtHealth", 6240, 6360, 5655, 735},
}};

// A reading box as tall as its whole text at its present width, so that the
// tab page scrolls, if anything does, rather than the box.
class FittedReading : public QPlainTextEdit {
  public:
    FittedReading() {
        setReadOnly(true);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setLineWrapMode(QPlainTextEdit::WidgetWidth);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    void ShowText(const QString& text) {
        setPlainText(text);
        FitText();
    }

    QSize sizeHint() const override {
        return {QPlainTextEdit::sizeHint().width(), minimumHeight()};
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QPlainTextEdit::resizeEvent(event);
        FitText();
    }

  private:
    void FitText() {
        const int margin = static_cast<int>(std::ceil(document()->documentMargin()));
        const int width = std::max(1, viewport()->width() - 2 * margin);
        const QRect text = fontMetrics().boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap,
                                                      toPlainText());
        // One spare line against the small differences between this
        // measure and the box's own line breaking.
        const int needed =
            text.height() + fontMetrics().lineSpacing() + 2 * margin + 2 * frameWidth();
        if (needed != minimumHeight()) setMinimumHeight(needed);
    }
};

}  // namespace

void frmDisplay::BuildProfileTab(QWidget* page) {
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(TwipsX(120), 0, TwipsX(120), TwipsY(120));
    Frame4 = new QFrame;
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Frame4->setFrameShape(QFrame::StyledPanel);
    pageLayout->addWidget(Frame4);
    auto* column = new QVBoxLayout(Frame4);
    column->setContentsMargins(TwipsX(120), TwipsY(120), TwipsX(120), TwipsY(120));

    // The grid: each heading with its value under it, three to a row.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(TwipsX(120));
    grid->setVerticalSpacing(0);
    const QFont headingFont = VerdanaFont(kTextPoints, true);
    for (std::size_t i = 0; i < kProfileGrid.size(); ++i) {
        const ProfileCell& cell = kProfileGrid[i];
        const int row = 2 * static_cast<int>(i / kColumns);
        const int col = static_cast<int>(i % kColumns);
        auto* heading = new QLabel(DisplayText(kProfileLabels[i]));
        heading->setObjectName(QString::fromLatin1(cell.headingName));
        heading->setFont(headingFont);
        const QString headingName = QString::fromLatin1(cell.headingName);
        const int index = headingName.section(QLatin1Char('_'), 1).toInt();
        if (headingName.startsWith(QLatin1String("dsd"))) {
            dsd[static_cast<std::size_t>(index)] = heading;
        } else {
            Label8[static_cast<std::size_t>(index)] = heading;
        }
        auto* value = new ElidedLabel;
        value->setObjectName(QString::fromLatin1(cell.valueName));
        value->setContentsMargins(0, 0, 0, TwipsY(90));
        this->*cell.value = value;
        grid->addWidget(heading, row, col);
        grid->addWidget(value, row + 1, col);
    }
    for (int col = 0; col < kColumns; ++col) grid->setColumnStretch(col, 1);
    column->addLayout(grid);
    lblUpapadaVargas = new QLabel;
    lblUpapadaVargas->setObjectName(QStringLiteral("lblUpapadaVargas"));
    lblUpapadaVargas->setWordWrap(true);
    column->addWidget(lblUpapadaVargas);

    // The readings: two rows of boxes under their headings, each box as wide
    // as in the design, in proportion to its row, and all of them growing
    // with the page.
    const std::array<std::pair<std::size_t, std::size_t>, 2> rows = {{{0, 3}, {3, 5}}};
    for (const auto& [first, last] : rows) {
        auto* row = new QGridLayout;
        row->setHorizontalSpacing(TwipsX(105));
        row->setVerticalSpacing(TwipsY(15));
        for (std::size_t r = first; r < last; ++r) {
            const ReadingPlace& reading = kReadingBoxes[r];
            const int col = static_cast<int>(r - first);
            auto* heading = new QLabel(DisplayText(kReadingLabels[r]));
            heading->setObjectName(QStringLiteral("Label8_%1").arg(reading.headingIndex));
            heading->setFont(headingFont);
            Label8[static_cast<std::size_t>(reading.headingIndex)] = heading;

            auto* box = new FittedReading;
            box->setObjectName(QString::fromLatin1(reading.boxName));
            QPalette buttonFace = box->palette();
            buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
            box->setPalette(buttonFace);
            this->*reading.box = box;
            row->addWidget(heading, 0, col);
            row->addWidget(box, 1, col);
            row->setColumnStretch(col, reading.width);
        }
        column->addSpacing(TwipsY(105));
        column->addLayout(row, 1);
    }
}

void frmDisplay::FillProfile(const ChartReport& report) {
    for (std::size_t i = 0; i < kProfileGrid.size(); ++i) {
        (this->*kProfileGrid[i].value)->setText(DisplayText(report.profile[i].text));
    }
    lblUpapadaVargas->setText(DisplayText(report.ulInVargas));
    lblUpapadaVargas->setVisible(!report.ulInVargas.empty());
    for (std::size_t r = 0; r < kReadingBoxes.size(); ++r) {
        static_cast<FittedReading*>(this->*kReadingBoxes[r].box)
            ->ShowText(DisplayText(report.readings[r].text));
    }
}

}  // namespace korvanta
