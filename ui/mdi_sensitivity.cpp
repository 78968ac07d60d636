// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame's "Birth Time Sensitivity" tab bound to the result: the
// strip over the chosen span, the result of a moment picked on its timeline,
// and the way back to the entered time.
#include <QTimer>

#include "ui/frm_display.h"
#include "ui/mdi.h"
#include "ui/sensitivity_tab.h"
#include "ui/viewmodels/result_view_model.h"

namespace korvanta {

void MDI::BindSensitivity() {
    sensitivityTab_ = AddSensitivityTab(*display_);
    connect(sensitivityTab_, &SensitivityTab::spanChosen, result_, &ResultViewModel::ChooseSpan);
    connect(sensitivityTab_, &SensitivityTab::momentChosen, result_,
            [this](std::int64_t clock) { result_->ShowMoment(clock); });
    connect(sensitivityTab_, &SensitivityTab::enteredTimeRequested, result_,
            [this] { result_->ShowMoment(std::nullopt); });
    connect(result_, &ResultViewModel::stripChanged, sensitivityTab_,
            [this] { sensitivityTab_->SetStrip(result_->Strip()); });
    connect(result_, &ResultViewModel::shownMomentChanged, sensitivityTab_,
            [this] { sensitivityTab_->SetShownMoment(result_->ShownMoment()); });
    // A millisecond's work, done once the frame is on screen rather than
    // between the click and the result.
    QTimer::singleShot(0, sensitivityTab_, [this] { ShowStrip(); });
}

void MDI::ShowStrip() {
    if (result_->HasStrip()) return;
    sensitivityTab_->SetStrip(result_->Strip());
}

SensitivityTab* MDI::Sensitivity() {
    ShowStrip();
    return sensitivityTab_;
}

}  // namespace korvanta
