// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screenshot_tour.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <utility>

#include "ui/births_dialog.h"
#include "ui/export_dialogs.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi.h"

namespace korvanta {

namespace {

// Answers the export's file dialog with a file in the tour's folder.
class TourDialogs final : public ExportDialogs {
  public:
    explicit TourDialogs(QString path) : path_(std::move(path)) {}
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return path_;
    }
    bool SetUpPrinter(QWidget*, QPrinter&) override { return false; }
    void ReportFailure(QWidget*, const QString& text) override {
        std::fprintf(stderr, "korvanta: %s\n", qPrintable(text));
    }

  private:
    QString path_;
};

void Key(QWidget* target, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

// The window with the completion list, which is a window of its own: a
// picture of the screen around both.
void SaveWithPopup(frmMain& window, QWidget* popup, const QString& folder, const char* name) {
    QCoreApplication::processEvents();
    const QRect area = window.frameGeometry().united(popup->geometry()).adjusted(-8, -8, 8, 8);
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (!window.screen()
             ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
             .save(path)) {
        std::fprintf(stderr, "korvanta: cannot write %s\n", qPrintable(path));
    }
}

// Types the start of a city's name into "Find Place", pictures the list the
// atlas offers, and chooses its first place.
void FindPlace(frmMain& window, const QString& typed, const QString& folder) {
    window.txtFindPlace->setFocus();
    for (const QChar character : typed) Key(window.txtFindPlace, 0, QString(character));
    QAbstractItemView* list = window.placeCompleter->popup();
    if (!list->isVisible() || list->model()->rowCount() == 0) {
        std::fprintf(stderr, "korvanta: the atlas offered no place for %s\n", qPrintable(typed));
        return;
    }
    SaveWithPopup(window, list, folder, "atlas-completion.png");
    list->setCurrentIndex(list->model()->index(0, 0));
    Key(list, Qt::Key_Return);
}

void Save(QWidget* window, const QString& folder, const char* name) {
    QCoreApplication::processEvents();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "korvanta: cannot write %s\n", qPrintable(path));
    }
}

// A birth at Pune, typed as a user would choose it; the place, coordinates
// and zone come from the atlas.
void EnterSampleBirth(frmMain& window, const QString& folder) {
    window.txtName->setText(QStringLiteral("ASHA RAO"));
    window.cboMonth->setCurrentIndex(5);  // June
    window.cboDate->setCurrentIndex(4);   // 5
    window.cboYear->setCurrentIndex(79);  // 1980
    window.cboHH->setCurrentIndex(9);
    window.cboMM->setCurrentIndex(5);
    window.cboSS->setCurrentIndex(0);
    FindPlace(window, QStringLiteral("Pun"), folder);
}

// Stores the entered birth and a few others in the births library, and
// pictures the Open Birth dialog with a search typed.
void PictureLibrary(frmMain& window, const QString& folder) {
    if (window.Library() == nullptr) {
        std::fprintf(stderr, "korvanta: no births library to picture\n");
        return;
    }
    window.SaveBirth();
    struct Other {
        const char* name;
        int year, month, day, hour, minute;
        const char *city, *state, *country;
        int latDeg, latMin, lonDeg, lonMin;
        bool south, east;
        int zone;
        bool dst;
    };
    static const Other others[] = {
        {"RAVI KUMAR", 1975, 3, 12, 6, 40, "Mumbai", "Maharashtra", "India", 18, 58, 72, 50, false,
         true, 34, false},
        {"MEERA IYER", 1988, 11, 23, 22, 15, "Chennai", "Tamil Nadu", "India", 13, 5, 80, 17, false,
         true, 34, false},
        {"JOHN SMITH", 1969, 7, 20, 20, 17, "New York", "New York", "United States", 40, 43, 74, 0,
         false, false, 27, true},
        {"ANNA MULLER", 1992, 2, 29, 4, 5, "Berlin", "Berlin", "Germany", 52, 31, 13, 24, false,
         true, 20, false},
        {"PRIYA RAMAN", 2001, 9, 8, 14, 50, "Pune", "Maharashtra", "India", 18, 31, 73, 51, false,
         true, 34, false},
    };
    for (const Other& o : others) {
        window.txtName->setText(QString::fromLatin1(o.name));
        window.cboYear->setCurrentIndex(o.year - 1901);
        window.cboMonth->setCurrentIndex(o.month - 1);
        window.cboDate->setCurrentIndex(o.day - 1);
        window.cboHH->setCurrentIndex(o.hour);
        window.cboMM->setCurrentIndex(o.minute);
        window.cboSS->setCurrentIndex(0);
        window.txtMCity->setText(QString::fromLatin1(o.city));
        window.txtMState->setText(QString::fromLatin1(o.state));
        window.txtMCountry->setText(QString::fromLatin1(o.country));
        window.txtLatD->setText(QString::number(o.latDeg));
        window.txtLatM->setText(QString::number(o.latMin));
        window.optLat[o.south ? 1 : 0]->setChecked(true);
        window.txtLonD->setText(QString::number(o.lonDeg));
        window.txtLonM->setText(QString::number(o.lonMin));
        window.optLong[o.east ? 0 : 1]->setChecked(true);
        window.cmbTimeZone->setCurrentIndex(o.zone);
        window.chkDST->setChecked(o.dst);
        window.SaveBirth();
    }
    auto dialog = window.CreateBirthsDialog();
    if (!dialog) return;
    dialog->show();
    dialog->txtSearch->setText(QStringLiteral("ra"));
    dialog->tblBirths->resizeColumnsToContents();
    Save(dialog.get(), folder, "births-dialog.png");
}

// The result frame as it opens on this screen, on two of its tabs.
void PictureFrameOnly(frmMain& window, MDI& frame, const QString& folder, const QString& name) {
    for (const auto& [tab, suffix] : {std::pair{frmDisplay::kDetailsTab, "details"},
                                      std::pair{frmDisplay::kChartTab, "chart"}}) {
        frame.Display()->SSTab1->setCurrentIndex(tab);
        const QString file = QStringLiteral("result-%1-%2.png").arg(name, QLatin1String(suffix));
        Save(&frame, folder, file.toLatin1().constData());
    }
    window.EndProgram();
}

void RunTour(frmMain& window, const QString& folder) {
    QDir().mkpath(folder);
    EnterSampleBirth(window, folder);
    const QString frameOnly = qEnvironmentVariable(kScreenshotFrameVariable);
    if (frameOnly.isEmpty()) Save(&window, folder, "birth-data.png");

    window.cmdRashi->click();
    MDI* frame = window.ResultFrame();
    if (frame == nullptr || frame->Display() == nullptr) {
        std::fprintf(stderr, "korvanta: the calculation showed no result\n");
        QCoreApplication::exit(1);
        return;
    }
    if (!frameOnly.isEmpty()) {
        PictureFrameOnly(window, *frame, folder, frameOnly);
        return;
    }
    frame->Display()->SSTab1->setCurrentIndex(frmDisplay::kDetailsTab);
    Save(frame, folder, "result-details.png");
    frame->Display()->SSTab1->setCurrentIndex(frmDisplay::kChartTab);
    Save(frame, folder, "result-chart.png");
    // The other chart styles, through the View menu, and back.
    frame->mnuStyle[1]->trigger();
    Save(frame, folder, "result-chart-north.png");
    frame->mnuStyle[2]->trigger();
    Save(frame, folder, "result-chart-east.png");
    frame->mnuStyle[0]->trigger();
    frame->Display()->SSTab1->setCurrentIndex(frmDisplay::kPadasTab);
    Save(frame, folder, "result-padas.png");
    frame->Display()->SSTab1->setCurrentIndex(frmDisplay::kSensitivityTab);
    Save(frame, folder, "result-sensitivity.png");

    // The page the File menu exports, through the menu entry itself.
    TourDialogs dialogs(QDir(folder).filePath(QStringLiteral("chart-page.png")));
    frame->SetExportDialogs(dialogs);
    frame->mnuSaveImage->trigger();

    // The about box is modal: picture it from inside its own event loop.
    QTimer::singleShot(0, frame, [folder] {
        if (QWidget* about = QApplication::activeModalWidget()) {
            Save(about, folder, "about.png");
            about->close();
        }
    });
    if (auto* aboutEntry = frame->findChild<QAction*>(QStringLiteral("mnuAbout")))
        aboutEntry->trigger();
    PictureLibrary(window, folder);
    window.EndProgram();
}

}  // namespace

void ScheduleScreenshotTour(frmMain& window, const QString& folder) {
    QTimer::singleShot(0, &window, [&window, folder] { RunTour(window, folder); });
}

}  // namespace korvanta
