// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' controls as the tests reach them: by the object names the
// program gives them, with findChild, never through the windows' members.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "ui/frm_display.h"

namespace korvanta::testing {

// The child of `owner` named `name`; a missing control ends the test
// program, naming it, as no test can go on without it.
template <typename Control>
Control* Named(const QObject& owner, const char* name) {
    auto* found = owner.findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr) {
        std::fprintf(stderr, "no control %s of type %s under %s\n", name,
                     Control::staticMetaObject.className(), qPrintable(owner.objectName()));
        std::abort();
    }
    return found;
}

// The result window's tab pages are built when first opened: builds them
// all, so that every control of the window can be found by name.
inline korvanta::frmDisplay& EveryTabBuilt(korvanta::frmDisplay& display) {
    for (int tab = 0; tab < Named<QTabWidget>(display, "SSTab1")->count(); ++tab) display.Page(tab);
    return display;
}

// A label of the result window by name, its tab built first.
inline QLabel* ResultLabel(korvanta::frmDisplay& display, const char* name) {
    return Named<QLabel>(EveryTabBuilt(display), name);
}

// The birth-data window's controls.
struct EntryControls {
    explicit EntryControls(const QObject& w)
        : txtName(Named<QLineEdit>(w, "txtName")),
          cboMonth(Named<QComboBox>(w, "cboMonth")),
          cboDate(Named<QComboBox>(w, "cboDate")),
          cboYear(Named<QComboBox>(w, "cboYear")),
          cboHH(Named<QComboBox>(w, "cboHH")),
          cboMM(Named<QComboBox>(w, "cboMM")),
          cboSS(Named<QComboBox>(w, "cboSS")),
          cmdRashi(Named<QPushButton>(w, "cmdRashi")),
          txtMCity(Named<QLineEdit>(w, "txtMCity")),
          txtMState(Named<QLineEdit>(w, "txtMState")),
          txtMCountry(Named<QLineEdit>(w, "txtMCountry")),
          cmdBrowser(Named<QPushButton>(w, "cmdBrowser")),
          txtFindPlace(Named<QLineEdit>(w, "txtFindPlace")),
          placeCompleter(Named<QCompleter>(w, "placeCompleter")),
          cmbTimeZone(Named<QComboBox>(w, "cmbTimeZone")),
          chkDST(Named<QCheckBox>(w, "chkDST")),
          lblZoneNote(Named<QLabel>(w, "lblZoneNote")),
          lblZoneCheck(Named<QLabel>(w, "lblZoneCheck")),
          txtLonD(Named<QLineEdit>(w, "txtLonD")),
          txtLonM(Named<QLineEdit>(w, "txtLonM")),
          optLong{Named<QRadioButton>(w, "optLong_0"), Named<QRadioButton>(w, "optLong_1")},
          txtLatD(Named<QLineEdit>(w, "txtLatD")),
          txtLatM(Named<QLineEdit>(w, "txtLatM")),
          optLat{Named<QRadioButton>(w, "optLat_0"), Named<QRadioButton>(w, "optLat_1")},
          mnuFile(Named<QMenu>(w, "mnuFile")),
          mnuNext(Named<QAction>(w, "mnuNext")),
          mnuSaveBirth(Named<QAction>(w, "mnuSaveBirth")),
          mnuOpenBirth(Named<QAction>(w, "mnuOpenBirth")),
          mnuRecent(Named<QMenu>(w, "mnuRecent")),
          mnuImportBirths(Named<QAction>(w, "mnuImportBirths")),
          mnuExportBirths(Named<QAction>(w, "mnuExportBirths")),
          mnuExit(Named<QAction>(w, "mnuExit")) {}

    QLineEdit* txtName;
    QComboBox *cboMonth, *cboDate, *cboYear, *cboHH, *cboMM, *cboSS;
    QPushButton* cmdRashi;
    QLineEdit *txtMCity, *txtMState, *txtMCountry;
    QPushButton* cmdBrowser;
    QLineEdit* txtFindPlace;
    QCompleter* placeCompleter;
    QComboBox* cmbTimeZone;
    QCheckBox* chkDST;
    QLabel *lblZoneNote, *lblZoneCheck;
    QLineEdit *txtLonD, *txtLonM;
    std::array<QRadioButton*, 2> optLong;  // East, West
    QLineEdit *txtLatD, *txtLatM;
    std::array<QRadioButton*, 2> optLat;  // North, South
    QMenu* mnuFile;
    QAction* mnuNext;
    QAction *mnuSaveBirth, *mnuOpenBirth;
    QMenu* mnuRecent;
    QAction *mnuImportBirths, *mnuExportBirths, *mnuExit;
};

// The result frame's controls.
struct FrameControls {
    explicit FrameControls(const QObject& f)
        : picTop(Named<QWidget>(f, "picTop")),
          cmdBack(Named<QPushButton>(f, "cmdBack")),
          cmdExit(Named<QPushButton>(f, "cmdExit")),
          Label10(Named<QLabel>(f, "Label10")),
          mdiArea(Named<QMdiArea>(f, "mdiArea")),
          mnuFile(Named<QMenu>(f, "mnuFile")),
          mnuBack(Named<QAction>(f, "mnuBack")),
          mnuSaveImage(Named<QAction>(f, "mnuSaveImage")),
          mnuSavePdf(Named<QAction>(f, "mnuSavePdf")),
          mnuPrint(Named<QAction>(f, "mnuPrint")),
          mnuExit(Named<QAction>(f, "mnuExit")),
          mnuView(Named<QMenu>(f, "mnuView")),
          mnuStyle{Named<QAction>(f, "mnuStyleSouth"), Named<QAction>(f, "mnuStyleNorth"),
                   Named<QAction>(f, "mnuStyleEast")},
          mnuShowAllPadas(Named<QAction>(f, "mnuShowAllPadas")) {}

    QWidget* picTop;
    QPushButton *cmdBack, *cmdExit;
    QLabel* Label10;
    QMdiArea* mdiArea;
    QMenu* mnuFile;
    QAction *mnuBack, *mnuSaveImage, *mnuSavePdf, *mnuPrint, *mnuExit;
    QMenu* mnuView;
    std::array<QAction*, 3> mnuStyle;  // South, North, East Indian
    QAction* mnuShowAllPadas;
};

// View › Divisional Chart's entry for the varga of `number`: "mnuVarga9".
inline QAction* VargaAction(const QObject& frame, int number) {
    const QByteArray name = "mnuVarga" + QByteArray::number(number);
    return Named<QAction>(frame, name.constData());
}

// The Open Birth dialog's controls.
struct DialogControls {
    explicit DialogControls(const QObject& d)
        : txtSearch(Named<QLineEdit>(d, "txtSearch")),
          tblBirths(Named<QTableView>(d, "tblBirths")),
          lblCount(Named<QLabel>(d, "lblCount")),
          txtNote(Named<QPlainTextEdit>(d, "txtNote")),
          cmdOpen(Named<QPushButton>(d, "cmdOpen")),
          cmdDelete(Named<QPushButton>(d, "cmdDelete")),
          cmdSaveNote(Named<QPushButton>(d, "cmdSaveNote")),
          cmdExportShown(Named<QPushButton>(d, "cmdExportShown")) {}

    QLineEdit* txtSearch;
    QTableView* tblBirths;
    QLabel* lblCount;
    QPlainTextEdit* txtNote;
    QPushButton *cmdOpen, *cmdDelete, *cmdSaveNote, *cmdExportShown;
};

}  // namespace korvanta::testing
