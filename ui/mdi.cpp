// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mdi.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

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
// Room left on the screen for the window manager's title bar and borders
// before the frame is shown and they are known.
constexpr QSize kDecorationAllowance(16, 40);

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
    mdiArea->setFrameShape(QFrame::NoFrame);
    // The result window follows the area's inside, which is resized after
    // the area itself.
    mdiArea->viewport()->installEventFilter(this);
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
    // The result window is the frame's only child and fills it: no title bar
    // or close box of its own, as the frame's caption and Back speak for it.
    subWindow_ = mdiArea->addSubWindow(display_, Qt::FramelessWindowHint);
    subWindow_->setObjectName(QStringLiteral("frmDisplayWindow"));
    subWindow_->setWindowIcon(windowIcon());
    subWindow_->setSystemMenu(nullptr);
    subWindow_->installEventFilter(this);
    display_->fraBirthchart->setVisible(true);
    display_->fraBirthchart->raise();
    display_->fraDetails->raise();
    subWindow_->show();

    resize(FittingSize());
    CentreResultWindow();
    return display_;
}

QSize MDI::FittingSize() const {
    // The design: the result window at its size, under the menu and the strip.
    const QSize design(
        frmDisplay::DesignSize().width(),
        menuBar()->sizeHint().height() + picTop->height() + frmDisplay::DesignSize().height());
    const QScreen* where = screen();
    if (where == nullptr) return design;
    // The window manager's frame around the window is not known before the
    // frame is shown; leave room for a title bar and borders.
    const QRect available = where->availableGeometry();
    const QSize room(available.width() - kDecorationAllowance.width(),
                     available.height() - kDecorationAllowance.height());
    return design.boundedTo(room).expandedTo(minimumSizeHint());
}

void MDI::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    KeepOnScreen();
    // Once the pages have been laid out, the frame grows where the screen
    // has room for what the open page needs.
    QTimer::singleShot(0, this, &MDI::GrowToShowPage);
}

QSize MDI::RoomOnScreen() const {
    const QScreen* where = screen();
    if (where == nullptr) return size();
    // The window manager's frame, once known, is part of what must fit.
    const QSize decoration = frameGeometry().size() - size();
    return where->availableGeometry().size() - decoration;
}

void MDI::KeepOnScreen() {
    const QScreen* where = screen();
    if (where == nullptr || isMaximized() || isFullScreen()) return;
    const QSize room = RoomOnScreen();
    if (width() > room.width() || height() > room.height()) resize(size().boundedTo(room));
    const QRect available = where->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(available.center());
    frame.moveTop(std::max(available.top(), frame.top()));
    frame.moveLeft(std::max(available.left(), frame.left()));
    move(frame.topLeft());
}

void MDI::GrowToShowPage() {
    if (display_ == nullptr || isMaximized() || isFullScreen()) return;
    const QSize room = RoomOnScreen();
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const auto* area = qobject_cast<QScrollArea*>(display_->SSTab1->currentWidget());
        if (area == nullptr) return;
        const QSize more(area->horizontalScrollBar()->maximum(),
                         area->verticalScrollBar()->maximum());
        if (more.width() <= 0 && more.height() <= 0) break;
        QSize wanted = (size() + more).boundedTo(room);
        // Not tall enough: a wider page wraps the readings into fewer lines.
        if (wanted.height() < height() + more.height()) {
            wanted.setWidth(std::min(room.width(), std::max(wanted.width(), width() * 5 / 4)));
        }
        if (wanted == size()) break;
        resize(wanted);
    }
    KeepOnScreen();
}

void MDI::PlaceButtons() {
    const FrameButtonPlaces places = PlaceFrameButtons(picTop->width(), cmdExit->width(),
                                                       TwipsX(kExitRightGap), TwipsX(kButtonGap));
    cmdExit->move(places.cmdExitLeft, cmdExit->y());
    cmdBack->move(places.cmdBackLeft, cmdBack->y());
}

void MDI::CentreResultWindow() {
    if (subWindow_ == nullptr) return;
    const QRect area = mdiArea->viewport()->rect();
    subWindow_->resize(area.size());
    const int left = CentredLeft(mdiArea->contentsRect().width(), subWindow_->width());
    subWindow_->move(left, 0);
}

bool MDI::eventFilter(QObject* watched, QEvent* event) {
    // The result window does not close on its own (a shortcut of the child
    // window, say): that would leave an empty frame. Closing it is Back.
    if (watched == subWindow_ && event->type() == QEvent::Close && !closing_) {
        event->ignore();
        emit backRequested();
        return true;
    }
    if (event->type() == QEvent::Resize) {
        if (watched == picTop) PlaceButtons();
        if (watched == mdiArea->viewport()) CentreResultWindow();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDI::closeEvent(QCloseEvent* event) {
    closing_ = true;
    event->accept();
    emit endProgramRequested();
}

}  // namespace korvanta
