// SPDX-License-Identifier: GPL-3.0-or-later
// The result window's third tab against the core's result, and the frame's
// File menu: the chart page saved as PNG and PDF and printed, each rendered
// back (pdftoppm for PDF) and checked to be a page with the chart's text.
#include <signal.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>
#include <variant>

#include "astro/angles.h"
#include "calendar/calendar.h"
#include "controls.h"
#include "pipeline/pipeline.h"
#include "recording_sink.h"
#include "report/pada_account.h"
#include "report/page_painter.h"
#include "report/positions.h"
#include "report/report.h"
#include "ui/export_dialogs.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi.h"

using korvanta::frmDisplay;
using korvanta::frmMain;
using korvanta::MDI;
using korvanta::testing::DialogControls;
using korvanta::testing::EntryControls;
using korvanta::testing::FrameControls;
using korvanta::testing::Named;
using korvanta::testing::RecordingSink;

namespace {

const QStringList kSigns = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                            "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

// Answers the export dialogs as a user would, and records what they were asked.
class AnsweringDialogs final : public korvanta::ExportDialogs {
  public:
    QString SaveFileName(QWidget*, const QString&, const QString& suggested,
                         const QString& filter) override {
        suggestions << suggested;
        filters << filter;
        return fileAnswer;
    }
    bool SetUpPrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printerFile);
        return printerAccepted;
    }
    void ReportFailure(QWidget*, const QString& text) override { failures << text; }

    QString fileAnswer, printerFile;
    bool printerAccepted = true;
    QStringList suggestions, filters, failures;
};

// A birth at Pune on 5 June 1980, 9:05, Indian time.
void EnterBirth(frmMain& w) {
    QTest::keyClicks(EntryControls(w).txtName, QStringLiteral("asha rao"));
    EntryControls(w).cboMonth->setCurrentIndex(5);
    EntryControls(w).cboDate->setCurrentIndex(4);
    EntryControls(w).cboYear->setCurrentIndex(79);
    EntryControls(w).cboHH->setCurrentIndex(9);
    EntryControls(w).cboMM->setCurrentIndex(5);
    EntryControls(w).txtMCity->setText(QStringLiteral("Pune"));
    EntryControls(w).cmbTimeZone->setCurrentIndex(34);
    QTest::keyClicks(EntryControls(w).txtLonD, QStringLiteral("73"));
    QTest::keyClicks(EntryControls(w).txtLonM, QStringLiteral("51"));
    QTest::keyClicks(EntryControls(w).txtLatD, QStringLiteral("18"));
    QTest::keyClicks(EntryControls(w).txtLatM, QStringLiteral("31"));
}

QString Cell(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QStringLiteral("<no item>");
}

// Share of pixels that are not (nearly) white.
double InkShare(const QImage& image) {
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.red() < 200 || colour.green() < 200 || colour.blue() < 200) ++ink;
        }
    }
    return static_cast<double>(ink) / (static_cast<double>(image.width()) * image.height());
}

// The first page of a PDF file rendered by poppler's pdftoppm at 50 dpi.
QImage RenderedPdf(const QString& pdf, const QString& folder) {
    const QString prefix = folder + QStringLiteral("/rendered");
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

// The PDF's text as poppler's pdftotext reads it; empty without pdftotext.
QString PdfText(const QString& pdf) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) return {};
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class ResultExportTest : public QObject {
    Q_OBJECT
  private:
    RecordingSink sink_;
    std::unique_ptr<frmMain> w_;
    std::optional<EntryControls> c_;
    AnsweringDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> folder_;

    MDI* Frame() const { return w_->ResultFrame(); }

    // A PDF page as a user would see it: A4, with ink but mostly paper, and
    // the chart's own words in its text.
    void VerifyPdfPage(const QString& pdf) {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        const QImage page = RenderedPdf(pdf, folder_->path());
        QVERIFY2(!page.isNull(), qPrintable(pdf));
        QVERIFY2(qAbs(static_cast<double>(page.width()) / page.height() - 210.0 / 297.0) < 0.01,
                 qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
        const double ink = InkShare(page);
        QVERIFY2(ink > 0.03 && ink < 0.5, qPrintable(QString::number(ink)));
        const QString text = PdfText(pdf);
        if (text.isEmpty()) return;
        for (const char* words : {"ASHA RAO", "Upapada Lagna", "Arudha Lagna", "Vedic Planetary",
                                  "Sree Lagna", "Looks", "Pune"}) {
            QVERIFY2(text.contains(QString::fromLatin1(words)), words);
        }
    }

  private slots:
    void init() {
        sink_.messages.clear();
        dialogs_ = AnsweringDialogs();
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        w_ = std::make_unique<frmMain>(sink_);
        c_.emplace(*w_);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        EnterBirth(*w_);
        c_->cmdRashi->click();
        QVERIFY(Frame() != nullptr);
        Frame()->SetExportDialogs(dialogs_);
    }
    void cleanup() {
        w_.reset();
        folder_.reset();
    }

    void thirdTabListsTheCoresPadasAndPoints() {
        const auto outcome = korvanta::CalculateChart(w_->Entry().Form());
        QVERIFY(std::holds_alternative<korvanta::BirthChart>(outcome));
        const korvanta::Chart& chart = std::get<korvanta::BirthChart>(outcome).chart;
        frmDisplay* display = Frame()->Display();
        QCOMPARE(Named<QTabWidget>(*display, "SSTab1")->currentIndex(), frmDisplay::kDetailsTab);
        QCOMPARE(Named<QTabWidget>(*display, "SSTab1")->widget(frmDisplay::kPadasTab)->objectName(),
                 QStringLiteral("tabPadas"));

        QCOMPARE(
            Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display), "tblPadas")->rowCount(),
            12);
        for (int house = 1; house <= 12; ++house) {
            const int sign = chart.padas.pada[static_cast<std::size_t>(house - 1)];
            QCOMPARE(
                Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display), "tblPadas"),
                     house - 1, 0),
                QString::number(house));
            QCOMPARE(
                Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display), "tblPadas"),
                     house - 1, 1),
                QString::fromStdString(std::string(korvanta::PadaName(house))));
            QCOMPARE(
                Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display), "tblPadas"),
                     house - 1, 2),
                kSigns.at(sign));
        }
        QCOMPARE(Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display), "tblPadas"),
                      11, 1),
                 QStringLiteral("Upapada Lagna"));

        // Each point's sign and position as the chart's marks read them: the
        // long position text, its sign abbreviation split off.
        const korvanta::SpecialPoints& special = chart.special;
        const std::array<std::optional<double>, 5> longitudes = {
            special.ghati, special.hora, special.bhava, special.varnada, special.sree};
        const QStringList names = {"Ghati Lagna", "Hora Lagna", "Bhava Lagna", "Varnada Lagna",
                                   "Sree Lagna"};
        for (int i = 0; i < 5; ++i) {
            QVERIFY(longitudes[static_cast<std::size_t>(i)].has_value());
            const QString text = QString::fromStdString(korvanta::FormatSignPosition(
                korvanta::SignPositionOf(*longitudes[static_cast<std::size_t>(i)])));
            const QString abbreviation = text.right(3);
            int sign = 0;
            while (sign < 12 && kSigns.at(sign).left(3) != abbreviation) ++sign;
            QCOMPARE(Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display),
                                              "tblSpecialLagnas"),
                          i, 0),
                     names.at(i));
            QCOMPARE(Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display),
                                              "tblSpecialLagnas"),
                          i, 1),
                     kSigns.value(sign));
            QCOMPARE(Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display),
                                              "tblSpecialLagnas"),
                          i, 2),
                     text.chopped(4));
        }
        QVERIFY(special.pranapada && special.signCountMark);
        QCOMPARE(Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display),
                                          "tblSpecialLagnas"),
                      5, 0),
                 QStringLiteral("Pranapada Lagna"));
        QCOMPARE(Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display),
                                          "tblSpecialLagnas"),
                      5, 1),
                 kSigns.at(*special.pranapada));
        QCOMPARE(Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display),
                                          "tblSpecialLagnas"),
                      6, 0),
                 QStringLiteral("Sign-count mark"));
        QCOMPARE(Cell(Named<QTableWidget>(korvanta::testing::EveryTabBuilt(*display),
                                          "tblSpecialLagnas"),
                      6, 1),
                 kSigns.at(*special.signCountMark));

        QVERIFY(chart.sunrise.reference.has_value());
        const korvanta::CivilDateTime sunrise = korvanta::SplitDateTime(*chart.sunrise.reference);
        const QString clock = QStringLiteral("%1:%2")
                                  .arg(sunrise.hour, 2, 10, QLatin1Char('0'))
                                  .arg(sunrise.minute, 2, 10, QLatin1Char('0'));
        QVERIFY2(
            korvanta::testing::ResultLabel(*display, "lblReferenceSunrise")->text().contains(clock),
            qPrintable(korvanta::testing::ResultLabel(*display, "lblReferenceSunrise")->text()));
        QCOMPARE(korvanta::testing::ResultLabel(*display, "lblUpapadaAccount")->text(),
                 QString::fromStdString(korvanta::ExplainUpapada(chart)));
    }

    // A long name makes the page's title smaller, then wraps it; it never
    // runs under the program's name at the title's right.
    void aLongNameKeepsClearOfTheProgramName() {
        auto outcome = korvanta::CalculateChart(w_->Entry().Form());
        QVERIFY(std::holds_alternative<korvanta::BirthChart>(outcome));
        auto& [birth, chart] = std::get<korvanta::BirthChart>(outcome);
        for (const char* name : {"ASHA RAO", "LAKSHMI NARASIMHA VENKATA SUBRAMANYA",
                                 "VENKATALAKSHMINARASIMHASUBRAMANYASARMA"}) {
            birth.name = name;
            const korvanta::ChartReport page = korvanta::BuildReport(birth, chart);
            const double scale = 2.0;  // pixels per point
            QImage image(static_cast<int>(korvanta::kPageWidthPoints * scale),
                         static_cast<int>(korvanta::kPageHeightPoints * scale),
                         QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                korvanta::PaintChartPage(painter, QRectF(QPointF(0, 0), image.size()), page, {});
            }
            // The program's name is the grey ink at the right of the top
            // band; no ink of the title's colour (75, 75, 150) falls where it
            // stands.
            auto isTitleInk = [](const QColor& c) {
                return c.blue() - c.red() > 35 && c.blue() - c.green() > 35;
            };
            // The band above the rule under the title.
            int band = 0;
            for (int y = 0; y < image.height() / 4 && band == 0; ++y) {
                int ruled = 0;
                for (int x = 0; x < image.width(); ++x) ruled += isTitleInk(image.pixelColor(x, y));
                if (ruled > image.width() / 2) band = y;
            }
            QVERIFY(band > 0);
            QRect programName;
            for (int y = 0; y < band; ++y) {
                for (int x = image.width() / 2; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    const int blueCast = c.blue() - c.red();
                    if (c.red() < 150 && blueCast >= 5 && blueCast <= 30 &&
                        std::abs(c.red() - c.green()) < 12) {
                        programName |= QRect(x, y, 1, 1);
                    }
                }
            }
            QVERIFY2(programName.width() > 20, name);
            int titleInk = 0;
            for (int y = programName.top(); y <= programName.bottom(); ++y) {
                for (int x = programName.left(); x <= programName.right(); ++x) {
                    if (isTitleInk(image.pixelColor(x, y))) ++titleInk;
                }
            }
            QVERIFY2(titleInk == 0,
                     qPrintable(QStringLiteral("%1: %2 pixels").arg(name).arg(titleInk)));
        }
    }

    void savePdfWritesAReadablePage() {
        dialogs_.fileAnswer = folder_->filePath(QStringLiteral("chart"));
        FrameControls(*Frame()).mnuSavePdf->trigger();
        QCOMPARE(dialogs_.suggestions.size(), 1);
        QVERIFY2(dialogs_.suggestions[0].endsWith(QStringLiteral("/asha-rao-upapada-lagna.pdf")),
                 qPrintable(dialogs_.suggestions[0]));
        QVERIFY(dialogs_.failures.isEmpty());
        VerifyPdfPage(folder_->filePath(QStringLiteral("chart.pdf")));
    }

    void saveImageWritesAnA4PngWithTheChart() {
        dialogs_.fileAnswer = folder_->filePath(QStringLiteral("chart.png"));
        FrameControls(*Frame()).mnuSaveImage->trigger();
        QVERIFY(dialogs_.failures.isEmpty());
        const QImage page(dialogs_.fileAnswer);
        QVERIFY(!page.isNull());
        QCOMPARE(page.size(), QSize(1240, 1754));  // A4 at 150 dpi
        const double ink = InkShare(page);
        QVERIFY2(ink > 0.03 && ink < 0.5, qPrintable(QString::number(ink)));
        // The chart square's outline crosses the upper left part of the page.
        const QImage chartArea = page.copy(QRect(60, 150, 600, 600));
        QVERIFY2(InkShare(chartArea) > 0.02, qPrintable(QString::number(InkShare(chartArea))));
    }

    void printDrawsThePageOnThePrinter() {
        dialogs_.printerFile = folder_->filePath(QStringLiteral("printed.pdf"));
        FrameControls(*Frame()).mnuPrint->trigger();
        QVERIFY(dialogs_.failures.isEmpty());
        VerifyPdfPage(dialogs_.printerFile);
    }

    void cancelledDialogsWriteNothing() {
        dialogs_.fileAnswer.clear();
        FrameControls(*Frame()).mnuSavePdf->trigger();
        FrameControls(*Frame()).mnuSaveImage->trigger();
        dialogs_.printerAccepted = false;
        dialogs_.printerFile = folder_->filePath(QStringLiteral("printed.pdf"));
        FrameControls(*Frame()).mnuPrint->trigger();
        QCOMPARE(dialogs_.suggestions.size(), 2);
        QVERIFY(QDir(folder_->path()).isEmpty());
        QVERIFY(dialogs_.failures.isEmpty());
    }

    void aFileThatCannotBeWrittenIsReportedWithItsReason() {
        dialogs_.failures.clear();
        dialogs_.fileAnswer = folder_->filePath(QStringLiteral("no-such-folder/chart.pdf"));
        FrameControls(*Frame()).mnuSavePdf->trigger();
        QCOMPARE(dialogs_.failures.size(), 1);
        QVERIFY2(
            dialogs_.failures[0].contains(QStringLiteral("chart.pdf: No such file or directory")),
            qPrintable(dialogs_.failures[0]));
        QVERIFY(QDir().mkpath(folder_->filePath(QStringLiteral("taken.png"))));
        dialogs_.fileAnswer = folder_->filePath(QStringLiteral("taken.png"));
        FrameControls(*Frame()).mnuSaveImage->trigger();
        QCOMPARE(dialogs_.failures.size(), 2);
        QVERIFY2(dialogs_.failures[1].contains(QStringLiteral("Is a directory")),
                 qPrintable(dialogs_.failures[1]));
    }

    void aPageCutShortLeavesTheOldFileWhole() {
        // A file-size limit far below any page, as on a nearly full disk.
        dialogs_.failures.clear();
        const QByteArray old = "a chart saved last week";
        for (const QString& name : {QStringLiteral("kept.pdf"), QStringLiteral("kept.png")}) {
            QFile file(folder_->filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 8 * 1024;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        dialogs_.fileAnswer = folder_->filePath(QStringLiteral("kept.pdf"));
        FrameControls(*Frame()).mnuSavePdf->trigger();
        dialogs_.fileAnswer = folder_->filePath(QStringLiteral("kept.png"));
        FrameControls(*Frame()).mnuSaveImage->trigger();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, previousHandler);

        QCOMPARE(dialogs_.failures.size(), 2);
        for (const QString& failure : dialogs_.failures) {
            QVERIFY2(failure.contains(QStringLiteral("File too large")), qPrintable(failure));
        }
        for (const QString& name : {QStringLiteral("kept.pdf"), QStringLiteral("kept.png")}) {
            QFile file(folder_->filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), old);
        }
        // No temporary file stays behind.
        QCOMPARE(
            QDir(folder_->path()).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden),
            QStringList());
    }
};

QTEST_MAIN(ResultExportTest)
#include "result_export_test.moc"
