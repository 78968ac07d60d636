// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/births_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include "report/moment_text.h"
#include "ui/births_table_model.h"
#include "ui/message_sink.h"

namespace korvanta {
namespace {

QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

BirthsDialog::BirthsDialog(library::BirthsLibrary& library,
                           std::vector<library::ReadBirth> firstRows, std::int64_t total,
                           MessageSink& messages, QWidget* parent)
    : QDialog(parent), library_(library), messages_(messages) {
    setObjectName(QStringLiteral("dlgOpenBirth"));
    setWindowTitle(QStringLiteral("Open Birth"));
    auto* layout = new QVBoxLayout(this);
    searchEdit_ = new QLineEdit;
    searchEdit_->setObjectName(QStringLiteral("txtSearch"));
    searchEdit_->setPlaceholderText(QStringLiteral("Search name, city, state, country or note"));
    searchEdit_->setClearButtonEnabled(true);
    layout->addWidget(searchEdit_);

    model_ = new BirthsTableModel(std::move(firstRows), total, this);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("tblBirths"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSortingEnabled(true);
    table_->sortByColumn(BirthsTableModel::Name, Qt::AscendingOrder);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    // Fixed row heights: the view never measures 100,000 rows.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    layout->addWidget(table_, 1);
    countLabel_ = new QLabel;
    countLabel_->setObjectName(QStringLiteral("lblCount"));
    layout->addWidget(countLabel_);

    layout->addWidget(new QLabel(QStringLiteral("Note")));
    noteEdit_ = new QPlainTextEdit;
    noteEdit_->setObjectName(QStringLiteral("txtNote"));
    noteEdit_->setMaximumHeight(fontMetrics().lineSpacing() * 5);
    layout->addWidget(noteEdit_);

    auto* buttons = new QDialogButtonBox;
    openButton_ = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
    openButton_->setObjectName(QStringLiteral("cmdOpen"));
    deleteButton_ = buttons->addButton(QStringLiteral("&Delete…"), QDialogButtonBox::ActionRole);
    deleteButton_->setObjectName(QStringLiteral("cmdDelete"));
    saveNoteButton_ =
        buttons->addButton(QStringLiteral("Save &Note"), QDialogButtonBox::ActionRole);
    saveNoteButton_->setObjectName(QStringLiteral("cmdSaveNote"));
    exportShownButton_ =
        buttons->addButton(QStringLiteral("E&xport Shown…"), QDialogButtonBox::ActionRole);
    exportShownButton_->setObjectName(QStringLiteral("cmdExportShown"));
    exportShownButton_->setToolTip(
        QStringLiteral("Write the births the table shows to a file of JSON lines"));
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(statusLabel_);
    auto* quit = new QShortcut(QKeySequence::Quit, this);
    connect(quit, &QShortcut::activated, this, &BirthsDialog::QuitRequested);
    EnableChanges();

    // A note typed for the marked birth is kept before the search hides it.
    connect(searchEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        KeepTypedNote();
        model_->SetFilter(text);
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (model_->rowCount() > 0) table_->selectRow(0);
        ShowMarkedNote();
        ShowCount();
    });
    connect(table_, &QTableView::doubleClicked, this, &BirthsDialog::OpenMarked);
    connect(openButton_, &QPushButton::clicked, this, &BirthsDialog::OpenMarked);
    connect(deleteButton_, &QPushButton::clicked, this, &BirthsDialog::DeleteMarked);
    connect(saveNoteButton_, &QPushButton::clicked, this, &BirthsDialog::SaveNote);
    connect(exportShownButton_, &QPushButton::clicked, this, &BirthsDialog::ExportShownRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        KeepTypedNote();
        ShowMarkedNote();
    });
    // Enter in the search box opens the marked birth, as in the table.
    connect(searchEdit_, &QLineEdit::returnPressed, this, &BirthsDialog::OpenMarked);
    openButton_->setDefault(true);
    if (model_->rowCount() > 0) table_->selectRow(0);
    ShowMarkedNote();
    ShowCount();
    resize(760, 480);
    connect(model_, &BirthsTableModel::aboutToTakeAllRows, this, [this] {
        const library::ReadBirth* marked = Marked();
        markedBeforeAllRows_ = marked ? marked->stored.id : 0;
    });
    connect(model_, &BirthsTableModel::allRowsRead, this, &BirthsDialog::TakeAllRows);
    if (!model_->HasAllRows()) model_->ReadAllRows(library_.Path());
}

BirthsDialog::~BirthsDialog() = default;

void BirthsDialog::done(int result) {
    // A note typed and not yet saved is kept however the dialog closes.
    KeepTypedNote();
    // A closed dialog reads no more.
    model_->StopReading();
    QDialog::done(result);
}

void BirthsDialog::ShowStatus(const QString& text) {
    statusLabel_->setText(text);
}

// Deleting and notes wait for the whole library, so that the rows read
// meanwhile never bring back what was just changed.
void BirthsDialog::EnableChanges() {
    const QString why = library_.IsReadOnly()   ? FromStd(library_.ReadOnlyReason())
                        : !model_->HasAllRows() ? QStringLiteral("The library is still being read")
                                                : QString();
    for (QPushButton* change : {deleteButton_, saveNoteButton_}) {
        change->setEnabled(why.isEmpty());
        change->setToolTip(why);
    }
    noteEdit_->setReadOnly(!why.isEmpty());
}

void BirthsDialog::ShowCount() {
    const QLocale locale;
    const qsizetype shown = model_->rowCount();
    const std::int64_t total = model_->Total();
    QString text = shown == total ? QStringLiteral("%1 births").arg(locale.toString(total))
                                  : QStringLiteral("%1 of %2 births shown")
                                        .arg(locale.toString(shown), locale.toString(total));
    if (!model_->HasAllRows()) text += QStringLiteral("; reading the rest of the library…");
    countLabel_->setText(text);
}

void BirthsDialog::TakeAllRows(const QString& error) {
    EnableChanges();
    if (!error.isEmpty()) {
        // The first rows stay; the count says how many the table lacks.
        ShowCount();
        messages_.Inform(this, error, MessageIcon::Error);
        emit AllRowsRead();
        return;
    }
    for (int row = 0; markedBeforeAllRows_ != 0 && row < model_->rowCount(); ++row) {
        if (model_->BirthAt(row).stored.id == markedBeforeAllRows_) {
            table_->selectRow(row);
            break;
        }
    }
    ShowCount();
    emit AllRowsRead();
}

const library::ReadBirth* BirthsDialog::Marked() const {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || current.row() >= model_->rowCount()) return nullptr;
    return &model_->BirthAt(current.row());
}

void BirthsDialog::ShowMarkedNote() {
    const library::ReadBirth* marked = Marked();
    noteBirthId_ = marked ? marked->stored.id : 0;
    shownNote_ = marked ? FromStd(marked->stored.note) : QString();
    noteEdit_->setPlainText(shownNote_);
}

bool BirthsDialog::KeepTypedNote() {
    if (noteBirthId_ == 0 || noteEdit_->isReadOnly()) return true;
    const QString note = noteEdit_->toPlainText();
    if (note == shownNote_) return true;
    const std::int64_t id = noteBirthId_;
    if (auto error = library_.SetNote(id, note.toStdString())) {
        // Said with the note, so that the typed text is not lost unseen.
        messages_.Inform(this,
                         QStringLiteral("The note was not saved: %1\n\nThe note:\n%2")
                             .arg(FromStd(error->message), note),
                         MessageIcon::Error);
        return false;
    }
    shownNote_ = note;
    model_->SetNote(id, note);
    return true;
}

void BirthsDialog::OpenMarked() {
    const library::ReadBirth* marked = Marked();
    if (marked == nullptr) return;
    if (!marked->fault.empty()) {
        messages_.Inform(this, FromStd(marked->fault), MessageIcon::Error);
        return;
    }
    chosen_ = *marked;
    accept();
    emit BirthChosen(chosen_);
}

void BirthsDialog::DeleteMarked() {
    const library::ReadBirth* marked = Marked();
    if (marked == nullptr) return;
    const std::int64_t id = marked->stored.id;
    const QString question = QStringLiteral("Delete the stored birth of %1, %2?")
                                 .arg(FromStd(marked->stored.birth.name),
                                      FromStd(LocalMomentText(marked->stored.birth)));
    if (!messages_.Confirm(this, question, QStringLiteral("Delete"))) return;
    if (auto error = library_.Delete(id)) {
        messages_.Inform(this, FromStd(error->message), MessageIcon::Error);
        return;
    }
    // The note box's text goes with its birth.
    if (noteBirthId_ == id) noteBirthId_ = 0;
    model_->RemoveBirth(id);
}

void BirthsDialog::SaveNote() {
    const library::ReadBirth* marked = Marked();
    if (marked == nullptr) return;
    if (noteBirthId_ != marked->stored.id) return;
    KeepTypedNote();
}

}  // namespace korvanta
