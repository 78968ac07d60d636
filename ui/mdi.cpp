// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mdi.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "report/chart_style.h"
#include "ui/export_dialogs.h"
#include "ui/frame_layout.h"
#include "ui/frm_display.h"
#include "ui/help_menu.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/sensitivity_tab.h"
#include "ui/twips.h"
#include "ui/viewmodels/result_view_model.h"

namespace korvanta {

namespace {

const QColor kFrameColour(75, 75, 150);
constexpr int kStripHeight = 900;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 405;
constexpr int kExitRightGap = 300;
constexpr int kButtonGap = 100;
// The promotional link's place in the strip, and the least width it is
// shown at.
constexpr int kLinkLeft = 3480;
constexpr int kLinkTop = 150;
constexpr int kLinkWidth = 5200;
constexpr int kLinkHeight = 600;
constexpr int kLinkLeastWidth = 1800;
// Room left on the screen for the window manager's title bar and borders
// before the frame is shown and they are known.
constexpr QSize kDecorationAllowance(16, 40);

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MDI::MDI(ResultViewModel* result, QWidget* parent)
    : QMainWindow(parent),
      result_(result),
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
    column->addWidget(titleStrip_);
    area_ = new QMdiArea(central);
    area_->setObjectName(QStringLiteral("mdiArea"));
    area_->setBackground(kFrameColour);
    area_->setFrameShape(QFrame::NoFrame);
    // The result window follows the area's inside, which is resized after
    // the area itself.
    area_->viewport()->installEventFilter(this);
    column->addWidget(area_, 1);
    setCentralWidget(central);
    // The frame owns the result it shows, and ends with it.
    result_->setParent(this);
    BuildMenus();
    BuildResultWindow();
    BindSensitivity();
}

void MDI::BuildStrip() {
    titleStrip_ = new QWidget;
    titleStrip_->setObjectName(QStringLiteral("picTop"));
    titleStrip_->setFixedHeight(TwipsY(kStripHeight));
    titleStrip_->setAutoFillBackground(true);
    QPalette colours = titleStrip_->palette();
    colours.setColor(QPalette::Window, kFrameColour);
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::Link, Qt::white);
    titleStrip_->setPalette(colours);
    titleStrip_->installEventFilter(this);

    logo_ = new QLabel(titleStrip_);
    logo_->setObjectName(QStringLiteral("Picture1"));
    const int logoSide = TwipsY(720);
    logo_->setPixmap(QIcon(QStringLiteral(":/korvanta/korvanta.svg")).pixmap(logoSide, logoSide));
    logo_->setGeometry(TwipsX(120), TwipsY(90), logoSide, logoSide);

    titleLabel_ = new QLabel(QStringLiteral("Korvanta"), titleStrip_);
    titleLabel_->setObjectName(QStringLiteral("Label2"));
    titleLabel_->setFont(VerdanaFont(16.0, true));
    titleLabel_->setGeometry(TwipsRect(960, 150, 2400, 600));

    promotionLink_ = new LinkLabel(
        QStringLiteral(
            "Home Business Opportunity. Offer Korvanta on your site under your own name."),
        titleStrip_, &OpenFullBrandPage);
    promotionLink_->setObjectName(QStringLiteral("Label10"));
    promotionLink_->setWordWrap(true);
    promotionLink_->setGeometry(TwipsRect(kLinkLeft, kLinkTop, kLinkWidth, kLinkHeight));
    promotionLink_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    backButton_ = new QPushButton(QStringLiteral("&Back"), titleStrip_);
    backButton_->setObjectName(QStringLiteral("cmdBack"));
    exitButton_ = new QPushButton(QStringLiteral("E&xit"), titleStrip_);
    exitButton_->setObjectName(QStringLiteral("cmdExit"));
    for (QPushButton* button : {backButton_, exitButton_}) {
        button->resize(TwipsX(kButtonWidth), TwipsY(kButtonHeight));
        button->move(0, (TwipsY(kStripHeight) - button->height()) / 2);
    }
    connect(backButton_, &QPushButton::clicked, this, &MDI::backRequested);
    connect(exitButton_, &QPushButton::clicked, this, &MDI::endProgramRequested);
}

void MDI::BuildMenus() {
    auto named = [](QAction* action, const char* name) {
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("mnuFile"));
    QAction* back = named(fileMenu_->addAction(QStringLiteral("&Back")), "mnuBack");
    fileMenu_->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
    QAction* saveImage =
        named(fileMenu_->addAction(QStringLiteral("Save Chart As &Image\u2026")), "mnuSaveImage");
    QAction* savePdf =
        named(fileMenu_->addAction(QStringLiteral("Save Chart As P&DF\u2026")), "mnuSavePdf");
    QAction* print = named(fileMenu_->addAction(QStringLiteral("&Print\u2026")), "mnuPrint");
    print->setShortcut(QKeySequence::Print);
    fileMenu_->addSeparator()->setObjectName(QStringLiteral("mnuFileSep2"));
    QAction* exit = named(fileMenu_->addAction(QStringLiteral("E&xit")), "mnuExit");
    connect(back, &QAction::triggered, this, &MDI::backRequested);
    connect(saveImage, &QAction::triggered, this, &MDI::SaveChartImage);
    connect(savePdf, &QAction::triggered, this, &MDI::SaveChartPdf);
    connect(print, &QAction::triggered, this, &MDI::PrintChart);
    connect(exit, &QAction::triggered, this, &MDI::endProgramRequested);
    BuildViewMenu();
    AddHelpMenu(menuBar(), this, "mnuHelpSep1", "mnuHelpSep2");
}

void MDI::BuildViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    QMenu* chartStyle = view->addMenu(QStringLiteral("Chart &Style"));
    chartStyle->setObjectName(QStringLiteral("mnuChartStyle"));
    auto* styles = new QActionGroup(this);
    styles->setExclusive(true);
    constexpr std::array<const char*, 3> names = {"mnuStyleSouth", "mnuStyleNorth", "mnuStyleEast"};
    for (std::size_t k = 0; k < styleActions_.size(); ++k) {
        QAction* action = chartStyle->addAction(FromView(kChartStyleNames[k]));
        action->setObjectName(QString::fromLatin1(names[k]));
        action->setCheckable(true);
        styles->addAction(action);
        connect(action, &QAction::triggered, this, [this, k] {
            result_->ChooseDrawing({static_cast<ChartStyle>(k), result_->Drawing().allPadas});
        });
        styleActions_[k] = action;
    }
    BuildVargaMenu(view);
    showAllPadasAction_ = view->addAction(QStringLiteral("Show &All Padas"));
    showAllPadasAction_->setObjectName(QStringLiteral("mnuShowAllPadas"));
    showAllPadasAction_->setCheckable(true);
    connect(showAllPadasAction_, &QAction::triggered, this, [this](bool on) {
        result_->ChooseDrawing({result_->Drawing().style, on});
    });
    connect(result_, &ResultViewModel::drawingChanged, this, [this] {
        ShowDrawingInMenu();
        if (display_ != nullptr) display_->SetChartDrawing(result_->Drawing());
    });
    ShowDrawingInMenu();
    BuildAstronomyMenu(view);
}

void MDI::ShowDrawingInMenu() {
    styleActions_[static_cast<std::size_t>(result_->Drawing().style)]->setChecked(true);
    showAllPadasAction_->setChecked(result_->Drawing().allPadas);
}

MDI::~MDI() = default;

void MDI::BuildResultWindow() {
    display_ = new frmDisplay;
    display_->Fill(result_->Report(), result_->Drawing());
    connect(result_, &ResultViewModel::reportChanged, display_, [this] {
        display_->Fill(result_->Report(), result_->Drawing());
        display_->SetMomentNote(result_->MomentNote());
    });
    // The result window is the frame's only child and fills it: no title bar
    // or close box of its own, as the frame's caption and Back speak for it.
    subWindow_ = area_->addSubWindow(display_, Qt::FramelessWindowHint);
    subWindow_->setObjectName(QStringLiteral("frmDisplayWindow"));
    subWindow_->setWindowIcon(windowIcon());
    subWindow_->setSystemMenu(nullptr);
    subWindow_->installEventFilter(this);
    subWindow_->show();

    resize(FittingSize());
    CentreResultWindow();
}

QSize MDI::FittingSize() const {
    // The design: the result window at its size, under the menu and the strip.
    const QSize design(
        frmDisplay::DesignSize().width(),
        menuBar()->sizeHint().height() + titleStrip_->height() + frmDisplay::DesignSize().height());
    const QScreen* where = screen();
    if (where == nullptr) return design;
    // The window manager's frame around the window is not known before the
    // frame is shown; leave room for a title bar and borders.
    const QRect available = where->availableGeometry();
    const QSize room(available.width() - kDecorationAllowance.width(),
                     available.height() - kDecorationAllowance.height());
    return design.boundedTo(room).expandedTo(minimumSizeHint());
}

void MDI::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // A window manager frames the window after it is shown: once its title
    // bar and borders are known, the whole frame is brought onto the screen.
    const QScreen* where = screen();
    if (fitting_ || where == nullptr || isMaximized() || isFullScreen()) return;
    if (!where->availableGeometry().contains(frameGeometry())) {
        fitting_ = true;
        KeepOnScreen();
        fitting_ = false;
    }
}

void MDI::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    KeepOnScreen();
    // The frame grows where the screen has room for what the open page
    // needs, before its window is mapped: it is painted once, at its size.
    GrowToShowPage();
}

QSize MDI::RoomOnScreen() const {
    const QScreen* where = screen();
    if (where == nullptr) return size();
    // The window manager's frame is part of what must fit; until the window
    // manager has framed the window, room is left for a title bar and borders.
    QSize decoration = frameGeometry().size() - size();
    if (decoration.width() <= 0 && decoration.height() <= 0) decoration = kDecorationAllowance;
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
    const QSize before = size();
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QSize more = display_->OpenPageShortfall();
        if (more.width() <= 0 && more.height() <= 0) break;
        // The frame keeps its width whatever the birth's texts: only the
        // height grows, within the room.
        const QSize wanted = QSize(width(), height() + more.height()).boundedTo(room);
        if (wanted == size()) break;
        resize(wanted);
    }
    // A frame that kept its size stays where it was placed when shown.
    if (size() != before) KeepOnScreen();
}

void MDI::PlaceButtons() {
    const FrameButtonPlaces places = PlaceFrameButtons(titleStrip_->width(), exitButton_->width(),
                                                       TwipsX(kExitRightGap), TwipsX(kButtonGap));
    exitButton_->move(places.cmdExitLeft, exitButton_->y());
    backButton_->move(places.cmdBackLeft, backButton_->y());
    // The link ends before Back; with too little room for its words it goes.
    const QRect link = TwipsRect(kLinkLeft, kLinkTop, kLinkWidth, kLinkHeight);
    const int width =
        LinkWidthBeforeButtons(link.x(), link.width(), places.cmdBackLeft, TwipsX(kButtonGap));
    promotionLink_->setGeometry(link.x(), link.y(), std::max(width, 0), link.height());
    promotionLink_->setVisible(width >= TwipsX(kLinkLeastWidth));
}

void MDI::CentreResultWindow() {
    if (subWindow_ == nullptr) return;
    const QRect inside = area_->viewport()->rect();
    subWindow_->resize(inside.size());
    const int left = CentredLeft(area_->contentsRect().width(), subWindow_->width());
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
        if (watched == titleStrip_) PlaceButtons();
        if (watched == area_->viewport()) CentreResultWindow();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDI::closeEvent(QCloseEvent* event) {
    closing_ = true;
    event->accept();
    emit endProgramRequested();
}

}  // namespace korvanta
