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

#include "controls.h"
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

template <typename Control>
Control* Named(const QObject& owner, const char* name) {
    return korvanta::testing::Named<Control>(owner, name);
}

korvanta::SensitivityTimeline* TimelineOf(const korvanta::SensitivityTab& tab) {
    return Named<korvanta::SensitivityTimeline>(tab, "picSensitivityTimeline");
}

QString TimeShown(korvanta::frmDisplay& display) {
    return korvanta::testing::ResultLabel(display, "lblTOB")->text();
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
            const auto* tabs = Named<QTabWidget>(*frame.Display(), "SSTab1");
            QCOMPARE(tabs->count(), 4);
            auto* scrolling =
                qobject_cast<QScrollArea*>(tabs->widget(korvanta::frmDisplay::kSensitivityTab));
            QVERIFY(scrolling != nullptr);
            QCOMPARE(scrolling->widget(), tab);
            QCOMPARE(tabs->tabText(korvanta::frmDisplay::kSensitivityTab),
                     QStringLiteral("Birth Time Sensitivity"));

            // ±1 h at first: the core's strip of the entered birth.
            QCOMPARE(tab->Span(), 60);
            const auto strip60 = korvanta::BirthTimeSensitivity(c.birth, 60);
            auto* answer = Named<QLabel>(*tab, "lblSensitivityAnswer");
            QCOMPARE(answer->text(), Q(korvanta::SensitivityAnswer(strip60)));
            QVERIFY(Named<QPushButton>(*tab, "cmdEnteredTime")->isHidden());

            // Choosing ±2 h redraws the strip and stores the span.
            auto* spans = Named<QComboBox>(*tab, "cboSensitivitySpan");
            spans->setCurrentIndex(3);
            emit spans->activated(3);
            const auto strip120 = korvanta::BirthTimeSensitivity(c.birth, 120);
            QCOMPARE(answer->text(), Q(korvanta::SensitivityAnswer(strip120)));
            QCOMPARE(TimelineOf(*tab)->View().spanMinutes, 120);
            QCOMPARE(TimelineOf(*tab)->View().start, strip120.start);
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
            QCOMPARE(TimelineOf(*frame.Sensitivity())->View().spanMinutes, expected);
        }
    }

    void ClickShowsThatMomentAndTheButtonGoesBack() {
        const korvanta::BirthChart c = NewDelhi();
        MDI frame(new ResultViewModel(c.birth));
        frame.Display()->ShowTab(korvanta::frmDisplay::kSensitivityTab);
        frame.resize(1000, 800);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        korvanta::SensitivityTab* tab = frame.Sensitivity();
        korvanta::SensitivityTimeline* timeline = TimelineOf(*tab);
        auto* back = Named<QPushButton>(*tab, "cmdEnteredTime");
        const QString enteredTime = TimeShown(*frame.Display());

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
        const QPoint placeBefore = timeline->mapTo(tab, QPoint());
        QTest::mouseClick(timeline, Qt::LeftButton, {}, point);
        QCoreApplication::processEvents();
        // The line that says so appears without moving the timeline in its tab.
        QCOMPARE(timeline->mapTo(tab, QPoint()), placeBefore);
        const korvanta::Birth shown = korvanta::BirthAtClock(c.birth, moment);
        const korvanta::Chart shownChart = korvanta::CalculateChart(shown);
        korvanta::ChartReport expected = korvanta::BuildReport(shown, shownChart);
        // The window's report names the UL's sign in D1 and D9 as well.
        expected.ulInVargas = korvanta::UpapadaInVargasLine(shownChart);
        QCOMPARE(TimeShown(*frame.Display()), Q(expected.details.timeOfBirth.text));
        QVERIFY(TimeShown(*frame.Display()) != enteredTime);
        QVERIFY(!back->isHidden());
        QCOMPARE(Named<QLabel>(*tab, "lblShownMoment")->text(),
                 Q(korvanta::ShownMomentText(view, moment)));
        // The strip stays centred on the entered birth.
        QCOMPARE(timeline->View().birth, korvanta::ClockSecondsOf(c.birth));

        // Every tab says which moment it shows and when the birth was
        // entered (09:05:30); both exported pages carry the same words.
        const QString words =
            QString::asprintf("for %02d:%02d:%02d \u2014 the birth was entered at 09:05:30",
                              shown.hour, shown.minute, shown.second);
        auto* note = Named<QLabel>(*frame.Display(), "lblMomentNote");
        for (int index = 0; index < 4; ++index) {
            frame.Display()->ShowTab(index);
            QVERIFY2(note->isVisible() && note->text() == QStringLiteral("Chart ") + words,
                     qPrintable(QStringLiteral("tab %1: \"%2\"").arg(index).arg(note->text())));
        }
        PageDialogs dialogs;
        frame.SetExportDialogs(dialogs);
        dialogs.choice = korvanta::ExportDialogs::PageChoice::WithSensitivity;
        dialogs.fileAnswer = dir_.filePath(QStringLiteral("shown-moment.png"));
        frame.SaveChartImage();
        korvanta::ChartReport titled = expected;
        titled.title = "Upapada Lagna Chart of ASHA RAO " + words.toStdString();
        const QImage pages(dialogs.fileAnswer);
        QCOMPARE(pages, korvanta::RenderChartPage(titled, frame.Result().Drawing(),
                                                  korvanta::kPageImageDotsPerInch, &view)
                            .convertToFormat(pages.format()));

        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(TimeShown(*frame.Display()), enteredTime);
        QVERIFY(back->isHidden());
        QVERIFY(note->isHidden());

        // From the keyboard: the focus marks the ascendant row's first
        // segment, Right the next one, Enter shows its middle moment.
        frame.Display()->ShowTab(korvanta::frmDisplay::kSensitivityTab);
        timeline->setFocus();
        QVERIFY(timeline->hasFocus());
        QTest::keyClick(timeline, Qt::Key_Right);
        QTest::keyClick(timeline, Qt::Key_Return);
        const auto& second = view.rows[0].segments.at(1);
        const korvanta::Birth picked =
            korvanta::BirthAtClock(c.birth, second.from + (second.to - second.from) / 2);
        QCOMPARE(TimeShown(*frame.Display()),
                 Q(korvanta::BuildReport(picked, korvanta::CalculateChart(picked))
                       .details.timeOfBirth.text));
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
