// SPDX-License-Identifier: GPL-3.0-or-later
// The result window: the UL's house reading in a header strip, and three
// tabs: the fixed-sign chart with the positions and the birth details, the
// profile and readings of the UL's sign, and the padas of all houses with the
// special lagnas. It only shows what the core computed.
//
// The widgets are the window's own; the names the program's behaviour and
// tests rely on are their objectName()s ("SSTab1", "lblTOB", "PlanetName_16",
// "Hno_0", "Label8_3", ...). A tab's page is built when the tab is first
// opened, so that the click that opens the window only builds what it shows.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "report/report.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QTabWidget;
class QTableWidget;

namespace korvanta {

class ChartFigureView;
class FittedReading;
class LinkLabel;

class frmDisplay : public QWidget {
    Q_OBJECT
  public:
    explicit frmDisplay(QWidget* parent = nullptr);

    // Shows one chart's report: every value of the tabs built so far, the
    // others when they are opened, the chart as `drawing` says.
    void Fill(const ChartReport& report, const ChartDrawing& drawing);
    // Redraws the chart tab's square in another style or with other pada tags.
    void SetChartDrawing(const ChartDrawing& drawing);
    // The line above the tabs that says which moment they show when it is
    // not the entered birth; an empty note hides it.
    void SetMomentNote(const QString& note);

    // The window's size at its design: where its panels stand as drawn.
    static QSize DesignSize();
    QSize sizeHint() const override;

    // Tab indexes.
    static constexpr int kChartTab = 0;
    static constexpr int kDetailsTab = 1;
    static constexpr int kPadasTab = 2;
    // "Birth Time Sensitivity", added by the frame for a result it can
    // recompute (ui/sensitivity_tab.h).
    static constexpr int kSensitivityTab = 3;

    // Adds a tab at `index` titled `title`, its scrolling area named `name`,
    // whose page `make` builds and puts in the area when the tab is first
    // opened or asked for with Page().
    void AddTab(int index, const QString& title, const QString& name,
                std::function<void(QScrollArea*)> make);
    void ShowTab(int index);
    int OpenTab() const;
    // The contents of tab `index`, built now if they were not yet.
    QWidget* Page(int index);
    // How many pixels the open tab's page lacks to show whole, across and
    // down (its scroll ranges); nothing when it fits.
    QSize OpenPageShortfall() const;

  private:
    struct Tab {
        QScrollArea* area = nullptr;
        std::function<void(QScrollArea*)> make;
    };

    void BuildHeader();
    void BuildChartTab(QWidget* page);
    void BuildChartCells(QWidget* chart);
    void BuildPositionTable(QWidget* page);
    void BuildDetails(QWidget* page);
    void BuildProfileTab(QWidget* page);
    void BuildPadasTab(QWidget* page);
    // A page of this window's own, filled now when a report is shown.
    void OwnPage(QScrollArea* area, const char* name, void (frmDisplay::*build)(QWidget*),
                 void (frmDisplay::*fill)());
    bool IsBuilt(int index) const;
    void FillChart();
    void FillProfile();
    void FillPadas();
    void SetPadaTag(std::size_t sign, const QString& text);
    void ShowChart();

    ChartReport report_;
    ChartDrawing drawing_;
    bool filled_ = false;
    std::vector<Tab> tabs_;

    // Above the tabs.
    QLabel* momentNote_ = nullptr;
    QLabel* houseReading_ = nullptr;
    QTabWidget* tabWidget_ = nullptr;

    // The chart tab, by sign 0..11 (Aries..Pisces).
    QFrame* chartPanel_ = nullptr;
    QGroupBox* chartBox_ = nullptr;
    std::array<QFrame*, 12> cellOutlines_{};
    QFrame* centreOutline_ = nullptr;
    QFrame* squareOutline_ = nullptr;
    std::array<QLabel*, 12> signCells_{};
    std::array<QLabel*, 12> padaTags_{};
    std::array<QLabel*, 12> signNumbers_{};
    LinkLabel* chartLink_ = nullptr;
    // The North and East Indian square, over the place of the sign cells;
    // hidden while the South Indian chart shows.
    ChartFigureView* chartFigure_ = nullptr;
    // A divisional chart's note on its signs' precision, in the South Indian
    // chart's centre (the figure draws its own); hidden when there is none.
    QLabel* vargaNote_ = nullptr;
    QGroupBox* positionsBox_ = nullptr;
    std::array<QLabel*, kBodyCount> positionValues_{};  // by Body
    // Under the positions: which astronomy made the chart; hidden for the
    // classic astronomy.
    QLabel* astronomyLine_ = nullptr;
    QGroupBox* detailsBox_ = nullptr;
    QLabel* nameValue_ = nullptr;
    std::array<QLabel*, 7> detailValues_{};  // in BirthDetails::Rows() order

    // The profile tab, in the report's order.
    std::array<QLabel*, 24> profileValues_{};
    std::array<FittedReading*, 5> readingBoxes_{};
    // The Upapada Lagna's sign in D1 and in D9, under the profile.
    QLabel* upapadaVargas_ = nullptr;

    // The padas tab.
    QGroupBox* padasBox_ = nullptr;
    QTableWidget* padaTable_ = nullptr;
    QTableWidget* specialPointTable_ = nullptr;
    QLabel* referenceSunrise_ = nullptr;
    QLabel* upapadaAccount_ = nullptr;
};

}  // namespace korvanta
