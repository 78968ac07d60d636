// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame's "Birth Time Sensitivity" tab bound to the result: the
// strip over the chosen span, the result of a moment picked on its timeline,
// and the way back to the entered time. The tab and its strip are made when
// the tab is first opened, or when an export or a caller asks for them.
#include <QScrollArea>

#include "ui/frm_display.h"
#include "ui/mdi.h"
#include "ui/sensitivity_tab.h"
#include "ui/twips.h"
#include "ui/viewmodels/result_view_model.h"

namespace korvanta {

void MDI::BindSensitivity() {
    display_->AddTab(frmDisplay::kSensitivityTab, DisplayText(kSensitivityHeading),
                     QStringLiteral("tabSensitivity"),
                     [this](QScrollArea* area) { MakeSensitivityTab(area); });
    connect(result_, &ResultViewModel::stripChanged, this, [this] {
        if (sensitivityTab_ != nullptr) sensitivityTab_->SetStrip(result_->Strip());
    });
    connect(result_, &ResultViewModel::shownMomentChanged, this, [this] {
        if (sensitivityTab_ != nullptr) sensitivityTab_->SetShownMoment(result_->ShownMoment());
    });
}

void MDI::MakeSensitivityTab(QScrollArea* area) {
    sensitivityTab_ = new SensitivityTab;
    area->setWidget(sensitivityTab_);
    sensitivityTab_->SetStrip(result_->Strip());
    sensitivityTab_->SetShownMoment(result_->ShownMoment());
    connect(sensitivityTab_, &SensitivityTab::spanChosen, result_, &ResultViewModel::ChooseSpan);
    connect(sensitivityTab_, &SensitivityTab::momentChosen, result_,
            [this](std::int64_t clock) { result_->ShowMoment(clock); });
    connect(sensitivityTab_, &SensitivityTab::enteredTimeRequested, result_,
            [this] { result_->ShowMoment(std::nullopt); });
}

SensitivityTab* MDI::Sensitivity() {
    display_->Page(frmDisplay::kSensitivityTab);
    return sensitivityTab_;
}

}  // namespace korvanta
