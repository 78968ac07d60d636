// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data window's births library: Save Birth, Open Birth…, Recent
// Births, Import and Export Births… in the File menu.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include "atlas/entry_atlas.h"
#include "exchange/exchange_files.h"
#include "exchange/library_import.h"
#include "library/birth_record.h"
#include "ui/births_dialog.h"
#include "ui/frm_main.h"
#include "ui/message_sink.h"

namespace korvanta {

namespace {

// Births listed under Recent Births.
constexpr int kRecentCount = 8;
// Births the Open dialog shows before it has read the whole library: more
// than a table's first screen.
constexpr int kFirstRows = 200;

QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString MomentText(const Birth& b) {
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", b.year, b.month, b.day, b.hour,
                             b.minute, b.second);
}

}  // namespace

void frmMain::BuildLibraryMenu() {
    auto named = [](QAction* action, const char* name) {
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    mnuFile->addSeparator();
    mnuSaveBirth = named(mnuFile->addAction(QStringLiteral("&Save Birth")), "mnuSaveBirth");
    mnuSaveBirth->setShortcut(QKeySequence::Save);
    mnuOpenBirth = named(mnuFile->addAction(QStringLiteral("&Open Birth…")), "mnuOpenBirth");
    mnuOpenBirth->setShortcut(QKeySequence::Open);
    mnuRecent = mnuFile->addMenu(QStringLiteral("&Recent Births"));
    mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    mnuImportBirths =
        named(mnuFile->addAction(QStringLiteral("&Import Births…")), "mnuImportBirths");
    mnuImportFolder =
        named(mnuFile->addAction(QStringLiteral("Import Births &Folder…")), "mnuImportFolder");
    mnuExportBirths =
        named(mnuFile->addAction(QStringLiteral("&Export Births…")), "mnuExportBirths");
    mnuFile->addSeparator();
    connect(mnuSaveBirth, &QAction::triggered, this, &frmMain::SaveBirth);
    connect(mnuOpenBirth, &QAction::triggered, this, &frmMain::ShowBirthsDialog);
    connect(mnuImportBirths, &QAction::triggered, this, &frmMain::ImportBirthsChosen);
    connect(mnuImportFolder, &QAction::triggered, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Import Births: a Folder of .jhd Files"));
        if (!folder.isEmpty()) ImportBirthsFrom(QStringList{folder});
    });
    connect(mnuExportBirths, &QAction::triggered, this, &frmMain::ExportBirthsChosen);
    connect(mnuRecent, &QMenu::aboutToShow, this, &frmMain::FillRecent);
    libraryProblem_ = QStringLiteral("No births library is open");
    UpdateLibraryMenu();
}

void frmMain::UseLibrary(const std::string& path) {
    library_.reset();
    auto opened = library::BirthsLibrary::Open(path);
    if (auto* error = std::get_if<library::LibraryError>(&opened)) {
        libraryProblem_ =
            FromStd(error->message) + QStringLiteral("; Korvanta works without the library");
        messages_.Inform(this, libraryProblem_, MessageIcon::Error);
    } else {
        library_ = std::move(std::get<std::unique_ptr<library::BirthsLibrary>>(opened));
        libraryProblem_.clear();
    }
    UpdateLibraryMenu();
}

void frmMain::UpdateLibraryMenu() {
    const bool open = library_ != nullptr;
    const bool writable = open && !library_->IsReadOnly();
    const QString readOnly = open ? QStringLiteral("The births library is read-only: ") +
                                        FromStd(library_->ReadOnlyReason())
                                  : libraryProblem_;
    for (QAction* action : {mnuOpenBirth, mnuExportBirths}) {
        action->setEnabled(open);
        action->setToolTip(open ? QString() : libraryProblem_);
    }
    mnuRecent->setEnabled(open);
    mnuRecent->menuAction()->setToolTip(open ? QString() : libraryProblem_);
    for (QAction* action : {mnuSaveBirth, mnuImportBirths, mnuImportFolder}) {
        action->setEnabled(writable);
        action->setToolTip(writable ? QString() : readOnly);
    }
    mnuFile->setToolTipsVisible(true);
}

void frmMain::SaveBirth() {
    if (!library_ || library_->IsReadOnly()) return;
    const auto accepted = AcceptBirth(CurrentEntry());
    if (const auto* refusal = std::get_if<Refusal>(&accepted)) {
        ShowRefusal(*refusal);
        return;
    }
    library::StoredBirth birth;
    birth.birth = std::get<Birth>(accepted);
    if (chosenPlace_) {
        birth.atlasPlace = atlas::PlaceLabel(*chosenPlace_);
        birth.atlasZone = chosenPlace_->timeZone;
    } else {
        birth.atlasPlace = openedAtlasPlace_;
        birth.atlasZone = openedAtlasZone_;
    }
    auto saved = library_->Save(birth, library::OnDuplicate::Refuse);
    if (std::holds_alternative<library::Duplicate>(saved)) {
        const bool replace = messages_.AskYesNo(
            this, QStringLiteral("A birth of %1 at %2 is already stored.\n\nReplace it? (Yes "
                                 "replaces the stored birth; No keeps both.)")
                      .arg(FromStd(birth.birth.name), MomentText(birth.birth)));
        saved = library_->Save(
            birth, replace ? library::OnDuplicate::Replace : library::OnDuplicate::KeepBoth);
    }
    if (const auto* error = std::get_if<library::LibraryError>(&saved)) {
        messages_.Inform(this, FromStd(error->message), MessageIcon::Error);
    }
}

std::unique_ptr<BirthsDialog> frmMain::CreateBirthsDialog() {
    if (!library_) return nullptr;
    // The first rows by name are shown at once; the dialog reads the rest.
    auto first = library_->FirstByName(kFirstRows);
    auto total = library_->Count();
    for (const library::LibraryError* error : std::initializer_list<const library::LibraryError*>{
             std::get_if<library::LibraryError>(&first),
             std::get_if<library::LibraryError>(&total)}) {
        if (error == nullptr) continue;
        messages_.Inform(this, FromStd(error->message), MessageIcon::Error);
        return nullptr;
    }
    auto dialog = std::make_unique<BirthsDialog>(
        *library_, std::move(std::get<std::vector<library::ReadBirth>>(first)),
        std::get<std::int64_t>(total), messages_, this);
    BirthsDialog* shown = dialog.get();
    connect(shown, &BirthsDialog::ExportShownRequested, this, [this, shown] {
        const QString path = AskExportPath(shown);
        if (!path.isEmpty()) ExportBirthsTo(path, shown->Model()->Shown());
    });
    return dialog;
}

void frmMain::ShowBirthsDialog() {
    const auto dialog = CreateBirthsDialog();
    if (dialog && dialog->exec() == QDialog::Accepted) OpenStoredBirth(dialog->Chosen());
}

void frmMain::OpenStoredBirth(const library::ReadBirth& stored) {
    if (!stored.fault.empty()) {
        messages_.Inform(this, FromStd(stored.fault), MessageIcon::Error);
        return;
    }
    const EntryForm form = library::FormOfBirth(stored.stored.birth);
    // The stored zone and daylight saving are kept as saved: no atlas place
    // follows the date while the lists are set.
    chosenPlace_.reset();
    txtName->setText(FromStd(form.txtName));
    cboYear->setCurrentIndex(form.cboYear);
    cboMonth->setCurrentIndex(form.cboMonth);
    cboDate->setCurrentIndex(form.cboDate);
    cboHH->setCurrentIndex(form.cboHH);
    cboMM->setCurrentIndex(form.cboMM);
    cboSS->setCurrentIndex(form.cboSS);
    txtMCity->setText(FromStd(form.txtMCity));
    txtMState->setText(FromStd(form.txtMState));
    txtMCountry->setText(FromStd(form.txtMCountry));
    txtLonD->setText(FromStd(form.txtLonD));
    txtLonM->setText(FromStd(form.txtLonM));
    optLong[form.optLongEast ? 0 : 1]->setChecked(true);
    txtLatD->setText(FromStd(form.txtLatD));
    txtLatM->setText(FromStd(form.txtLatM));
    optLat[form.optLatSouth ? 1 : 0]->setChecked(true);
    cmbTimeZone->setCurrentIndex(form.cmbTimeZone);
    chkDST->setChecked(form.chkDST);
    txtFindPlace->setText(FromStd(stored.stored.atlasPlace));
    openedAtlasPlace_ = stored.stored.atlasPlace;
    openedAtlasZone_ = stored.stored.atlasZone;
    const std::string note =
        stored.stored.atlasZone.empty() ? "" : EntryZoneFor(stored.stored.atlasZone, form).note;
    lblZoneNote->setText(FromStd(note));
    lblZoneNote->setVisible(!note.empty());
    if (!library_->IsReadOnly()) library_->MarkOpened(stored.stored.id);
}

void frmMain::FillRecent() {
    mnuRecent->clear();
    if (!library_) return;
    auto rows = library_->Recent(kRecentCount);
    if (!std::holds_alternative<std::vector<library::ReadBirth>>(rows)) return;
    for (const library::ReadBirth& row : std::get<std::vector<library::ReadBirth>>(rows)) {
        QAction* item = mnuRecent->addAction(QStringLiteral("%1  %2").arg(
            FromStd(row.stored.birth.name), MomentText(row.stored.birth)));
        connect(item, &QAction::triggered, this, [this, row] { OpenStoredBirth(row); });
    }
    if (mnuRecent->isEmpty()) mnuRecent->addAction(QStringLiteral("(none yet)"))->setEnabled(false);
}

bool frmMain::ImportBirthsFrom(const QStringList& paths) {
    if (!library_) return false;
    std::vector<std::string> files;
    for (const QString& path : paths) files.push_back(path.toStdString());
    auto result = exchange::ImportIntoLibrary(*library_, files);
    if (const auto* error = std::get_if<library::LibraryError>(&result)) {
        messages_.Inform(this, FromStd(error->message) + QStringLiteral("; nothing was imported."),
                         MessageIcon::Error);
        return false;
    }
    const exchange::LibraryImportSummary& summary =
        std::get<exchange::LibraryImportSummary>(result);
    QString text = QStringLiteral("%1 births added, %2 skipped as duplicates, %3 refused.")
                       .arg(summary.added)
                       .arg(summary.duplicates)
                       .arg(summary.refused.size());
    constexpr std::size_t kShownRefusals = 20;
    for (std::size_t i = 0; i < summary.refused.size() && i < kShownRefusals; ++i) {
        const exchange::FileRemark& refused = summary.refused[i];
        text += QStringLiteral("\n") + QFileInfo(FromStd(refused.file)).fileName();
        if (refused.line > 0) text += QStringLiteral(" line %1").arg(refused.line);
        text += QStringLiteral(": ") + FromStd(refused.text);
    }
    if (summary.refused.size() > kShownRefusals) {
        text += QStringLiteral("\n… and %1 more.").arg(summary.refused.size() - kShownRefusals);
    }
    // What the import decided: the zone row it chose, coordinates rounded.
    constexpr std::size_t kShownNotes = 10;
    for (std::size_t i = 0; i < summary.notes.size() && i < kShownNotes; ++i) {
        const exchange::FileRemark& note = summary.notes[i];
        text += QStringLiteral("\n") + QFileInfo(FromStd(note.file)).fileName();
        if (note.line > 0) text += QStringLiteral(" line %1").arg(note.line);
        if (!note.name.empty()) text += QStringLiteral(", ") + FromStd(note.name);
        text += QStringLiteral(": ") + FromStd(note.text);
    }
    if (summary.notes.size() > kShownNotes) {
        text += QStringLiteral("\n… and %1 more notes.").arg(summary.notes.size() - kShownNotes);
    }
    messages_.Inform(this, text,
                     summary.refused.empty() ? MessageIcon::Information : MessageIcon::Error);
    return true;
}

bool frmMain::ExportBirthsTo(const QString& path,
                             const std::vector<const library::ReadBirth*>& births) {
    std::string target = path.toStdString();
    const exchange::Format format =
        exchange::FormatOfExtension(target).value_or(exchange::Format::JsonLines);
    // .jhd files are one a birth: "charts.jhd" names the folder "charts".
    if (format == exchange::Format::Jhd) target.resize(target.size() - 4);
    std::vector<library::StoredBirth> stored;
    for (const library::ReadBirth* birth : births) {
        if (birth->fault.empty()) stored.push_back(birth->stored);
    }
    const auto written = exchange::WriteBirths(format, target, stored);
    if (const auto* problem = std::get_if<std::string>(&written)) {
        messages_.Inform(this,
                         QStringLiteral("The births cannot be written: %1").arg(FromStd(*problem)),
                         MessageIcon::Error);
        return false;
    }
    return true;
}

void frmMain::ImportBirthsChosen() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Import Births"), QString(),
        QStringLiteral("Births (*.jsonl *.json *.jhd *.aaf *.csv *.txt);;JSON lines (*.jsonl "
                       "*.json);;.jhd birth files (*.jhd);;AAF (*.aaf);;CSV (*.csv);;All files "
                       "(*)"));
    if (!paths.isEmpty()) ImportBirthsFrom(paths);
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
    if (!library_) return;
    auto rows = library_->List();
    if (const auto* error = std::get_if<library::LibraryError>(&rows)) {
        messages_.Inform(this, FromStd(error->message), MessageIcon::Error);
        return;
    }
    const QString path = AskExportPath(this);
    if (path.isEmpty()) return;
    std::vector<const library::ReadBirth*> all;
    for (const auto& row : std::get<std::vector<library::ReadBirth>>(rows)) all.push_back(&row);
    ExportBirthsTo(path, all);
}

}  // namespace korvanta
