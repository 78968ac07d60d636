// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame's View › Divisional Chart: D1 Rasi and the fifteen other
// vargas, one checked at a time, bound to the result's choice.
#include <QActionGroup>
#include <QMenu>

#include "reading/varga.h"
#include "ui/mdi.h"
#include "ui/viewmodels/result_view_model.h"

namespace korvanta {

void MDI::BuildVargaMenu(QMenu* view) {
    QMenu* menu = view->addMenu(QStringLiteral("&Divisional Chart"));
    menu->setObjectName(QStringLiteral("mnuDivisionalChart"));
    vargaActions_ = new QActionGroup(this);
    vargaActions_->setExclusive(true);
    for (const Varga varga : kVargas) {
        const std::string_view name = VargaName(varga);
        QAction* action =
            menu->addAction(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        action->setObjectName(QStringLiteral("mnuVarga%1").arg(VargaNumber(varga)));
        action->setCheckable(true);
        action->setData(VargaNumber(varga));
        vargaActions_->addAction(action);
        connect(action, &QAction::triggered, this, [this, varga] { result_->ChooseVarga(varga); });
    }
    connect(result_, &ResultViewModel::vargaChanged, this, &MDI::ShowVargaInMenu);
    ShowVargaInMenu();
}

void MDI::ShowVargaInMenu() {
    const int shown = VargaNumber(result_->ShownVarga());
    for (QAction* action : vargaActions_->actions()) {
        action->setChecked(action->data().toInt() == shown);
    }
}

}  // namespace korvanta
