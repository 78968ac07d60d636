#include "ui/mdi.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

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
    AddHelpMenu(menuBar(), this, "mnuHelpSep1", "mnuHelpSep2");
}

MDI::~MDI() = default;

frmDisplay* MDI::ShowResult(const ChartReport& report) {
    if (subWindow_ != nullptr) {
        mdiArea->removeSubWindow(subWindow_);
        subWindow_->deleteLater();
    }
    page_ = report;
    display_ = new frmDisplay;
    display_->Fill(report);
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
