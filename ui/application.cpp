// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include <QApplication>
#include <QIcon>
#include <QPalette>

#include "report/program_notice.h"
#include "ui/frm_main.h"
#include "ui/message_sink.h"
#include "ui/settings.h"
#include "ui/single_instance.h"
#include "ui/update_reminder.h"

namespace korvanta {

void SetUpApplication() {
    QApplication::setApplicationName(SettingsApplicationName());
    QApplication::setOrganizationName(SettingsApplicationName());
    QApplication::setApplicationVersion(
        QString::fromUtf8(kProgramVersion.data(), static_cast<qsizetype>(kProgramVersion.size())));
    QApplication::setDesktopFileName(QStringLiteral("io.github.korvanta.Korvanta"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/korvanta/korvanta.svg")));
    // Links in the program's own dark blue on a light palette; a dark
    // palette keeps its own link colour, which reads on it.
    QPalette palette = QApplication::palette();
    if (palette.color(QPalette::Window).lightness() >= 128) {
        palette.setColor(QPalette::Link, QColor(0x1a, 0x4f, 0xa0));
        QApplication::setPalette(palette);
    }
}

std::unique_ptr<frmMain> StartKorvanta(SingleInstance& instance, Settings& settings,
                                       const QDate& today, MessageSink& messages) {
    switch (instance.Acquire()) {
        case SingleInstance::State::Acquired:
            break;
        case SingleInstance::State::RunningElsewhere:
            messages.Inform(nullptr, QString::fromLatin1(kAlreadyRunningMessage),
                            MessageIcon::Information);
            return nullptr;
        case SingleInstance::State::Unusable:
            // Refusing every start until the user finds the file would be
            // worse than a second copy.
            messages.Inform(nullptr, instance.Problem(), MessageIcon::Error);
            break;
    }
    // The user learns that the settings were kept aside or live in memory
    // only, not merely a line on standard error they may never see.
    if (!settings.Problem().isEmpty()) {
        messages.Inform(nullptr, settings.Problem(), MessageIcon::Error);
    }
    UpdateReminder(settings, today, messages);
    auto window = std::make_unique<frmMain>(messages);
    window->SetSettings(&settings);
    window->setWindowIcon(QIcon(QStringLiteral(":/korvanta/korvanta.svg")));
    window->show();
    return window;
}

}  // namespace korvanta
