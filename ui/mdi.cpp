// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mdi.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "report/chart_style.h"

#include "ui/export_dialogs.h"
#include "ui/frame_layout.h"
#include "ui/frm_display.h"
#include "ui/help_menu.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

const QColor kFrameColour(75, 75, 150);
constexpr int kStripHeight = 900;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 405;
constexpr int kExitRightGap = 300;
constexpr int kButtonGap = 100;

// The settings store's keys of the View menu's choices, in the section of
// the update reminder's date.
constexpr const char* kChartStyleKey = "Settings/ChartStyle";
constexpr const char* kShowAllPadasKey = "Settings/ShowAllPadas";

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MDI::MDI(QWidget* parent)
    : QMainWindow(parent),
      realDialogs_(std::make_unique<QtExportDialogs>()),
      dialogs_(realDialogs_.get()) {
    setObjectName(QStringLiteral("MDI"));
    setWindowTitle(DisplayText(ProgramTitle()));
    setFont(VerdanaFont(8.0));

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    BuildStrip();
    column->addWidget(picTop);
    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setBackground(kFrameColour);
    mdiArea->installEventFilter(this);
    column->addWidget(mdiArea, 1);
    setCentralWidget(central);
    BuildMenus();
}

void MDI::BuildStrip() {
    picTop = new QWidget;
    picTop->setObjectName(QStringLiteral("picTop"));
    picTop->setFixedHeight(TwipsY(kStripHeight));
    picTop->setAutoFillBackground(true);
    QPalette colours = picTop->palette();
    colours.setColor(QPalette::Window, kFrameColour);
    colours.setColor(QPalette::WindowText, Qt::white);
    picTop->setPalette(colours);
    picTop->installEventFilter(this);

    Picture1 = new QLabel(picTop);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    const int logoSide = TwipsY(720);
    Picture1->setPixmap(
        QIcon(QStringLiteral(":/korvanta/korvanta.svg")).pixmap(logoSide, logoSide));
    Picture1->setGeometry(TwipsX(120), TwipsY(90), logoSide, logoSide);

    Label2 = new QLabel(QStringLiteral("Korvanta"), picTop);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(VerdanaFont(16.0, true));
    Label2->setGeometry(TwipsRect(960, 150, 2400, 600));

    Label10 = new LinkLabel(
        QStringLiteral(
            "Home Business Opportunity. Offer Korvanta on your site under your own name."),
        picTop, &OpenFullBrandPage);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setWordWrap(true);
    Label10->setGeometry(TwipsRect(3480, 150, 5200, 600));
    Label10->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    cmdBack = new QPushButton(QStringLiteral("&Back"), picTop);
    cmdBack->setObjectName(QStringLiteral("cmdBack"));
    cmdExit = new QPushButton(QStringLiteral("E&xit"), picTop);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    for (QPushButton* button : {cmdBack, cmdExit}) {
        button->resize(TwipsX(kButtonWidth), TwipsY(kButtonHeight));
        button->move(0, (TwipsY(kStripHeight) - button->height()) / 2);
    }
    connect(cmdBack, &QPushButton::clicked, this, &MDI::backRequested);
    connect(cmdExit, &QPushButton::clicked, this, &MDI::endProgramRequested);
}

void MDI::BuildMenus() {
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuBack = mnuFile->addAction(QStringLiteral("&Back"));
    mnuBack->setObjectName(QStringLiteral("mnuBack"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
    mnuSaveImage = mnuFile->addAction(QStringLiteral("Save Chart As &Image\u2026"));
    mnuSaveImage->setObjectName(QStringLiteral("mnuSaveImage"));
    mnuSavePdf = mnuFile->addAction(QStringLiteral("Save Chart As P&DF\u2026"));
    mnuSavePdf->setObjectName(QStringLiteral("mnuSavePdf"));
    mnuPrint = mnuFile->addAction(QStringLiteral("&Print\u2026"));
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnuPrint->setShortcut(QKeySequence::Print);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSep2"));
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuBack, &QAction::triggered, this, &MDI::backRequested);
    connect(mnuSaveImage, &QAction::triggered, this, &MDI::SaveChartImage);
    connect(mnuSavePdf, &QAction::triggered, this, &MDI::SaveChartPdf);
    connect(mnuPrint, &QAction::triggered, this, &MDI::PrintChart);
    connect(mnuExit, &QAction::triggered, this, &MDI::endProgramRequested);
    BuildViewMenu();
    AddHelpMenu(menuBar(), this, "mnuHelpSep1", "mnuHelpSep2");
}

void MDI::BuildViewMenu() {
    mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuChartStyle = mnuView->addMenu(QStringLiteral("Chart &Style"));
    mnuChartStyle->setObjectName(QStringLiteral("mnuChartStyle"));
    auto* styles = new QActionGroup(this);
    styles->setExclusive(true);
    constexpr std::array<const char*, 3> names = {"mnuStyleSouth", "mnuStyleNorth",
                                                  "mnuStyleEast"};
    for (std::size_t k = 0; k < mnuStyle.size(); ++k) {
        QAction* action = mnuChartStyle->addAction(FromView(kChartStyleNames[k]));
        action->setObjectName(QString::fromLatin1(names[k]));
        action->setCheckable(true);
        styles->addAction(action);
        connect(action, &QAction::triggered, this, [this, k] {
            ChooseDrawing({static_cast<ChartStyle>(k), drawing_.allPadas});
        });
        mnuStyle[k] = action;
    }
    mnuShowAllPadas = mnuView->addAction(QStringLiteral("Show &All Padas"));
    mnuShowAllPadas->setObjectName(QStringLiteral("mnuShowAllPadas"));
    mnuShowAllPadas->setCheckable(true);
    connect(mnuShowAllPadas, &QAction::triggered, this,
            [this](bool on) { ChooseDrawing({drawing_.style, on}); });
    ShowDrawingInMenu();
}

void MDI::ShowDrawingInMenu() {
    mnuStyle[static_cast<std::size_t>(drawing_.style)]->setChecked(true);
    mnuShowAllPadas->setChecked(drawing_.allPadas);
}

void MDI::SetSettingsStore(QSettings* settings) {
    settings_ = settings;
    if (settings_ == nullptr) return;
    ChartDrawing stored;
    // An unknown word counts as no choice: the South Indian chart.
    stored.style = ChartStyleOfKey(settings_->value(QString::fromLatin1(kChartStyleKey))
                                       .toString()
                                       .toStdString())
                       .value_or(ChartStyle::South);
    // Only the word the program writes turns the tags on.
    const QString padas = settings_->value(QString::fromLatin1(kShowAllPadasKey)).toString();
    stored.allPadas = padas == QStringLiteral("true");
    SetDrawing(stored);
}

void MDI::SetDrawing(const ChartDrawing& drawing) {
    drawing_ = drawing;
    ShowDrawingInMenu();
    if (page_) page_->drawing = drawing_;
    if (display_ != nullptr) display_->SetChartDrawing(drawing_);
}

void MDI::ChooseDrawing(const ChartDrawing& drawing) {
    SetDrawing(drawing);
    if (settings_ == nullptr) return;
    settings_->setValue(QString::fromLatin1(kChartStyleKey),
                        FromView(ChartStyleKey(drawing.style)));
    settings_->setValue(QString::fromLatin1(kShowAllPadasKey),
                        drawing.allPadas ? QStringLiteral("true") : QStringLiteral("false"));
    settings_->sync();
}

MDI::~MDI() = default;

frmDisplay* MDI::ShowResult(const ChartReport& report) {
    if (subWindow_ != nullptr) {
        mdiArea->removeSubWindow(subWindow_);
        subWindow_->deleteLater();
    }
    page_ = report;
    page_->drawing = drawing_;
    // A strip belongs to the result it was made for; ShowSensitivity adds
    // the new result's.
    entered_.reset();
    strip_.reset();
    sensitivityTab_ = nullptr;
    display_ = new frmDisplay;
    display_->Fill(*page_);
    subWindow_ = mdiArea->addSubWindow(display_);
    subWindow_->setObjectName(QStringLiteral("frmDisplayWindow"));
    subWindow_->setWindowIcon(windowIcon());
    subWindow_->adjustSize();
    display_->fraBirthchart->setVisible(true);
    display_->fraBirthchart->raise();
    display_->fraDetails->raise();
    subWindow_->show();

    const int margin = TwipsX(240);
    resize(subWindow_->width() + 2 * margin,
           menuBar()->sizeHint().height() + picTop->height() + subWindow_->height() + 2 * margin);
    CentreResultWindow();
    return display_;
}

void MDI::PlaceButtons() {
    const FrameButtonPlaces places = PlaceFrameButtons(picTop->width(), cmdExit->width(),
                                                       TwipsX(kExitRightGap), TwipsX(kButtonGap));
    cmdExit->move(places.cmdExitLeft, cmdExit->y());
    cmdBack->move(places.cmdBackLeft, cmdBack->y());
}

void MDI::CentreResultWindow() {
    if (subWindow_ == nullptr) return;
    const int left = CentredLeft(mdiArea->contentsRect().width(), subWindow_->width());
    subWindow_->move(left, TwipsY(120));
}

bool MDI::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == picTop) PlaceButtons();
        if (watched == mdiArea) CentreResultWindow();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDI::closeEvent(QCloseEvent* event) {
    event->accept();
    emit endProgramRequested();
}

}  // namespace korvanta
