// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_display.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/elided_label.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/twips.h"
#include "ui/wrapped_label.h"

namespace korvanta {

namespace {

// Client area of the window at its design size, in twips.
constexpr int kWindowWidth = 12735;
constexpr int kWindowHeight = 8850;
constexpr double kTextPoints = 8.0;

}  // namespace

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

    // Which moment the tabs show, when it is not the entered birth: in the
    // palette's selection colours, readable in light and dark themes.
    momentNote_ = new QLabel(this);
    momentNote_->setObjectName(QStringLiteral("lblMomentNote"));
    momentNote_->setFont(VerdanaFont(kTextPoints, true));
    momentNote_->setWordWrap(true);
    momentNote_->setMargin(TwipsY(30));
    momentNote_->setAutoFillBackground(true);
    momentNote_->setBackgroundRole(QPalette::Highlight);
    momentNote_->setForegroundRole(QPalette::HighlightedText);
    momentNote_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    momentNote_->hide();
    column->addWidget(momentNote_);

    tabWidget_ = new QTabWidget(this);
    tabWidget_->setObjectName(QStringLiteral("SSTab1"));
    column->addWidget(tabWidget_, 1);
    AddTab(kChartTab, DisplayText(kChartHeading), QStringLiteral("tabChart"),
           [this](QScrollArea* area) {
               OwnPage(area, "tabChartPage", &frmDisplay::BuildChartTab, &frmDisplay::FillChart);
           });
    AddTab(kDetailsTab, DisplayText(kProfileHeading), QStringLiteral("tabDetails"),
           [this](QScrollArea* area) {
               OwnPage(area, "tabDetailsPage", &frmDisplay::BuildProfileTab,
                       &frmDisplay::FillProfile);
           });
    AddTab(kPadasTab, DisplayText(kPadasHeading), QStringLiteral("tabPadas"),
           [this](QScrollArea* area) {
               OwnPage(area, "tabPadasPage", &frmDisplay::BuildPadasTab, &frmDisplay::FillPadas);
           });
    ShowTab(kDetailsTab);
    // From now on a tab's page is built when it is opened.
    connect(tabWidget_, &QTabWidget::currentChanged, this, [this](int index) { Page(index); });
}

void frmDisplay::AddTab(int index, const QString& title, const QString& name,
                        std::function<void(QScrollArea*)> make) {
    // The tab keeps the page's name; the page inside is "…Page". It
    // scrolls, so that a window smaller than the page's design scrolls the
    // page rather than cut it.
    auto* area = new QScrollArea;
    area->setObjectName(name);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    index = std::clamp(index, 0, static_cast<int>(tabs_.size()));
    tabs_.insert(tabs_.begin() + index, Tab{area, std::move(make)});
    const QSignalBlocker quiet(tabWidget_);
    tabWidget_->insertTab(index, area, title);
}

void frmDisplay::ShowTab(int index) {
    Page(index);
    tabWidget_->setCurrentIndex(index);
}

bool frmDisplay::IsBuilt(int index) const {
    return tabs_[static_cast<std::size_t>(index)].area->widget() != nullptr;
}

int frmDisplay::OpenTab() const {
    return tabWidget_->currentIndex();
}

QWidget* frmDisplay::Page(int index) {
    if (index < 0 || index >= static_cast<int>(tabs_.size())) return nullptr;
    Tab& tab = tabs_[static_cast<std::size_t>(index)];
    if (tab.area->widget() == nullptr) tab.make(tab.area);
    return tab.area->widget();
}

QSize frmDisplay::OpenPageShortfall() const {
    const auto* area = qobject_cast<const QScrollArea*>(tabWidget_->currentWidget());
    if (area == nullptr) return {};
    return {area->horizontalScrollBar()->maximum(), area->verticalScrollBar()->maximum()};
}

void frmDisplay::OwnPage(QScrollArea* area, const char* name, void (frmDisplay::*build)(QWidget*),
                         void (frmDisplay::*fill)()) {
    // In its place before it is built, so that its widgets take the
    // window's font as they are made.
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    area->setWidget(page);
    (this->*build)(page);
    if (filled_) (this->*fill)();
}

void frmDisplay::BuildHeader() {
    auto line = [this](const char* name, const QString& text) {
        auto* label = new ElidedLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
    QLabel* significanceHeading = line("dsd_2", DisplayText(kSignificanceHeading));
    significanceHeading->setFont(VerdanaFont(kTextPoints, true));
    QLabel* significance = line("Label8_3", DisplayText(kSignificanceText));
    QLabel* houseHeading = line("Label10", DisplayText(kHouseSignificanceHeading));
    houseHeading->setFont(VerdanaFont(kTextPoints, true));
    houseReading_ = new WrappedLabel(this);
    houseReading_->setObjectName(QStringLiteral("lblHoraDesc"));
    houseReading_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    houseReading_->setMinimumHeight(TwipsY(375));

    QLabel* forumNote = line("Label5", QStringLiteral("Talk about your chart in our forum"));
    forumNote->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* homePageLink = new LinkLabel(WebSiteDisplayName(), this, &OpenHomePage);
    homePageLink->setObjectName(QStringLiteral("Label6"));
    homePageLink->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* header = new QGridLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->setVerticalSpacing(0);
    header->addWidget(significanceHeading, 0, 0);
    header->addWidget(forumNote, 0, 1);
    header->addWidget(significance, 1, 0);
    header->addWidget(homePageLink, 1, 1);
    header->addWidget(houseHeading, 2, 0, 1, 2);
    header->addWidget(houseReading_, 3, 0, 1, 2);
    // The left texts take the room the design gives them: 7800 of 12255.
    header->setColumnStretch(0, 7800);
    header->setColumnStretch(1, 4455);
    static_cast<QVBoxLayout*>(layout())->addLayout(header);
}

void frmDisplay::SetMomentNote(const QString& note) {
    momentNote_->setText(note);
    momentNote_->setVisible(!note.isEmpty());
}

void frmDisplay::Fill(const ChartReport& report, const ChartDrawing& drawing) {
    report_ = report;
    drawing_ = drawing;
    filled_ = true;
    houseReading_->setText(DisplayText(report.ulReading));
    if (IsBuilt(kChartTab)) FillChart();
    if (IsBuilt(kDetailsTab)) FillProfile();
    if (IsBuilt(kPadasTab)) FillPadas();
}

void frmDisplay::SetChartDrawing(const ChartDrawing& drawing) {
    drawing_ = drawing;
    if (IsBuilt(kChartTab)) ShowChart();
}

}  // namespace korvanta
