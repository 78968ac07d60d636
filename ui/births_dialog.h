// SPDX-License-Identifier: GPL-3.0-or-later
// "Open Birth…": the births library as a table with a search box. Typing
// filters the rows (name, city, state, country, note); a header click sorts;
// Enter or a double-click opens the marked birth; Delete asks first; the
// note of the marked birth is edited below the table and kept when another
// row is marked or the dialog closes (or by "Save Note").
//
// The controls carry the names the tests use as their objectName()s:
// "txtSearch", "tblBirths", "lblCount", "txtNote", "cmdOpen", "cmdDelete",
// "cmdSaveNote", "cmdExportShown", "lblStatus".
#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "library/births_library.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace korvanta {

class BirthsTableModel;
class MessageSink;

class BirthsDialog final : public QDialog {
    Q_OBJECT
  public:
    // Shows `firstRows`, the first births by name, at once; when the library
    // holds more (`total`), the rest are read from the library's file away
    // from the event loop and take their place when all are read. Closing
    // the dialog stops the reading.
    BirthsDialog(library::BirthsLibrary& library, std::vector<library::ReadBirth> firstRows,
                 std::int64_t total, MessageSink& messages, QWidget* parent = nullptr);
    ~BirthsDialog() override;

    // The table's births.
    BirthsTableModel* Model() const { return model_; }
    // The birth the user opened; valid after the dialog was accepted.
    const library::ReadBirth& Chosen() const { return chosen_; }

    void done(int result) override;
    // A line under the buttons saying what went well ("3 births exported").
    void ShowStatus(const QString& text);

  signals:
    // Ctrl+Q: the program is to end.
    void QuitRequested();
    // "Export Shown…": the owner writes Model()->Shown() to a file.
    void ExportShownRequested();
    // Every stored birth is in the table, or the message said why not.
    void AllRowsRead();
    // The user opened `birth`; the dialog is accepted.
    void BirthChosen(const library::ReadBirth& birth);

  public slots:
    void OpenMarked();
    void DeleteMarked();
    void SaveNote();

  private:
    const library::ReadBirth* Marked() const;
    void ShowMarkedNote();
    // Writes the note typed for the birth it was shown with, when it was
    // changed; false when the library refused it (the message said).
    bool KeepTypedNote();
    void ShowCount();
    void EnableChanges();
    void TakeAllRows(const QString& error);

    library::BirthsLibrary& library_;
    MessageSink& messages_;
    BirthsTableModel* model_ = nullptr;
    library::ReadBirth chosen_;
    // The birth marked when the whole library arrived, marked again after.
    std::int64_t markedBeforeAllRows_ = 0;
    // The birth whose note the note box shows (0: none), and the note as
    // shown, to tell a typed change.
    std::int64_t noteBirthId_ = 0;
    QString shownNote_;

    QLineEdit* searchEdit_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QPlainTextEdit* noteEdit_ = nullptr;
    QPushButton *openButton_ = nullptr, *deleteButton_ = nullptr, *saveNoteButton_ = nullptr,
                *exportShownButton_ = nullptr;
};

}  // namespace korvanta
