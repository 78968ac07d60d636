// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_display.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <algorithm>

#include "report/chart_style.h"
#include "ui/chart_figure_view.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

// Client area of the window, in twips.
constexpr int kWindowWidth = 12735;
constexpr int kWindowHeight = 8850;
constexpr double kTextPoints = 8.0;

}  // namespace

frmDisplay::frmDisplay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(DisplayText(ProgramTitle()));
    setFont(VerdanaFont(kTextPoints));
    setFixedSize(TwipsX(kWindowWidth), TwipsY(kWindowHeight));

    BuildHeader();

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(TwipsRect(240, 1080, 12255, 7680));
    auto* chartPage = new QWidget;
    chartPage->setObjectName(QStringLiteral("tabChart"));
    auto* detailsPage = new QWidget;
    detailsPage->setObjectName(QStringLiteral("tabDetails"));
    SSTab1->addTab(chartPage, DisplayText(kChartHeading));
    SSTab1->addTab(detailsPage, DisplayText(kProfileHeading));
    auto* padasPage = new QWidget;
    padasPage->setObjectName(QStringLiteral("tabPadas"));
    SSTab1->addTab(padasPage, DisplayText(kPadasHeading));
    BuildChartTab(chartPage);
    BuildProfileTab(detailsPage);
    BuildPadasTab(padasPage);
    SSTab1->setCurrentIndex(kDetailsTab);
}

void frmDisplay::BuildHeader() {
    dsd[2] =
        PlaceLabel(this, "dsd_2", DisplayText(kSignificanceHeading), TwipsRect(240, 0, 6000, 240));
    dsd[2]->setFont(VerdanaFont(kTextPoints, true));
    Label8[3] = PlaceLabel(this, "Label8_3", DisplayText(kSignificanceText),
                           TwipsRect(240, 240, 7800, 240));
    Label10 = PlaceLabel(this, "Label10", DisplayText(kHouseSignificanceHeading),
                         TwipsRect(240, 480, 7800, 240));
    Label10->setFont(VerdanaFont(kTextPoints, true));
    lblHoraDesc = PlaceLabel(this, "lblHoraDesc", QString(), TwipsRect(240, 705, 12255, 390));
    lblHoraDesc->setWordWrap(true);
    lblHoraDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label5 = PlaceLabel(this, "Label5", QStringLiteral("Talk about your chart in our forum"),
                        TwipsRect(7200, 0, 5295, 240));
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6 = new LinkLabel(WebSiteDisplayName(), this, &OpenHomePage);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(TwipsRect(8400, 240, 4095, 240));
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6->setStyleSheet(QStringLiteral("color: #1a4fa0;"));
}

std::array<QLabel*, 12> frmDisplay::SignCells() const {
    return {lblAries, lblTaurus,  lblGemini,      lblCancer,    lblLeo,      lblVirgo,
            lblLibra, lblScorpio, lblSagattarius, lblCapricorn, lblAquarius, lblPisces};
}

void frmDisplay::SetArudhaCaption(int sign, const QString& text) {
    QLabel* tag = lblArudha[static_cast<std::size_t>(sign)];
    tag->setText(text);
    // The tag grows downward so that every line of its caption shows, even
    // past the bottom of its cell.
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    const int needed = lines * tag->fontMetrics().lineSpacing() + 2;
    tag->resize(tag->width(), std::max(TwipsY(210), needed));
    tag->raise();
}

void frmDisplay::Fill(const ChartReport& report) {
    for (std::size_t i = 0; i < planet.size(); ++i) {
        planet[i]->setText(DisplayText(report.positions[i].text));
    }
    report_ = report;
    ShowChart();

    lblName->setText(DisplayText(report.name));
    const std::array<QLabel*, 7> details = {lblDOB,  lblTOB,   lblLongitude, lblLatitude,
                                            lblCity, lblState, lblCountry};
    for (std::size_t k = 0; k < details.size(); ++k) {
        details[k]->setText(DisplayText(report.details[k].text));
    }

    lblHoraDesc->setText(DisplayText(report.ulReading));
    FillProfile(report);
    FillPadas(report.padas);
}

void frmDisplay::SetChartDrawing(const ChartDrawing& drawing) {
    report_.drawing = drawing;
    ShowChart();
}

void frmDisplay::ShowChart() {
    const std::array<ChartCell, 12> drawn = DrawnCells(report_, report_.drawing.allPadas);
    const auto cells = SignCells();
    for (std::size_t k = 0; k < cells.size(); ++k) {
        cells[k]->setText(DisplayText(BodyCaption(drawn[k])));
        SetArudhaCaption(static_cast<int>(k), DisplayText(MarkCaption(drawn[k])));
    }
    // The South Indian chart is its labels and outlines; the other styles
    // are painted over their place.
    const bool south = report_.drawing.style == ChartStyle::South;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        for (QWidget* part : {static_cast<QWidget*>(cells[k]), static_cast<QWidget*>(lblArudha[k]),
                              static_cast<QWidget*>(Hno[k]), static_cast<QWidget*>(shpHora[k])}) {
            part->setVisible(south);
        }
    }
    for (QWidget* part : {static_cast<QWidget*>(Shape1), static_cast<QWidget*>(Shape2),
                          static_cast<QWidget*>(Label7)}) {
        part->setVisible(south);
    }
    chartFigure->setVisible(!south);
    if (!south) {
        chartFigure->SetReport(report_);
        chartFigure->raise();
    }
}

}  // namespace korvanta
