// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data window: where the user enters one birth and starts the
// calculation. The checks, key filters and the calculation are the core's;
// this window copies values between its controls and the core and shows the
// core's messages.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "atlas/places.h"
#include "library/births_library.h"
#include "pipeline/entry.h"

class QCheckBox;
class QComboBox;
class QCompleter;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QModelIndex;
class QPushButton;
class QRadioButton;
class QSettings;
class QStandardItemModel;

namespace korvanta {

class BirthsDialog;
class LinkLabel;
class MDI;
class MessageSink;

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmMain(MessageSink& messages, QWidget* parent = nullptr);
    ~frmMain() override;

    // The entry controls as the core reads them.
    EntryForm CurrentEntry() const;

    // The settings store the result frame keeps its View choices in.
    void SetSettingsStore(QSettings* settings) { settings_ = settings; }

    // The result frame of the last successful calculation while it is shown.
    MDI* ResultFrame() const { return mdi_.get(); }

    QLabel* Label2 = nullptr;
    QGroupBox* fraPersonal = nullptr;
    QLineEdit* txtName = nullptr;
    QComboBox *cboMonth = nullptr, *cboDate = nullptr, *cboYear = nullptr;
    QComboBox *cboHH = nullptr, *cboMM = nullptr, *cboSS = nullptr;
    QPushButton* cmdRashi = nullptr;
    QGroupBox* fraPlace = nullptr;
    QLineEdit *txtMCity = nullptr, *txtMState = nullptr, *txtMCountry = nullptr;
    QPushButton* cmdBrowser = nullptr;
    QGroupBox* fraZone = nullptr;
    QComboBox* cmbTimeZone = nullptr;
    QCheckBox* chkDST = nullptr;
    QGroupBox* fraLongitude = nullptr;
    QLineEdit *txtLonD = nullptr, *txtLonM = nullptr;
    std::array<QRadioButton*, 2> optLong{};  // 0 "East", 1 "West"
    QGroupBox* fraLatitude = nullptr;
    QLineEdit *txtLatD = nullptr, *txtLatM = nullptr;
    std::array<QRadioButton*, 2> optLat{};  // 0 "North", 1 "South"
    // The atlas beside the place details: a place search with completion, the
    // note on the zone found for the birth moment, and the zone check.
    QLineEdit* txtFindPlace = nullptr;
    QCompleter* placeCompleter = nullptr;
    QLabel* lblZoneNote = nullptr;
    QLabel* lblZoneCheck = nullptr;
    LinkLabel* Label61 = nullptr;
    LinkLabel* lblCobrand = nullptr;
    LinkLabel* lblFullBrand = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuNext = nullptr;
    // The births library.
    QAction* mnuSaveBirth = nullptr;
    QAction* mnuOpenBirth = nullptr;
    QMenu* mnuRecent = nullptr;
    QAction* mnuImportBirths = nullptr;
    QAction* mnuImportFolder = nullptr;  // a folder of .jhd files
    QAction* mnuExportBirths = nullptr;
    QAction* mnuExit = nullptr;

  public slots:
    // "Get My Upapada Lagna": check, calculate, show the result frame.
    void Calculate();
    // "Click for Latitude & Longitude": a web search for the place.
    void LookUpCoordinates();
    // Closes every window and ends the program.
    void EndProgram();

  public:
    // Opens the births library at `path` (created when missing). A file that
    // cannot be used is named in one message and the library's menu items
    // are disabled, their tooltip saying why; a read-only one disables
    // saving. Until this is called the window works without a library.
    void UseLibrary(const std::string& path);
    library::BirthsLibrary* Library() const { return library_.get(); }
    // "Save Birth": the entry check, then the library; a birth of the same
    // name and moment asks whether to replace it (Yes) or keep both (No).
    void SaveBirth();
    // "Open Birth…": the dialog over the whole library (the caller shows it).
    std::unique_ptr<BirthsDialog> CreateBirthsDialog();
    void ShowBirthsDialog();
    // Fills the entry controls and the atlas note with a stored birth.
    void OpenStoredBirth(const library::ReadBirth& stored);
    // Import of births files (JSON lines, .jhd files or folders of them, AAF,
    // CSV) and export in the kind the path's extension names (a folder for
    // .jhd); false when nothing could be done (the message shown).
    bool ImportBirthsFrom(const QStringList& paths);
    bool ImportBirthsFrom(const QString& path) { return ImportBirthsFrom(QStringList{path}); }
    bool ExportBirthsTo(const QString& path, const std::vector<const library::ReadBirth*>& births);
    // The file an export writes, asked of the user; empty when cancelled.
    QString AskExportPath(QWidget* parent);

    // Fills City, State, Country, the coordinates and hemispheres from an
    // atlas place, and the zone and daylight saving for the birth moment;
    // the zone keeps following the birth date and time until another place
    // is chosen or the place fields are edited by hand.
    void ChoosePlace(const atlas::Place& place);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Every control of the entry, in tab order.
    std::vector<QWidget*> EntryFields() const;
    void BuildControls();
    void BuildMenus();
    void LoadLists();
    void ShowRefusal(const Refusal& refusal);
    void ReturnFromResult();
    void ConnectAtlas();
    void SearchAtlas(const QString& text);
    void PlaceActivated(const QModelIndex& index);
    void FindTypedPlace();
    void FollowBirthMoment();
    void ForgetPlace();
    void UpdateZoneCheck();
    void BuildLibraryMenu();
    void UpdateLibraryMenu();
    void FillRecent();
    void ImportBirthsChosen();
    void ExportBirthsChosen();

    MessageSink& messages_;
    std::unique_ptr<MDI> mdi_;
    QSettings* settings_ = nullptr;
    bool ending_ = false;
    QStandardItemModel* placeModel_ = nullptr;
    std::vector<atlas::Place> placeCandidates_;
    std::optional<atlas::Place> chosenPlace_;
    bool zonePickedByHand_ = false;    // the zone list was set by the user since the place
    bool longitudeFromAtlas_ = false;  // the longitude and its side are the atlas's
    std::unique_ptr<library::BirthsLibrary> library_;
    QString libraryProblem_;  // why the library cannot be used; empty when it can
    // The atlas's place and zone of an opened birth, kept for its next save
    // until the place is edited by hand.
    std::string openedAtlasPlace_, openedAtlasZone_;
};

}  // namespace korvanta
