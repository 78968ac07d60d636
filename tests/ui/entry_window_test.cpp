// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data window: lists and defaults, key filters, the whole-entry
// check with its messages and focus, the coordinate look-up and the menus.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrlQuery>
#include <memory>
#include <optional>

#include "controls.h"
#include "recording_sink.h"
#include "ui/frm_main.h"
#include "ui/link_label.h"
#include "ui/links.h"
#include "ui/mdi.h"

using korvanta::frmMain;
using korvanta::MessageIcon;
using korvanta::testing::DialogControls;
using korvanta::testing::EntryControls;
using korvanta::testing::FrameControls;
using korvanta::testing::Named;
using korvanta::testing::RecordingSink;
using korvanta::testing::UrlRecorder;

namespace {

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

// A complete, valid entry; each check case spoils one part of it.
void EnterValidBirth(frmMain& w) {
    EntryControls(w).txtName->setText(QStringLiteral("RAVI"));
    EntryControls(w).txtLonD->setText(QStringLiteral("77"));
    EntryControls(w).txtLonM->setText(QStringLiteral("13"));
    EntryControls(w).txtLatD->setText(QStringLiteral("28"));
    EntryControls(w).txtLatM->setText(QStringLiteral("36"));
}

// Types one character as a key press; also for characters that QTest's
// keyClicks cannot map to a key.
void Type(QWidget* box, const QString& character) {
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, character, Qt::NoModifier);
}

}  // namespace

class EntryWindowTest : public QObject {
    Q_OBJECT
  private:
    RecordingSink sink_;
    std::unique_ptr<frmMain> w_;
    std::optional<EntryControls> c_;

  private slots:
    void init() {
        sink_.messages.clear();
        w_ = std::make_unique<frmMain>(sink_);
        c_.emplace(*w_);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() { w_.reset(); }

    void opensWithItsListsAndDefaults() {
        QCOMPARE(w_->windowTitle(), QStringLiteral("Korvanta v1.20"));
        QCOMPARE(Items(c_->cboMonth).size(), 12);
        QCOMPARE(c_->cboMonth->itemText(0), QStringLiteral("January"));
        QCOMPARE(c_->cboMonth->itemText(11), QStringLiteral("December"));
        QCOMPARE(Items(c_->cboDate).size(), 31);
        QCOMPARE(c_->cboDate->itemText(30), QStringLiteral("31"));
        QCOMPARE(Items(c_->cboYear).size(), 150);
        QCOMPARE(c_->cboYear->itemText(0), QStringLiteral("1901"));
        QCOMPARE(c_->cboYear->itemText(149), QStringLiteral("2050"));
        QCOMPARE(Items(c_->cboHH).size(), 24);
        QCOMPARE(c_->cboHH->itemText(23), QStringLiteral("23"));
        QCOMPARE(Items(c_->cboMM).size(), 60);
        QCOMPARE(c_->cboMM->itemText(5), QStringLiteral("5"));  // no padding
        QCOMPARE(Items(c_->cboSS).size(), 60);
        // The 71 named rows, then "Other UTC offset" with its offset box.
        QCOMPARE(c_->cmbTimeZone->count(), 72);
        QCOMPARE(c_->cmbTimeZone->itemText(71), QStringLiteral("Other UTC offset"));
        QCOMPARE(c_->cmbTimeZone->currentText(), QStringLiteral("Greenwich Mean Time,GMT,0.0"));
        QCOMPARE(c_->cmbTimeZone->itemText(34), QStringLiteral("Indian Time, IST, +5.3"));

        for (QComboBox* list : {c_->cboMonth, c_->cboDate, c_->cboYear, c_->cboHH, c_->cboMM,
                                c_->cboSS, c_->cmbTimeZone}) {
            QVERIFY2(!list->isEditable(), qPrintable(list->objectName()));
        }
        QCOMPARE(c_->cboMonth->currentText(), QStringLiteral("January"));
        QCOMPARE(c_->cboDate->currentText(), QStringLiteral("1"));
        QCOMPARE(c_->cboYear->currentText(), QStringLiteral("1901"));
        QCOMPARE(c_->cboHH->currentText(), QStringLiteral("0"));
        QVERIFY(c_->optLong[0]->isChecked() && !c_->optLong[1]->isChecked());
        QVERIFY(c_->optLat[0]->isChecked() && !c_->optLat[1]->isChecked());
        QVERIFY(!c_->chkDST->isChecked());
        QCOMPARE(c_->cmdRashi->text(), QStringLiteral("Get My Upapada Lagna"));
        QCOMPARE(c_->cmdBrowser->text(), QStringLiteral("Click for Latitude && Longitude"));
        QCOMPARE(c_->chkDST->text(), QStringLiteral("Daylight Saving Time"));
        QCOMPARE(c_->optLong[0]->text(), QStringLiteral("East"));
        QCOMPARE(c_->optLat[1]->text(), QStringLiteral("South"));

        // Controls carry their names, so the core's focus targets exist.
        for (const char* name :
             {"txtName", "txtMCity", "txtMState", "txtMCountry", "txtLonD", "txtLonM", "txtLatD",
              "txtLatM", "cboMonth", "cmbTimeZone", "optLong_0", "optLat_1", "fraZone", "Label2"}) {
            QVERIFY2(w_->findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
        }
        QCOMPARE(w_->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("Know your Upapada Lagna with Korvanta"));
    }

    void nameIsTypedInCapitals() {
        QTest::keyClicks(c_->txtName, QStringLiteral("kumar Ray"));
        QCOMPARE(c_->txtName->text(), QStringLiteral("KUMAR RAY"));
        QVERIFY(sink_.messages.empty());
        QTest::keyClick(c_->txtName, Qt::Key_Backspace);
        QCOMPARE(c_->txtName->text(), QStringLiteral("KUMAR RA"));
        // Letters of any script, hyphens and apostrophes pass the keys and
        // the entry check.
        for (QLineEdit* box : {c_->txtLonD, c_->txtLonM, c_->txtLatD, c_->txtLatM})
            box->setText(QStringLiteral("12"));
        for (const QString& name :
             {QStringLiteral("jos\u00e9"), QStringLiteral("mary-jane"), QStringLiteral("o'brien"),
              QStringLiteral("jos\u00e9 o'brien-\u0436")}) {
            c_->txtName->clear();
            for (const QChar key : name) Type(c_->txtName, QString(key));
            QCOMPARE(c_->txtName->text(), name.toUpper());
            QVERIFY2(w_->Entry().AcceptedBirth(),
                     qPrintable(name + QStringLiteral(": ") +
                                (sink_.messages.empty() ? QString() : sink_.messages[0].text)));
            QCOMPARE(Named<QLabel>(*w_, "lblNameNote")->text(), QString());
        }
        QVERIFY(sink_.messages.empty());
    }

    void nameRefusesDigitsAndSigns_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("digit") << "7";
        QTest::newRow("plus") << "+";
        QTest::newRow("underscore") << "_";
        QTest::newRow("Devanagari digit") << QStringLiteral("\u0966");
    }
    void nameRefusesDigitsAndSigns() {
        QFETCH(QString, key);
        QTest::keyClicks(c_->txtName, QStringLiteral("k"));
        Type(c_->txtName, key);
        QCOMPARE(c_->txtName->text(), QStringLiteral("K"));
        // Said in the note under the box, with no box that takes the next
        // key: typing goes on, and the note goes with the next letter.
        QVERIFY(sink_.messages.empty());
        auto* note = Named<QLabel>(*w_, "lblNameNote");
        QCOMPARE(note->text(), QStringLiteral("Please Enter only Letters"));
        QTest::keyClicks(c_->txtName, QStringLiteral("a"));
        QCOMPARE(c_->txtName->text(), QStringLiteral("KA"));
        QCOMPARE(note->text(), QString());
    }

    // The lists of numbers take a typed whole number, not the next item
    // that starts with the digit.
    void listsTakeTypedNumbers() {
        struct Case {
            QComboBox* list;
            int chosen;  // the item chosen before typing
            const char* typed;
            const char* expected;
        };
        const Case cases[] = {{c_->cboDate, 9, "14", "14"},     {c_->cboDate, 9, "1", "1"},
                              {c_->cboDate, 13, "1", "1"},      {c_->cboDate, 0, "35", "5"},
                              {c_->cboYear, 0, "1985", "1985"}, {c_->cboHH, 0, "07", "7"},
                              {c_->cboMM, 30, "59", "59"},      {c_->cboSS, 10, "0", "0"}};
        for (const Case& c : cases) {
            c.list->setCurrentIndex(c.chosen);
            QTest::qWait(QApplication::keyboardInputInterval() + 50);  // a new number
            QTest::keyClicks(c.list, QString::fromLatin1(c.typed));
            QVERIFY2(c.list->currentText() == QString::fromLatin1(c.expected),
                     qPrintable(QStringLiteral("%1: typed %2 gave %3, expected %4")
                                    .arg(c.list->objectName(), QString::fromLatin1(c.typed),
                                         c.list->currentText(), QString::fromLatin1(c.expected))));
        }
        QCOMPARE(w_->Entry().Form().cboDate, 4);  // the entry follows the list
        QVERIFY(sink_.messages.empty());
    }

    void coordinatesTakeDigitsOnly_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("key");
        QTest::newRow("minus in txtLonD") << "txtLonD"
                                          << "-";
        QTest::newRow("point in txtLonM") << "txtLonM"
                                          << ".";
        QTest::newRow("letter in txtLatD") << "txtLatD"
                                           << "a";
        QTest::newRow("blank in txtLatM") << "txtLatM"
                                          << " ";
    }
    void coordinatesTakeDigitsOnly() {
        QFETCH(QString, box);
        QFETCH(QString, key);
        auto* edit = w_->findChild<QLineEdit*>(box);
        QVERIFY(edit != nullptr);
        QTest::keyClicks(edit, QStringLiteral("1"));
        QTest::keyClicks(edit, key);
        QCOMPARE(edit->text(), QStringLiteral("1"));
        QCOMPARE(sink_.messages.size(), std::size_t{1});
        QCOMPARE(sink_.messages[0].text, QStringLiteral("Only Numbers Are Accepted"));
        QCOMPARE(sink_.messages[0].icon, MessageIcon::Error);
    }

    // Enter is no typed character: in any field it presses the calculate
    // button, as a form's default button; a refused entry still says why.
    void enterInAnyFieldCalculates() {
        EnterValidBirth(*w_);
        for (QWidget* field :
             std::initializer_list<QWidget*>{c_->txtLatM, c_->txtName, c_->txtLonD, c_->txtMCountry,
                                             c_->cboYear, c_->cmbTimeZone, c_->chkDST}) {
            for (const Qt::KeyboardModifiers keypad : {Qt::NoModifier, Qt::KeypadModifier}) {
                sink_.messages.clear();
                QTest::keyClick(field, keypad ? Qt::Key_Enter : Qt::Key_Return, keypad);
                QVERIFY2(sink_.messages.empty(), qPrintable(field->objectName()));
                QVERIFY2(w_->ResultFrame() != nullptr && w_->ResultFrame()->isVisible(),
                         qPrintable(field->objectName()));
                QCOMPARE(c_->txtLatM->text(), QStringLiteral("36"));
                FrameControls(*w_->ResultFrame()).cmdBack->click();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        }
        c_->txtLatM->clear();
        QTest::keyClick(c_->txtLatM, Qt::Key_Return);
        QCOMPARE(sink_.messages.size(), std::size_t{1});
        QCOMPARE(sink_.messages[0].text,
                 QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Latitude"));
    }

    void coordinateBoxesKeepTheirLengths() {
        QTest::keyClicks(c_->txtLonD, QStringLiteral("17955"));
        QTest::keyClicks(c_->txtLonM, QStringLiteral("5959"));
        QTest::keyClicks(c_->txtLatD, QStringLiteral("8989"));
        QTest::keyClicks(c_->txtLatM, QStringLiteral("0000"));
        QCOMPARE(c_->txtLonD->text(), QStringLiteral("179"));
        QCOMPARE(c_->txtLonM->text(), QStringLiteral("59"));
        QCOMPARE(c_->txtLatD->text(), QStringLiteral("89"));
        QCOMPARE(c_->txtLatM->text(), QStringLiteral("00"));
        QVERIFY(sink_.messages.empty());
    }

    void refusedEntryTellsWhyAndMovesTheFocus_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("isError");
        QTest::addColumn<QString>("focus");  // empty: focus stays
        QTest::newRow("blank name") << "txtName"
                                    << "   "
                                    << "Please Enter Name" << true << "txtName";
        QTest::newRow("longitude 180")
            << "txtLonD"
            << "180"
            << "Please Enter Value Between 0 And 179 in the Degree of Longitude" << true
            << "txtLonD";
        QTest::newRow("longitude minutes blank")
            << "txtLonM"
            << ""
            << "Please Enter Value Between 0 And 59 in the  Minute of Longitude" << true
            << "txtLonM";
        QTest::newRow("latitude 90")
            << "txtLatD"
            << "90"
            << "Please Enter Value Between 0 And 89 in the Degree of Latitude" << true << "txtLatD";
        QTest::newRow("latitude minutes 60")
            << "txtLatM"
            << "60"
            << "Please Enter Value Between 0 And 59 in the  Minute of Latitude" << true
            << "txtLatM";
        QTest::newRow("29 February 1901") << "date"
                                          << "1901-02-29"
                                          << "Please Enter Correct Date Or Month!" << false << "";
        QTest::newRow("31 April") << "date"
                                  << "1990-04-31"
                                  << "Please Enter Correct Date Or Month !" << false << "";
    }
    void refusedEntryTellsWhyAndMovesTheFocus() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QFETCH(bool, isError);
        QFETCH(QString, focus);
        EnterValidBirth(*w_);
        if (field == QStringLiteral("date")) {
            const QStringList parts = value.split(QLatin1Char('-'));
            c_->cboYear->setCurrentIndex(parts[0].toInt() - 1901);
            c_->cboMonth->setCurrentIndex(parts[1].toInt() - 1);
            c_->cboDate->setCurrentIndex(parts[2].toInt() - 1);
        } else {
            w_->findChild<QLineEdit*>(field)->setText(value);
        }
        c_->cmdBrowser->setFocus();

        QTest::mouseClick(c_->cmdRashi, Qt::LeftButton);

        QCOMPARE(sink_.messages.size(), std::size_t{1});
        QCOMPARE(sink_.messages[0].text, message);
        QCOMPARE(sink_.messages[0].icon, isError ? MessageIcon::Error : MessageIcon::Information);
        // Where no control is named, the focus stays on the pressed button.
        const QString expectedFocus = focus.isEmpty() ? QStringLiteral("cmdRashi") : focus;
        QVERIFY(w_->focusWidget() != nullptr);
        QCOMPARE(w_->focusWidget()->objectName(), expectedFocus);
        QVERIFY(w_->isVisible());
        QVERIFY(w_->ResultFrame() == nullptr);
    }

    void onlyTheFirstFailingCheckSpeaks() {
        c_->txtName->setText(QStringLiteral("RAVI"));
        c_->txtLonD->setText(QStringLiteral("200"));
        c_->txtLatD->setText(QStringLiteral("95"));
        c_->cboMonth->setCurrentIndex(1);
        c_->cboDate->setCurrentIndex(30);
        c_->mnuNext->trigger();
        QCOMPARE(sink_.messages.size(), std::size_t{1});
        QCOMPARE(sink_.messages[0].text,
                 QStringLiteral("Please Enter Value Between 0 And 179 in the Degree of Longitude"));
    }

    void coordinateLookUpChecksThePlace_data() {
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("message");
        QTest::newRow("no city") << ""
                                 << "Maharashtra"
                                 << "India"
                                 << "Please Enter City";
        QTest::newRow("no state") << "Pune"
                                  << ""
                                  << "India"
                                  << "Please Enter State";
        QTest::newRow("no country") << "Pune"
                                    << "Maharashtra"
                                    << ""
                                    << "Please Enter Country";
    }
    void coordinateLookUpChecksThePlace() {
        QFETCH(QString, city);
        QFETCH(QString, state);
        QFETCH(QString, country);
        QFETCH(QString, message);
        UrlRecorder browser;
        c_->txtMCity->setText(city);
        c_->txtMState->setText(state);
        c_->txtMCountry->setText(country);
        QTest::mouseClick(c_->cmdBrowser, Qt::LeftButton);
        QVERIFY(browser.opened.empty());
        QCOMPARE(sink_.messages.size(), std::size_t{1});
        QCOMPARE(sink_.messages[0].text, message);
        QCOMPARE(sink_.messages[0].icon, MessageIcon::Information);
        const QString emptyBox = city.isEmpty()    ? QStringLiteral("txtMCity")
                                 : state.isEmpty() ? QStringLiteral("txtMState")
                                                   : QStringLiteral("txtMCountry");
        QCOMPARE(w_->focusWidget()->objectName(), emptyBox);
    }

    void coordinateLookUpSearchesTheWeb() {
        UrlRecorder browser;
        c_->txtMCity->setText(QStringLiteral("Pune"));
        c_->txtMState->setText(QStringLiteral("Maharashtra"));
        c_->txtMCountry->setText(QStringLiteral("India"));
        QTest::mouseClick(c_->cmdBrowser, Qt::LeftButton);
        QVERIFY(sink_.messages.empty());
        QCOMPARE(browser.opened.size(), std::size_t{1});
        const QUrl& search = browser.opened[0];
        QCOMPARE(search, korvanta::WebSearchUrl(
                             QStringLiteral("Pune Maharashtra India Latitude Longitude")));
        QCOMPARE(QUrlQuery(search).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
                 QStringLiteral("Pune Maharashtra India Latitude Longitude"));
    }

    void menusFollowTheirOrder() {
        const QList<QAction*> bar = w_->menuBar()->actions();
        QCOMPARE(bar.size(), 2);
        QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
        QCOMPARE(bar[1]->text(), QStringLiteral("&Help"));

        const QList<QAction*> file = bar[0]->menu()->actions();
        QStringList fileNames;
        for (const QAction* action : file)
            fileNames << (action->isSeparator() ? QStringLiteral("-")
                          : action->menu()      ? action->menu()->objectName()
                                                : action->objectName());
        QCOMPARE(fileNames, (QStringList{"mnuNext", "-", "mnuSaveBirth", "mnuSaveAsNew",
                                         "mnuOpenBirth", "mnuRecent", "mnuImportBirths",
                                         "mnuImportFolder", "mnuExportBirths", "-", "mnuExit"}));
        QCOMPARE(file[0]->text(), QStringLiteral("Get My Upapada Lagna"));
        QCOMPARE(file.back()->text(), QStringLiteral("E&xit"));

        const QList<QAction*> help = bar[1]->menu()->actions();
        const QStringList names = {"mnuManual", "mnuOnline", "mnuVisit", "mnuHelp1",
                                   "mnuUpdate", "mnuHelp2",  "mnuAbout", "mnuDonate"};
        const QStringList captions = {"Korvanta &Help",
                                      "&Online Help",
                                      "&Visit Us Online",
                                      "",
                                      "Check for Software &Update",
                                      "",
                                      "&About Software",
                                      "&Donate"};
        QCOMPARE(help.size(), names.size());
        for (int i = 0; i < help.size(); ++i) {
            QCOMPARE(help[i]->objectName(), names[i]);
            QCOMPARE(help[i]->isSeparator(), captions[i].isEmpty());
            if (!captions[i].isEmpty()) QCOMPARE(help[i]->text(), captions[i]);
        }
    }

    void linksOpenTheirPages() {
        UrlRecorder browser;
        QTest::mouseClick(Named<QLabel>(*w_, "Label61"), Qt::LeftButton);
        QTest::mouseClick(Named<QLabel>(*w_, "lblCobrand"), Qt::LeftButton);
        QTest::mouseClick(Named<QLabel>(*w_, "lblFullBrand"), Qt::LeftButton);
        for (const char* entry : {"mnuOnline", "mnuVisit", "mnuUpdate", "mnuDonate"}) {
            w_->findChild<QAction*>(QString::fromLatin1(entry))->trigger();
        }
        // Pages whose address the build set open in the browser; the others
        // open the manual, which comes with the program.
        const std::vector<QUrl> pages = {korvanta::HomePageUrl(),      korvanta::CoBrandPageUrl(),
                                         korvanta::FullBrandPageUrl(), korvanta::OnlineHelpUrl(),
                                         korvanta::HomePageUrl(),      korvanta::DownloadPageUrl(),
                                         korvanta::DonatePageUrl()};
        std::vector<QUrl> expected;
        for (const QUrl& url : pages) {
            if (!url.isEmpty()) expected.push_back(url);
            QVERIFY2(url.isEmpty() || url.isValid(), qPrintable(url.toString()));
        }
        QCOMPARE(browser.opened, expected);
        QWidget* manual = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QStringLiteral("frmManual")) manual = window;
        }
        QCOMPARE(manual != nullptr && manual->isVisible(), expected.size() < pages.size());
        if (manual == nullptr) {
            w_->findChild<QAction*>(QStringLiteral("mnuManual"))->trigger();
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->objectName() == QStringLiteral("frmManual")) manual = window;
            }
            QVERIFY(manual != nullptr);
        }
        // The manual is the README's user sections, pictures included,
        // read without a network.
        auto* text = Named<QTextBrowser>(*manual, "txtManual");
        QVERIFY(text->toPlainText().startsWith(QStringLiteral("Korvanta Help")));
        for (const char* part : {"Find Place", "Chart styles", "Birth Time Sensitivity",
                                 "Births library", "Korvanta Help\" (F1)"}) {
            QVERIFY2(text->toPlainText().contains(QString::fromUtf8(part)), part);
        }
        QVERIFY(text->toHtml().contains(QStringLiteral("docs/screenshots/birth-data.png")));
        QVERIFY(
            !QImage(QStringLiteral(":/korvanta/manual/docs/screenshots/birth-data.png")).isNull());
        manual->close();
    }

    void exitEntryEndsTheProgram() {
        QTimer::singleShot(0, w_.get(), [this] { c_->mnuExit->trigger(); });
        // Only a guard against hanging when the program fails to end.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        guard.start(20000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!w_->isVisible());
    }
};

QTEST_MAIN(EntryWindowTest)
#include "entry_window_test.moc"
