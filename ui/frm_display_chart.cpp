// SPDX-License-Identifier: GPL-3.0-or-later
// The first tab of the result window: the fixed-sign chart, the planetary
// positions and the birth details.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

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

// The chart's cells, in twips within the inside of fraBirthchart (below its
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

// The index each row's caption keeps in the PlanetName array, by Body.
constexpr std::array<int, 10> kPlanetNameIndex = {0, 1, 2, 3, 4, 5, 6, 10, 11, 16};

}  // namespace

void frmDisplay::BuildChartTab(QWidget* page) {
    auto* panels = new ProportionalLayout(page, kPageWidth, kPageHeight);
    Frame1 = new QFrame;
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    panels->AddAt(Frame1, QRect(120, 360 - kTabStrip, 8415, 7215));

    fraBirthchart = new QGroupBox(QStringLiteral("Hora"));
    fraBirthchart->setObjectName(QStringLiteral("fraBirthchart"));
    auto* inFrame = new ProportionalLayout(Frame1, 8415, 7215, kChartLeastScale);
    inFrame->AddAt(fraBirthchart, QRect(150, 140, 8115, 6945));
    BuildChartCells(fraBirthchart);

    BuildPositionTable(page);
    panels->AddAt(fraWestern, QRect(8640, 3240 - kTabStrip, 3495, 4335));
    BuildDetails(page);
    panels->AddAt(fraDetails, QRect(8640, 360 - kTabStrip, 3490, 2775));
}

void frmDisplay::BuildChartCells(QWidget* chart) {
    QLabel** const cellMembers[12] = {&lblAries,       &lblTaurus,    &lblGemini,   &lblCancer,
                                      &lblLeo,         &lblVirgo,     &lblLibra,    &lblScorpio,
                                      &lblSagattarius, &lblCapricorn, &lblAquarius, &lblPisces};
    auto* square = new ProportionalLayout(chart, kChartWidth, kChartHeight, kChartLeastScale);
    const int squareLeft = kCellLeft[0];
    const int squareTop = kCellTop[0];
    // The outlines go in first, so that the texts lie above them.
    for (std::size_t k = 0; k < 12; ++k) {
        const int left = kCellLeft[static_cast<std::size_t>(kChartCellOfSign[k].column)];
        const int top = kCellTop[static_cast<std::size_t>(kChartCellOfSign[k].row)];
        shpHora[k] = Outline(square, QStringLiteral("shpHora_%1").arg(84 + static_cast<int>(k)),
                             QRect(left, top, kCellWidth, kCellHeight));
    }
    Shape1 = Outline(square, QStringLiteral("Shape1"),
                     QRect(kCellLeft[1], kCellTop[1], 2 * kCellWidth, 2 * kCellHeight));
    Shape2 = Outline(square, QStringLiteral("Shape2"),
                     QRect(squareLeft, squareTop, 4 * kCellWidth, 4 * kCellHeight));

    for (std::size_t k = 0; k < 12; ++k) {
        const int left = kCellLeft[static_cast<std::size_t>(kChartCellOfSign[k].column)];
        const int top = kCellTop[static_cast<std::size_t>(kChartCellOfSign[k].row)];
        QLabel* cell = Placed(square, QString::fromLatin1(kSignCellNames[k]), QString(),
                              QRect(left + 60, top + 15, 1305, 1500));
        cell->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        *cellMembers[k] = cell;

        Hno[k] = Placed(square, QStringLiteral("Hno_%1").arg(k), QString::number(k + 1),
                        QRect(left + kCellWidth - 405, top + 30, 345, 210));
        Hno[k]->setFont(CourierFont(kTextPoints));
        Hno[k]->setAlignment(Qt::AlignRight | Qt::AlignTop);

        lblArudha[k] = Placed(square, QStringLiteral("lblArudha_%1").arg(k), QStringLiteral("A12"),
                              QRect(left + kCellWidth - 600, top + 255, 540, 210));
        lblArudha[k]->setFont(VerdanaFont(kTextPoints, true));
        lblArudha[k]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    }

    Label7 = new LinkLabel(
        QStringLiteral("Visit %1 to learn more about your chart").arg(WebSiteDisplayName()), chart,
        &OpenHomePage);
    Label7->setObjectName(QStringLiteral("Label7"));
    square->AddAt(Label7, QRect(kCellLeft[1] + 240, kCellTop[1] + 1200, 2 * kCellWidth - 480, 960));
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setWordWrap(true);
    Label7->setStyleSheet(QStringLiteral("color: #1a4fa0;"));

    lblVargaNote =
        Placed(square, QStringLiteral("lblVargaNote"), QString(),
               QRect(kCellLeft[1] + 120, kCellTop[1] + 2280, 2 * kCellWidth - 240, 1020));
    lblVargaNote->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblVargaNote->setWordWrap(true);
    lblVargaNote->setFont(VerdanaFont(kTextPoints - 1));
    lblVargaNote->hide();

    chartFigure = new ChartFigureView(chart);
    square->AddAt(chartFigure, QRect(squareLeft, squareTop, 4 * kCellWidth, 4 * kCellHeight));
    chartFigure->hide();
}

void frmDisplay::BuildPositionTable(QWidget* page) {
    fraWestern = new QGroupBox(DisplayText(kPositionsHeading), page);
    fraWestern->setObjectName(QStringLiteral("fraWestern"));
    for (std::size_t row = 0; row < kPlanetNameIndex.size(); ++row) {
        const int top = 330 + 390 * static_cast<int>(row);
        PlanetName[row] = PlaceLabel(
            fraWestern,
            QStringLiteral("PlanetName_%1").arg(kPlanetNameIndex[row]).toLatin1().constData(),
            DisplayText(kPositionLabels[row]), TwipsRect(120, top, 1920, 240));
        planet[row] = new ElidedLabel(QString(), fraWestern);
        planet[row]->setObjectName(QStringLiteral("planet_%1").arg(row));
        planet[row]->setGeometry(TwipsRect(2100, top, 1320, 240));
    }
    lblAstronomy = new ElidedLabel(QString(), fraWestern);
    lblAstronomy->setObjectName(QStringLiteral("lblAstronomy"));
    lblAstronomy->setFont(VerdanaFont(kTextPoints - 1.0));
    lblAstronomy->setGeometry(TwipsRect(120, 4065, 3300, 220));
    lblAstronomy->hide();
}

void frmDisplay::BuildDetails(QWidget* page) {
    fraDetails = new QGroupBox(DisplayText(kDetailsHeading), page);
    fraDetails->setObjectName(QStringLiteral("fraDetails"));

    // Values longer than their line (a long name, a state or country with a
    // long official name) end in "…" with the whole text as tooltip.
    auto value = [this](const char* name, QRect twips) {
        auto* label = new ElidedLabel(QString(), fraDetails);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(twips);
        return label;
    };
    lblName = value("lblName", TwipsRect(120, 300, 3280, 240));
    lblName->setFont(VerdanaFont(kTextPoints, true));

    struct DetailRow {
        QLabel* frmDisplay::*caption;
        const char* captionName;
        QLabel* frmDisplay::*value;
        const char* valueName;
    };
    // The captions are the report's detail labels, in the same order.
    const std::array<DetailRow, 7> rows = {{
        {&frmDisplay::Label1, "Label1", &frmDisplay::lblDOB, "lblDOB"},
        {&frmDisplay::Label14, "Label14", &frmDisplay::lblTOB, "lblTOB"},
        {&frmDisplay::Label2, "Label2", &frmDisplay::lblLongitude, "lblLongitude"},
        {&frmDisplay::Label9, "Label9", &frmDisplay::lblLatitude, "lblLatitude"},
        {&frmDisplay::Label3, "Label3", &frmDisplay::lblCity, "lblCity"},
        {&frmDisplay::Label12, "Label12", &frmDisplay::lblState, "lblState"},
        {&frmDisplay::Label4, "Label4", &frmDisplay::lblCountry, "lblCountry"},
    }};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int top = 600 + 300 * static_cast<int>(i);
        this->*rows[i].caption =
            PlaceLabel(fraDetails, rows[i].captionName, DetailCaption(kDetailLabels[i]),
                       TwipsRect(120, top, 1500, 240));
        this->*rows[i].value = value(rows[i].valueName, TwipsRect(1650, top, 1780, 240));
    }
}

}  // namespace korvanta
