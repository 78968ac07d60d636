// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include <QApplication>
#include <QIcon>

#include "ui/frm_main.h"
#include "ui/message_sink.h"
#include "ui/single_instance.h"
#include "ui/update_reminder.h"

namespace korvanta {

std::unique_ptr<frmMain> StartKorvanta(SingleInstance& instance, QSettings& settings,
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
    UpdateReminder(settings, today, messages);
    auto window = std::make_unique<frmMain>(messages);
    window->SetSettingsStore(&settings);
    window->setWindowIcon(QIcon(QStringLiteral(":/korvanta/korvanta.svg")));
    window->show();
    return window;
}

}  // namespace korvanta
