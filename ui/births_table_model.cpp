// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/births_table_model.h"

#include <QDateTime>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <string_view>
#include <tuple>

#include "pipeline/zones.h"
#include "report/moment_text.h"

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
        case Note: {
            // The note's lines on one line; the whole note is below the table.
            QString note = FromStd(stored.note);
            note.replace(QLatin1Char('\n'), QLatin1Char(' '));
            return note;
        }
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

BirthsTableModel::BirthsTableModel(std::vector<library::ReadBirth> rows, std::int64_t total,
                                   QObject* parent)
    : QAbstractTableModel(parent), total_(total) {
    hasAllRows_ = static_cast<std::int64_t>(rows.size()) >= total;
    Prepared prepared = Prepare(std::move(rows));
    births_ = std::move(prepared.births);
    keys_ = std::move(prepared.keys);
    order_.resize(births_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
    shown_ = order_;
}

BirthsTableModel::~BirthsTableModel() {
    StopReading();
}

void BirthsTableModel::Replace(Prepared all) {
    total_ = static_cast<std::int64_t>(all.births.size());
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
    static const char* const kHeaders[] = {"Name", "Date",  "Time", "Place",
                                           "Zone", "Saved", "Note"};
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
            case Note:
                return three(xs.substr(x.placeEnd + 1), ys.substr(y.placeEnd + 1));
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
    --total_;
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
        const auto shownAt = std::find(shown_.begin(), shown_.end(), static_cast<int>(i));
        if (shownAt != shown_.end()) {
            const QModelIndex cell = index(static_cast<int>(shownAt - shown_.begin()), Note);
            emit dataChanged(cell, cell);
        }
    }
}

void BirthsTableModel::ReadAllRows(const std::string& path) {
    StopReading();
    hasAllRows_ = false;
    reading_ = new QFutureWatcher<std::shared_ptr<Prepared>>(this);
    connect(reading_, &QFutureWatcherBase::finished, this, [this] {
        auto* watcher = reading_;
        reading_ = nullptr;
        watcher->deleteLater();
        if (watcher->isCanceled()) return;
        const std::shared_ptr<Prepared> all = watcher->result();
        hasAllRows_ = true;
        // The first rows stay when the rest could not be read.
        if (!all->error.isEmpty()) {
            emit allRowsRead(all->error);
            return;
        }
        emit aboutToTakeAllRows();
        Replace(std::move(*all));
        emit allRowsRead(QString());
    });
    // The task holds nothing of the model: it may still be ending when the
    // model has gone.
    reading_->setFuture(QtConcurrent::run(
        [](QPromise<std::shared_ptr<Prepared>>& promise, const std::string& file) {
            auto all = std::make_shared<Prepared>();
            auto opened =
                library::BirthsLibrary::Open(file, library::BirthsLibrary::Mode::ReadOnly);
            if (auto* e = std::get_if<library::LibraryError>(&opened)) {
                all->error = FromStd(e->message);
                promise.addResult(std::move(all));
                return;
            }
            auto& reading = *std::get<std::unique_ptr<library::BirthsLibrary>>(opened);
            std::vector<library::ReadBirth> births;
            if (const auto count = reading.Count(); std::holds_alternative<std::int64_t>(count))
                births.reserve(static_cast<std::size_t>(std::get<std::int64_t>(count)));
            const auto failed = reading.ForEach([&](library::ReadBirth&& birth) {
                births.push_back(std::move(birth));
                return !promise.isCanceled();
            });
            if (promise.isCanceled()) return;
            if (failed) {
                all->error = FromStd(failed->message);
            } else {
                *all = Prepare(std::move(births));
            }
            promise.addResult(std::move(all));
        },
        path));
}

void BirthsTableModel::StopReading() {
    if (reading_ == nullptr) return;
    reading_->disconnect(this);
    reading_->cancel();
    reading_->waitForFinished();
    reading_->deleteLater();
    reading_ = nullptr;
}

}  // namespace korvanta
