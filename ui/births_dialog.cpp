// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/births_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "pipeline/zones.h"
#include "ui/message_sink.h"

namespace korvanta {
namespace {

QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString PlaceOf(const Birth& b) {
    QStringList parts;
    for (const std::string* part : {&b.city, &b.state, &b.country}) {
        if (!part->empty()) parts << FromStd(*part);
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace

BirthsTableModel::BirthsTableModel(std::vector<library::ReadBirth> rows, QObject* parent)
    : QAbstractTableModel(parent) {
    rows_.reserve(rows.size());
    for (library::ReadBirth& birth : rows) {
        Row row;
        const Birth& b = birth.stored.birth;
        row.cells[Name] = FromStd(b.name);
        row.cells[Date] = QString::asprintf("%04d-%02d-%02d", b.year, b.month, b.day);
        row.cells[Time] = QString::asprintf("%02d:%02d:%02d", b.hour, b.minute, b.second);
        row.cells[Place] = PlaceOf(b);
        row.cells[Zone] = birth.fault.empty() ? FromStd(birth.stored.zoneText)
                                              : QStringLiteral("(zone row changed)");
        row.cells[Saved] = QDateTime::fromSecsSinceEpoch(birth.stored.modified)
                               .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        row.haystack = (row.cells[Name] + QChar('\n') + row.cells[Place] + QChar('\n') +
                        FromStd(birth.stored.note))
                           .toCaseFolded();
        row.birth = std::move(birth);
        rows_.push_back(std::move(row));
    }
    order_.resize(rows_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
    shown_ = order_;
}

int BirthsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int BirthsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BirthsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Row& row = rows_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(index.row())])];
    if (role == Qt::DisplayRole) return row.cells[index.column()];
    if (role == Qt::ToolTipRole && !row.birth.fault.empty()) return FromStd(row.birth.fault);
    return {};
}

QVariant BirthsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeaders[] = {"Name", "Date", "Time", "Place", "Zone", "Saved"};
    return QString::fromLatin1(kHeaders[section]);
}

void BirthsTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount) return;
    emit layoutAboutToBeChanged();
    auto key = [this, column](int i) -> const QString& {
        return rows_[static_cast<std::size_t>(i)].cells[column];
    };
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        const int c = key(a).compare(key(b), Qt::CaseInsensitive);
        if (c == 0 && column == Date) return key(a) < key(b);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    if (column == Date || column == Saved) {
        // Dates sort with their times.
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
            const Row& x = rows_[static_cast<std::size_t>(a)];
            const Row& y = rows_[static_cast<std::size_t>(b)];
            const QString kx = column == Saved ? x.cells[Saved] : x.cells[Date] + x.cells[Time];
            const QString ky = column == Saved ? y.cells[Saved] : y.cells[Date] + y.cells[Time];
            return order == Qt::AscendingOrder ? kx < ky : ky < kx;
        });
    }
    RebuildShown();
    emit layoutChanged();
}

void BirthsTableModel::SetFilter(const QString& text) {
    beginResetModel();
    filter_ = text.trimmed().toCaseFolded();
    RebuildShown();
    endResetModel();
}

void BirthsTableModel::RebuildShown() {
    shown_.clear();
    for (int i : order_) {
        if (filter_.isEmpty() || rows_[static_cast<std::size_t>(i)].haystack.contains(filter_))
            shown_.push_back(i);
    }
}

const library::ReadBirth& BirthsTableModel::BirthAt(int row) const {
    return rows_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(row)])].birth;
}

std::vector<const library::ReadBirth*> BirthsTableModel::Shown() const {
    std::vector<const library::ReadBirth*> shown;
    for (int i : shown_) shown.push_back(&rows_[static_cast<std::size_t>(i)].birth);
    return shown;
}

void BirthsTableModel::RemoveBirth(std::int64_t id) {
    beginResetModel();
    const auto at = std::find_if(rows_.begin(), rows_.end(),
                                 [id](const Row& r) { return r.birth.stored.id == id; });
    if (at != rows_.end()) {
        const int removed = static_cast<int>(at - rows_.begin());
        rows_.erase(at);
        std::erase(order_, removed);
        for (int& i : order_) i -= i > removed ? 1 : 0;
    }
    RebuildShown();
    endResetModel();
}

void BirthsTableModel::SetNote(std::int64_t id, const QString& note) {
    for (Row& row : rows_) {
        if (row.birth.stored.id != id) continue;
        row.birth.stored.note = note.toStdString();
        row.haystack =
            (row.cells[Name] + QChar('\n') + row.cells[Place] + QChar('\n') + note).toCaseFolded();
    }
}

BirthsDialog::BirthsDialog(library::BirthsLibrary& library, std::vector<library::ReadBirth> rows,
                           MessageSink& messages, QWidget* parent)
    : QDialog(parent), library_(library), messages_(messages) {
    setObjectName(QStringLiteral("dlgOpenBirth"));
    setWindowTitle(QStringLiteral("Open Birth"));
    auto* layout = new QVBoxLayout(this);
    txtSearch = new QLineEdit;
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setPlaceholderText(QStringLiteral("Search name, city, state, country or note"));
    txtSearch->setClearButtonEnabled(true);
    layout->addWidget(txtSearch);

    model_ = new BirthsTableModel(std::move(rows), this);
    tblBirths = new QTableView;
    tblBirths->setObjectName(QStringLiteral("tblBirths"));
    tblBirths->setModel(model_);
    tblBirths->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblBirths->setSelectionMode(QAbstractItemView::SingleSelection);
    tblBirths->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblBirths->setSortingEnabled(true);
    tblBirths->sortByColumn(BirthsTableModel::Name, Qt::AscendingOrder);
    tblBirths->verticalHeader()->hide();
    tblBirths->horizontalHeader()->setStretchLastSection(true);
    // Fixed row heights: the view never measures 100,000 rows.
    tblBirths->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    layout->addWidget(tblBirths, 1);

    layout->addWidget(new QLabel(QStringLiteral("Note")));
    txtNote = new QPlainTextEdit;
    txtNote->setObjectName(QStringLiteral("txtNote"));
    txtNote->setMaximumHeight(fontMetrics().lineSpacing() * 5);
    layout->addWidget(txtNote);

    auto* buttons = new QDialogButtonBox;
    cmdOpen = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdDelete = buttons->addButton(QStringLiteral("&Delete…"), QDialogButtonBox::ActionRole);
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    cmdSaveNote = buttons->addButton(QStringLiteral("Save &Note"), QDialogButtonBox::ActionRole);
    cmdSaveNote->setObjectName(QStringLiteral("cmdSaveNote"));
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    for (QPushButton* change : {cmdDelete, cmdSaveNote}) {
        change->setEnabled(!library_.IsReadOnly());
        if (library_.IsReadOnly()) change->setToolTip(FromStd(library_.ReadOnlyReason()));
    }
    txtNote->setReadOnly(library_.IsReadOnly());

    connect(txtSearch, &QLineEdit::textChanged, model_, &BirthsTableModel::SetFilter);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (model_->rowCount() > 0) tblBirths->selectRow(0);
        ShowMarkedNote();
    });
    connect(tblBirths, &QTableView::doubleClicked, this, &BirthsDialog::OpenMarked);
    connect(cmdOpen, &QPushButton::clicked, this, &BirthsDialog::OpenMarked);
    connect(cmdDelete, &QPushButton::clicked, this, &BirthsDialog::DeleteMarked);
    connect(cmdSaveNote, &QPushButton::clicked, this, &BirthsDialog::SaveNote);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tblBirths->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &BirthsDialog::ShowMarkedNote);
    // Enter in the search box opens the marked birth, as in the table.
    connect(txtSearch, &QLineEdit::returnPressed, this, &BirthsDialog::OpenMarked);
    cmdOpen->setDefault(true);
    if (model_->rowCount() > 0) tblBirths->selectRow(0);
    ShowMarkedNote();
    resize(760, 480);
}

const library::ReadBirth* BirthsDialog::Marked() const {
    const QModelIndex current = tblBirths->currentIndex();
    if (!current.isValid() || current.row() >= model_->rowCount()) return nullptr;
    return &model_->BirthAt(current.row());
}

void BirthsDialog::ShowMarkedNote() {
    const library::ReadBirth* marked = Marked();
    txtNote->setPlainText(marked ? FromStd(marked->stored.note) : QString());
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
}

void BirthsDialog::DeleteMarked() {
    const library::ReadBirth* marked = Marked();
    if (marked == nullptr) return;
    const std::int64_t id = marked->stored.id;
    const QString question = QStringLiteral("Delete the stored birth of %1, %2?")
                                 .arg(FromStd(marked->stored.birth.name),
                                      model_->data(tblBirths->currentIndex().siblingAtColumn(
                                                       BirthsTableModel::Date),
                                                   Qt::DisplayRole)
                                          .toString());
    if (!messages_.AskYesNo(this, question)) return;
    if (auto error = library_.Delete(id)) {
        messages_.Inform(this, FromStd(error->message), MessageIcon::Error);
        return;
    }
    model_->RemoveBirth(id);
}

void BirthsDialog::SaveNote() {
    const library::ReadBirth* marked = Marked();
    if (marked == nullptr) return;
    const QString note = txtNote->toPlainText();
    if (auto error = library_.SetNote(marked->stored.id, note.toStdString())) {
        messages_.Inform(this, FromStd(error->message), MessageIcon::Error);
        return;
    }
    model_->SetNote(marked->stored.id, note);
}

}  // namespace korvanta
