// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame's "Birth Time Sensitivity" tab driven through its real
// widgets: the strip shown is the core's for the entered birth, the span
// chooser redraws it and is remembered, a click shows that moment's result
// with a way back, hovering names a segment's times, and the exports add the
// strip's page only when the user says so.
#include "ui/sensitivity_tab.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <variant>

#include "pipeline/pipeline.h"
#include "pipeline/sensitivity.h"
#include "report/page_export.h"
#include "report/sensitivity_view.h"
#include "report/varga_chart.h"
#include "sample_birth.h"
#include "ui/export_dialogs.h"
#include "ui/frm_display.h"
#include "ui/mdi.h"
#include "ui/settings.h"
#include "ui/viewmodels/result_view_model.h"

using korvanta::MDI;
using korvanta::ResultViewModel;

namespace {

class PageDialogs final : public korvanta::ExportDialogs {
  public:
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return fileAnswer;
    }
    bool SetUpPrinter(QWidget*, QPrinter&) override { return false; }
    void ReportFailure(QWidget*, const QString& text) override { failures << text; }
    PageChoice ChooseSensitivityPage(QWidget*) override {
        ++asked;
        return choice;
    }
    QString fileAnswer;
    QStringList failures;
    PageChoice choice = PageChoice::ChartOnly;
    int asked = 0;
};

korvanta::BirthChart NewDelhi() {
    const korvanta::EntryForm f = korvanta::testing::NewDelhiForm();
    return std::get<korvanta::BirthChart>(korvanta::CalculateChart(f));
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

class SensitivityTabTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void TabShowsTheStripAndTheSpanIsRemembered() {
        const korvanta::BirthChart c = NewDelhi();
        const QString path = dir_.filePath(QStringLiteral("span.ini"));
        {
            korvanta::Settings settings(path);
            MDI frame(new ResultViewModel(c.birth, &settings));
            korvanta::SensitivityTab* tab = frame.Sensitivity();
            QVERIFY(tab != nullptr);
            QCOMPARE(frame.Display()->SSTab1->count(), 4);
            auto* scrolling = qobject_cast<QScrollArea*>(
                frame.Display()->SSTab1->widget(korvanta::frmDisplay::kSensitivityTab));
            QVERIFY(scrolling != nullptr);
            QCOMPARE(scrolling->widget(), tab);
            QCOMPARE(frame.Display()->SSTab1->tabText(korvanta::frmDisplay::kSensitivityTab),
                     QStringLiteral("Birth Time Sensitivity"));

            // ±1 h at first: the core's strip of the entered birth.
            QCOMPARE(tab->Span(), 60);
            const auto strip60 = korvanta::BirthTimeSensitivity(c.birth, 60);
            QCOMPARE(tab->lblSensitivityAnswer->text(), Q(korvanta::SensitivityAnswer(strip60)));
            QVERIFY(tab->cmdEnteredTime->isHidden());

            // Choosing ±2 h redraws the strip and stores the span.
            tab->cboSensitivitySpan->setCurrentIndex(3);
            emit tab->cboSensitivitySpan->activated(3);
            const auto strip120 = korvanta::BirthTimeSensitivity(c.birth, 120);
            QCOMPARE(tab->lblSensitivityAnswer->text(), Q(korvanta::SensitivityAnswer(strip120)));
            QCOMPARE(tab->timeline->View().spanMinutes, 120);
            QCOMPARE(tab->timeline->View().start, strip120.start);
        }
        QCOMPARE(QSettings(path, QSettings::IniFormat)
                     .value(QStringLiteral("Settings/SensitivitySpan"))
                     .toInt(),
                 120);
        // The next result opens with the stored span; a span the chooser does
        // not offer is not taken from the store.
        for (const auto& [stored, expected] :
             {std::pair{QStringLiteral("120"), 120}, std::pair{QStringLiteral("45"), 60},
              std::pair{QStringLiteral("junk"), 60}}) {
            QSettings(path, QSettings::IniFormat)
                .setValue(QStringLiteral("Settings/SensitivitySpan"), stored);
            korvanta::Settings settings(path);
            MDI frame(new ResultViewModel(c.birth, &settings));
            QCOMPARE(frame.Sensitivity()->Span(), expected);
            QCOMPARE(frame.Sensitivity()->timeline->View().spanMinutes, expected);
        }
    }

    void ClickShowsThatMomentAndTheButtonGoesBack() {
        const korvanta::BirthChart c = NewDelhi();
        MDI frame(new ResultViewModel(c.birth));
        frame.Display()->SSTab1->setCurrentIndex(korvanta::frmDisplay::kSensitivityTab);
        frame.resize(1000, 800);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        korvanta::SensitivityTab* tab = frame.Sensitivity();
        korvanta::SensitivityTimeline* timeline = tab->timeline;
        const QString enteredTime = frame.Display()->lblTOB->text();

        // Each segment's tooltip names its row, value and times.
        const auto& view = timeline->View();
        for (int row = 0; row < static_cast<int>(view.rows.size()); ++row) {
            for (int k = 0; k < static_cast<int>(view.rows[row].segments.size()); ++k) {
                const auto& segment = view.rows[row].segments[static_cast<std::size_t>(k)];
                QCOMPARE(timeline->SegmentTip(row, k),
                         Q(std::string(view.rows[row].label) + ": " + segment.value + "\n" +
                           segment.fromText + " to " + segment.toText));
                QVERIFY(!timeline->SegmentRect(row, k).isEmpty() || segment.from == segment.to);
            }
        }

        // A click on the first segment of the ascendant row, at its middle.
        const QRectF first = timeline->SegmentRect(0, 0);
        const QPoint point = first.center().toPoint();
        const std::int64_t moment = timeline->MomentAt(point.x());
        QVERIFY(moment >= view.rows[0].segments[0].from);
        QVERIFY(moment <= view.rows[0].segments[0].to);
        QTest::mouseClick(timeline, Qt::LeftButton, {}, point);
        const korvanta::Birth shown = korvanta::BirthAtClock(c.birth, moment);
        const korvanta::ChartReport expected =
            korvanta::BuildReport(shown, korvanta::CalculateChart(shown));
        QCOMPARE(frame.Display()->lblTOB->text(), Q(expected.details.timeOfBirth.text));
        QVERIFY(frame.Display()->lblTOB->text() != enteredTime);
        QVERIFY(!tab->cmdEnteredTime->isHidden());
        QCOMPARE(tab->lblShownMoment->text(), Q(korvanta::ShownMomentText(view, moment)));
        // The strip stays centred on the entered birth.
        QCOMPARE(timeline->View().birth, korvanta::ClockSecondsOf(c.birth));

        QTest::mouseClick(tab->cmdEnteredTime, Qt::LeftButton);
        QCOMPARE(frame.Display()->lblTOB->text(), enteredTime);
        QVERIFY(tab->cmdEnteredTime->isHidden());
    }

    void ExportAddsTheStripPageOnlyWhenAsked() {
        const korvanta::BirthChart c = NewDelhi();
        MDI frame(new ResultViewModel(c.birth));
        PageDialogs dialogs;
        frame.SetExportDialogs(dialogs);
        korvanta::ChartReport report = korvanta::BuildReport(c.birth, c.chart);
        report.ulInVargas = korvanta::UpapadaInVargasLine(c.chart);  // as the window shows it
        const QImage single = korvanta::RenderChartPage(report, {});

        dialogs.fileAnswer = dir_.filePath(QStringLiteral("chart-only.png"));
        frame.SaveChartImage();
        QCOMPARE(dialogs.asked, 1);
        QCOMPARE(QImage(dialogs.fileAnswer).size(), single.size());

        dialogs.choice = korvanta::ExportDialogs::PageChoice::WithSensitivity;
        dialogs.fileAnswer = dir_.filePath(QStringLiteral("with-strip.png"));
        frame.SaveChartImage();
        const QImage both(dialogs.fileAnswer);
        QCOMPARE(both.height(), 2 * single.height());
        const auto view =
            korvanta::BuildSensitivityView(korvanta::BirthTimeSensitivity(c.birth, 60));
        QCOMPARE(both, korvanta::RenderChartPage(report, {}, korvanta::kPageImageDotsPerInch, &view)
                           .convertToFormat(both.format()));

        // Cancel writes nothing.
        dialogs.choice = korvanta::ExportDialogs::PageChoice::Cancel;
        dialogs.fileAnswer = dir_.filePath(QStringLiteral("cancelled.pdf"));
        frame.SaveChartPdf();
        QVERIFY(!QFile::exists(dialogs.fileAnswer));
        QVERIFY(dialogs.failures.isEmpty());
    }

  private:
    QTemporaryDir dir_;
};

QTEST_MAIN(SensitivityTabTest)
#include "sensitivity_tab_test.moc"
