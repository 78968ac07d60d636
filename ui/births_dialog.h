// SPDX-License-Identifier: GPL-3.0-or-later
// "Open Birth…": the births library as a table with a search box. Typing
// filters the rows (name, city, state, country, note); a header click sorts;
// Enter or a double-click opens the marked birth; Delete asks first; the
// note of the marked birth is edited below the table.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "library/births_library.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace korvanta {

class MessageSink;

// The rows of the library, filtered and sorted in memory: the whole library
// is read once, so each keystroke only walks the prepared search texts. The
// cells are made when the view asks for them, so that a large library shows
// its first rows at once; sorting uses keys made once per row.
class BirthsTableModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Name, Date, Time, Place, Zone, Saved, ColumnCount };

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
    };
    static Prepared Prepare(std::vector<library::ReadBirth> births);

    explicit BirthsTableModel(std::vector<library::ReadBirth> rows, QObject* parent = nullptr);
    // Puts `all` in place of the rows, sorted and filtered as the rows were.
    void Replace(Prepared all);

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
    void RemoveBirth(std::int64_t id);
    void SetNote(std::int64_t id, const QString& note);

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
};

class BirthsDialog final : public QDialog {
    Q_OBJECT
  public:
    // Shows `firstRows`, the first births by name, at once; when the library
    // holds more (`total`), the rest are read from the library's file on a
    // thread of their own and take their place when all are read.
    BirthsDialog(library::BirthsLibrary& library, std::vector<library::ReadBirth> firstRows,
                 std::int64_t total, MessageSink& messages, QWidget* parent = nullptr);
    ~BirthsDialog() override;

    bool HasAllRows() const { return hasAllRows_; }

    // The birth the user opened; valid after the dialog was accepted.
    const library::ReadBirth& Chosen() const { return chosen_; }
    BirthsTableModel* Model() const { return model_; }

    QLineEdit* txtSearch = nullptr;
    QTableView* tblBirths = nullptr;
    QPlainTextEdit* txtNote = nullptr;
    QPushButton *cmdOpen = nullptr, *cmdDelete = nullptr, *cmdSaveNote = nullptr,
                *cmdExportShown = nullptr;

    QLabel* lblCount = nullptr;

  signals:
    // "Export Shown…": the owner writes Model()->Shown() to a file.
    void ExportShownRequested();
    // Every stored birth is in the table.
    void AllRowsRead();

  public slots:
    void OpenMarked();
    void DeleteMarked();
    void SaveNote();

  private:
    const library::ReadBirth* Marked() const;
    void ShowMarkedNote();
    void ShowCount();
    void EnableChanges();
    void ReadAllRows(std::string path);
    void TakeAllRows(BirthsTableModel::Prepared all, const QString& error);

    library::BirthsLibrary& library_;
    MessageSink& messages_;
    BirthsTableModel* model_ = nullptr;
    library::ReadBirth chosen_;
    std::int64_t total_ = 0;
    bool hasAllRows_ = true;
    std::thread reader_;
    std::atomic<bool> stopReading_{false};
};

}  // namespace korvanta
