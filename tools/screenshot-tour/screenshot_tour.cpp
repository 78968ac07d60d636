// SPDX-License-Identifier: GPL-3.0-or-later
// A guided run of the real desktop program that saves pictures of its
// windows for docs/screenshots: it starts the program as app/ does, types a
// birth into the birth-data window, choosing the place from the atlas's list,
// runs the calculation, shows the result tabs, exports the chart page, opens
// the about box and the births library's Open Birth dialog, saves each as a
// PNG and ends. It drives the windows through their controls' object names,
// as a user would through the controls; nothing of it is in the program.
//
//   korvanta-screenshot-tour [--dark] FOLDER [SCREEN]
//
// With SCREEN (a name such as "laptop"), only the result frame is pictured,
// as it opens on this screen, on its details and chart tabs:
// "result-SCREEN-details.png" and "result-SCREEN-chart.png". With --dark the
// windows take the Fusion style with a dark palette, and every picture's
// name ends in "-dark" ("result-chart-dark.png").

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDate>
#include <QDir>
#include <QKeyEvent>
#include <QPalette>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <utility>

#include "library/births_library.h"
#include "ui/application.h"
#include "ui/births_dialog.h"
#include "ui/export_dialogs.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi.h"
#include "ui/message_sink.h"
#include "ui/settings.h"
#include "ui/single_instance.h"

namespace korvanta {

namespace {

// The control named `name` under `owner`; the tour cannot go on without it.
template <typename Control>
Control* Child(const QObject& owner, const char* name) {
    auto* found = owner.findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr) {
        std::fprintf(stderr, "korvanta-screenshot-tour: no control %s\n", name);
        std::exit(1);
    }
    return found;
}

// "-dark" with --dark: put before the extension of every picture's name.
QString pictureSuffix;

QString PictureName(const char* name) {
    QString file = QString::fromLatin1(name);
    if (file.endsWith(QLatin1String(".png"))) file.insert(file.size() - 4, pictureSuffix);
    return file;
}

// The Fusion style with a dark palette, as a dark desktop theme gives it.
void UseDarkPalette() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette dark;
    const QColor window(45, 45, 48), base(30, 30, 32), text(230, 230, 230);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::ToolTipBase, window);
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::BrightText, Qt::red);
    dark.setColor(QPalette::Link, QColor(120, 170, 255));
    dark.setColor(QPalette::Highlight, QColor(60, 110, 200));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::PlaceholderText, QColor(160, 160, 165));
    dark.setColor(QPalette::Mid, QColor(90, 90, 95));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    QApplication::setPalette(dark);
}

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
    const QString path = QDir(folder).filePath(PictureName(name));
    if (!window.screen()
             ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
             .save(path)) {
        std::fprintf(stderr, "korvanta: cannot write %s\n", qPrintable(path));
    }
}

// Types the start of a city's name into "Find Place", pictures the list the
// atlas offers, and chooses its first place.
void FindPlace(frmMain& window, const QString& typed, const QString& folder) {
    auto* search = Child<QLineEdit>(window, "txtFindPlace");
    search->setFocus();
    for (const QChar character : typed) Key(search, 0, QString(character));
    QAbstractItemView* list = Child<QCompleter>(window, "placeCompleter")->popup();
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
    const QString path = QDir(folder).filePath(PictureName(name));
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "korvanta: cannot write %s\n", qPrintable(path));
    }
}

// A birth at Pune, typed as a user would choose it; the place, coordinates
// and zone come from the atlas.
void EnterSampleBirth(frmMain& window, const QString& folder) {
    Child<QLineEdit>(window, "txtName")->setText(QStringLiteral("ASHA RAO"));
    Child<QComboBox>(window, "cboMonth")->setCurrentIndex(5);  // June
    Child<QComboBox>(window, "cboDate")->setCurrentIndex(4);   // 5
    Child<QComboBox>(window, "cboYear")->setCurrentIndex(79);  // 1980
    Child<QComboBox>(window, "cboHH")->setCurrentIndex(9);
    Child<QComboBox>(window, "cboMM")->setCurrentIndex(5);
    Child<QComboBox>(window, "cboSS")->setCurrentIndex(0);
    FindPlace(window, QStringLiteral("Pun"), folder);
}

// Stores the entered birth and a few others in the births library, and
// pictures the Open Birth dialog with a search typed.
void PictureLibrary(frmMain& window, const QString& folder) {
    if (window.Entry().Library() == nullptr) {
        std::fprintf(stderr, "korvanta: no births library to picture\n");
        return;
    }
    QAction* saveBirth = Child<QAction>(window, "mnuSaveBirth");
    saveBirth->trigger();
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
        Child<QLineEdit>(window, "txtName")->setText(QString::fromLatin1(o.name));
        Child<QComboBox>(window, "cboYear")->setCurrentIndex(o.year - 1901);
        Child<QComboBox>(window, "cboMonth")->setCurrentIndex(o.month - 1);
        Child<QComboBox>(window, "cboDate")->setCurrentIndex(o.day - 1);
        Child<QComboBox>(window, "cboHH")->setCurrentIndex(o.hour);
        Child<QComboBox>(window, "cboMM")->setCurrentIndex(o.minute);
        Child<QComboBox>(window, "cboSS")->setCurrentIndex(0);
        Child<QLineEdit>(window, "txtMCity")->setText(QString::fromLatin1(o.city));
        Child<QLineEdit>(window, "txtMState")->setText(QString::fromLatin1(o.state));
        Child<QLineEdit>(window, "txtMCountry")->setText(QString::fromLatin1(o.country));
        Child<QLineEdit>(window, "txtLatD")->setText(QString::number(o.latDeg));
        Child<QLineEdit>(window, "txtLatM")->setText(QString::number(o.latMin));
        Child<QRadioButton>(window, o.south ? "optLat_1" : "optLat_0")->setChecked(true);
        Child<QLineEdit>(window, "txtLonD")->setText(QString::number(o.lonDeg));
        Child<QLineEdit>(window, "txtLonM")->setText(QString::number(o.lonMin));
        Child<QRadioButton>(window, o.east ? "optLong_0" : "optLong_1")->setChecked(true);
        Child<QComboBox>(window, "cmbTimeZone")->setCurrentIndex(o.zone);
        Child<QCheckBox>(window, "chkDST")->setChecked(o.dst);
        saveBirth->trigger();
    }
    BirthsDialog* dialog = window.CreateBirthsDialog();
    if (dialog == nullptr) return;
    dialog->show();
    Child<QLineEdit>(*dialog, "txtSearch")->setText(QStringLiteral("ra"));
    Child<QTableView>(*dialog, "tblBirths")->resizeColumnsToContents();
    Save(dialog, folder, "births-dialog.png");
    dialog->deleteLater();
}

// The result frame as it opens on this screen, on two of its tabs.
void PictureFrameOnly(frmMain& window, MDI& frame, const QString& folder, const QString& name) {
    for (const auto& [tab, suffix] : {std::pair{frmDisplay::kDetailsTab, "details"},
                                      std::pair{frmDisplay::kChartTab, "chart"}}) {
        frame.Display()->ShowTab(tab);
        const QString file = QStringLiteral("result-%1-%2.png").arg(name, QLatin1String(suffix));
        Save(&frame, folder, file.toLatin1().constData());
    }
    window.EndProgram();
}

void RunTour(frmMain& window, const QString& folder, const QString& frameOnly) {
    QDir().mkpath(folder);
    EnterSampleBirth(window, folder);
    if (frameOnly.isEmpty()) Save(&window, folder, "birth-data.png");

    Child<QPushButton>(window, "cmdRashi")->click();
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
    frame->Display()->ShowTab(frmDisplay::kDetailsTab);
    Save(frame, folder, "result-details.png");
    frame->Display()->ShowTab(frmDisplay::kChartTab);
    Save(frame, folder, "result-chart.png");
    // The other chart styles, through the View menu, and back.
    Child<QAction>(*frame, "mnuStyleNorth")->trigger();
    Save(frame, folder, "result-chart-north.png");
    Child<QAction>(*frame, "mnuStyleEast")->trigger();
    Save(frame, folder, "result-chart-east.png");
    Child<QAction>(*frame, "mnuStyleSouth")->trigger();
    frame->Display()->ShowTab(frmDisplay::kPadasTab);
    Save(frame, folder, "result-padas.png");
    frame->Display()->ShowTab(frmDisplay::kSensitivityTab);
    Save(frame, folder, "result-sensitivity.png");

    // The page the File menu exports, through the menu entry itself.
    TourDialogs dialogs(QDir(folder).filePath(PictureName("chart-page.png")));
    frame->SetExportDialogs(dialogs);
    Child<QAction>(*frame, "mnuSaveImage")->trigger();

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
}  // namespace korvanta

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    const bool dark = arguments.removeAll(QStringLiteral("--dark")) > 0;
    if (arguments.isEmpty() || arguments.size() > 2) {
        std::fprintf(stderr, "usage: korvanta-screenshot-tour [--dark] FOLDER [SCREEN]\n");
        return 2;
    }
    if (dark) {
        korvanta::UseDarkPalette();
        korvanta::pictureSuffix = QStringLiteral("-dark");
    }
    korvanta::SetUpApplication();
    const QString folder = arguments.at(0);
    const QString frameOnly = arguments.size() == 2 ? arguments.at(1) : QString();

    // The program's own start: the lock, the settings, the library.
    korvanta::QtMessageSink messages;
    korvanta::SingleInstance instance;
    korvanta::Settings settings(korvanta::Settings::DefaultPath());
    auto window = korvanta::StartKorvanta(instance, settings, QDate::currentDate(), messages);
    if (!window) return 1;
    window->Entry().UseLibrary(korvanta::library::DefaultLibraryPath());
    QTimer::singleShot(0, window.get(), [&window, folder, frameOnly] {
        korvanta::RunTour(*window, folder, frameOnly);
    });
    return QApplication::exec();
}
