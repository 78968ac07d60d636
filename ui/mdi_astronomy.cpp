// SPDX-License-Identifier: GPL-3.0-or-later
// The View menu's Astronomy choice of the result frame: Classic or Precise,
// kept by the result's view-model, with the precise astronomy's failure told
// to the user while the result shown stays as it was.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTimer>

#include "ui/export_dialogs.h"
#include "ui/mdi.h"
#include "ui/viewmodels/result_view_model.h"

namespace korvanta {

void MDI::BuildAstronomyMenu(QMenu* view) {
    QMenu* astronomy = view->addMenu(QStringLiteral("&Astronomy"));
    astronomy->setObjectName(QStringLiteral("mnuAstronomy"));
    auto* choices = new QActionGroup(this);
    choices->setExclusive(true);
    const struct {
        const char* text;
        const char* name;
        Astronomy astronomy;
    } items[] = {{"&Classic", "mnuAstronomyClassic", Astronomy::Classic},
                 {"&Precise (Swiss Ephemeris)", "mnuAstronomyPrecise", Astronomy::Precise}};
    for (std::size_t k = 0; k < astronomyActions_.size(); ++k) {
        QAction* action = astronomy->addAction(QString::fromUtf8(items[k].text));
        action->setObjectName(QString::fromLatin1(items[k].name));
        action->setCheckable(true);
        choices->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice = items[k].astronomy] {
            // A failure leaves the result and the mark where they were.
            if (!result_->ChooseAstronomy(choice)) ShowAstronomyInMenu();
        });
        astronomyActions_[k] = action;
    }
    connect(result_, &ResultViewModel::astronomyChanged, this, &MDI::ShowAstronomyInMenu);
    connect(result_, &ResultViewModel::astronomyFailed, this,
            [this](const QString& message) { dialogs_->ReportFailure(this, message); });
    ShowAstronomyInMenu();
    // The astronomy kept in the settings could not make this result: said
    // once the frame is up.
    if (const QString problem = result_->TakeAstronomyProblem(); !problem.isEmpty()) {
        QTimer::singleShot(0, this, [this, problem] { dialogs_->ReportFailure(this, problem); });
    }
}

void MDI::ShowAstronomyInMenu() {
    const bool precise = result_->AstronomyChoice() == Astronomy::Precise;
    astronomyActions_[precise ? 1 : 0]->setChecked(true);
}

}  // namespace korvanta
