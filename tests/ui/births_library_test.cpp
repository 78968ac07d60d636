// SPDX-License-Identifier: GPL-3.0-or-later
// The births library in the birth-data window, offscreen: save, reopen after
// a restart, the Open dialog's filter, sort, delete and note, recent births,
// import and export, and a library file that cannot be used.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <sstream>

#include "controls.h"
#include "recording_sink.h"
#include "ui/births_dialog.h"
#include "ui/births_table_model.h"
#include "ui/frm_main.h"
#include "ui/mdi.h"

using korvanta::BirthsDialog;
using korvanta::BirthsTableModel;
using korvanta::EntryForm;
using korvanta::frmMain;
using korvanta::testing::DialogControls;
using korvanta::testing::EntryControls;
using korvanta::testing::FrameControls;
using korvanta::testing::Named;
using korvanta::testing::RecordingSink;

namespace {

void Fill(frmMain& w, const QString& name, int hour, const QString& city) {
    EntryControls(w).txtName->setText(name);
    EntryControls(w).cboYear->setCurrentIndex(1980 - 1901);
    EntryControls(w).cboMonth->setCurrentIndex(5);
    EntryControls(w).cboDate->setCurrentIndex(4);
    EntryControls(w).cboHH->setCurrentIndex(hour);
    EntryControls(w).cboMM->setCurrentIndex(5);
    EntryControls(w).cboSS->setCurrentIndex(30);
    EntryControls(w).txtMCity->setText(city);
    EntryControls(w).txtMState->setText(QStringLiteral("Dëlhi ✓"));
    EntryControls(w).txtMCountry->setText(QStringLiteral("India"));
    EntryControls(w).txtLonD->setText(QStringLiteral("77"));
    EntryControls(w).txtLonM->setText(QStringLiteral("12"));
    EntryControls(w).optLong[1]->setChecked(true);
    EntryControls(w).txtLatD->setText(QStringLiteral("28"));
    EntryControls(w).txtLatM->setText(QStringLiteral("36"));
    EntryControls(w).optLat[1]->setChecked(true);
    EntryControls(w).cmbTimeZone->setCurrentIndex(34);
    EntryControls(w).chkDST->setChecked(true);
}

bool SameForm(const EntryForm& a, const EntryForm& b) {
    return a.txtName == b.txtName && a.cboMonth == b.cboMonth && a.cboDate == b.cboDate &&
           a.cboYear == b.cboYear && a.cboHH == b.cboHH && a.cboMM == b.cboMM &&
           a.cboSS == b.cboSS && a.txtMCity == b.txtMCity && a.txtMState == b.txtMState &&
           a.txtMCountry == b.txtMCountry && a.cmbTimeZone == b.cmbTimeZone &&
           a.chkDST == b.chkDST && a.txtLonD == b.txtLonD && a.txtLonM == b.txtLonM &&
           a.optLongEast == b.optLongEast && a.txtLatD == b.txtLatD && a.txtLatM == b.txtLatM &&
           a.optLatSouth == b.optLatSouth;
}

QStringList Column(const BirthsTableModel* model, int column) {
    QStringList cells;
    for (int row = 0; row < model->rowCount(); ++row)
        cells << model->index(row, column).data().toString();
    return cells;
}

}  // namespace

class BirthsLibraryTest : public QObject {
    Q_OBJECT
  private slots:
    void SavedBirthIsFoundAndReopenedAfterARestart() {
        QTemporaryDir dir;
        const std::string path = (dir.path() + QStringLiteral("/lib/births.sqlite")).toStdString();
        RecordingSink sink;
        EntryForm saved;
        {
            frmMain w(sink);
            QVERIFY(!EntryControls(w).mnuSaveBirth->isEnabled());  // no library yet
            w.Entry().UseLibrary(path);
            QVERIFY(sink.messages.empty());
            QVERIFY(EntryControls(w).mnuSaveBirth->isEnabled());
            QCOMPARE(EntryControls(w).mnuSaveBirth->shortcut(), QKeySequence(QKeySequence::Save));
            // A refused entry stores nothing.
            w.Entry().SaveBirth();
            QCOMPARE(sink.messages.size(), size_t{1});
            QCOMPARE(std::get<0>(w.Entry().Library()->List()).size(), size_t{0});
            sink.messages.clear();
            Fill(w, QStringLiteral("ASHA RAO"), 9, QStringLiteral("New Delhi"));
            saved = w.Entry().Form();
            w.Entry().SaveBirth();
            Fill(w, QStringLiteral("RAVI KUMAR"), 11, QStringLiteral("Pune"));
            w.Entry().SaveBirth();
            QVERIFY(sink.messages.empty());
            // The same name and moment again: asked; No keeps both.
            w.Entry().SaveBirth();
            QCOMPARE(sink.messages.size(), size_t{1});
            QVERIFY(sink.messages[0].question);
            QCOMPARE(std::get<0>(w.Entry().Library()->List()).size(), size_t{3});
            sink.answerYes = true;
            w.Entry().SaveBirth();
            QCOMPARE(std::get<0>(w.Entry().Library()->List()).size(), size_t{3});
            sink.messages.clear();
        }
        frmMain w(sink);
        w.Entry().UseLibrary(path);
        BirthsDialog* dialog = w.CreateBirthsDialog();
        QVERIFY(dialog);
        BirthsTableModel* model = dialog->Model();
        QCOMPARE(model->rowCount(), 3);
        // Filter as the user types: name or city, either case.
        QTest::keyClicks(DialogControls(*dialog).txtSearch, QStringLiteral("new del"));
        QCOMPARE(Column(model, BirthsTableModel::Name), QStringList{QStringLiteral("ASHA RAO")});
        DialogControls(*dialog).txtSearch->clear();
        QTest::keyClicks(DialogControls(*dialog).txtSearch, QStringLiteral("ravi"));
        QCOMPARE(model->rowCount(), 2);
        DialogControls(*dialog).txtSearch->clear();
        DialogControls(*dialog).txtSearch->setText(
            QStringLiteral("dëlhi ✓"));  // keyClicks takes Latin-1 only
        QCOMPARE(model->rowCount(), 3);
        DialogControls(*dialog).txtSearch->clear();
        // Sorted by any column, both ways.
        DialogControls(*dialog).tblBirths->sortByColumn(BirthsTableModel::Time,
                                                        Qt::DescendingOrder);
        QCOMPARE(Column(model, BirthsTableModel::Time),
                 (QStringList{"11:05:30", "11:05:30", "09:05:30"}));
        DialogControls(*dialog).tblBirths->sortByColumn(BirthsTableModel::Name, Qt::AscendingOrder);
        QCOMPARE(Column(model, BirthsTableModel::Name),
                 (QStringList{"ASHA RAO", "RAVI KUMAR", "RAVI KUMAR"}));
        QCOMPARE(model->headerData(BirthsTableModel::Saved, Qt::Horizontal, Qt::DisplayRole),
                 QVariant(QStringLiteral("Saved")));
        // A note is edited and found by the search.
        DialogControls(*dialog).tblBirths->selectRow(1);
        DialogControls(*dialog).txtNote->setPlainText(QStringLiteral("cousin — Ω"));
        DialogControls(*dialog).cmdSaveNote->click();
        QTest::keyClicks(DialogControls(*dialog).txtSearch, QStringLiteral("COUSIN"));
        QCOMPARE(model->rowCount(), 1);
        DialogControls(*dialog).txtSearch->clear();
        // Delete asks; No keeps the birth.
        DialogControls(*dialog).tblBirths->selectRow(2);
        sink.answerYes = false;
        DialogControls(*dialog).cmdDelete->click();
        QCOMPARE(model->rowCount(), 3);
        sink.answerYes = true;
        DialogControls(*dialog).cmdDelete->click();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(std::get<0>(w.Entry().Library()->List()).size(), size_t{2});
        // Enter opens the marked birth exactly as saved.
        DialogControls(*dialog).tblBirths->selectRow(0);
        QTest::keyClick(DialogControls(*dialog).txtSearch, Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(SameForm(w.Entry().Form(), saved));
        QCOMPARE(EntryControls(w).txtName->text(), QStringLiteral("ASHA RAO"));
        // A birth saved without an atlas place has no zone note, yet the note
        // keeps its room for the next place chosen.
        QCOMPARE(EntryControls(w).lblZoneNote->text(), QString());
        QVERIFY(!EntryControls(w).lblZoneNote->isHidden());
        // Recent Births lists what was opened or saved, the latest first.
        emit EntryControls(w).mnuRecent->aboutToShow();
        QVERIFY(EntryControls(w).mnuRecent->actions().size() >= 2);
        QVERIFY(EntryControls(w).mnuRecent->actions()[0]->text().startsWith(
            QStringLiteral("ASHA RAO")));

        // Export, then import into a fresh library: the same births come in.
        const QString exported = dir.path() + QStringLiteral("/out.jsonl");
        QVERIFY(w.Entry().ExportBirthsTo(exported, dialog->Model()->Shown()));
        frmMain other(sink);
        other.Entry().UseLibrary((dir.path() + QStringLiteral("/other.sqlite")).toStdString());
        sink.messages.clear();
        QVERIFY(other.Entry().ImportBirthsFrom(exported));
        QCOMPARE(sink.messages.back().text,
                 QStringLiteral("2 births added, 0 skipped as duplicates, 0 refused."));
        const auto rows = std::get<0>(other.Entry().Library()->List());
        QCOMPARE(rows.size(), size_t{2});
        bool noteCame = false;
        for (const auto& row : rows) noteCame |= row.stored.note == "cousin — Ω";
        QVERIFY(noteCame);

        // The other kinds: AAF, CSV and a folder of .jhd files come back too.
        for (const QString& kind :
             {QStringLiteral("aaf"), QStringLiteral("csv"), QStringLiteral("jhd")}) {
            const QString path = dir.path() + QStringLiteral("/out.") + kind;
            QVERIFY(w.Entry().ExportBirthsTo(path, dialog->Model()->Shown()));
            frmMain again(sink);
            again.Entry().UseLibrary(
                (dir.path() + QStringLiteral("/") + kind + QStringLiteral(".sqlite"))
                    .toStdString());
            QVERIFY(again.Entry().ImportBirthsFrom(
                kind == QStringLiteral("jhd") ? dir.path() + QStringLiteral("/out") : path));
            const QString said = sink.messages.back().text;
            QVERIFY2(said.startsWith(
                         QStringLiteral("2 births added, 0 skipped as duplicates, 0 refused.")),
                     qPrintable(said));
            // Offsets name no row: the summary says which row was taken.
            if (kind != QStringLiteral("csv"))
                QVERIFY2(said.contains(QStringLiteral("zone row \"Indian Time, IST, +5.3\"")),
                         qPrintable(said));
        }
    }

    // A library larger than the first screenful: its first rows by name are
    // shown at once, the rest come from a reading thread, and the search and
    // sort made meanwhile hold over the whole library; Export Shown writes
    // only the rows the search leaves.
    void ALargeLibraryShowsItsFirstRowsAtOnceThenAll() {
        QTemporaryDir dir;
        RecordingSink sink;
        frmMain w(sink);
        w.Entry().UseLibrary((dir.path() + QStringLiteral("/births.sqlite")).toStdString());
        Fill(w, QStringLiteral("X"), 9, QStringLiteral("Pune"));
        korvanta::library::StoredBirth stored;
        stored.birth = std::get<korvanta::Birth>(korvanta::AcceptBirth(w.Entry().Form()));
        std::string lines;
        constexpr int kCount = 450;
        for (int i = 0; i < kCount; ++i) {
            // Distinct names of several lengths, saved in no order.
            const int n = (i * 193) % kCount;
            std::string word;
            for (int k = n + 1; k > 0; k /= 26) word += static_cast<char>('A' + k % 26);
            stored.birth.name = word + std::string(static_cast<std::size_t>(n % 3), 'M') + " X";
            stored.id = i + 1;
            stored.note = n % 10 == 0 ? "tenth" : "";
            lines += korvanta::library::ExportLine(stored) + "\n";
        }
        std::istringstream in(lines);
        const auto imported = w.Entry().Library()->Import(in);
        QCOMPARE(std::get<korvanta::library::ImportReport>(imported).added, long{kCount});

        BirthsDialog* dialog = w.CreateBirthsDialog();
        QVERIFY(dialog);
        BirthsTableModel* model = dialog->Model();
        QVERIFY(!dialog->Model()->HasAllRows());
        const QStringList first = Column(model, BirthsTableModel::Name);
        QCOMPARE(first.size(), 200);
        QVERIFY(DialogControls(*dialog).lblCount->text().contains(QStringLiteral("450")));
        // Typed before the rest is read.
        DialogControls(*dialog).txtSearch->setText(QStringLiteral("TENTH"));
        QSignalSpy read(dialog, &BirthsDialog::AllRowsRead);
        QVERIFY(read.wait(10000));
        QVERIFY(dialog->Model()->HasAllRows());
        QCOMPARE(model->rowCount(), kCount / 10);
        DialogControls(*dialog).txtSearch->clear();
        QCOMPARE(model->rowCount(), kCount);
        // The first rows were the whole library's first rows by name.
        QCOMPARE(Column(model, BirthsTableModel::Name).mid(0, 200), first);
        QStringList sorted = Column(model, BirthsTableModel::Name);
        std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(Column(model, BirthsTableModel::Name), sorted);

        DialogControls(*dialog).txtSearch->setText(QStringLiteral("tenth"));
        const QString exported = dir.path() + QStringLiteral("/shown.jsonl");
        QVERIFY(w.Entry().ExportBirthsTo(exported, model->Shown()));
        QFile file(exported);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count('\n'), kCount / 10);

        // A dialog closed at once stops its reading: no rows arrive after.
        QPointer<BirthsDialog> closed = w.CreateBirthsDialog();
        QVERIFY(closed && !closed->Model()->HasAllRows());
        QSignalSpy late(closed->Model(), &BirthsTableModel::allRowsRead);
        closed->reject();
        QCoreApplication::processEvents();
        QCOMPARE(late.count(), 0);
        QCOMPARE(closed->Model()->rowCount(), 200);
        closed->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
    }

    // A note typed in Open Birth… is kept when another row is marked and
    // when the dialog closes; the table shows it. A birth opened and saved
    // again, in the entry window or from the result frame, updates its own
    // record; the status lines say what was done.
    void NotesAreKeptAndAnOpenedBirthIsCorrected() {
        QTemporaryDir dir;
        RecordingSink sink;
        frmMain w(sink);
        w.Entry().UseLibrary((dir.path() + QStringLiteral("/births.sqlite")).toStdString());
        auto* status = w.statusBar();
        for (int hour : {9, 10, 11}) {
            Fill(w, QStringLiteral("ASHA RAO"), hour, QStringLiteral("Pune"));
            QVERIFY(w.Entry().SaveBirth());
            QVERIFY2(status->currentMessage().startsWith(QStringLiteral("Birth saved: ASHA RAO")),
                     qPrintable(status->currentMessage()));
        }
        auto library = [&w] { return std::get<0>(w.Entry().Library()->List()); };

        BirthsDialog* dialog = w.CreateBirthsDialog();
        DialogControls d(*dialog);
        d.tblBirths->sortByColumn(BirthsTableModel::Time, Qt::AscendingOrder);
        d.tblBirths->selectRow(0);
        QTest::keyClicks(d.txtNote, QStringLiteral("aunt"));
        d.tblBirths->selectRow(1);  // leaving the row keeps its note
        QCOMPARE(library()[0].stored.note, std::string("aunt"));
        QCOMPARE(dialog->Model()->index(0, BirthsTableModel::Note).data().toString(),
                 QStringLiteral("aunt"));
        QTest::keyClicks(d.txtNote, QStringLiteral("uncle"));
        // The delete question names the whole moment; No deletes nothing.
        d.tblBirths->selectRow(2);
        QCOMPARE(library()[1].stored.note, std::string("uncle"));
        sink.answerYes = false;
        d.cmdDelete->click();
        QVERIFY2(sink.messages.back().text.contains(QStringLiteral("1980-06-05 11:05:30")),
                 qPrintable(sink.messages.back().text));
        QCOMPARE(library().size(), std::size_t{3});
        QTest::keyClicks(d.txtNote, QStringLiteral("cousin"));
        dialog->reject();  // closing keeps it too
        QCOMPARE(library()[2].stored.note, std::string("cousin"));
        dialog->deleteLater();

        // Opened, corrected and saved: the same record, note kept.
        const korvanta::library::ReadBirth first = library()[0];
        w.Entry().OpenStoredBirth(first);
        EntryControls(w).cboMM->setCurrentIndex(20);
        EntryControls(w).mnuSaveBirth->trigger();
        QCOMPARE(library().size(), std::size_t{3});
        QCOMPARE(library()[0].stored.birth.minute, 20);
        QCOMPARE(library()[0].stored.note, std::string("aunt"));
        QVERIFY2(status->currentMessage().startsWith(QStringLiteral("Stored birth updated")),
                 qPrintable(status->currentMessage()));

        // The result frame saves the birth too, with Ctrl+S, and says so in
        // its own status line; Ctrl+Q ends the program from either window.
        w.Calculate();
        QVERIFY(w.ResultFrame() != nullptr);
        QAction* frameSave = Named<QAction>(*w.ResultFrame(), "mnuFrameSaveBirth");
        QCOMPARE(frameSave->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(FrameControls(*w.ResultFrame()).mnuExit->shortcut(),
                 QKeySequence(QKeySequence::Quit));
        QCOMPARE(EntryControls(w).mnuExit->shortcut(), QKeySequence(QKeySequence::Quit));
        w.ResultFrame()->show();
        frameSave->trigger();
        QCOMPARE(library().size(), std::size_t{3});
        QVERIFY(w.ResultFrame()->statusBar()->currentMessage().startsWith(
            QStringLiteral("Stored birth updated")));

        // Export says where it wrote.
        const QString exported = dir.path() + QStringLiteral("/all.csv");
        w.ResultFrame()->hide();
        QVERIFY(w.Entry().ExportBirthsTo(exported, {&first}));
        QCOMPARE(status->currentMessage(), QStringLiteral("1 birth exported to %1").arg(exported));
    }

    void AnUnusableLibraryIsNamedOnceAndItsItemsAreDisabled() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/births.sqlite");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a database\n");
        file.close();
        RecordingSink sink;
        frmMain w(sink);
        w.Entry().UseLibrary(path.toStdString());
        QCOMPARE(sink.messages.size(), size_t{1});
        QVERIFY(sink.messages[0].text.contains(path));
        for (QAction* action : {EntryControls(w).mnuSaveBirth, EntryControls(w).mnuOpenBirth,
                                EntryControls(w).mnuImportBirths, EntryControls(w).mnuExportBirths,
                                EntryControls(w).mnuRecent->menuAction()}) {
            QVERIFY(!action->isEnabled());
            QVERIFY(action->toolTip().contains(path));
        }
        QVERIFY(!w.CreateBirthsDialog());
        QFile check(path);
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("this is not a database\n"));
    }
};

QTEST_MAIN(BirthsLibraryTest)
#include "births_library_test.moc"
