// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_display.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "report/chart_style.h"
#include "ui/chart_figure_view.h"
#include "ui/elided_label.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

// Client area of the window at its design size, in twips.
constexpr int kWindowWidth = 12735;
constexpr int kWindowHeight = 8850;
constexpr double kTextPoints = 8.0;

}  // namespace

QWidget* frmDisplay::Scrolling(QWidget* page) {
    // The tab keeps the page's name; the page inside is "…Page".
    auto* area = new QScrollArea;
    area->setObjectName(page->objectName());
    page->setObjectName(page->objectName() + QStringLiteral("Page"));
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(page);
    return area;
}

QSize frmDisplay::DesignSize() {
    return {TwipsX(kWindowWidth), TwipsY(kWindowHeight)};
}

QSize frmDisplay::sizeHint() const {
    return DesignSize();
}

frmDisplay::frmDisplay(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(DisplayText(ProgramTitle()));
    setFont(VerdanaFont(kTextPoints));

    // The header above the tabs keeps its lines; the tab pages scroll where
    // the window is smaller than their design.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(TwipsX(240), 0, TwipsX(240), TwipsY(90));
    column->setSpacing(TwipsY(45));
    BuildHeader();

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    column->addWidget(SSTab1, 1);
    auto* chartPage = new QWidget;
    chartPage->setObjectName(QStringLiteral("tabChart"));
    auto* detailsPage = new QWidget;
    detailsPage->setObjectName(QStringLiteral("tabDetails"));
    SSTab1->addTab(Scrolling(chartPage), DisplayText(kChartHeading));
    SSTab1->addTab(Scrolling(detailsPage), DisplayText(kProfileHeading));
    auto* padasPage = new QWidget;
    padasPage->setObjectName(QStringLiteral("tabPadas"));
    SSTab1->addTab(Scrolling(padasPage), DisplayText(kPadasHeading));
    BuildChartTab(chartPage);
    BuildProfileTab(detailsPage);
    BuildPadasTab(padasPage);
    SSTab1->setCurrentIndex(kDetailsTab);
}

void frmDisplay::BuildHeader() {
    auto line = [this](const char* name, const QString& text) {
        auto* label = new ElidedLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
    dsd[2] = line("dsd_2", DisplayText(kSignificanceHeading));
    dsd[2]->setFont(VerdanaFont(kTextPoints, true));
    Label8[3] = line("Label8_3", DisplayText(kSignificanceText));
    Label10 = line("Label10", DisplayText(kHouseSignificanceHeading));
    Label10->setFont(VerdanaFont(kTextPoints, true));
    lblHoraDesc = new QLabel(this);
    lblHoraDesc->setObjectName(QStringLiteral("lblHoraDesc"));
    lblHoraDesc->setWordWrap(true);
    lblHoraDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblHoraDesc->setMinimumHeight(TwipsY(375));

    Label5 = line("Label5", QStringLiteral("Talk about your chart in our forum"));
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6 = new LinkLabel(WebSiteDisplayName(), this, &OpenHomePage);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6->setStyleSheet(QStringLiteral("color: #1a4fa0;"));

    auto* header = new QGridLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->setVerticalSpacing(0);
    header->addWidget(dsd[2], 0, 0);
    header->addWidget(Label5, 0, 1);
    header->addWidget(Label8[3], 1, 0);
    header->addWidget(Label6, 1, 1);
    header->addWidget(Label10, 2, 0, 1, 2);
    header->addWidget(lblHoraDesc, 3, 0, 1, 2);
    // The left texts take the room the design gives them: 7800 of 12255.
    header->setColumnStretch(0, 7800);
    header->setColumnStretch(1, 4455);
    static_cast<QVBoxLayout*>(layout())->addLayout(header);
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

void frmDisplay::Fill(const ChartReport& report, const ChartDrawing& drawing) {
    for (std::size_t i = 0; i < planet.size(); ++i) {
        planet[i]->setText(DisplayText(report.positions[i].text));
    }
    report_ = report;
    drawing_ = drawing;
    ShowChart();
    lblAstronomy->setText(DisplayText(report.astronomyLine));
    lblAstronomy->setVisible(!report.astronomyLine.empty());

    lblName->setText(DisplayText(report.name));
    const std::array<QLabel*, 7> details = {lblDOB,  lblTOB,   lblLongitude, lblLatitude,
                                            lblCity, lblState, lblCountry};
    const auto rows = report.details.Rows();
    for (std::size_t k = 0; k < details.size(); ++k) {
        details[k]->setText(DisplayText(rows[k]->text));
    }

    lblHoraDesc->setText(DisplayText(report.ulReading));
    FillProfile(report);
    FillPadas(report.padas);
    // The pada table names the divisional chart whose padas it lists.
    fraPadas->setTitle(report.vargaCaption.empty()
                           ? DisplayText(kArudhaPadasHeading)
                           : DisplayText(kArudhaPadasHeading) + QStringLiteral(" \u2014 ") +
                                 DisplayText(report.vargaCaption));
}

void frmDisplay::SetChartDrawing(const ChartDrawing& drawing) {
    drawing_ = drawing;
    ShowChart();
}

void frmDisplay::ShowChart() {
    const std::array<ChartCell, 12> drawn = DrawnCells(report_, drawing_.allPadas);
    const auto cells = SignCells();
    for (std::size_t k = 0; k < cells.size(); ++k) {
        cells[k]->setText(ColumnCaption(drawn[k].bodies));
        SetArudhaCaption(static_cast<int>(k), ColumnCaption(drawn[k].marks));
    }
    // The South Indian chart is its labels and outlines; the other styles
    // are painted over their place.
    const bool south = drawing_.style == ChartStyle::South;
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
    // A divisional chart is named in the chart's caption; D1 keeps "Hora".
    fraBirthchart->setTitle(report_.vargaCaption.empty() ? QStringLiteral("Hora")
                                                         : DisplayText(report_.vargaCaption));
    lblVargaNote->setText(DisplayText(report_.vargaNote));
    lblVargaNote->setVisible(south && !report_.vargaNote.empty());
    chartFigure->setVisible(!south);
    if (!south) {
        chartFigure->SetReport(report_, drawing_);
        chartFigure->raise();
    }
}

}  // namespace korvanta
