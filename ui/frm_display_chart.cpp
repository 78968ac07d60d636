// SPDX-License-Identifier: GPL-3.0-or-later
// The first tab of the result window: the fixed-sign chart, the planetary
// positions and the birth details.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>

#include "report/chart_style.h"
#include "ui/chart_figure_view.h"
#include "ui/elided_label.h"
#include "ui/frm_display.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/proportional_layout.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

constexpr double kTextPoints = 8.0;

// The details' captions as this window writes them: the label, a blank and a
// colon, with three blanks after "Latitude".
QString DetailCaption(std::string_view label) {
    const std::string_view gap = label == kDetailLabels[3] ? "   " : " ";
    return DisplayText(std::string(label) + std::string(gap) + ":");
}

// Panels inside a tab are placed below the tab strip, which is this high.
constexpr int kTabStrip = 360;

// The tab's panels, in twips within the page: they reach its right and
// bottom edges.
constexpr int kPageWidth = 12135;
constexpr int kPageHeight = 7215;

// The chart's cells, in twips within the inside of the chart's box (below its
// caption and within its border), with a margin all round so that no cell
// touches the border.
constexpr int kCellWidth = 1965;
constexpr int kCellHeight = 1680;
constexpr int kChartMargin = 60;
constexpr std::array<int, 4> kCellLeft = {60, 2025, 3990, 5955};
constexpr std::array<int, 4> kCellTop = {60, 1740, 3420, 5100};
constexpr int kChartWidth = 4 * kCellWidth + 2 * kChartMargin;
constexpr int kChartHeight = 4 * kCellHeight + 2 * kChartMargin;
// The square may be drawn a little smaller than designed, so that it fits
// inside its panel's caption and border whatever the style draws them with.
constexpr double kChartLeastScale = 0.85;

QFrame* Outline(ProportionalLayout* layout, const QString& name, QRect twips) {
    auto* frame = new QFrame;
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(1);
    layout->AddAt(frame, twips);
    return frame;
}

// A label of the chart or the panels, at a design rectangle.
template <typename Label = QLabel>
Label* Placed(ProportionalLayout* layout, const QString& name, const QString& text, QRect twips) {
    auto* label = new Label(text);
    label->setObjectName(name);
    layout->AddAt(label, twips);
    return label;
}

// Object names of the twelve sign cells, by sign; "lblSagattarius" is
// spelled as the control is named.
constexpr std::array<const char*, 12> kSignCellNames = {
    "lblAries", "lblTaurus",  "lblGemini",      "lblCancer",    "lblLeo",      "lblVirgo",
    "lblLibra", "lblScorpio", "lblSagattarius", "lblCapricorn", "lblAquarius", "lblPisces"};

// The number each row's caption keeps in its object name ("PlanetName_16"
// for the ascendant), by Body.
constexpr std::array<int, 10> kPlanetNameIndex = {0, 1, 2, 3, 4, 5, 6, 10, 11, 16};

}  // namespace

void frmDisplay::BuildChartTab(QWidget* page) {
    auto* panels = new ProportionalLayout(page, kPageWidth, kPageHeight);
    chartPanel_ = new QFrame;
    chartPanel_->setObjectName(QStringLiteral("Frame1"));
    chartPanel_->setFrameShape(QFrame::StyledPanel);
    panels->AddAt(chartPanel_, QRect(120, 360 - kTabStrip, 8415, 7215));

    chartBox_ = new QGroupBox(QStringLiteral("Hora"));
    chartBox_->setObjectName(QStringLiteral("fraBirthchart"));
    auto* inFrame = new ProportionalLayout(chartPanel_, 8415, 7215, kChartLeastScale);
    inFrame->AddAt(chartBox_, QRect(150, 140, 8115, 6945));
    BuildChartCells(chartBox_);

    BuildPositionTable(page);
    panels->AddAt(positionsBox_, QRect(8640, 3240 - kTabStrip, 3495, 4335));
    BuildDetails(page);
    panels->AddAt(detailsBox_, QRect(8640, 360 - kTabStrip, 3490, 2775));
    // On a narrow screen the chart shrinks and the positions and details
    // keep their width, so that they show without scrolling sideways.
    panels->KeepRightColumn(8640, kChartLeastScale);
    chartBox_->setVisible(true);
    chartBox_->raise();
    detailsBox_->raise();
}

void frmDisplay::BuildChartCells(QWidget* chart) {
    auto* square = new ProportionalLayout(chart, kChartWidth, kChartHeight, kChartLeastScale);
    const int squareLeft = kCellLeft[0];
    const int squareTop = kCellTop[0];
    // The outlines go in first, so that the texts lie above them.
    for (std::size_t k = 0; k < 12; ++k) {
        const int left = kCellLeft[static_cast<std::size_t>(kChartCellOfSign[k].column)];
        const int top = kCellTop[static_cast<std::size_t>(kChartCellOfSign[k].row)];
        cellOutlines_[k] =
            Outline(square, QStringLiteral("shpHora_%1").arg(84 + static_cast<int>(k)),
                    QRect(left, top, kCellWidth, kCellHeight));
    }
    centreOutline_ = Outline(square, QStringLiteral("Shape1"),
                             QRect(kCellLeft[1], kCellTop[1], 2 * kCellWidth, 2 * kCellHeight));
    squareOutline_ = Outline(square, QStringLiteral("Shape2"),
                             QRect(squareLeft, squareTop, 4 * kCellWidth, 4 * kCellHeight));

    for (std::size_t k = 0; k < 12; ++k) {
        const int left = kCellLeft[static_cast<std::size_t>(kChartCellOfSign[k].column)];
        const int top = kCellTop[static_cast<std::size_t>(kChartCellOfSign[k].row)];
        QLabel* cell = Placed(square, QString::fromLatin1(kSignCellNames[k]), QString(),
                              QRect(left + 60, top + 15, 1305, 1500));
        cell->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        signCells_[k] = cell;

        QLabel* number = Placed(square, QStringLiteral("Hno_%1").arg(k), QString::number(k + 1),
                                QRect(left + kCellWidth - 405, top + 30, 345, 210));
        number->setFont(CourierFont(kTextPoints));
        number->setAlignment(Qt::AlignRight | Qt::AlignTop);
        signNumbers_[k] = number;

        QLabel* tag = Placed(square, QStringLiteral("lblArudha_%1").arg(k), QStringLiteral("A12"),
                             QRect(left + kCellWidth - 600, top + 255, 540, 210));
        tag->setFont(VerdanaFont(kTextPoints, true));
        tag->setAlignment(Qt::AlignRight | Qt::AlignTop);
        padaTags_[k] = tag;
    }

    chartLink_ = new LinkLabel(
        QStringLiteral("Visit %1 to learn more about your chart").arg(WebSiteDisplayName()), chart,
        &OpenHomePage);
    chartLink_->setObjectName(QStringLiteral("Label7"));
    square->AddAt(chartLink_,
                  QRect(kCellLeft[1] + 240, kCellTop[1] + 1200, 2 * kCellWidth - 480, 960));
    chartLink_->setAlignment(Qt::AlignCenter);
    chartLink_->setWordWrap(true);

    vargaNote_ = Placed(square, QStringLiteral("lblVargaNote"), QString(),
                        QRect(kCellLeft[1] + 120, kCellTop[1] + 2280, 2 * kCellWidth - 240, 1020));
    vargaNote_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    vargaNote_->setWordWrap(true);
    vargaNote_->setFont(VerdanaFont(kTextPoints - 1));
    vargaNote_->hide();

    chartFigure_ = new ChartFigureView(chart);
    square->AddAt(chartFigure_, QRect(squareLeft, squareTop, 4 * kCellWidth, 4 * kCellHeight));
    chartFigure_->hide();
}

void frmDisplay::BuildPositionTable(QWidget* page) {
    positionsBox_ = new QGroupBox(DisplayText(kPositionsHeading), page);
    positionsBox_->setObjectName(QStringLiteral("fraWestern"));
    for (std::size_t row = 0; row < kPlanetNameIndex.size(); ++row) {
        const int top = 330 + 390 * static_cast<int>(row);
        PlaceLabel(
            positionsBox_,
            QStringLiteral("PlanetName_%1").arg(kPlanetNameIndex[row]).toLatin1().constData(),
            DisplayText(kPositionLabels[row]), TwipsRect(120, top, 1920, 240));
        positionValues_[row] = new ElidedLabel(QString(), positionsBox_);
        positionValues_[row]->setObjectName(QStringLiteral("planet_%1").arg(row));
        positionValues_[row]->setGeometry(TwipsRect(2100, top, 1320, 240));
    }
    astronomyLine_ = new ElidedLabel(QString(), positionsBox_);
    astronomyLine_->setObjectName(QStringLiteral("lblAstronomy"));
    astronomyLine_->setFont(VerdanaFont(kTextPoints - 1.0));
    astronomyLine_->setGeometry(TwipsRect(120, 4065, 3300, 220));
    astronomyLine_->hide();
}

void frmDisplay::BuildDetails(QWidget* page) {
    detailsBox_ = new QGroupBox(DisplayText(kDetailsHeading), page);
    detailsBox_->setObjectName(QStringLiteral("fraDetails"));

    // Values longer than their line (a long name, a state or country with a
    // long official name) end in "…" with the whole text as tooltip.
    auto value = [this](const char* name, QRect twips) {
        auto* label = new ElidedLabel(QString(), detailsBox_);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(twips);
        return label;
    };
    nameValue_ = value("lblName", TwipsRect(120, 300, 3280, 240));
    nameValue_->setFont(VerdanaFont(kTextPoints, true));

    // The captions are the report's detail labels, in the same order.
    constexpr std::array<std::pair<const char*, const char*>, 7> kRows = {{
        {"Label1", "lblDOB"},
        {"Label14", "lblTOB"},
        {"Label2", "lblLongitude"},
        {"Label9", "lblLatitude"},
        {"Label3", "lblCity"},
        {"Label12", "lblState"},
        {"Label4", "lblCountry"},
    }};
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const int top = 600 + 300 * static_cast<int>(i);
        PlaceLabel(detailsBox_, kRows[i].first, DetailCaption(kDetailLabels[i]),
                   TwipsRect(120, top, 1500, 240));
        detailValues_[i] = value(kRows[i].second, TwipsRect(1650, top, 1780, 240));
    }
}

void frmDisplay::FillChart() {
    for (std::size_t i = 0; i < positionValues_.size(); ++i) {
        positionValues_[i]->setText(DisplayText(report_.positions[i].text));
    }
    ShowChart();
    astronomyLine_->setText(DisplayText(report_.astronomyLine));
    astronomyLine_->setVisible(!report_.astronomyLine.empty());
    nameValue_->setText(DisplayText(report_.name));
    const auto rows = report_.details.Rows();
    for (std::size_t k = 0; k < detailValues_.size(); ++k) {
        detailValues_[k]->setText(DisplayText(rows[k]->text));
    }
}

void frmDisplay::SetPadaTag(std::size_t sign, const QString& text) {
    QLabel* tag = padaTags_[sign];
    tag->setText(text);
    // The tag grows downward so that every line of its caption shows, even
    // past the bottom of its cell.
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    const int needed = lines * tag->fontMetrics().lineSpacing() + 2;
    tag->resize(tag->width(), std::max(TwipsY(210), needed));
    tag->raise();
}

void frmDisplay::ShowChart() {
    const std::array<ChartCell, 12> drawn = DrawnCells(report_, drawing_.allPadas);
    for (std::size_t k = 0; k < signCells_.size(); ++k) {
        signCells_[k]->setText(ColumnCaption(drawn[k].bodies));
        SetPadaTag(k, ColumnCaption(drawn[k].marks));
    }
    // The South Indian chart is its labels and outlines; the other styles
    // are painted over their place.
    const bool south = drawing_.style == ChartStyle::South;
    for (std::size_t k = 0; k < signCells_.size(); ++k) {
        for (QWidget* part :
             {static_cast<QWidget*>(signCells_[k]), static_cast<QWidget*>(padaTags_[k]),
              static_cast<QWidget*>(signNumbers_[k]), static_cast<QWidget*>(cellOutlines_[k])}) {
            part->setVisible(south);
        }
    }
    for (QWidget* part :
         {static_cast<QWidget*>(centreOutline_), static_cast<QWidget*>(squareOutline_),
          static_cast<QWidget*>(chartLink_)}) {
        part->setVisible(south);
    }
    // A divisional chart is named in the chart's caption; D1 keeps "Hora".
    chartBox_->setTitle(report_.vargaCaption.empty() ? QStringLiteral("Hora")
                                                     : DisplayText(report_.vargaCaption));
    vargaNote_->setText(DisplayText(report_.vargaNote));
    vargaNote_->setVisible(south && !report_.vargaNote.empty());
    chartFigure_->setVisible(!south);
    if (!south) {
        chartFigure_->SetReport(report_, drawing_);
        chartFigure_->raise();
    }
}

}  // namespace korvanta
