// SPDX-License-Identifier: GPL-3.0-or-later
// The Korvanta desktop program.
#include <QApplication>
#include <QDate>
#include <QSettings>

#include "report/program_notice.h"
#include "ui/application.h"
#include "ui/frm_main.h"
#include "ui/message_sink.h"
#include "ui/screenshot_tour.h"
#include "ui/settings_file.h"
#include "ui/single_instance.h"
#include "ui/update_reminder.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(korvanta::SettingsApplicationName());
    QApplication::setOrganizationName(korvanta::SettingsApplicationName());
    QApplication::setApplicationVersion(
        QString::fromUtf8(korvanta::kProgramVersion.data(),
                          static_cast<qsizetype>(korvanta::kProgramVersion.size())));
    QApplication::setDesktopFileName(QStringLiteral("io.github.korvanta.Korvanta"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/korvanta/korvanta.svg")));

    korvanta::QtMessageSink messages;
    korvanta::SingleInstance instance;
    QString settingsNote;
    const auto settings = korvanta::OpenSettingsFile(korvanta::SettingsFilePath(), settingsNote);
    if (!settingsNote.isEmpty()) qWarning("%s", qPrintable(settingsNote));
    auto window = korvanta::StartKorvanta(instance, *settings, QDate::currentDate(), messages);
    if (!window) return 1;
    window->UseLibrary(korvanta::library::DefaultLibraryPath());

    const QString screenshotFolder = qEnvironmentVariable(korvanta::kScreenshotFolderVariable);
    if (!screenshotFolder.isEmpty()) korvanta::ScheduleScreenshotTour(*window, screenshotFolder);
    return QApplication::exec();
}
