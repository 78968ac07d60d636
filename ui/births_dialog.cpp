// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/births_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <string_view>
#include <tuple>

#include "pipeline/zones.h"
#include "report/moment_text.h"
#include "ui/message_sink.h"

namespace korvanta {
namespace {

QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// `text` case-folded, as UTF-8: ASCII directly, anything else through
// QString's full Unicode folding. A folded needle is found in a folded
// haystack exactly where QString would find it.
std::string Folded(std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        std::string folded(text);
        for (char& c : folded) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return folded;
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .toCaseFolded()
        .toStdString();
}

std::string PlaceText(const Birth& b) {
    std::string place;
    for (const std::string* part : {&b.city, &b.state, &b.country}) {
        if (part->empty()) continue;
        if (!place.empty()) place += ", ";
        place += *part;
    }
    return place;
}

QString PlaceCell(const Birth& b) {
    return FromStd(PlaceText(b));
}

constexpr const char* kChangedZone = "(zone row changed)";

// The zone cell's text of a row: the zone row as saved, or a mark when the
// row no longer reads so.
std::string_view ZoneCellText(const library::ReadBirth& birth) {
    return birth.fault.empty() ? std::string_view(birth.stored.zoneText)
                               : std::string_view(kChangedZone);
}

// Ranks of zone cell texts in case-insensitive order, for sorting by zone:
// every zone row's text and the changed-zone mark; a stored text that is none
// of them (a row whose zone no longer exists) ranks after them all.
int ZoneRank(std::string_view cell) {
    static const std::vector<std::string> ordered = [] {
        std::vector<std::string> texts;
        for (const auto& row : kZoneTable) texts.push_back(Folded(row.text));
        texts.push_back(Folded(kChangedZone));
        std::sort(texts.begin(), texts.end());
        return texts;
    }();
    const std::string folded = Folded(cell);
    const auto at = std::lower_bound(ordered.begin(), ordered.end(), folded);
    return at != ordered.end() && *at == folded ? static_cast<int>(at - ordered.begin())
                                                : static_cast<int>(ordered.size());
}

}  // namespace

BirthsTableModel::Keys BirthsTableModel::KeysOf(const library::ReadBirth& birth) {
    const library::StoredBirth& stored = birth.stored;
    Keys keys;
    keys.haystack = Folded(stored.birth.name);
    keys.nameEnd = static_cast<std::uint32_t>(keys.haystack.size());
    keys.haystack += '\n';
    keys.haystack += Folded(PlaceText(stored.birth));
    keys.placeEnd = static_cast<std::uint32_t>(keys.haystack.size());
    keys.haystack += '\n';
    keys.haystack += Folded(stored.note);
    keys.zoneRank = ZoneRank(ZoneCellText(birth));
    return keys;
}

QString BirthsTableModel::Cell(const library::ReadBirth& birth, int column) const {
    const library::StoredBirth& stored = birth.stored;
    const Birth& b = stored.birth;
    switch (column) {
        case Name:
            return FromStd(b.name);
        case Date:
            return FromStd(LocalDateText(b.year, b.month, b.day));
        case Time:
            return QString::asprintf("%02d:%02d:%02d", b.hour, b.minute, b.second);
        case Place:
            return PlaceCell(b);
        case Zone: {
            const std::string_view zone = ZoneCellText(birth);
            return QString::fromUtf8(zone.data(), static_cast<qsizetype>(zone.size()));
        }
        case Saved:
            return QDateTime::fromSecsSinceEpoch(stored.modified)
                .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        default:
            return {};
    }
}

BirthsTableModel::Prepared BirthsTableModel::Prepare(std::vector<library::ReadBirth> births) {
    Prepared prepared;
    prepared.keys.reserve(births.size());
    for (const library::ReadBirth& birth : births) prepared.keys.push_back(KeysOf(birth));
    prepared.births = std::move(births);
    return prepared;
}

BirthsTableModel::BirthsTableModel(std::vector<library::ReadBirth> rows, QObject* parent)
    : QAbstractTableModel(parent) {
    Prepared prepared = Prepare(std::move(rows));
    births_ = std::move(prepared.births);
    keys_ = std::move(prepared.keys);
    order_.resize(births_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
    shown_ = order_;
}

void BirthsTableModel::Replace(Prepared all) {
    beginResetModel();
    births_ = std::move(all.births);
    keys_ = std::move(all.keys);
    order_.resize(births_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
    endResetModel();
    if (sortColumn_ >= 0) {
        sort(sortColumn_, sortOrder_);
    } else {
        beginResetModel();
        RebuildShown();
        endResetModel();
    }
}

int BirthsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int BirthsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BirthsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const library::ReadBirth& birth =
        births_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(index.row())])];
    if (role == Qt::DisplayRole) return Cell(birth, index.column());
    if (role == Qt::ToolTipRole && !birth.fault.empty()) return FromStd(birth.fault);
    return {};
}

QVariant BirthsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeaders[] = {"Name", "Date", "Time", "Place", "Zone", "Saved"};
    return QString::fromLatin1(kHeaders[section]);
}

void BirthsTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount) return;
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutAboutToBeChanged();
    // -1, 0 or 1 as row a sorts before, with or after row b in ascending order.
    auto compare = [this, column](int a, int b) -> int {
        const Keys& x = keys_[static_cast<std::size_t>(a)];
        const Keys& y = keys_[static_cast<std::size_t>(b)];
        const library::StoredBirth& s = births_[static_cast<std::size_t>(a)].stored;
        const library::StoredBirth& t = births_[static_cast<std::size_t>(b)].stored;
        const Birth& p = s.birth;
        const Birth& q = t.birth;
        const std::string_view xs = x.haystack, ys = y.haystack;
        auto three = [](const auto& l, const auto& r) { return l < r ? -1 : (r < l ? 1 : 0); };
        switch (column) {
            case Name:
                return three(xs.substr(0, x.nameEnd), ys.substr(0, y.nameEnd));
            case Date:
                return three(std::tie(p.year, p.month, p.day, p.hour, p.minute, p.second),
                             std::tie(q.year, q.month, q.day, q.hour, q.minute, q.second));
            case Time:
                return three(std::tie(p.hour, p.minute, p.second),
                             std::tie(q.hour, q.minute, q.second));
            case Place:
                return three(xs.substr(x.nameEnd + 1, x.placeEnd - x.nameEnd - 1),
                             ys.substr(y.nameEnd + 1, y.placeEnd - y.nameEnd - 1));
            case Zone:
                return three(x.zoneRank, y.zoneRank);
            default:
                return three(s.modified, t.modified);
        }
    };
    // Stable: rows that tie keep the order of the previous sort.
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        const int c = compare(a, b);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    RebuildShown();
    emit layoutChanged();
}

void BirthsTableModel::SetFilter(const QString& text) {
    beginResetModel();
    filter_ = Folded(text.trimmed().toStdString());
    RebuildShown();
    endResetModel();
}

void BirthsTableModel::RebuildShown() {
    shown_.clear();
    for (int i : order_) {
        if (filter_.empty() ||
            keys_[static_cast<std::size_t>(i)].haystack.find(filter_) != std::string::npos)
            shown_.push_back(i);
    }
}

const library::ReadBirth& BirthsTableModel::BirthAt(int row) const {
    return births_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(row)])];
}

std::vector<const library::ReadBirth*> BirthsTableModel::Shown() const {
    std::vector<const library::ReadBirth*> shown;
    shown.reserve(shown_.size());
    for (int i : shown_) shown.push_back(&births_[static_cast<std::size_t>(i)]);
    return shown;
}

void BirthsTableModel::RemoveBirth(std::int64_t id) {
    beginResetModel();
    const auto at = std::find_if(births_.begin(), births_.end(),
                                 [id](const library::ReadBirth& r) { return r.stored.id == id; });
    if (at != births_.end()) {
        const int removed = static_cast<int>(at - births_.begin());
        births_.erase(at);
        keys_.erase(keys_.begin() + removed);
        std::erase(order_, removed);
        for (int& i : order_) i -= i > removed ? 1 : 0;
    }
    RebuildShown();
    endResetModel();
}

void BirthsTableModel::SetNote(std::int64_t id, const QString& note) {
    for (std::size_t i = 0; i < births_.size(); ++i) {
        if (births_[i].stored.id != id) continue;
        births_[i].stored.note = note.toStdString();
        keys_[i] = KeysOf(births_[i]);
    }
}

BirthsDialog::BirthsDialog(library::BirthsLibrary& library,
                           std::vector<library::ReadBirth> firstRows, std::int64_t total,
                           MessageSink& messages, QWidget* parent)
    : QDialog(parent), library_(library), messages_(messages), total_(total) {
    hasAllRows_ = static_cast<std::int64_t>(firstRows.size()) >= total;
    setObjectName(QStringLiteral("dlgOpenBirth"));
    setWindowTitle(QStringLiteral("Open Birth"));
    auto* layout = new QVBoxLayout(this);
    txtSearch = new QLineEdit;
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setPlaceholderText(QStringLiteral("Search name, city, state, country or note"));
    txtSearch->setClearButtonEnabled(true);
    layout->addWidget(txtSearch);

    model_ = new BirthsTableModel(std::move(firstRows), this);
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
    lblCount = new QLabel;
    lblCount->setObjectName(QStringLiteral("lblCount"));
    layout->addWidget(lblCount);

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
    cmdExportShown =
        buttons->addButton(QStringLiteral("E&xport Shown…"), QDialogButtonBox::ActionRole);
    cmdExportShown->setObjectName(QStringLiteral("cmdExportShown"));
    cmdExportShown->setToolTip(
        QStringLiteral("Write the births the table shows to a file of JSON lines"));
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    EnableChanges();

    connect(txtSearch, &QLineEdit::textChanged, model_, &BirthsTableModel::SetFilter);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (model_->rowCount() > 0) tblBirths->selectRow(0);
        ShowMarkedNote();
        ShowCount();
    });
    connect(tblBirths, &QTableView::doubleClicked, this, &BirthsDialog::OpenMarked);
    connect(cmdOpen, &QPushButton::clicked, this, &BirthsDialog::OpenMarked);
    connect(cmdDelete, &QPushButton::clicked, this, &BirthsDialog::DeleteMarked);
    connect(cmdSaveNote, &QPushButton::clicked, this, &BirthsDialog::SaveNote);
    connect(cmdExportShown, &QPushButton::clicked, this, &BirthsDialog::ExportShownRequested);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tblBirths->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &BirthsDialog::ShowMarkedNote);
    // Enter in the search box opens the marked birth, as in the table.
    connect(txtSearch, &QLineEdit::returnPressed, this, &BirthsDialog::OpenMarked);
    cmdOpen->setDefault(true);
    if (model_->rowCount() > 0) tblBirths->selectRow(0);
    ShowMarkedNote();
    ShowCount();
    resize(760, 480);
    if (!hasAllRows_) ReadAllRows(library_.Path());
}

BirthsDialog::~BirthsDialog() {
    stopReading_ = true;
    if (reader_.joinable()) reader_.join();
}

// Deleting and notes wait for the whole library, so that the rows read
// meanwhile never bring back what was just changed.
void BirthsDialog::EnableChanges() {
    const QString why = library_.IsReadOnly() ? FromStd(library_.ReadOnlyReason())
                        : !hasAllRows_        ? QStringLiteral("The library is still being read")
                                              : QString();
    for (QPushButton* change : {cmdDelete, cmdSaveNote}) {
        change->setEnabled(why.isEmpty());
        change->setToolTip(why);
    }
    txtNote->setReadOnly(!why.isEmpty());
}

void BirthsDialog::ShowCount() {
    const QLocale locale;
    const qsizetype shown = model_->rowCount();
    QString text = shown == total_ ? QStringLiteral("%1 births").arg(locale.toString(total_))
                                   : QStringLiteral("%1 of %2 births shown")
                                         .arg(locale.toString(shown), locale.toString(total_));
    if (!hasAllRows_) text += QStringLiteral("; reading the rest of the library…");
    lblCount->setText(text);
}

// Reads every birth through a connection of its own (the library's file
// allows readers beside a writer), so that the dialog stays usable while a
// large library is read; the rows are handed over when all are read.
void BirthsDialog::ReadAllRows(std::string path) {
    reader_ = std::thread([this, path = std::move(path)] {
        BirthsTableModel::Prepared all;
        QString error;
        auto opened = library::BirthsLibrary::Open(path, library::BirthsLibrary::Mode::ReadOnly);
        if (auto* e = std::get_if<library::LibraryError>(&opened)) {
            error = FromStd(e->message);
        } else {
            auto& reading = *std::get<std::unique_ptr<library::BirthsLibrary>>(opened);
            std::vector<library::ReadBirth> births;
            if (const auto count = reading.Count(); std::holds_alternative<std::int64_t>(count))
                births.reserve(static_cast<std::size_t>(std::get<std::int64_t>(count)));
            const auto failed = reading.ForEach([&](library::ReadBirth&& birth) {
                births.push_back(std::move(birth));
                return !stopReading_.load();
            });
            if (failed) error = FromStd(failed->message);
            if (stopReading_) return;
            all = BirthsTableModel::Prepare(std::move(births));
        }
        // The dialog waits for this thread before it goes, and a call posted
        // to it is dropped when it goes.
        QMetaObject::invokeMethod(
            this,
            [this, all = std::make_shared<BirthsTableModel::Prepared>(std::move(all)), error] {
                TakeAllRows(std::move(*all), error);
            },
            Qt::QueuedConnection);
    });
}

void BirthsDialog::TakeAllRows(BirthsTableModel::Prepared all, const QString& error) {
    if (reader_.joinable()) reader_.join();
    hasAllRows_ = true;
    EnableChanges();
    if (!error.isEmpty()) {
        // The first rows stay; the count says how many the table lacks.
        ShowCount();
        messages_.Inform(this, error, MessageIcon::Error);
        emit AllRowsRead();
        return;
    }
    const library::ReadBirth* marked = Marked();
    const std::int64_t markedId = marked ? marked->stored.id : 0;
    total_ = static_cast<std::int64_t>(all.births.size());
    model_->Replace(std::move(all));
    for (int row = 0; markedId != 0 && row < model_->rowCount(); ++row) {
        if (model_->BirthAt(row).stored.id == markedId) {
            tblBirths->selectRow(row);
            break;
        }
    }
    ShowCount();
    emit AllRowsRead();
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
    const QString question =
        QStringLiteral("Delete the stored birth of %1, %2?")
            .arg(FromStd(marked->stored.birth.name),
                 model_
                     ->data(tblBirths->currentIndex().siblingAtColumn(BirthsTableModel::Date),
                            Qt::DisplayRole)
                     .toString());
    if (!messages_.AskYesNo(this, question)) return;
    if (auto error = library_.Delete(id)) {
        messages_.Inform(this, FromStd(error->message), MessageIcon::Error);
        return;
    }
    --total_;
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
