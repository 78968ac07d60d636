// SPDX-License-Identifier: GPL-3.0-or-later
// The second tab of the result window: the profile of the UL's sign and its
// five readings.
#include <QAbstractTextDocumentLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/elided_label.h"
#include "ui/frm_display.h"
#include "ui/twips.h"
#include "ui/wrapped_label.h"

namespace korvanta {

namespace {

constexpr double kTextPoints = 8.0;
constexpr int kColumns = 3;

// The grid, row by row, left to right, in the report's order: each
// heading's and value's object names.
constexpr std::array<std::pair<const char*, const char*>, 24> kProfileGrid = {{
    {"dsd_0", "lblVedicName"},
    {"dsd_1", "lblULPresentHouse"},
    {"Label8_1", "lblArudhaLagnaPresentInSign"},
    {"Label8_2", "lblRullingPlanet"},
    {"Label8_4", "lblCompatibleWith"},
    {"Label8_5", "lblNotCompatibleWith"},
    {"Label8_6", "lblSymbol"},
    {"Label8_7", "lblNature"},
    {"Label8_8", "lblColor"},
    {"Label8_9", "lblTypeOfSign"},
    {"Label8_10", "lblGender"},
    {"Label8_11", "lblBestPeriodOfActivity"},
    {"Label8_12", "lblBarren"},
    {"Label8_13", "lblCaste"},
    {"Label8_14", "lblPosition"},
    {"Label8_15", "lblConstituentCharacter"},
    {"Label8_16", "lblLuckyDays"},
    {"Label8_17", "lblLuckyNumbers"},
    {"Label8_18", "lblBestDirection"},
    {"Label8_19", "lblLuckyColors"},
    {"Label8_20", "lblLuckyGemstone"},
    {"Label8_21", "lblPartOfTheBody"},
    {"Label8_22", "lblPhysique"},
    {"Label8_23", "lblEnglishName"},
}};

// The headings are the report's reading labels, in the same order. The
// boxes keep their designed widths as proportions of their row.
struct ReadingPlace {
    const char* headingName;
    const char* boxName;
    int width;
};

constexpr std::array<ReadingPlace, 5> kReadingBoxes = {{
    {"Label8_0", "txtLooks", 3735},
    {"Label8_24", "txtNature", 4215},
    {"Label8_25", "txtCareerAndFinance", 3615},
    {"Label8_26", "txtLoveAndDomesticLife", 6015},
    {"Label8_27", "txtHealth", 5655},
}};

}  // namespace

// A reading box as tall as its whole text at its present width, so that the
// tab page scrolls, if anything does, rather than the box.
class FittedReading final : public QPlainTextEdit {
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
        // The text's height as the box itself lays it out at its present
        // width: its own layout keeps the shaped text, so a new width only
        // breaks the lines anew.
        QTextDocument* text = document();
        const QAbstractTextDocumentLayout* layout = text->documentLayout();
        qreal height = 0;
        for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
            height += layout->blockBoundingRect(block).height();
        }
        const int margin = static_cast<int>(std::ceil(text->documentMargin()));
        // The blocks' heights hold the top margin; one spare line against
        // a scroll bar that comes and goes with the box's height.
        const int needed = static_cast<int>(std::ceil(height)) + fontMetrics().lineSpacing() +
                           margin + 2 * frameWidth();
        if (needed != minimumHeight()) setMinimumHeight(needed);
    }
};

void frmDisplay::BuildProfileTab(QWidget* page) {
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(TwipsX(120), 0, TwipsX(120), TwipsY(120));
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("Frame4"));
    panel->setFrameShape(QFrame::StyledPanel);
    pageLayout->addWidget(panel);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(TwipsX(120), TwipsY(120), TwipsX(120), TwipsY(120));

    // The grid: each heading with its value under it, three to a row.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(TwipsX(120));
    grid->setVerticalSpacing(0);
    const QFont headingFont = VerdanaFont(kTextPoints, true);
    for (std::size_t i = 0; i < kProfileGrid.size(); ++i) {
        const int row = 2 * static_cast<int>(i / kColumns);
        const int col = static_cast<int>(i % kColumns);
        auto* heading = new QLabel(DisplayText(kProfileLabels[i]));
        heading->setObjectName(QString::fromLatin1(kProfileGrid[i].first));
        heading->setFont(headingFont);
        auto* value = new ElidedLabel;
        value->setObjectName(QString::fromLatin1(kProfileGrid[i].second));
        value->setContentsMargins(0, 0, 0, TwipsY(90));
        profileValues_[i] = value;
        grid->addWidget(heading, row, col);
        grid->addWidget(value, row + 1, col);
    }
    for (int col = 0; col < kColumns; ++col) grid->setColumnStretch(col, 1);
    column->addLayout(grid);
    upapadaVargas_ = new WrappedLabel;
    upapadaVargas_->setObjectName(QStringLiteral("lblUpapadaVargas"));
    column->addWidget(upapadaVargas_);

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
            heading->setObjectName(QString::fromLatin1(reading.headingName));
            heading->setFont(headingFont);

            auto* box = new FittedReading;
            box->setObjectName(QString::fromLatin1(reading.boxName));
            QPalette buttonFace = box->palette();
            buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
            box->setPalette(buttonFace);
            readingBoxes_[r] = box;
            row->addWidget(heading, 0, col);
            row->addWidget(box, 1, col);
            row->setColumnStretch(col, reading.width);
        }
        column->addSpacing(TwipsY(105));
        column->addLayout(row, 1);
    }
}

void frmDisplay::FillProfile() {
    for (std::size_t i = 0; i < profileValues_.size(); ++i) {
        profileValues_[i]->setText(DisplayText(report_.profile[i].text));
    }
    upapadaVargas_->setText(DisplayText(report_.ulInVargas));
    upapadaVargas_->setVisible(!report_.ulInVargas.empty());
    for (std::size_t r = 0; r < readingBoxes_.size(); ++r) {
        readingBoxes_[r]->ShowText(DisplayText(report_.readings[r].text));
    }
}

}  // namespace korvanta
