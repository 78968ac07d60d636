// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame: a multiple-document frame that holds the result window,
// with a strip along its top for the title, the logo, Back, Exit and a
// promotional link.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

#include "pipeline/birth.h"
#include "pipeline/sensitivity.h"
#include "report/report.h"
#include "report/sensitivity_view.h"

class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QSettings;

namespace korvanta {

class ExportDialogs;
class LinkLabel;
class frmDisplay;
class SensitivityTab;

class MDI : public QMainWindow {
    Q_OBJECT
  public:
    explicit MDI(QWidget* parent = nullptr);
    ~MDI() override;

    // Builds a new result window as the frame's child and fills it; keeps the
    // chart page for the File menu's export and print.
    frmDisplay* ShowResult(const ChartReport& report);
    frmDisplay* Display() const { return display_; }

    // Adds the "Birth Time Sensitivity" tab for the entered birth whose
    // result ShowResult shows, over the span kept in the settings store
    // (±1 h at first). A click on its timeline shows that moment's result;
    // the File menu's exports then offer the strip's page. The strip itself
    // is computed right after the frame is shown, so that the result appears
    // without waiting for it, or at once when it is asked for.
    void ShowSensitivity(const Birth& entered);
    // The tab, its strip made if it was not yet; null without a tab.
    SensitivityTab* Sensitivity();

    // The settings store that keeps the View menu's chart style and pada
    // choice across runs; reads them now. Without one the choices last for
    // this frame only.
    void SetSettingsStore(QSettings* settings);
    // The chart style and pada tags the chart tab and the exports use.
    const ChartDrawing& Drawing() const { return drawing_; }
    void SetDrawing(const ChartDrawing& drawing);

    // The frame's size when it opens: the result window's design under the
    // strip, made smaller where the screen's available area is smaller.
    QSize FittingSize() const;

    // The dialogs the export entries use; the real ones unless replaced.
    void SetExportDialogs(ExportDialogs& dialogs) { dialogs_ = &dialogs; }

    QWidget* picTop = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Picture1 = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdExit = nullptr;
    LinkLabel* Label10 = nullptr;
    QMdiArea* mdiArea = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuBack = nullptr;
    QAction* mnuSaveImage = nullptr;
    QAction* mnuSavePdf = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuExit = nullptr;

    // "View": "Chart Style" (South Indian, North Indian, East Indian) and
    // "Show All Padas".
    QMenu* mnuView = nullptr;
    QMenu* mnuChartStyle = nullptr;
    std::array<QAction*, 3> mnuStyle{};  // by ChartStyle
    QAction* mnuShowAllPadas = nullptr;

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
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildStrip();
    void BuildMenus();
    void PlaceButtons();
    void CentreResultWindow();
    // The room the screen's available area leaves for the frame's inside.
    QSize RoomOnScreen() const;
    // Makes the frame no larger than the room and centres it there.
    void KeepOnScreen();
    // Grows the frame, within the room, until the open tab page shows whole.
    void GrowToShowPage();
    QString SuggestedPath(const char* extension) const;
    void BuildViewMenu();
    void ShowDrawingInMenu();
    void ChooseDrawing(const ChartDrawing& drawing);

    ChartDrawing drawing_;
    QSettings* settings_ = nullptr;

    void ChooseSensitivitySpan(int minutes);
    void MakeSensitivityStrip();
    void ShowMoment(std::optional<std::int64_t> clock);
    // The sensitivity page to export with the chart page, as the user
    // answered; false when the export is cancelled.
    bool AskSensitivityPage(std::optional<SensitivityView>& page);
    std::optional<Birth> entered_;
    std::optional<SensitivityStrip> strip_;
    SensitivityTab* sensitivityTab_ = nullptr;

    std::optional<ChartReport> page_;
    std::unique_ptr<ExportDialogs> realDialogs_;
    ExportDialogs* dialogs_ = nullptr;
    frmDisplay* display_ = nullptr;
    QMdiSubWindow* subWindow_ = nullptr;
    bool closing_ = false;
};

}  // namespace korvanta
