// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame's "Birth Time Sensitivity" tab: the strip of the entered
// birth over the span kept in the settings store, the result of a moment
// picked on its timeline, and the way back to the entered time.
#include <QSettings>
#include <QTabWidget>
#include <QTimer>

#include "pipeline/pipeline.h"
#include "report/sensitivity_view.h"
#include "ui/export_dialogs.h"
#include "ui/frm_display.h"
#include "ui/mdi.h"
#include "ui/sensitivity_tab.h"

namespace korvanta {
namespace {

// The settings store's key of the chosen span, beside the View menu's choices.
constexpr const char* kSensitivitySpanKey = "Settings/SensitivitySpan";
constexpr int kDefaultSpanMinutes = 60;

}  // namespace

void MDI::ShowSensitivity(const Birth& entered) {
    if (display_ == nullptr || sensitivityTab_ != nullptr) return;
    entered_ = entered;
    sensitivityTab_ = AddSensitivityTab(*display_);
    connect(sensitivityTab_, &SensitivityTab::spanChosen, this, &MDI::ChooseSensitivitySpan);
    connect(sensitivityTab_, &SensitivityTab::momentChosen, this,
            [this](std::int64_t clock) { ShowMoment(clock); });
    connect(sensitivityTab_, &SensitivityTab::enteredTimeRequested, this,
            [this]() { ShowMoment(std::nullopt); });
    // A millisecond's work, done once the frame is on screen rather than
    // between the click and the result.
    QTimer::singleShot(0, sensitivityTab_, [this] { MakeSensitivityStrip(); });
}

SensitivityTab* MDI::Sensitivity() {
    MakeSensitivityStrip();
    return sensitivityTab_;
}

void MDI::MakeSensitivityStrip() {
    if (strip_ || !entered_ || sensitivityTab_ == nullptr) return;
    int minutes = kDefaultSpanMinutes;
    if (settings_ != nullptr) {
        // Only a span the chooser offers is taken from the store.
        bool number = false;
        const int stored =
            settings_->value(QString::fromLatin1(kSensitivitySpanKey)).toString().toInt(&number);
        if (number && IsSensitivitySpan(stored)) minutes = stored;
    }
    strip_ = BirthTimeSensitivity(*entered_, minutes);
    sensitivityTab_->SetStrip(*strip_);
}

void MDI::ChooseSensitivitySpan(int minutes) {
    if (!entered_ || !IsSensitivitySpan(minutes)) return;
    strip_ = BirthTimeSensitivity(*entered_, minutes);
    sensitivityTab_->SetStrip(*strip_);
    if (settings_ == nullptr) return;
    settings_->setValue(QString::fromLatin1(kSensitivitySpanKey), minutes);
    settings_->sync();
}

void MDI::ShowMoment(std::optional<std::int64_t> clock) {
    if (!entered_ || display_ == nullptr) return;
    const Birth birth = clock ? BirthAtClock(*entered_, *clock) : *entered_;
    page_ = BuildReport(birth, CalculateChart(birth));
    page_->drawing = drawing_;
    display_->Fill(*page_);
    sensitivityTab_->SetShownMoment(clock);
}

bool MDI::AskSensitivityPage(std::optional<SensitivityView>& page) {
    page.reset();
    MakeSensitivityStrip();
    if (!strip_) return true;
    switch (dialogs_->ChooseSensitivityPage(this)) {
        case ExportDialogs::PageChoice::Cancel:
            return false;
        case ExportDialogs::PageChoice::WithSensitivity:
            page = BuildSensitivityView(*strip_);
            return true;
        case ExportDialogs::PageChoice::ChartOnly:
            return true;
    }
    return true;
}

}  // namespace korvanta
