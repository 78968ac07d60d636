// SPDX-License-Identifier: GPL-3.0-or-later
// The first tab of the result window: the fixed-sign chart, the planetary
// positions and the birth details.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

#include "ui/chart_figure_view.h"
#include "ui/frm_display.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

constexpr double kTextPoints = 8.0;

// Panels inside a tab are placed below the tab strip, which is this high.
constexpr int kTabStrip = 360;

// The chart's cells, in twips within fraBirthchart. The top row starts below
// the panel's caption.
constexpr int kCellWidth = 1965;
constexpr int kCellHeight = 1680;
constexpr std::array<int, 4> kCellLeft = {120, 2085, 4050, 6015};
constexpr std::array<int, 4> kCellTop = {195, 1875, 3555, 5235};

QFrame* Outline(QWidget* parent, const QString& name, QRect pixels) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(1);
    frame->setGeometry(pixels);
    return frame;
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
    Frame1 = new QFrame(page);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setGeometry(TwipsRect(120, 360 - kTabStrip, 8415, 7215));

    fraBirthchart = new QGroupBox(QStringLiteral("Hora"), Frame1);
    fraBirthchart->setObjectName(QStringLiteral("fraBirthchart"));
    fraBirthchart->setGeometry(TwipsRect(150, 140, 8115, 6945));
    BuildChartCells(fraBirthchart);

    BuildPositionTable(page);
    BuildDetails(page);
}

void frmDisplay::BuildChartCells(QWidget* chart) {
    QLabel** const cellMembers[12] = {&lblAries,       &lblTaurus,    &lblGemini,   &lblCancer,
                                      &lblLeo,         &lblVirgo,     &lblLibra,    &lblScorpio,
                                      &lblSagattarius, &lblCapricorn, &lblAquarius, &lblPisces};
    for (std::size_t k = 0; k < 12; ++k) {
        const int left = kCellLeft[static_cast<std::size_t>(kChartCellOfSign[k].column)];
        const int top = kCellTop[static_cast<std::size_t>(kChartCellOfSign[k].row)];
        shpHora[k] = Outline(chart, QStringLiteral("shpHora_%1").arg(84 + static_cast<int>(k)),
                             TwipsRect(left, top, kCellWidth, kCellHeight));

        QLabel* cell = PlaceLabel(chart, kSignCellNames[k], QString(),
                                  TwipsRect(left + 60, top + 15, 1305, 1500));
        cell->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        *cellMembers[k] = cell;

        Hno[k] = PlaceLabel(chart, QStringLiteral("Hno_%1").arg(k).toLatin1().constData(),
                            QString::number(k + 1),
                            TwipsRect(left + kCellWidth - 405, top + 30, 345, 210));
        Hno[k]->setFont(CourierFont(kTextPoints));
        Hno[k]->setAlignment(Qt::AlignRight | Qt::AlignTop);

        lblArudha[k] = PlaceLabel(
            chart, QStringLiteral("lblArudha_%1").arg(k).toLatin1().constData(),
            QStringLiteral("A12"), TwipsRect(left + kCellWidth - 600, top + 255, 540, 210));
        lblArudha[k]->setFont(VerdanaFont(kTextPoints, true));
        lblArudha[k]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    }

    const int squareLeft = kCellLeft[0];
    const int squareTop = kCellTop[0];
    Shape1 = Outline(chart, QStringLiteral("Shape1"),
                     TwipsRect(kCellLeft[1], kCellTop[1], 2 * kCellWidth, 2 * kCellHeight));
    Shape2 = Outline(chart, QStringLiteral("Shape2"),
                     TwipsRect(squareLeft, squareTop, 4 * kCellWidth, 4 * kCellHeight));

    Label7 = new LinkLabel(
        QStringLiteral("Visit %1 to learn more about your chart").arg(WebSiteDisplayName()), chart,
        &OpenHomePage);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setGeometry(
        TwipsRect(kCellLeft[1] + 240, kCellTop[1] + 1200, 2 * kCellWidth - 480, 960));
    Label7->setAlignment(Qt::AlignCenter);
    Label7->setWordWrap(true);
    Label7->setStyleSheet(QStringLiteral("color: #1a4fa0;"));

    chartFigure = new ChartFigureView(chart);
    chartFigure->setGeometry(TwipsRect(squareLeft, squareTop, 4 * kCellWidth, 4 * kCellHeight));
    chartFigure->hide();
}

void frmDisplay::BuildPositionTable(QWidget* page) {
    fraWestern = new QGroupBox(DisplayText(kPositionsHeading), page);
    fraWestern->setObjectName(QStringLiteral("fraWestern"));
    fraWestern->setGeometry(TwipsRect(8640, 3240 - kTabStrip, 3495, 4335));
    for (std::size_t row = 0; row < kPlanetNameIndex.size(); ++row) {
        const int top = 330 + 390 * static_cast<int>(row);
        PlanetName[row] = PlaceLabel(
            fraWestern,
            QStringLiteral("PlanetName_%1").arg(kPlanetNameIndex[row]).toLatin1().constData(),
            DisplayText(kPositionLabels[row]), TwipsRect(120, top, 1920, 240));
        planet[row] =
            PlaceLabel(fraWestern, QStringLiteral("planet_%1").arg(row).toLatin1().constData(),
                       QString(), TwipsRect(2100, top, 1320, 240));
    }
}

void frmDisplay::BuildDetails(QWidget* page) {
    fraDetails = new QGroupBox(DisplayText(kDetailsHeading), page);
    fraDetails->setObjectName(QStringLiteral("fraDetails"));
    fraDetails->setGeometry(TwipsRect(8640, 360 - kTabStrip, 3490, 2775));

    lblName = PlaceLabel(fraDetails, "lblName", QString(), TwipsRect(120, 300, 3280, 240));
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
            PlaceLabel(fraDetails, rows[i].captionName, DisplayText(kDetailLabels[i]),
                       TwipsRect(120, top, 1500, 240));
        this->*rows[i].value =
            PlaceLabel(fraDetails, rows[i].valueName, QString(), TwipsRect(1650, top, 1780, 240));
    }
}

}  // namespace korvanta
