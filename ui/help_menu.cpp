// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_menu.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "ui/frm_about.h"
#include "ui/links.h"

namespace korvanta {

namespace {

QAction* AddEntry(QMenu* menu, const char* name, const char* caption, void (*open)()) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, menu, [open] { open(); });
    return action;
}

}  // namespace

QMenu* AddHelpMenu(QMenuBar* bar, QWidget* owner, const char* firstSeparatorName,
                   const char* secondSeparatorName) {
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* manual = AddEntry(help, "mnuManual", "Korvanta &Help", &OpenManual);
    manual->setShortcut(QKeySequence::HelpContents);
    AddEntry(help, "mnuOnline", "&Online Help", &OpenOnlineHelp);
    AddEntry(help, "mnuVisit", "&Visit Us Online", &OpenHomePage);
    help->addSeparator()->setObjectName(QString::fromLatin1(firstSeparatorName));
    AddEntry(help, "mnuUpdate", "Check for Software &Update", &OpenDownloadPage);
    help->addSeparator()->setObjectName(QString::fromLatin1(secondSeparatorName));
    QAction* about = help->addAction(QStringLiteral("&About Software"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    QObject::connect(about, &QAction::triggered, owner, [owner] {
        frmAbout box(owner);
        box.exec();
    });
    AddEntry(help, "mnuDonate", "&Donate", &OpenDonatePage);
    return help;
}

}  // namespace korvanta
