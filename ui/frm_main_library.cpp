// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data window's births library: Save Birth, Open Birth…, Recent
// Births, Import and Export Births… in the File menu. What they do is the
// EntryViewModel's; here are the menu, the file dialogs and the Open dialog.
#include <QFileDialog>
#include <QMenu>
#include <algorithm>

#include "exchange/exchange_files.h"
#include "ui/births_dialog.h"
#include "ui/births_table_model.h"
#include "ui/frm_main.h"

namespace korvanta {

void frmMain::BuildLibraryMenu() {
    auto named = [](QAction* action, const char* name) {
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    fileMenu_->addSeparator();
    saveBirthAction_ = named(fileMenu_->addAction(QStringLiteral("&Save Birth")), "mnuSaveBirth");
    saveBirthAction_->setShortcut(QKeySequence::Save);
    saveAsNewAction_ =
        named(fileMenu_->addAction(QStringLiteral("Save &As New Birth")), "mnuSaveAsNew");
    saveAsNewAction_->setShortcut(QKeySequence::SaveAs);
    openBirthAction_ = named(fileMenu_->addAction(QStringLiteral("&Open Birth…")), "mnuOpenBirth");
    openBirthAction_->setShortcut(QKeySequence::Open);
    recentMenu_ = fileMenu_->addMenu(QStringLiteral("&Recent Births"));
    recentMenu_->setObjectName(QStringLiteral("mnuRecent"));
    importAction_ =
        named(fileMenu_->addAction(QStringLiteral("&Import Births…")), "mnuImportBirths");
    importFolderAction_ =
        named(fileMenu_->addAction(QStringLiteral("Import Births &Folder…")), "mnuImportFolder");
    exportAction_ =
        named(fileMenu_->addAction(QStringLiteral("&Export Births…")), "mnuExportBirths");
    fileMenu_->addSeparator();
    connect(saveBirthAction_, &QAction::triggered, this, [this] { entry_->SaveBirth(); });
    connect(saveAsNewAction_, &QAction::triggered, this, [this] { entry_->SaveBirthAsNew(); });
    connect(openBirthAction_, &QAction::triggered, this, &frmMain::ShowBirthsDialog);
    connect(importAction_, &QAction::triggered, this, &frmMain::ImportBirthsChosen);
    connect(importFolderAction_, &QAction::triggered, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Import Births: a Folder of .jhd Files"));
        if (!folder.isEmpty()) entry_->ImportBirthsFrom(QStringList{folder});
    });
    connect(exportAction_, &QAction::triggered, this, &frmMain::ExportBirthsChosen);
    connect(recentMenu_, &QMenu::aboutToShow, this, &frmMain::FillRecent);
}

void frmMain::ShowLibraryState() {
    const bool open = entry_->Library() != nullptr;
    const bool writable = entry_->LibraryWritable();
    const QString problem = open ? QString()
                            : entry_->LibraryProblem().isEmpty()
                                ? QStringLiteral("No births library is open")
                                : entry_->LibraryProblem();
    for (QAction* action : {openBirthAction_, exportAction_}) {
        action->setEnabled(open);
        action->setToolTip(problem);
    }
    recentMenu_->setEnabled(open);
    recentMenu_->menuAction()->setToolTip(problem);
    const QString readOnly = open ? entry_->ReadOnlyProblem() : problem;
    for (QAction* action :
         {saveBirthAction_, saveAsNewAction_, importAction_, importFolderAction_}) {
        action->setEnabled(writable);
        action->setToolTip(readOnly);
    }
    fileMenu_->setToolTipsVisible(true);
}

BirthsDialog* frmMain::CreateBirthsDialog() {
    if (entry_->Library() == nullptr) return nullptr;
    // The first rows by name are shown at once; the dialog reads the rest.
    std::optional<EntryViewModel::FirstRows> first = entry_->FirstRowsByName();
    if (!first) return nullptr;
    auto* dialog = new BirthsDialog(*entry_->Library(), std::move(first->births), first->total,
                                    messages_, this);
    connect(dialog, &BirthsDialog::ExportShownRequested, this,
            [this, dialog] { ExportShown(dialog); });
    connect(dialog, &BirthsDialog::BirthChosen, entry_, &EntryViewModel::OpenStoredBirth);
    connect(dialog, &BirthsDialog::QuitRequested, this, &frmMain::EndProgram);
    // What went well while the dialog is open is said in it too.
    connect(entry_, &EntryViewModel::statusSaid, dialog, &BirthsDialog::ShowStatus);
    return dialog;
}

void frmMain::ShowBirthsDialog() {
    BirthsDialog* dialog = CreateBirthsDialog();
    if (dialog == nullptr) return;
    dialog->exec();
    // The window owns the dialog; it goes once its loop has returned.
    dialog->deleteLater();
}

void frmMain::ExportShown(BirthsDialog* dialog) {
    const QString path = AskExportPath(dialog);
    if (!path.isEmpty()) entry_->ExportBirthsTo(path, dialog->Model()->Shown());
}

void frmMain::FillRecent() {
    recentMenu_->clear();
    for (const library::ReadBirth& row : entry_->RecentBirths()) {
        QAction* item = recentMenu_->addAction(EntryViewModel::RecentLabel(row));
        connect(item, &QAction::triggered, entry_, [this, row] { entry_->OpenStoredBirth(row); });
    }
    if (entry_->Library() != nullptr && recentMenu_->isEmpty()) {
        recentMenu_->addAction(QStringLiteral("(none yet)"))->setEnabled(false);
    }
}

void frmMain::ImportBirthsChosen() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Import Births"), QString(),
        QStringLiteral("Births (*.jsonl *.json *.jhd *.aaf *.csv *.txt);;JSON lines (*.jsonl "
                       "*.json);;.jhd birth files (*.jhd);;AAF (*.aaf);;CSV (*.csv);;All files "
                       "(*)"));
    if (!paths.isEmpty()) entry_->ImportBirthsFrom(paths);
}

QString frmMain::AskExportPath(QWidget* parent) {
    const QStringList filters = {
        QStringLiteral("JSON lines (*.jsonl)"),
        QStringLiteral(".jhd birth files, one a birth, in a folder (*.jhd)"),
        QStringLiteral("AAF (*.aaf)"), QStringLiteral("CSV (*.csv)")};
    const QStringList extensions = {QStringLiteral(".jsonl"), QStringLiteral(".jhd"),
                                    QStringLiteral(".aaf"), QStringLiteral(".csv")};
    QString chosen;
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Export Births"),
                                                QStringLiteral("births.jsonl"),
                                                filters.join(QStringLiteral(";;")), &chosen);
    // A name without one of the four extensions takes the chosen kind's.
    if (!path.isEmpty() && !exchange::FormatOfExtension(path.toStdString())) {
        path += extensions.value(std::max(0, static_cast<int>(filters.indexOf(chosen))));
    }
    return path;
}

void frmMain::ExportBirthsChosen() {
    const std::optional<std::vector<library::ReadBirth>> rows = entry_->AllBirths();
    if (!rows) return;
    const QString path = AskExportPath(this);
    if (path.isEmpty()) return;
    std::vector<const library::ReadBirth*> all;
    for (const auto& row : *rows) all.push_back(&row);
    entry_->ExportBirthsTo(path, all);
}

}  // namespace korvanta
