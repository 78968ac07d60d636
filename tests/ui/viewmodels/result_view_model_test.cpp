// SPDX-License-Identifier: GPL-3.0-or-later
// The result's view-model without any widget: the moment shown on the
// sensitivity strip and its report, each strip row against the chart's own
// value at the moments it covers, the strip cut at the end of the dates, the
// span and drawing kept in the settings, and the page exports.
#include "ui/viewmodels/result_view_model.h"

#include <QImage>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "../sample_birth.h"
#include "pipeline/pipeline.h"
#include "precise/precise.h"
#include "precise/precise_source.h"
#include "report/page_export.h"
#include "ui/settings.h"

using korvanta::Birth;
using korvanta::ResultViewModel;

namespace {

Birth NewDelhi() {
    return std::get<Birth>(korvanta::AcceptBirth(korvanta::testing::NewDelhiForm()));
}

// The row values of the chart at a local clock moment of `birth`.
korvanta::SensitivityValues ValuesAt(const Birth& birth, std::int64_t clock) {
    return korvanta::SensitivityValuesOf(
        korvanta::CalculateChart(korvanta::BirthAtClock(birth, clock)));
}

}  // namespace

class ResultViewModelTest : public QObject {
    Q_OBJECT
  private slots:
    void AMomentOnTheStripShowsItsOwnReport() {
        const Birth birth = NewDelhi();
        ResultViewModel result(birth);
        const korvanta::ChartReport entered = result.Report();
        QCOMPARE(entered.title,
                 korvanta::BuildReport(birth, korvanta::CalculateChart(birth)).title);
        QVERIFY(!result.ShownMoment());

        QSignalSpy report(&result, &ResultViewModel::reportChanged);
        QSignalSpy moment(&result, &ResultViewModel::shownMomentChanged);
        const std::int64_t clock = result.Strip().start + 17 * 60;
        result.ShowMoment(clock);
        QCOMPARE(result.ShownMoment(), std::optional(clock));
        QCOMPARE(report.count(), 1);
        QCOMPARE(moment.count(), 1);
        const Birth at = korvanta::BirthAtClock(birth, clock);
        const korvanta::ChartReport expected =
            korvanta::BuildReport(at, korvanta::CalculateChart(at));
        const auto shownRows = result.Report().details.Rows();
        const auto expectedRows = expected.details.Rows();
        for (std::size_t i = 0; i < expectedRows.size(); ++i) {
            QCOMPARE(shownRows[i]->text, expectedRows[i]->text);
        }
        QVERIFY(result.Report().details.timeOfBirth.text != entered.details.timeOfBirth.text);
        // The strip stays the entered birth's.
        QCOMPARE(result.Strip().birth, korvanta::ClockSecondsOf(birth));

        result.ShowMoment(std::nullopt);
        QVERIFY(!result.ShownMoment());
        QCOMPARE(result.Report().details.timeOfBirth.text, entered.details.timeOfBirth.text);
    }

    // Every segment of every row holds the chart's value for that row at its
    // first and last moment and in its middle (the chart is the source, not
    // the strip's own sampling).
    void EachStripRowAgreesWithTheChart() {
        const Birth birth = NewDelhi();
        ResultViewModel result(birth);
        const korvanta::SensitivityStrip& strip = result.Strip();
        for (std::size_t row = 0; row < strip.rows.size(); ++row) {
            QVERIFY(!strip.rows[row].empty());
            QCOMPARE(strip.rows[row].front().from, strip.start);
            QCOMPARE(strip.rows[row].back().to, strip.end);
            for (const korvanta::SensitivitySegment& segment : strip.rows[row]) {
                const bool last = &segment == &strip.rows[row].back();
                const std::int64_t lastSecond = last ? segment.to : segment.to - 1;
                for (const std::int64_t t :
                     {segment.from, (segment.from + lastSecond) / 2, lastSecond}) {
                    const int chart = ValuesAt(birth, t)[row];
                    QVERIFY2(chart == segment.value,
                             qPrintable(QStringLiteral("row %1 at %2: chart %3, strip %4")
                                            .arg(row)
                                            .arg(t)
                                            .arg(chart)
                                            .arg(segment.value)));
                }
            }
        }
    }

    // A birth half an hour before the last accepted moment: the strip ends
    // there, says it was cut, and every moment it covers is an accepted one.
    void TheStripIsCutAtTheEndOfTheDates() {
        Birth birth = NewDelhi();
        birth.year = 2050, birth.month = 12, birth.day = 31, birth.hour = 23, birth.minute = 30;
        birth.second = 0;
        ResultViewModel result(birth);
        const korvanta::SensitivityStrip& strip = result.Strip();
        QVERIFY(strip.cutAtEnd);
        QVERIFY(!strip.cutAtStart);
        QCOMPARE(strip.end, korvanta::LastAcceptedClockSecond());
        QCOMPARE(strip.start, korvanta::ClockSecondsOf(birth) - 60 * 60);
    }

    void SpanAndDrawingAreKeptInTheSettings() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Korvanta.conf"));
        const Birth birth = NewDelhi();
        {
            korvanta::Settings settings(path);
            ResultViewModel result(birth, &settings);
            QCOMPARE(result.Span(), 60);
            QSignalSpy strip(&result, &ResultViewModel::stripChanged);
            result.ChooseSpan(45);  // not offered: nothing changes
            QCOMPARE(strip.count(), 0);
            QCOMPARE(result.Strip().spanMinutes, 60);
            result.ChooseSpan(120);
            QCOMPARE(strip.count(), 1);
            QCOMPARE(result.Strip().spanMinutes, 120);
            QCOMPARE(result.Strip().end - result.Strip().start, 2 * 120 * 60);

            QSignalSpy drawn(&result, &ResultViewModel::drawingChanged);
            result.ChooseDrawing({korvanta::ChartStyle::North, true});
            QCOMPARE(drawn.count(), 1);
            QCOMPARE(result.Drawing().style, korvanta::ChartStyle::North);
            QVERIFY(result.Drawing().allPadas);
        }
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Settings/SensitivitySpan")).toInt(), 120);
        QCOMPARE(file.value(QStringLiteral("Settings/ChartStyle")).toString(),
                 QStringLiteral("north"));
        korvanta::Settings settings(path);
        ResultViewModel next(birth, &settings);
        QCOMPARE(next.Span(), 120);
        QCOMPARE(next.Drawing().style, korvanta::ChartStyle::North);
        QVERIFY(next.Drawing().allPadas);
    }

    // Precise is kept and recalculates the report and the strip; without the
    // data files the choice fails with the package named and nothing shown
    // changes; a kept Precise that cannot compute opens on Classic and says
    // why.
    void AstronomyIsKeptAndAFailureLeavesTheResultAsItWas() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Korvanta.conf"));
        const Birth birth = NewDelhi();
        {
            korvanta::Settings settings(path);
            ResultViewModel result(birth, &settings);
            QCOMPARE(result.AstronomyChoice(), korvanta::Astronomy::Classic);
            QVERIFY(result.Report().astronomyLine.empty());
            result.Strip();
            QSignalSpy strip(&result, &ResultViewModel::stripChanged);
            QVERIFY(result.ChooseAstronomy(korvanta::Astronomy::Precise));
            QCOMPARE(strip.count(), 1);
            QCOMPARE(result.Report().astronomyLine,
                     std::string("Astronomy: precise (Swiss Ephemeris, Lahiri ayanamsa, "
                                 "mean node)"));
            korvanta::AstronomyOptions precise;
            precise.astronomy = korvanta::Astronomy::Precise;
            const auto chart = korvanta::CalculateChart(birth, precise);
            QVERIFY(std::holds_alternative<korvanta::Chart>(chart));
            const korvanta::ChartReport expected =
                korvanta::BuildReport(birth, std::get<korvanta::Chart>(chart));
            for (std::size_t body = 0; body < korvanta::kBodyCount; ++body) {
                QCOMPARE(result.Report().positions[body].text, expected.positions[body].text);
            }
        }
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Settings/Astronomy")).toString(),
                 QStringLiteral("precise"));

        // An empty folder of data files.
        qunsetenv("SE_EPHE_PATH");
        korvanta::precise::SetEphemerisFolder(dir.path().toStdString());
        {
            korvanta::Settings settings(path);
            ResultViewModel result(birth, &settings);
            QCOMPARE(result.AstronomyChoice(), korvanta::Astronomy::Classic);
            QVERIFY(result.TakeAstronomyProblem().contains(QStringLiteral("swe-basic-data")));
            const std::string before = result.Report().positions[0].text;
            QSignalSpy failed(&result, &ResultViewModel::astronomyFailed);
            QSignalSpy report(&result, &ResultViewModel::reportChanged);
            QVERIFY(!result.ChooseAstronomy(korvanta::Astronomy::Precise));
            QCOMPARE(failed.count(), 1);
            QVERIFY(failed.front().front().toString().contains(QStringLiteral("swe-basic-data")));
            QCOMPARE(report.count(), 0);
            QCOMPARE(result.AstronomyChoice(), korvanta::Astronomy::Classic);
            QCOMPARE(result.Report().positions[0].text, before);
        }
        korvanta::precise::SetEphemerisFolder(korvanta::precise::DefaultEphemerisFolder());
    }

    void ExportsWriteThePageWithTheStripWhenAsked() {
        QTemporaryDir dir;
        const Birth birth = NewDelhi();
        ResultViewModel result(birth);
        QVERIFY(result.ExportFileStem().startsWith(QStringLiteral("asha-rao")));
        QString error;
        QVERIFY2(result.SavePng(dir.filePath(QStringLiteral("one")), false, error),
                 qPrintable(error));
        QVERIFY2(result.SavePng(dir.filePath(QStringLiteral("two.png")), true, error),
                 qPrintable(error));
        const QImage one(dir.filePath(QStringLiteral("one.png")));
        const QImage two(dir.filePath(QStringLiteral("two.png")));
        QCOMPARE(one, korvanta::RenderChartPage(result.Report(), result.Drawing())
                          .convertToFormat(one.format()));
        QCOMPARE(two.height(), 2 * one.height());
        QVERIFY(result.SavePdf(dir.filePath(QStringLiteral("page")), false, error));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("page.pdf"))).size() > 0);
        // A folder that does not exist: false, with the reason.
        QVERIFY(!result.SavePdf(dir.filePath(QStringLiteral("none/page.pdf")), false, error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(ResultViewModelTest)
#include "result_view_model_test.moc"
