// SPDX-License-Identifier: GPL-3.0-or-later
// The result window: the UL's house reading in a header strip, and three
// tabs: the fixed-sign chart with the positions and the birth details, the
// profile and readings of the UL's sign, and the padas of all houses with the
// special lagnas. It only shows what the core computed.
#pragma once

#include <QWidget>
#include <array>

#include "report/report.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTableWidget;

namespace korvanta {

class ChartFigureView;
class LinkLabel;

class frmDisplay : public QWidget {
    Q_OBJECT
  public:
    explicit frmDisplay(QWidget* parent = nullptr);

    // Shows one chart's report: every value of the three tabs, the chart as
    // `drawing` says.
    void Fill(const ChartReport& report, const ChartDrawing& drawing);
    // Redraws the chart tab's square in another style or with other pada tags.
    void SetChartDrawing(const ChartDrawing& drawing);

    // The window's size at its design: where its panels stand as drawn.
    static QSize DesignSize();
    QSize sizeHint() const override;

    // A tab page in a scroll area, so that a window smaller than the page's
    // design scrolls the page rather than cut it.
    static QWidget* Scrolling(QWidget* page);

    // Tab indexes of SSTab1.
    static constexpr int kChartTab = 0;
    static constexpr int kDetailsTab = 1;
    static constexpr int kPadasTab = 2;
    // "Birth Time Sensitivity", added by the frame for a result it can
    // recompute (ui/sensitivity_tab.h).
    static constexpr int kSensitivityTab = 3;

    // Header strip. Control arrays keep their indexes: dsd(2), Label8(3).
    std::array<QLabel*, 3> dsd{};
    std::array<QLabel*, 28> Label8{};
    QLabel* Label10 = nullptr;
    QLabel* lblHoraDesc = nullptr;
    QLabel* Label5 = nullptr;
    LinkLabel* Label6 = nullptr;
    QTabWidget* SSTab1 = nullptr;

    // Tab 0: the chart. Arrays are indexed by sign 0..11 (Aries..Pisces);
    // shpHora(84 + k) outlines the cell of sign k.
    QFrame* Frame1 = nullptr;
    QGroupBox* fraBirthchart = nullptr;
    std::array<QFrame*, 12> shpHora{};
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    QLabel *lblAries = nullptr, *lblTaurus = nullptr, *lblGemini = nullptr, *lblCancer = nullptr;
    QLabel *lblLeo = nullptr, *lblVirgo = nullptr, *lblLibra = nullptr, *lblScorpio = nullptr;
    QLabel *lblSagattarius = nullptr, *lblCapricorn = nullptr, *lblAquarius = nullptr;
    QLabel* lblPisces = nullptr;
    std::array<QLabel*, 12> lblArudha{};
    std::array<QLabel*, 12> Hno{};
    LinkLabel* Label7 = nullptr;
    // The North and East Indian square, over the place of the sign cells;
    // hidden while the South Indian chart shows.
    ChartFigureView* chartFigure = nullptr;
    // A divisional chart's note on its signs' precision, in the South Indian
    // chart's centre (the figure draws its own); hidden when there is none.
    QLabel* lblVargaNote = nullptr;

    // Tab 0: positions, by table row; PlanetName keeps its own indexes
    // (0..6, 10, 11, 16) in the object names.
    QGroupBox* fraWestern = nullptr;
    std::array<QLabel*, 10> PlanetName{};
    std::array<QLabel*, 10> planet{};
    // Under the positions: which astronomy made the chart; hidden for the
    // classic astronomy.
    QLabel* lblAstronomy = nullptr;

    // Tab 0: "Your Details".
    QGroupBox* fraDetails = nullptr;
    QLabel *lblName = nullptr, *lblDOB = nullptr, *lblTOB = nullptr, *lblLongitude = nullptr;
    QLabel *lblLatitude = nullptr, *lblCity = nullptr, *lblState = nullptr, *lblCountry = nullptr;
    QLabel *Label1 = nullptr, *Label14 = nullptr, *Label2 = nullptr, *Label9 = nullptr;
    QLabel *Label3 = nullptr, *Label12 = nullptr, *Label4 = nullptr;

    // Tab 1: the UL sign's profile.
    QFrame* Frame4 = nullptr;
    QLabel *lblVedicName = nullptr, *lblULPresentHouse = nullptr;
    QLabel *lblArudhaLagnaPresentInSign = nullptr, *lblRullingPlanet = nullptr;
    QLabel *lblCompatibleWith = nullptr, *lblNotCompatibleWith = nullptr, *lblSymbol = nullptr;
    QLabel *lblNature = nullptr, *lblColor = nullptr, *lblTypeOfSign = nullptr,
           *lblGender = nullptr;
    QLabel *lblBestPeriodOfActivity = nullptr, *lblBarren = nullptr, *lblCaste = nullptr;
    QLabel *lblPosition = nullptr, *lblConstituentCharacter = nullptr, *lblLuckyDays = nullptr;
    QLabel *lblLuckyNumbers = nullptr, *lblBestDirection = nullptr, *lblLuckyColors = nullptr;
    QLabel *lblLuckyGemstone = nullptr, *lblPartOfTheBody = nullptr, *lblPhysique = nullptr;
    QLabel* lblEnglishName = nullptr;
    QPlainTextEdit *txtLooks = nullptr, *txtNature = nullptr, *txtCareerAndFinance = nullptr;
    QPlainTextEdit *txtLoveAndDomesticLife = nullptr, *txtHealth = nullptr;
    // The Upapada Lagna's sign in D1 and in D9, under the profile.
    QLabel* lblUpapadaVargas = nullptr;

    // Tab 2: the pada of every house (House, Pada, Sign), the special points
    // (Point, Sign, Position), the reference sunrise and how the UL was found.
    QGroupBox* fraPadas = nullptr;
    QTableWidget* tblPadas = nullptr;
    QGroupBox* fraSpecialLagnas = nullptr;
    QTableWidget* tblSpecialLagnas = nullptr;
    QLabel* lblReferenceSunrise = nullptr;
    QGroupBox* fraUpapadaAccount = nullptr;
    QLabel* lblUpapadaAccount = nullptr;

    // The sign cells in sign order.
    std::array<QLabel*, 12> SignCells() const;

  private:
    void BuildHeader();
    void BuildChartTab(QWidget* page);
    void BuildChartCells(QWidget* chart);
    void BuildPositionTable(QWidget* page);
    void BuildDetails(QWidget* page);
    void BuildProfileTab(QWidget* page);
    void BuildPadasTab(QWidget* page);
    void FillProfile(const ChartReport& report);
    void FillPadas(const PadasView& padas);
    void SetArudhaCaption(int sign, const QString& text);
    void ShowChart();

    ChartReport report_;
    ChartDrawing drawing_;
};

}  // namespace korvanta
