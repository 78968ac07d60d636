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
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <sstream>

#include "recording_sink.h"
#include "ui/births_dialog.h"
#include "ui/frm_main.h"

using korvanta::BirthsDialog;
using korvanta::BirthsTableModel;
using korvanta::EntryForm;
using korvanta::frmMain;
using korvanta::testing::RecordingSink;

namespace {

void Fill(frmMain& w, const QString& name, int hour, const QString& city) {
    w.txtName->setText(name);
    w.cboYear->setCurrentIndex(1980 - 1901);
    w.cboMonth->setCurrentIndex(5);
    w.cboDate->setCurrentIndex(4);
    w.cboHH->setCurrentIndex(hour);
    w.cboMM->setCurrentIndex(5);
    w.cboSS->setCurrentIndex(30);
    w.txtMCity->setText(city);
    w.txtMState->setText(QStringLiteral("Dëlhi ✓"));
    w.txtMCountry->setText(QStringLiteral("India"));
    w.txtLonD->setText(QStringLiteral("77"));
    w.txtLonM->setText(QStringLiteral("12"));
    w.optLong[1]->setChecked(true);
    w.txtLatD->setText(QStringLiteral("28"));
    w.txtLatM->setText(QStringLiteral("36"));
    w.optLat[1]->setChecked(true);
    w.cmbTimeZone->setCurrentIndex(34);
    w.chkDST->setChecked(true);
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
            QVERIFY(!w.mnuSaveBirth->isEnabled());  // no library yet
            w.UseLibrary(path);
            QVERIFY(sink.messages.empty());
            QVERIFY(w.mnuSaveBirth->isEnabled());
            QCOMPARE(w.mnuSaveBirth->shortcut(), QKeySequence(QKeySequence::Save));
            // A refused entry stores nothing.
            w.SaveBirth();
            QCOMPARE(sink.messages.size(), size_t{1});
            QCOMPARE(std::get<0>(w.Library()->List()).size(), size_t{0});
            sink.messages.clear();
            Fill(w, QStringLiteral("ASHA RAO"), 9, QStringLiteral("New Delhi"));
            saved = w.CurrentEntry();
            w.SaveBirth();
            Fill(w, QStringLiteral("RAVI KUMAR"), 11, QStringLiteral("Pune"));
            w.SaveBirth();
            QVERIFY(sink.messages.empty());
            // The same name and moment again: asked; No keeps both.
            w.SaveBirth();
            QCOMPARE(sink.messages.size(), size_t{1});
            QVERIFY(sink.messages[0].question);
            QCOMPARE(std::get<0>(w.Library()->List()).size(), size_t{3});
            sink.answerYes = true;
            w.SaveBirth();
            QCOMPARE(std::get<0>(w.Library()->List()).size(), size_t{3});
            sink.messages.clear();
        }
        frmMain w(sink);
        w.UseLibrary(path);
        auto dialog = w.CreateBirthsDialog();
        QVERIFY(dialog);
        BirthsTableModel* model = dialog->Model();
        QCOMPARE(model->rowCount(), 3);
        // Filter as the user types: name or city, either case.
        QTest::keyClicks(dialog->txtSearch, QStringLiteral("new del"));
        QCOMPARE(Column(model, BirthsTableModel::Name), QStringList{QStringLiteral("ASHA RAO")});
        dialog->txtSearch->clear();
        QTest::keyClicks(dialog->txtSearch, QStringLiteral("ravi"));
        QCOMPARE(model->rowCount(), 2);
        dialog->txtSearch->clear();
        dialog->txtSearch->setText(QStringLiteral("dëlhi ✓"));  // keyClicks takes Latin-1 only
        QCOMPARE(model->rowCount(), 3);
        dialog->txtSearch->clear();
        // Sorted by any column, both ways.
        dialog->tblBirths->sortByColumn(BirthsTableModel::Time, Qt::DescendingOrder);
        QCOMPARE(Column(model, BirthsTableModel::Time),
                 (QStringList{"11:05:30", "11:05:30", "09:05:30"}));
        dialog->tblBirths->sortByColumn(BirthsTableModel::Name, Qt::AscendingOrder);
        QCOMPARE(Column(model, BirthsTableModel::Name),
                 (QStringList{"ASHA RAO", "RAVI KUMAR", "RAVI KUMAR"}));
        QCOMPARE(model->headerData(BirthsTableModel::Saved, Qt::Horizontal, Qt::DisplayRole),
                 QVariant(QStringLiteral("Saved")));
        // A note is edited and found by the search.
        dialog->tblBirths->selectRow(1);
        dialog->txtNote->setPlainText(QStringLiteral("cousin — Ω"));
        dialog->cmdSaveNote->click();
        QTest::keyClicks(dialog->txtSearch, QStringLiteral("COUSIN"));
        QCOMPARE(model->rowCount(), 1);
        dialog->txtSearch->clear();
        // Delete asks; No keeps the birth.
        dialog->tblBirths->selectRow(2);
        sink.answerYes = false;
        dialog->cmdDelete->click();
        QCOMPARE(model->rowCount(), 3);
        sink.answerYes = true;
        dialog->cmdDelete->click();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(std::get<0>(w.Library()->List()).size(), size_t{2});
        // Enter opens the marked birth exactly as saved.
        dialog->tblBirths->selectRow(0);
        QTest::keyClick(dialog->txtSearch, Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        w.OpenStoredBirth(dialog->Chosen());
        QVERIFY(SameForm(w.CurrentEntry(), saved));
        // Recent Births lists what was opened or saved, the latest first.
        emit w.mnuRecent->aboutToShow();
        QVERIFY(w.mnuRecent->actions().size() >= 2);
        QVERIFY(w.mnuRecent->actions()[0]->text().startsWith(QStringLiteral("ASHA RAO")));

        // Export, then import into a fresh library: the same births come in.
        const QString exported = dir.path() + QStringLiteral("/out.jsonl");
        QVERIFY(w.ExportBirthsTo(exported, dialog->Model()->Shown()));
        frmMain other(sink);
        other.UseLibrary((dir.path() + QStringLiteral("/other.sqlite")).toStdString());
        sink.messages.clear();
        QVERIFY(other.ImportBirthsFrom(exported));
        QCOMPARE(sink.messages.back().text,
                 QStringLiteral("2 births added, 0 skipped as duplicates, 0 refused."));
        const auto rows = std::get<0>(other.Library()->List());
        QCOMPARE(rows.size(), size_t{2});
        bool noteCame = false;
        for (const auto& row : rows) noteCame |= row.stored.note == "cousin — Ω";
        QVERIFY(noteCame);

        // The other kinds: AAF, CSV and a folder of .jhd files come back too.
        for (const QString& kind :
             {QStringLiteral("aaf"), QStringLiteral("csv"), QStringLiteral("jhd")}) {
            const QString path = dir.path() + QStringLiteral("/out.") + kind;
            QVERIFY(w.ExportBirthsTo(path, dialog->Model()->Shown()));
            frmMain again(sink);
            again.UseLibrary((dir.path() + QStringLiteral("/") + kind + QStringLiteral(".sqlite"))
                                 .toStdString());
            QVERIFY(again.ImportBirthsFrom(
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
        w.UseLibrary((dir.path() + QStringLiteral("/births.sqlite")).toStdString());
        Fill(w, QStringLiteral("X"), 9, QStringLiteral("Pune"));
        korvanta::library::StoredBirth stored;
        stored.birth = std::get<korvanta::Birth>(korvanta::AcceptBirth(w.CurrentEntry()));
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
        const auto imported = w.Library()->Import(in);
        QCOMPARE(std::get<korvanta::library::ImportReport>(imported).added, long{kCount});

        auto dialog = w.CreateBirthsDialog();
        QVERIFY(dialog);
        BirthsTableModel* model = dialog->Model();
        QVERIFY(!dialog->HasAllRows());
        const QStringList first = Column(model, BirthsTableModel::Name);
        QCOMPARE(first.size(), 200);
        QVERIFY(dialog->lblCount->text().contains(QStringLiteral("450")));
        // Typed before the rest is read.
        dialog->txtSearch->setText(QStringLiteral("TENTH"));
        QSignalSpy read(dialog.get(), &BirthsDialog::AllRowsRead);
        QVERIFY(read.wait(10000));
        QVERIFY(dialog->HasAllRows());
        QCOMPARE(model->rowCount(), kCount / 10);
        dialog->txtSearch->clear();
        QCOMPARE(model->rowCount(), kCount);
        // The first rows were the whole library's first rows by name.
        QCOMPARE(Column(model, BirthsTableModel::Name).mid(0, 200), first);
        QStringList sorted = Column(model, BirthsTableModel::Name);
        std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(Column(model, BirthsTableModel::Name), sorted);

        dialog->txtSearch->setText(QStringLiteral("tenth"));
        const QString exported = dir.path() + QStringLiteral("/shown.jsonl");
        QVERIFY(w.ExportBirthsTo(exported, model->Shown()));
        QFile file(exported);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count('\n'), kCount / 10);
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
        w.UseLibrary(path.toStdString());
        QCOMPARE(sink.messages.size(), size_t{1});
        QVERIFY(sink.messages[0].text.contains(path));
        for (QAction* action : {w.mnuSaveBirth, w.mnuOpenBirth, w.mnuImportBirths,
                                w.mnuExportBirths, w.mnuRecent->menuAction()}) {
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
