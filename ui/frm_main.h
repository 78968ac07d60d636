// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data window: where the user enters one birth and starts the
// calculation. The entry's values, the atlas and the births library are the
// EntryViewModel's; this window creates the controls, binds them to it and
// shows its messages.
//
// The controls carry the names the program's behaviour and tests use as
// their objectName()s: "txtName", "cboMonth", "cboDate", "cboYear", "cboHH",
// "cboMM", "cboSS", "cmdRashi", "txtMCity", "txtMState", "txtMCountry",
// "cmdBrowser", "txtFindPlace", "placeCompleter", "cmbTimeZone", "chkDST",
// "lblZoneNote", "lblZoneCheck", "lblNameNote" (why a key was refused in
// Name), "txtLonD", "txtLonM", "optLong_0" (East),
// "optLong_1" (West), "txtLatD", "txtLatM", "optLat_0" (North), "optLat_1"
// (South), the groups "fraPersonal", "fraPlace", "fraZone", "fraLongitude",
// "fraLatitude", the links "Label61", "lblCobrand", "lblFullBrand", and the
// menu entries "mnuFile", "mnuNext", "mnuSaveBirth", "mnuSaveAsNew",
// "mnuOpenBirth", "mnuRecent", "mnuImportBirths", "mnuImportFolder",
// "mnuExportBirths", "mnuExit". The result frame's File menu gains
// "mnuFrameSaveBirth" (Ctrl+S) from this window, which owns the library.
#pragma once

#include <QMainWindow>
#include <memory>
#include <vector>

#include "ui/viewmodels/entry_view_model.h"

class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QMenu;
class QModelIndex;
class QPushButton;
class QRadioButton;
class QStandardItemModel;

namespace korvanta {

class BirthsDialog;
class MDI;
class MessageSink;
class Settings;

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmMain(MessageSink& messages, QWidget* parent = nullptr);
    ~frmMain() override;

    // The entry, the atlas and the births library behind the controls.
    EntryViewModel& Entry() const { return *entry_; }

    // The settings the result frame keeps its View choices and span in.
    void SetSettings(Settings* settings) { settings_ = settings; }

    // The result frame of the last successful calculation while it is shown.
    MDI* ResultFrame() const { return frame_.get(); }

    // Fills the controls with `form`: the one place the entry's values reach
    // the controls.
    void ShowEntry(const EntryForm& form);

    // "Open Birth…": the dialog over the whole library, a child of this
    // window that the caller shows (and may delete); null without a library.
    BirthsDialog* CreateBirthsDialog();

  public slots:
    // "Get My Upapada Lagna": check, calculate, show the result frame.
    void Calculate();
    // "Click for Latitude & Longitude": a web search for the place.
    void LookUpCoordinates();
    // Closes every window and ends the program.
    void EndProgram();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Every control of the entry, in tab order.
    std::vector<QWidget*> EntryFields() const;
    void BuildControls();
    void BuildMenus();
    void BuildLibraryMenu();
    void LoadLists();
    void Bind();
    void BindAtlas();
    void ShowRefusal(const QString& text, MessageIcon icon, const QString& focus);
    void ReturnFromResult();
    // The window in front: the result frame while it is shown, else this.
    QWidget* Front();
    // Says in the status line of the window in front what went well.
    void ShowStatus(const QString& text);
    // Gives the result frame Save Birth (Ctrl+S) and Ctrl+Q on its Exit.
    void ExtendFrameMenu(MDI& frame);
    void ShowCandidates(const QString& text);
    void PlaceActivated(const QModelIndex& index);
    void FindTypedPlace();
    void ShowLibraryState();
    void FillRecent();
    void ShowBirthsDialog();
    void ImportBirthsChosen();
    void ExportBirthsChosen();
    void ExportShown(BirthsDialog* dialog);
    QString AskExportPath(QWidget* parent);

    MessageSink& messages_;
    EntryViewModel* entry_ = nullptr;
    Settings* settings_ = nullptr;
    std::unique_ptr<MDI> frame_;
    bool ending_ = false;

    QLineEdit* nameEdit_ = nullptr;
    QComboBox *monthList_ = nullptr, *dayList_ = nullptr, *yearList_ = nullptr;
    QComboBox *hourList_ = nullptr, *minuteList_ = nullptr, *secondList_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    QLineEdit *cityEdit_ = nullptr, *stateEdit_ = nullptr, *countryEdit_ = nullptr;
    QPushButton* lookUpButton_ = nullptr;
    QLineEdit* placeSearchEdit_ = nullptr;
    QCompleter* placeCompleter_ = nullptr;
    QStandardItemModel* placeList_ = nullptr;
    QComboBox* zoneList_ = nullptr;
    QLineEdit* utcOffsetEdit_ = nullptr;  // the offset of "Other UTC offset"
    QCheckBox* daylightSavingBox_ = nullptr;
    QLabel* nameNoteLabel_ = nullptr;
    QLabel* zoneNoteLabel_ = nullptr;
    QLabel* zoneCheckLabel_ = nullptr;
    QLineEdit *lonDegreesEdit_ = nullptr, *lonMinutesEdit_ = nullptr;
    QRadioButton *eastButton_ = nullptr, *westButton_ = nullptr;
    QLineEdit *latDegreesEdit_ = nullptr, *latMinutesEdit_ = nullptr;
    QRadioButton *northButton_ = nullptr, *southButton_ = nullptr;

    QMenu* fileMenu_ = nullptr;
    QAction* calculateAction_ = nullptr;
    QAction* saveBirthAction_ = nullptr;
    QAction* saveAsNewAction_ = nullptr;
    QAction* openBirthAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* importAction_ = nullptr;
    QAction* importFolderAction_ = nullptr;  // a folder of .jhd files
    QAction* exportAction_ = nullptr;
    QAction* exitAction_ = nullptr;
};

}  // namespace korvanta
