#include "ui/screenshot_tour.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi.h"

namespace korvanta {

namespace {

void Save(QWidget* window, const QString& folder, const char* name) {
    QCoreApplication::processEvents();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "korvanta: cannot write %s\n", qPrintable(path));
    }
}

// A birth at Pune, typed as a user would choose it.
void EnterSampleBirth(frmMain& window) {
    window.txtName->setText(QStringLiteral("ASHA RAO"));
    window.cboMonth->setCurrentIndex(5);  // June
    window.cboDate->setCurrentIndex(4);   // 5
    window.cboYear->setCurrentIndex(79);  // 1980
    window.cboHH->setCurrentIndex(9);
    window.cboMM->setCurrentIndex(5);
    window.cboSS->setCurrentIndex(0);
    window.txtMCity->setText(QStringLiteral("Pune"));
    window.txtMState->setText(QStringLiteral("Maharashtra"));
    window.txtMCountry->setText(QStringLiteral("India"));
    window.cmbTimeZone->setCurrentIndex(
        window.cmbTimeZone->findText(QStringLiteral("Indian Time, IST, +5.3")));
    window.txtLonD->setText(QStringLiteral("73"));
    window.txtLonM->setText(QStringLiteral("51"));
    window.optLong[0]->setChecked(true);
    window.txtLatD->setText(QStringLiteral("18"));
    window.txtLatM->setText(QStringLiteral("31"));
    window.optLat[0]->setChecked(true);
}

void RunTour(frmMain& window, const QString& folder) {
    QDir().mkpath(folder);
    EnterSampleBirth(window);
    Save(&window, folder, "birth-data.png");

    window.cmdRashi->click();
    MDI* frame = window.ResultFrame();
    if (frame == nullptr || frame->Display() == nullptr) {
        std::fprintf(stderr, "korvanta: the calculation showed no result\n");
        QCoreApplication::exit(1);
        return;
    }
    frame->Display()->SSTab1->setCurrentIndex(frmDisplay::kDetailsTab);
    Save(frame, folder, "result-details.png");
    frame->Display()->SSTab1->setCurrentIndex(frmDisplay::kChartTab);
    Save(frame, folder, "result-chart.png");

    // The about box is modal: picture it from inside its own event loop.
    QTimer::singleShot(0, frame, [folder] {
        if (QWidget* about = QApplication::activeModalWidget()) {
            Save(about, folder, "about.png");
            about->close();
        }
    });
    if (auto* aboutEntry = frame->findChild<QAction*>(QStringLiteral("mnuAbout")))
        aboutEntry->trigger();
    window.EndProgram();
}

}  // namespace

void ScheduleScreenshotTour(frmMain& window, const QString& folder) {
    QTimer::singleShot(0, &window, [&window, folder] { RunTour(window, folder); });
}

}  // namespace korvanta
