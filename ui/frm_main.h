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
    QAction* mnuExit = nullptr;

  public slots:
    // "Get My Upapada Lagna": check, calculate, show the result frame.
    void Calculate();
    // "Click for Latitude & Longitude": a web search for the place.
    void LookUpCoordinates();
    // Closes every window and ends the program.
    void EndProgram();

  public:
    // Fills City, State, Country, the coordinates and hemispheres from an
    // atlas place, and the zone and daylight saving for the birth moment;
    // the zone keeps following the birth date and time until another place
    // is chosen or the place fields are edited by hand.
    void ChoosePlace(const atlas::Place& place);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
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

    MessageSink& messages_;
    std::unique_ptr<MDI> mdi_;
    QSettings* settings_ = nullptr;
    bool ending_ = false;
    QStandardItemModel* placeModel_ = nullptr;
    std::vector<atlas::Place> placeCandidates_;
    std::optional<atlas::Place> chosenPlace_;
};

}  // namespace korvanta
