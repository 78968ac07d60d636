// SPDX-License-Identifier: GPL-3.0-or-later
// A calculation from the birth-data window to the result frame: every caption
// the core computed reaches its control, the tabs, Back and a second
// calculation, the frame's menus, buttons, resize rule and links, the about
// box, and Exit.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <optional>

#include "controls.h"
#include "pipeline/pipeline.h"
#include "recording_sink.h"
#include "report/program_notice.h"
#include "report/report.h"
#include "tests/support/cell_columns.h"
#include "ui/frm_about.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/mdi.h"
#include "ui/twips.h"

using korvanta::DisplayText;
using korvanta::frmDisplay;
using korvanta::frmMain;
using korvanta::MDI;
using korvanta::testing::DialogControls;
using korvanta::testing::EntryControls;
using korvanta::testing::FrameControls;
using korvanta::testing::Named;
using korvanta::testing::RecordingSink;
using korvanta::testing::SetAddresses;
using korvanta::testing::UrlRecorder;

namespace {

// A birth at Pune on 5 June 1980, 9:05, Indian time.
void EnterBirth(frmMain& w) {
    QTest::keyClicks(EntryControls(w).txtName, QStringLiteral("asha rao"));
    EntryControls(w).cboMonth->setCurrentIndex(5);
    EntryControls(w).cboDate->setCurrentIndex(4);
    EntryControls(w).cboYear->setCurrentIndex(79);
    EntryControls(w).cboHH->setCurrentIndex(9);
    EntryControls(w).cboMM->setCurrentIndex(5);
    EntryControls(w).txtMCity->setText(QStringLiteral("Pune"));
    EntryControls(w).txtMState->setText(QStringLiteral("Maharashtra"));
    EntryControls(w).txtMCountry->setText(QStringLiteral("India"));
    EntryControls(w).cmbTimeZone->setCurrentIndex(34);
    QTest::keyClicks(EntryControls(w).txtLonD, QStringLiteral("73"));
    QTest::keyClicks(EntryControls(w).txtLonM, QStringLiteral("51"));
    QTest::keyClicks(EntryControls(w).txtLatD, QStringLiteral("18"));
    QTest::keyClicks(EntryControls(w).txtLatM, QStringLiteral("31"));
}

QString Shown(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(control)) return box->toPlainText();
    return QStringLiteral("<not a caption control>");
}

// Every control the window fills, by object name, with the report's text.
std::vector<std::pair<QString, QString>> ExpectedCaptions(const korvanta::ChartReport& r) {
    static const std::array<const char*, 12> kSignCells = {
        "lblAries", "lblTaurus",  "lblGemini",      "lblCancer",    "lblLeo",      "lblVirgo",
        "lblLibra", "lblScorpio", "lblSagattarius", "lblCapricorn", "lblAquarius", "lblPisces"};
    static const std::array<const char*, 7> kDetails = {
        "lblDOB", "lblTOB", "lblLongitude", "lblLatitude", "lblCity", "lblState", "lblCountry"};
    // The profile's controls in the report's order.
    static const std::array<const char*, 24> kProfile = {"lblVedicName",
                                                         "lblULPresentHouse",
                                                         "lblArudhaLagnaPresentInSign",
                                                         "lblRullingPlanet",
                                                         "lblCompatibleWith",
                                                         "lblNotCompatibleWith",
                                                         "lblSymbol",
                                                         "lblNature",
                                                         "lblColor",
                                                         "lblTypeOfSign",
                                                         "lblGender",
                                                         "lblBestPeriodOfActivity",
                                                         "lblBarren",
                                                         "lblCaste",
                                                         "lblPosition",
                                                         "lblConstituentCharacter",
                                                         "lblLuckyDays",
                                                         "lblLuckyNumbers",
                                                         "lblBestDirection",
                                                         "lblLuckyColors",
                                                         "lblLuckyGemstone",
                                                         "lblPartOfTheBody",
                                                         "lblPhysique",
                                                         "lblEnglishName"};
    static const std::array<const char*, 5> kReadings = {
        "txtLooks", "txtNature", "txtCareerAndFinance", "txtLoveAndDomesticLife", "txtHealth"};
    std::vector<std::pair<QString, QString>> expected;
    auto add = [&expected](const QString& name, std::string_view text) {
        expected.emplace_back(name, DisplayText(text));
    };
    for (std::size_t i = 0; i < 10; ++i)
        add(QStringLiteral("planet_%1").arg(i), r.positions[i].text);
    for (std::size_t k = 0; k < 12; ++k) {
        add(QString::fromLatin1(kSignCells[k]), korvanta::testing::CrLfColumn((r.cells[k]).bodies));
        add(QStringLiteral("lblArudha_%1").arg(k),
            korvanta::testing::CrLfColumn((r.cells[k]).marks));
    }
    add("lblName", r.name);
    for (std::size_t k = 0; k < kDetails.size(); ++k) add(kDetails[k], r.details.Rows()[k]->text);
    add("lblHoraDesc", r.ulReading);
    for (std::size_t k = 0; k < kProfile.size(); ++k) add(kProfile[k], r.profile[k].text);
    for (std::size_t k = 0; k < kReadings.size(); ++k) add(kReadings[k], r.readings[k].text);
    return expected;
}

void VerifyCaptions(frmDisplay& display, const korvanta::ChartReport& captions) {
    korvanta::testing::EveryTabBuilt(display);
    for (const auto& [name, text] : ExpectedCaptions(captions)) {
        const auto* control = display.findChild<QWidget*>(name);
        QVERIFY2(control != nullptr, qPrintable(name));
        QVERIFY2(Shown(control) == text,
                 qPrintable(QStringLiteral("%1: shows \"%2\", the core computed \"%3\"")
                                .arg(name, Shown(control), text)));
    }
}

}  // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT
  private:
    RecordingSink sink_;
    std::unique_ptr<frmMain> w_;
    std::optional<EntryControls> c_;
    korvanta::ChartReport expected_;

    MDI* Calculate() {
        QTest::mouseClick(c_->cmdRashi, Qt::LeftButton);
        return w_->ResultFrame();
    }

  private slots:
    void init() {
        sink_.messages.clear();
        w_ = std::make_unique<frmMain>(sink_);
        c_.emplace(*w_);
        w_->show();
        EnterBirth(*w_);
        auto outcome = korvanta::CalculateChart(w_->Entry().Form());
        QVERIFY2(std::holds_alternative<korvanta::BirthChart>(outcome),
                 "the sample birth must be accepted");
        const auto& [birth, chart] = std::get<korvanta::BirthChart>(outcome);
        expected_ = korvanta::BuildReport(birth, chart);
    }
    void cleanup() {
        w_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void calculationFillsEveryCaptionAndOpensTheDetailsTab() {
        MDI* frame = Calculate();
        QVERIFY(sink_.messages.empty());
        QVERIFY(frame != nullptr);
        QVERIFY(frame->isVisible());
        QVERIFY(!w_->isVisible());
        frmDisplay* display = frame->Display();
        QVERIFY(display != nullptr);
        QVERIFY(display->isVisible());
        QCOMPARE(display->window(), static_cast<QWidget*>(frame));
        QCOMPARE(FrameControls(*frame).mdiArea->subWindowList().size(), 1);

        const QTabWidget* tabs = Named<QTabWidget>(*display, "SSTab1");
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Upapada Lagna-Chart"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Upapada Lagna Details"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Padas And Special Lagnas"));
        QCOMPARE(tabs->tabText(3), QStringLiteral("Birth Time Sensitivity"));
        QCOMPARE(tabs->currentIndex(), 1);

        VerifyCaptions(*display, expected_);
        QCOMPARE(Named<QLabel>(*display, "lblName")->text(), QStringLiteral("ASHA RAO"));
        QCOMPARE(Named<QLabel>(*display, "lblDOB")->text(), QStringLiteral("June/5/1980"));
        QCOMPARE(Named<QLabel>(*display, "lblTOB")->text(), QStringLiteral("9:5"));
    }

    void theUlTagShowsInFullInItsCell() {
        frmDisplay* display = &korvanta::testing::EveryTabBuilt(*Calculate()->Display());
        const auto label = [display](const QString& name) {
            return Named<QLabel>(*display, qPrintable(name));
        };
        int tagged = 0;
        for (int sign = 0; sign < 12; ++sign) {
            QLabel* tag = label(QStringLiteral("lblArudha_%1").arg(sign));
            const QStringList lines = tag->text().split(QLatin1Char('\n'));
            if (!lines.contains(QStringLiteral("UL"))) continue;
            ++tagged;
            // The tag grew far enough down to show its last line.
            const int needed = static_cast<int>(lines.size()) * tag->fontMetrics().lineSpacing();
            QVERIFY2(tag->height() >= needed, qPrintable(tag->objectName()));
            QVERIFY(tag->fontMetrics().horizontalAdvance(QStringLiteral("UL")) <= tag->width());
            QVERIFY(tag->font().bold());
        }
        QCOMPARE(tagged, 1);
        // Sign numbers in their fixed cells: Aries is the second cell of the top row.
        QLabel* aries = label(QStringLiteral("Hno_0"));
        QLabel* pisces = label(QStringLiteral("Hno_11"));
        QCOMPARE(aries->text(), QStringLiteral("1"));
        QCOMPARE(pisces->text(), QStringLiteral("12"));
        QVERIFY(pisces->x() < aries->x());
        QCOMPARE(pisces->y(), aries->y());
        QVERIFY(label(QStringLiteral("lblAries"))->x() > label(QStringLiteral("lblPisces"))->x());
    }

    void fixedCaptionsOfTheResultWindow() {
        frmDisplay* display = &korvanta::testing::EveryTabBuilt(*Calculate()->Display());
        const auto text = [display](const char* name) {
            return Named<QLabel>(*display, name)->text();
        };
        QCOMPARE(text("dsd_2"), QStringLiteral("Significance of Upapada Lagna"));
        QCOMPARE(text("Label8_3"),
                 QStringLiteral("Upapada Lagna signifies marriage and spouse related issues."));
        QCOMPARE(text("Label10"), QStringLiteral("Upapada Lagna Present In House Significance"));
        // Each row of the position table: its caption and, on the same line
        // to its right, the position of the body it names.
        const std::array<std::pair<const char*, korvanta::Body>, 10> rows = {{
            {"Surya/Sun", korvanta::Body::Sun},
            {"Chandra/Moon", korvanta::Body::Moon},
            {"Budha/Mercury", korvanta::Body::Mercury},
            {"Shukra/Venus", korvanta::Body::Venus},
            {"Mangala/Mars", korvanta::Body::Mars},
            {"Guru/Jupiter", korvanta::Body::Jupiter},
            {"Shani/Saturn", korvanta::Body::Saturn},
            {"Rahu/North Node", korvanta::Body::Rahu},
            {"Ketu/South node", korvanta::Body::Ketu},
            {"Asc/Lagna", korvanta::Body::Asc},
        }};
        const auto* table = Named<QWidget>(*display, "fraWestern");
        const QList<QLabel*> lines = table->findChildren<QLabel*>();
        for (const auto& [caption, body] : rows) {
            const auto named = std::find_if(lines.begin(), lines.end(), [&](const QLabel* l) {
                return l->text() == QLatin1String(caption);
            });
            QVERIFY2(named != lines.end(), caption);
            const QString expected = DisplayText(expected_.positions[korvanta::Index(body)].text);
            int beside = 0;
            for (const QLabel* value : lines) {
                if (value == *named || value->y() != (*named)->y()) continue;
                ++beside;
                QVERIFY2(value->x() > (*named)->x(), caption);
                QVERIFY2(value->text() == expected,
                         qPrintable(QStringLiteral("%1 shows \"%2\", its body is at \"%3\"")
                                        .arg(QLatin1String(caption), value->text(), expected)));
            }
            QCOMPARE(beside, 1);
        }
        QCOMPARE(text("PlanetName_16"), QStringLiteral("Asc/Lagna"));
        QCOMPARE(text("Label9"), QStringLiteral("Latitude   :"));
        QCOMPARE(text("dsd_0"), QStringLiteral("Vedic Name"));
        QCOMPARE(text("Label8_2"), QStringLiteral("Rulling Planet"));
        QCOMPARE(text("Label8_27"), QStringLiteral("Health"));
        for (const char* name : {"txtLooks", "txtNature", "txtCareerAndFinance",
                                 "txtLoveAndDomesticLife", "txtHealth"}) {
            auto* box = Named<QPlainTextEdit>(*display, name);
            QVERIFY(box->isReadOnly());
            // A scroll bar only when the window is too small for the text.
            QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        }
    }

    void backKeepsTheEntriesAndANewCalculationBuildsANewWindow() {
        MDI* frame = Calculate();
        QPointer<MDI> firstFrame(frame);
        QPointer<frmDisplay> firstDisplay(frame->Display());
        const korvanta::EntryForm before = w_->Entry().Form();

        QTest::mouseClick(FrameControls(*frame).cmdBack, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w_->isVisible());
        QVERIFY(firstFrame.isNull());
        QVERIFY(firstDisplay.isNull());
        const korvanta::EntryForm after = w_->Entry().Form();
        QCOMPARE(after.txtName, before.txtName);
        QCOMPARE(after.cboMonth, before.cboMonth);
        QCOMPARE(after.cboDate, before.cboDate);
        QCOMPARE(after.cboYear, before.cboYear);
        QCOMPARE(after.txtMCity, before.txtMCity);
        QCOMPARE(after.cmbTimeZone, before.cmbTimeZone);
        QCOMPARE(after.txtLonD, before.txtLonD);
        QCOMPARE(after.txtLatM, before.txtLatM);

        c_->mnuNext->trigger();
        MDI* second = w_->ResultFrame();
        QVERIFY(second != nullptr);
        QVERIFY(second->isVisible());
        QVERIFY(!w_->isVisible());
        QCOMPARE(second->Display()->OpenTab(), 1);
        VerifyCaptions(*second->Display(), expected_);

        // The frame's menu entry does the same as the button.
        QPointer<MDI> secondFrame(second);
        FrameControls(*second).mnuBack->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(secondFrame.isNull());
        QVERIFY(w_->isVisible());
    }

    void frameHasItsStripAndMenus() {
        MDI* frame = Calculate();
        QCOMPARE(frame->windowTitle(), QStringLiteral("Korvanta v1.20"));
        QCOMPARE(Named<QLabel>(*frame, "Label2")->text(), QStringLiteral("Korvanta"));
        QCOMPARE(FrameControls(*frame).cmdBack->text(), QStringLiteral("&Back"));
        QCOMPARE(FrameControls(*frame).cmdExit->text(), QStringLiteral("E&xit"));
        QVERIFY(FrameControls(*frame).Label10->text().startsWith(
            QStringLiteral("Home Business Opportunity.")));
        QCOMPARE(FrameControls(*frame).mdiArea->background().color(), QColor(75, 75, 150));

        const QList<QAction*> bar = frame->menuBar()->actions();
        QCOMPARE(bar.size(), 3);
        QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
        // Back first and Exit last; the export entries between them.
        const QList<QAction*> file = bar[0]->menu()->actions();
        // Save Birth comes from the birth-data window, which keeps the library.
        const QStringList fileNames = {
            "mnuBack",    "mnuFrameSaveBirth", "mnuFileSep1", "mnuSaveImage",
            "mnuSavePdf", "mnuPrint",          "mnuFileSep2", "mnuExit"};
        QCOMPARE(file.size(), fileNames.size());
        for (int i = 0; i < file.size(); ++i) QCOMPARE(file[i]->objectName(), fileNames[i]);
        QVERIFY(file[2]->isSeparator() && file[6]->isSeparator());
        QCOMPARE(file[0]->text(), QStringLiteral("&Back"));
        QCOMPARE(file[1]->text(), QStringLiteral("&Save Birth"));
        QCOMPARE(file[3]->text(), QStringLiteral("Save Chart As &Image\u2026"));
        QCOMPARE(file[4]->text(), QStringLiteral("Save Chart As P&DF\u2026"));
        QCOMPARE(file[5]->text(), QStringLiteral("&Print\u2026"));
        QCOMPARE(file[7]->text(), QStringLiteral("E&xit"));
        // View: the chart's style, the divisional chart, the pada tags and the
        // astronomy.
        QCOMPARE(bar[1]->text(), QStringLiteral("&View"));
        const QList<QAction*> view = bar[1]->menu()->actions();
        QCOMPARE(view.size(), 4);
        QCOMPARE(view[0]->text(), QStringLiteral("Chart &Style"));
        QCOMPARE(view[1]->text(), QStringLiteral("&Divisional Chart"));
        const QStringList vargaNames = {
            "D1 Rasi",        "D2 Hora",        "D3 Drekkana",        "D4 Chaturthamsa",
            "D7 Saptamsa",    "D9 Navamsa",     "D10 Dasamsa",        "D12 Dwadasamsa",
            "D16 Shodasamsa", "D20 Vimsamsa",   "D24 Chaturvimsamsa", "D27 Saptavimsamsa (Bhamsa)",
            "D30 Trimsamsa",  "D40 Khavedamsa", "D45 Akshavedamsa",   "D60 Shashtiamsa"};
        const QList<QAction*> vargas = view[1]->menu()->actions();
        QCOMPARE(vargas.size(), vargaNames.size());
        for (int i = 0; i < vargas.size(); ++i) {
            QCOMPARE(vargas[i]->text(), vargaNames[i]);
            QCOMPARE(vargas[i]->isChecked(), i == 0);  // the rasi chart by default
        }
        QCOMPARE(view[2]->text(), QStringLiteral("Show &All Padas"));
        QVERIFY(view[2]->isCheckable());
        QCOMPARE(view[3]->text(), QStringLiteral("&Astronomy"));
        const QList<QAction*> astronomies = view[3]->menu()->actions();
        QCOMPARE(astronomies.size(), 2);
        QCOMPARE(astronomies[0]->text(), QStringLiteral("&Classic"));
        QCOMPARE(astronomies[1]->text(), QStringLiteral("&Precise (Swiss Ephemeris)"));
        QVERIFY(astronomies[0]->isChecked() && !astronomies[1]->isChecked());
        const QList<QAction*> styles = view[0]->menu()->actions();
        const QStringList styleNames = {"South Indian", "North Indian", "East Indian"};
        QCOMPARE(styles.size(), styleNames.size());
        for (int i = 0; i < styles.size(); ++i) {
            QCOMPARE(styles[i]->text(), styleNames[i]);
            QVERIFY(styles[i]->isCheckable());
            QCOMPARE(styles[i]->isChecked(), i == 0);  // the South Indian chart by default
        }
        QCOMPARE(bar[2]->text(), QStringLiteral("&Help"));
        const QList<QAction*> help = bar[2]->menu()->actions();
        const QStringList names = {"mnuManual", "mnuOnline",   "mnuVisit", "mnuHelpSep1",
                                   "mnuUpdate", "mnuHelpSep2", "mnuAbout", "mnuDonate"};
        QCOMPARE(help.size(), names.size());
        for (int i = 0; i < help.size(); ++i) QCOMPARE(help[i]->objectName(), names[i]);
        QVERIFY(help[3]->isSeparator() && help[5]->isSeparator());
        QCOMPARE(help[0]->shortcut(), QKeySequence(QKeySequence::HelpContents));
        QCOMPARE(help[7]->text(), QStringLiteral("&Donate"));
    }

    void resizingKeepsButtonsAndResultWindowInPlace_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("wide") << QSize(1400, 900);
        QTest::newRow("narrow") << QSize(700, 600);
    }
    void resizingKeepsButtonsAndResultWindowInPlace() {
        QFETCH(QSize, size);
        MDI* frame = Calculate();
        frame->resize(size);
        QCoreApplication::processEvents();
        const int exitLeft = FrameControls(*frame).picTop->width() -
                             FrameControls(*frame).cmdExit->width() - korvanta::TwipsX(300);
        QCOMPARE(FrameControls(*frame).cmdExit->x(), exitLeft);
        QCOMPARE(FrameControls(*frame).cmdBack->x(),
                 exitLeft - FrameControls(*frame).cmdExit->width() - korvanta::TwipsX(100));
        // The link in the strip ends before Back.
        const QLabel* link = FrameControls(*frame).Label10;
        QVERIFY(link->isHidden() ||
                link->geometry().right() < FrameControls(*frame).cmdBack->geometry().left());
        QMdiSubWindow* child = FrameControls(*frame).mdiArea->subWindowList().at(0);
        const int free = FrameControls(*frame).mdiArea->contentsRect().width() - child->width();
        QCOMPARE(child->x(), std::max(0, free / 2));
    }

    void resultLinksOpenTheHomePage() {
        MDI* frame = Calculate();
        UrlRecorder browser;
        frame->Display()->ShowTab(0);
        QTest::mouseClick(Named<QLabel>(*frame->Display(), "Label6"), Qt::LeftButton);
        QTest::mouseClick(Named<QLabel>(*frame->Display(), "Label7"), Qt::LeftButton);
        QTest::mouseClick(FrameControls(*frame).Label10, Qt::LeftButton);
        const std::vector<QUrl> expected = SetAddresses(
            {korvanta::HomePageUrl(), korvanta::HomePageUrl(), korvanta::FullBrandPageUrl()});
        QCOMPARE(browser.opened, expected);
    }

    void aboutBoxIsModalAndClosesWithOk() {
        MDI* frame = Calculate();
        UrlRecorder browser;
        QString title, text;
        bool modal = false;
        QTimer::singleShot(0, frame, [&] {
            auto* about = qobject_cast<korvanta::frmAbout*>(QApplication::activeModalWidget());
            if (about == nullptr) {
                if (QWidget* other = QApplication::activeModalWidget()) other->close();
                return;
            }
            modal = about->isModal();
            title = about->windowTitle();
            text = about->Label1->text();
            QTest::mouseClick(about->lblHomePage, Qt::LeftButton);
            QTest::mouseClick(about->lblCoBrand, Qt::LeftButton);
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        });
        frame->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
        QVERIFY(modal);
        QCOMPARE(title, QStringLiteral("Korvanta v1.20"));
        QVERIFY(text.startsWith(QStringLiteral("Korvanta is a special Lagna (Ascendant)")));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        const std::vector<QUrl> expected =
            SetAddresses({korvanta::HomePageUrl(), korvanta::FullBrandPageUrl()});
        QCOMPARE(browser.opened, expected);
    }

    // The licence and the GeoNames credit sit under the separator, beside
    // OK, wholly shown; the texts above the line stay as they were. The
    // caption must follow the project's version.
    void aboutBoxCreditsTheLicenceAndThePlaceDataUnderItsLine() {
        korvanta::frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.windowTitle(), QStringLiteral("Korvanta v") +
                                          QString::fromUtf8(korvanta::kProgramVersion.data(),
                                                            korvanta::kProgramVersion.size()));
        QCOMPARE(about.Label2->text(), about.windowTitle());
        QCOMPARE(
            about.lblCredits->text(),
            QStringLiteral("Licensed under the GNU GPL v3 or later\n"
                           "Place data \u00a9 GeoNames, CC-BY-4.0, https://www.geonames.org/\n"
                           "Links Swiss Ephemeris (AGPL-3.0) under section 13 of the GNU GPL v3"));
        const QRect line = about.Line1->geometry();
        const QRect credits = about.lblCredits->geometry();
        for (QWidget* above :
             std::initializer_list<QWidget*>{about.picIcon, about.Label2, about.Label1,
                                             about.lblHomePage, about.Label3, about.lblCoBrand}) {
            QVERIFY2(above->mapTo(&about, QPoint(0, above->height())).y() <= line.top(),
                     qPrintable(above->objectName()));
        }
        QVERIFY(credits.top() >= line.bottom());
        QVERIFY(credits.right() < about.cmdOK->geometry().left());
        const QSize wanted = about.lblCredits->sizeHint();
        QVERIFY(credits.width() >= wanted.width() && credits.height() >= wanted.height());
        QVERIFY(about.rect().contains(credits) && about.rect().contains(about.cmdOK->geometry()));
        about.close();
    }

    void exitOrCloseBoxOfTheFrameEndsTheProgram_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Exit button") << "cmdExit";
        QTest::newRow("Exit menu entry") << "mnuExit";
        QTest::newRow("close box") << "close";
    }
    void exitOrCloseBoxOfTheFrameEndsTheProgram() {
        QFETCH(QString, how);
        MDI* frame = Calculate();
        QPointer<MDI> alive(frame);
        // The program's event loop runs; ending the program must end it.
        QTimer::singleShot(0, frame, [frame, how] {
            if (how == QStringLiteral("cmdExit"))
                QTest::mouseClick(FrameControls(*frame).cmdExit, Qt::LeftButton);
            if (how == QStringLiteral("mnuExit")) FrameControls(*frame).mnuExit->trigger();
            if (how == QStringLiteral("close")) frame->close();
        });
        // Only a guard against hanging when the program fails to end.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        guard.start(20000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(alive.isNull() || !alive->isVisible());
        QVERIFY(!w_->isVisible());
    }

    void closingTheEntryWindowEndsTheProgram() {
        QTimer::singleShot(0, w_.get(), [this] { w_->close(); });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        guard.start(20000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!w_->isVisible());
    }
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
