// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame: a multiple-document frame that holds the result window,
// with a strip along its top for the title, the logo, Back, Exit and a
// promotional link.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QScrollArea;

namespace korvanta {

class ExportDialogs;
class LinkLabel;
class ResultViewModel;
class frmDisplay;
class SensitivityTab;

// The widgets carry the names the program's behaviour and tests use as their
// objectName()s: "picTop", "cmdBack", "cmdExit", "Label10", "mdiArea", the
// menus "mnuFile", "mnuView", "mnuChartStyle" and their entries "mnuBack",
// "mnuSaveImage", "mnuSavePdf", "mnuPrint", "mnuExit", "mnuStyleSouth",
// "mnuStyleNorth", "mnuStyleEast", "mnuShowAllPadas", "mnuDivisionalChart" and
// its entries "mnuVarga1", "mnuVarga2" .. "mnuVarga60".
class MDI : public QMainWindow {
    Q_OBJECT
  public:
    // A frame showing `result`, which it takes as its child: the result
    // window with the "Birth Time Sensitivity" tab. A click on the strip's
    // timeline shows that moment's result; the File menu's exports then offer
    // the strip's page. The strip is made when its tab is opened or an
    // export asks for it, so that the result appears without waiting for it.
    explicit MDI(ResultViewModel* result, QWidget* parent = nullptr);
    ~MDI() override;

    ResultViewModel& Result() const { return *result_; }
    frmDisplay* Display() const { return display_; }
    // The sensitivity tab, made with its strip if it was not yet.
    SensitivityTab* Sensitivity();

    // The frame's size when it opens: the result window's design under the
    // strip, made smaller where the screen's available area is smaller.
    QSize FittingSize() const;

    // The dialogs the export entries use; the real ones unless replaced.
    void SetExportDialogs(ExportDialogs& dialogs) { dialogs_ = &dialogs; }

  public slots:
    // "Save Chart As Image…", "Save Chart As PDF…", "&Print…": the chart page.
    void SaveChartImage();
    void SaveChartPdf();
    void PrintChart();

  signals:
    // "&Back": the birth-data window takes over again.
    void backRequested();
    // "E&xit" or the window's close box.
    void endProgramRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildStrip();
    void BuildMenus();
    void BuildViewMenu();
    void BuildResultWindow();
    void BindSensitivity();
    void ShowDrawingInMenu();
    void MakeSensitivityTab(QScrollArea* area);
    // View › Divisional Chart (ui/mdi_varga.cpp).
    void BuildVargaMenu(QMenu* view);
    void ShowVargaInMenu();
    // View › Astronomy › Classic / Precise ("mnuAstronomy",
    // "mnuAstronomyClassic", "mnuAstronomyPrecise"), in mdi_astronomy.cpp.
    void BuildAstronomyMenu(QMenu* view);
    void ShowAstronomyInMenu();
    void PlaceButtons();
    void CentreResultWindow();
    // The room the screen's available area leaves for the frame's inside.
    QSize RoomOnScreen() const;
    // Makes the frame no larger than the room and centres it there.
    void KeepOnScreen();
    // Grows the frame, within the room, until the open tab page shows whole.
    void GrowToShowPage();
    QString SuggestedPath(const char* extension) const;
    // Whether to export the strip's page with the chart page, as the user
    // answered; empty when the export is cancelled.
    std::optional<bool> AskStripPage();

    ResultViewModel* result_ = nullptr;

    QWidget* titleStrip_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* logo_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    LinkLabel* promotionLink_ = nullptr;
    QMdiArea* area_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    std::array<QAction*, 3> styleActions_{};  // by ChartStyle
    QAction* showAllPadasAction_ = nullptr;
    QActionGroup* vargaActions_ = nullptr;        // each action's data: the varga's number
    std::array<QAction*, 2> astronomyActions_{};  // Classic, Precise

    std::unique_ptr<ExportDialogs> realDialogs_;
    ExportDialogs* dialogs_ = nullptr;
    frmDisplay* display_ = nullptr;
    QMdiSubWindow* subWindow_ = nullptr;
    SensitivityTab* sensitivityTab_ = nullptr;
    bool closing_ = false;
    bool fitting_ = false;
};

}  // namespace korvanta
