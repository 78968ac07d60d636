// SPDX-License-Identifier: GPL-3.0-or-later
// The Korvanta desktop program.
#include <QApplication>
#include <QDate>

#include "report/program_notice.h"
#include "ui/application.h"
#include "ui/frm_main.h"
#include "ui/message_sink.h"
#include "ui/settings.h"
#include "ui/single_instance.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    korvanta::SetUpApplication();

    korvanta::QtMessageSink messages;
    korvanta::SingleInstance instance;
    korvanta::Settings settings(korvanta::Settings::DefaultPath());
    auto window = korvanta::StartKorvanta(instance, settings, QDate::currentDate(), messages);
    if (!window) return 1;
    window->Entry().UseLibrary(korvanta::library::DefaultLibraryPath());
    return QApplication::exec();
}
