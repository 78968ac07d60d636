// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame's View menu: the chart style and the pada tags change the
// chart tab and the exported page, and the choice survives a restart through
// the settings store; the astronomy chosen shows on the chart tab.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <variant>

#include "controls.h"
#include "pipeline/pipeline.h"
#include "reading/varga.h"
#include "report/chart_style.h"
#include "report/names.h"
#include "report/page_export.h"
#include "report/page_painter.h"
#include "report/varga_chart.h"
#include "sample_birth.h"
#include "ui/chart_figure_view.h"
#include "ui/export_dialogs.h"
#include "ui/frm_display.h"
#include "ui/mdi.h"
#include "ui/settings.h"
#include "ui/twips.h"
#include "ui/viewmodels/result_view_model.h"

using korvanta::ChartDrawing;
using korvanta::ChartReport;
using korvanta::ChartStyle;
using korvanta::MDI;
using korvanta::ResultViewModel;
using korvanta::testing::FrameControls;
using korvanta::testing::Named;
using korvanta::testing::ResultLabel;
using korvanta::testing::VargaAction;

namespace {

class FileDialogs final : public korvanta::ExportDialogs {
  public:
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return fileAnswer;
    }
    bool SetUpPrinter(QWidget*, QPrinter&) override { return false; }
    void ReportFailure(QWidget*, const QString& text) override { failures << text; }
    QString fileAnswer;
    QStringList failures;
};

struct Calculated {
    korvanta::Birth birth;
    korvanta::Chart chart;
    ChartReport report;
};

Calculated NewDelhi() {
    const korvanta::EntryForm f = korvanta::testing::NewDelhiForm();
    const auto outcome = korvanta::CalculateChart(f);
    const auto& computed = std::get<korvanta::BirthChart>(outcome);
    return {computed.birth, computed.chart, korvanta::BuildReport(computed.birth, computed.chart)};
}

}  // namespace

class ChartStyleWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void StyleMenuRedrawsTheChartTabAndTheExport() {
        const Calculated c = NewDelhi();
        const QString path = dir_.filePath(QStringLiteral("switch.ini"));
        korvanta::Settings settings(path);
        MDI frame(new ResultViewModel(c.birth, &settings));
        FileDialogs dialogs;
        frame.SetExportDialogs(dialogs);
        korvanta::frmDisplay* display = frame.Display();

        // The South Indian chart first: its labels, no painted square.
        QVERIFY(FrameControls(frame).mnuStyle[0]->isChecked());
        QVERIFY(!FrameControls(frame).mnuShowAllPadas->isChecked());
        QVERIFY(!ResultLabel(*display, "lblAries")->isHidden());
        QVERIFY(Named<korvanta::ChartFigureView>(*display, "chartFigure")->isHidden());

        const QImage southPage = Export(frame, dialogs, QStringLiteral("south.png"));
        QImage lastShown =
            Named<korvanta::ChartFigureView>(*display, "chartFigure")->grab().toImage();
        for (const auto& [index, style] :
             {std::pair{1, ChartStyle::North}, std::pair{2, ChartStyle::East}}) {
            FrameControls(frame).mnuStyle[static_cast<std::size_t>(index)]->trigger();
            QVERIFY(FrameControls(frame).mnuStyle[static_cast<std::size_t>(index)]->isChecked());
            QVERIFY(!FrameControls(frame).mnuStyle[0]->isChecked());
            QVERIFY(!Named<korvanta::ChartFigureView>(*display, "chartFigure")->isHidden());
            for (QLabel* cell :
                 display->findChildren<QLabel*>(QRegularExpression("^lbl[A-Z][a-z]+$"))) {
                if (cell->parentWidget()->objectName() == QStringLiteral("fraBirthchart"))
                    QVERIFY2(cell->isHidden(), qPrintable(cell->objectName()));
            }
            QVERIFY(Named<QFrame>(*display, "Shape2")->isHidden());
            QCOMPARE(Named<korvanta::ChartFigureView>(*display, "chartFigure")->Drawing().style,
                     style);
            // The painted square changes with the style.
            const QImage shown =
                Named<korvanta::ChartFigureView>(*display, "chartFigure")->grab().toImage();
            QVERIFY(shown != lastShown);
            lastShown = shown;

            // The export draws the chosen style: the page of the report in that style.
            ChartReport expected = c.report;
            expected.ulInVargas = korvanta::UpapadaInVargasLine(c.chart);
            const QImage page = Export(frame, dialogs, QStringLiteral("page.png"));
            QCOMPARE(page, korvanta::RenderChartPage(expected, ChartDrawing{style, false})
                               .convertToFormat(page.format()));
            QVERIFY(page != southPage);
            QCOMPARE(QSettings(path, QSettings::IniFormat)
                         .value(QStringLiteral("Settings/ChartStyle"))
                         .toString(),
                     QString::fromUtf8(korvanta::ChartStyleKey(style).data()));
        }

        // Every pada in the South Indian chart: the window's mark labels carry the tags.
        FrameControls(frame).mnuStyle[0]->trigger();
        FrameControls(frame).mnuShowAllPadas->trigger();
        QVERIFY(!ResultLabel(*display, "lblAries")->isHidden());
        QVERIFY(Named<korvanta::ChartFigureView>(*display, "chartFigure")->isHidden());
        for (std::size_t house = 0; house < 12; ++house) {
            const int sign = c.chart.padas.pada[house];
            const QString tag = QString::fromUtf8(korvanta::kPadaTags[house].data());
            const QStringList lines =
                ResultLabel(*display, qPrintable(QStringLiteral("lblArudha_%1").arg(sign)))
                    ->text()
                    .split(QLatin1Char('\n'));
            bool found = false;
            for (const QString& line : lines) found = found || line.trimmed() == tag;
            QVERIFY2(found, qPrintable(tag));
        }
        FrameControls(frame).mnuShowAllPadas->trigger();
        for (std::size_t sign = 0; sign < 12; ++sign) {
            const QString text =
                ResultLabel(*display, qPrintable(QStringLiteral("lblArudha_%1").arg(sign)))->text();
            QVERIFY(!text.contains(QStringLiteral("AL")) && !text.contains(QStringLiteral("A2")));
        }
        QVERIFY(dialogs.failures.isEmpty());
    }

    // The East Indian chart's centre block keeps a long name inside it: the
    // compartment under the block looks the same as with a short name.
    void EastCentreKeepsALongNameInside() {
        korvanta::Birth birth = NewDelhi().birth;
        const auto drawn = [&birth](const std::string& name) {
            birth.name = name;
            ChartReport report = korvanta::BuildReport(birth, korvanta::CalculateChart(birth));
            ChartDrawing drawing;
            drawing.style = ChartStyle::East;
            // The longest last line a centre can have.
            report.centre.back() = "Sagittarius, House 12";
            QImage image(600, 600, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            korvanta::PaintChartFigure(painter, QRectF(0, 0, 600, 600), report, drawing, true);
            painter.end();
            // The square under the centre block, inside its outlines.
            return image.copy(QRect(205, 405, 190, 190));
        };
        QCOMPARE(drawn("VENKATA SUBRAMANIAN KRISHNAMURTHY"), drawn("ASHA RAO"));
    }

    // The chart tab's astronomy line follows View > Astronomy whether the
    // choice comes before the tab is first opened or after.
    void AstronomyLineFollowsTheChoice() {
        const Calculated c = NewDelhi();
        korvanta::Settings settings(dir_.filePath(QStringLiteral("astronomy.ini")));
        MDI frame(new ResultViewModel(c.birth, &settings));
        FileDialogs dialogs;
        frame.SetExportDialogs(dialogs);
        const auto choose = [&frame](const char* name, korvanta::Astronomy expected) {
            Named<QAction>(frame, name)->trigger();
            QVERIFY2(frame.Result().AstronomyChoice() == expected, name);
        };
        choose("mnuAstronomyPrecise", korvanta::Astronomy::Precise);
        QLabel* line = ResultLabel(*frame.Display(), "lblAstronomy");
        QVERIFY(!frame.Result().Report().astronomyLine.empty());
        QVERIFY(!line->isHidden());
        QCOMPARE(line->text(), korvanta::DisplayText(frame.Result().Report().astronomyLine));
        choose("mnuAstronomyClassic", korvanta::Astronomy::Classic);
        QVERIFY(line->isHidden());
        choose("mnuAstronomyPrecise", korvanta::Astronomy::Precise);
        QVERIFY(!line->isHidden());
        QVERIFY2(dialogs.failures.isEmpty(), qPrintable(dialogs.failures.join(QLatin1Char('\n'))));
    }

    void ChoiceSurvivesARestart() {
        const Calculated c = NewDelhi();
        const QString path = dir_.filePath(QStringLiteral("restart.ini"));
        {
            korvanta::Settings settings(path);
            MDI frame(new ResultViewModel(c.birth, &settings));
            FrameControls(frame).mnuStyle[2]->trigger();
            FrameControls(frame).mnuShowAllPadas->trigger();
        }
        {
            korvanta::Settings settings(path);
            MDI frame(new ResultViewModel(c.birth, &settings));
            QVERIFY(FrameControls(frame).mnuStyle[2]->isChecked());
            QVERIFY(FrameControls(frame).mnuShowAllPadas->isChecked());
            QVERIFY(!Named<korvanta::ChartFigureView>(
                         korvanta::testing::EveryTabBuilt(*frame.Display()), "chartFigure")
                         ->isHidden());
            const ChartDrawing shown =
                Named<korvanta::ChartFigureView>(korvanta::testing::EveryTabBuilt(*frame.Display()),
                                                 "chartFigure")
                    ->Drawing();
            QCOMPARE(shown.style, ChartStyle::East);
            QVERIFY(shown.allPadas);
        }
        // A value the program never writes counts as the South Indian chart.
        {
            {
                QSettings file(path, QSettings::IniFormat);
                file.setValue(QStringLiteral("Settings/ChartStyle"), QStringLiteral("western"));
                file.setValue(QStringLiteral("Settings/ShowAllPadas"), QStringLiteral("maybe"));
            }
            korvanta::Settings settings(path);
            MDI frame(new ResultViewModel(c.birth, &settings));
            QVERIFY(FrameControls(frame).mnuStyle[0]->isChecked());
            QVERIFY(!FrameControls(frame).mnuShowAllPadas->isChecked());
        }
    }

    // View › Divisional Chart: the chart tab, the padas tab and the export
    // show the chosen varga; the rasi chart's profile keeps the line naming
    // the UL's sign in D1 and D9; the choice survives a restart.
    void DivisionalChartMenuShowsTheVarga() {
        const Calculated c = NewDelhi();
        const QString path = dir_.filePath(QStringLiteral("varga.ini"));
        const korvanta::VargaChart navamsa =
            korvanta::VargaChartOf(korvanta::Varga::D9, c.chart.longitude);
        {
            korvanta::Settings settings(path);
            MDI frame(new ResultViewModel(c.birth, &settings));
            FileDialogs dialogs;
            frame.SetExportDialogs(dialogs);
            korvanta::testing::EveryTabBuilt(*frame.Display());
            auto* caption = Named<QGroupBox>(frame, "fraBirthchart");
            auto* note = Named<QLabel>(frame, "lblVargaNote");
            auto* padas = Named<QTableWidget>(frame, "tblPadas");
            auto* account = Named<QLabel>(frame, "lblUpapadaAccount");
            QVERIFY(VargaAction(frame, 1)->isChecked());
            QCOMPARE(caption->title(), QStringLiteral("Hora"));
            QVERIFY(note->isHidden());
            const QString ulLine = Named<QLabel>(frame, "lblUpapadaVargas")->text();
            QVERIFY2(ulLine.contains(QStringLiteral("D9 Navamsa: ") +
                                     QString::fromUtf8(korvanta::SignName(navamsa.padas.ulSign))),
                     qPrintable(ulLine));

            // D9 keeps no note; D60, finer than the Navamsa, says how far its
            // signs can be trusted.
            for (const auto& [number, finer] : {std::pair{9, false}, std::pair{60, true}}) {
                VargaAction(frame, number)->trigger();
                QVERIFY(VargaAction(frame, number)->isChecked());
                QVERIFY(!VargaAction(frame, 1)->isChecked());
                const korvanta::Varga varga = *korvanta::VargaOfNumber(number);
                const korvanta::VargaChart shown = korvanta::VargaChartOf(varga, c.chart.longitude);
                QCOMPARE(caption->title(), QString::fromUtf8(korvanta::VargaName(varga)));
                QCOMPARE(note->isHidden(), !finer);
                const std::size_t ascendant = korvanta::Index(korvanta::Body::Asc);
                static const std::array<const char*, 12> kSignCells = {
                    "lblAries",       "lblTaurus",    "lblGemini",   "lblCancer",
                    "lblLeo",         "lblVirgo",     "lblLibra",    "lblScorpio",
                    "lblSagattarius", "lblCapricorn", "lblAquarius", "lblPisces"};
                QVERIFY(Named<QLabel>(frame,
                                      kSignCells[static_cast<std::size_t>(shown.sign[ascendant])])
                            ->text()
                            .contains(QStringLiteral("Asc")));
                for (int house = 0; house < 12; ++house) {
                    QCOMPARE(padas->item(house, 2)->text(),
                             QString::fromUtf8(korvanta::SignName(
                                 shown.padas.pada[static_cast<std::size_t>(house)])));
                }
                QVERIFY(account->text().startsWith(QStringLiteral("In the ") +
                                                   QString::fromUtf8(korvanta::VargaName(varga))));
                // The export draws what the window shows.
                ChartReport expected = c.report;
                korvanta::ShowVarga(expected, c.chart, varga);
                expected.ulInVargas = korvanta::UpapadaInVargasLine(c.chart);
                const QImage page = Export(frame, dialogs, QStringLiteral("varga.png"));
                QCOMPARE(page,
                         korvanta::RenderChartPage(expected, {}).convertToFormat(page.format()));
            }
            QVERIFY(dialogs.failures.isEmpty());
        }
        {
            korvanta::Settings settings(path);
            MDI frame(new ResultViewModel(c.birth, &settings));
            korvanta::testing::EveryTabBuilt(*frame.Display());
            QVERIFY(VargaAction(frame, 60)->isChecked());
            QCOMPARE(Named<QGroupBox>(frame, "fraBirthchart")->title(),
                     QStringLiteral("D60 Shashtiamsa"));
        }
        // A number that names no varga counts as the rasi chart.
        QSettings(path, QSettings::IniFormat)
            .setValue(QStringLiteral("Settings/DivisionalChart"), QStringLiteral("5"));
        korvanta::Settings settings(path);
        MDI frame(new ResultViewModel(c.birth, &settings));
        korvanta::testing::EveryTabBuilt(*frame.Display());
        QVERIFY(VargaAction(frame, 1)->isChecked());
        QCOMPARE(Named<QGroupBox>(frame, "fraBirthchart")->title(), QStringLiteral("Hora"));
    }

  private:
    QImage Export(MDI& frame, FileDialogs& dialogs, const QString& name) {
        dialogs.fileAnswer = dir_.filePath(name);
        QFile::remove(dialogs.fileAnswer);
        frame.SaveChartImage();
        return QImage(dialogs.fileAnswer);
    }

    QTemporaryDir dir_;
};

QTEST_MAIN(ChartStyleWindowTest)
#include "chart_style_window_test.moc"
