// SPDX-License-Identifier: GPL-3.0-or-later
// The births of the library as the Open Birth dialog's table: filtered and
// sorted in memory, the whole library read once away from the event loop.
#pragma once

#include <QAbstractTableModel>
#include <QFutureWatcher>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "library/births_library.h"

namespace korvanta {

// The rows of the library, filtered and sorted in memory: the whole library
// is read once, so each keystroke only walks the prepared search texts. The
// cells are made when the view asks for them, so that a large library shows
// its first rows at once; sorting uses keys made once per row.
class BirthsTableModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Name, Date, Time, Place, Zone, Saved, Note, ColumnCount };

    // What sorting and filtering read of a row, made once.
    struct Keys {
        std::string haystack;                     // name '\n' place '\n' note, case-folded UTF-8
        std::uint32_t nameEnd = 0, placeEnd = 0;  // where the name and the place end in it
        int zoneRank = 0;  // the zone cell's place among all zone cells, case-insensitive
    };
    // Births with their keys, made away from the model (on any thread).
    struct Prepared {
        std::vector<library::ReadBirth> births;
        std::vector<Keys> keys;  // parallel to births
        QString error;           // why the births could not all be read
    };
    static Prepared Prepare(std::vector<library::ReadBirth> births);

    // The model of `rows`, the first of `total` births in the library.
    BirthsTableModel(std::vector<library::ReadBirth> rows, std::int64_t total,
                     QObject* parent = nullptr);
    ~BirthsTableModel() override;
    // Puts `all` in place of the rows, sorted and filtered as the rows were.
    void Replace(Prepared all);

    // Reads every birth of the library at `path` through a connection of
    // its own (the library's file allows readers beside a writer), away from
    // the event loop, and puts them in place of the rows when all are read;
    // allRowsRead() follows. StopReading(), or the model's end, cancels it.
    void ReadAllRows(const std::string& path);
    void StopReading();
    // No births are being read: the model holds every stored birth, or
    // allRowsRead() has said why not.
    bool HasAllRows() const { return hasAllRows_; }
    // The births the library holds, as last known.
    std::int64_t Total() const { return total_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // Shows only the births whose name, city, state, country or note holds
    // `text`, letters in either case.
    void SetFilter(const QString& text);
    const library::ReadBirth& BirthAt(int row) const;
    // The shown births, in table order.
    std::vector<const library::ReadBirth*> Shown() const;
    // A birth deleted from the library, and a note saved to it.
    void RemoveBirth(std::int64_t id);
    void SetNote(std::int64_t id, const QString& note);

  signals:
    // ReadAllRows has read every birth; the rows are replaced right after.
    void aboutToTakeAllRows();
    // ReadAllRows has ended; `error` says why rows are missing (empty when
    // none are).
    void allRowsRead(const QString& error);

  private:
    static Keys KeysOf(const library::ReadBirth& birth);
    QString Cell(const library::ReadBirth& birth, int column) const;
    void RebuildShown();
    std::vector<library::ReadBirth> births_;
    std::vector<Keys> keys_;  // parallel to births_
    std::vector<int> order_;  // all rows, in sort order
    std::vector<int> shown_;  // the filtered rows, in sort order
    std::string filter_;      // case-folded UTF-8
    int sortColumn_ = -1;     // none yet
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    std::int64_t total_ = 0;
    bool hasAllRows_ = true;
    QFutureWatcher<std::shared_ptr<Prepared>>* reading_ = nullptr;
};

}  // namespace korvanta
