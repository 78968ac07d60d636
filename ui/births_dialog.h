// SPDX-License-Identifier: GPL-3.0-or-later
// "Open Birth…": the births library as a table with a search box. Typing
// filters the rows (name, city, state, country, note); a header click sorts;
// Enter or a double-click opens the marked birth; Delete asks first; the
// note of the marked birth is edited below the table.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <cstdint>
#include <vector>

#include "library/births_library.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace korvanta {

class MessageSink;

// The rows of the library, filtered and sorted in memory: the whole library
// is read once, so each keystroke only walks the prepared search texts.
class BirthsTableModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Name, Date, Time, Place, Zone, Saved, ColumnCount };

    explicit BirthsTableModel(std::vector<library::ReadBirth> rows, QObject* parent = nullptr);

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
    struct Row {
        library::ReadBirth birth;
        QString haystack;  // name, places and note, case-folded
        QString cells[ColumnCount];
    };
    void RebuildShown();
    std::vector<Row> rows_;
    std::vector<int> order_;  // all rows, in sort order
    std::vector<int> shown_;  // the filtered rows, in sort order
    QString filter_;
};

class BirthsDialog final : public QDialog {
    Q_OBJECT
  public:
    BirthsDialog(library::BirthsLibrary& library, std::vector<library::ReadBirth> rows,
                 MessageSink& messages, QWidget* parent = nullptr);

    // The birth the user opened; valid after the dialog was accepted.
    const library::ReadBirth& Chosen() const { return chosen_; }
    BirthsTableModel* Model() const { return model_; }

    QLineEdit* txtSearch = nullptr;
    QTableView* tblBirths = nullptr;
    QPlainTextEdit* txtNote = nullptr;
    QPushButton *cmdOpen = nullptr, *cmdDelete = nullptr, *cmdSaveNote = nullptr;

  public slots:
    void OpenMarked();
    void DeleteMarked();
    void SaveNote();

  private:
    const library::ReadBirth* Marked() const;
    void ShowMarkedNote();

    library::BirthsLibrary& library_;
    MessageSink& messages_;
    BirthsTableModel* model_ = nullptr;
    library::ReadBirth chosen_;
};

}  // namespace korvanta
