// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <algorithm>

#include "pipeline/zones.h"
#include "report/report.h"
#include "ui/links.h"
#include "ui/mdi.h"
#include "ui/message_sink.h"
#include "ui/twips.h"
#include "ui/viewmodels/result_view_model.h"

namespace korvanta {

namespace {

QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Sets a box's text only when it differs, so that the cursor of a box being
// typed in stays where it is.
void ShowText(QLineEdit* box, const std::string& text) {
    const QString shown = FromStd(text);
    if (box->text() != shown) box->setText(shown);
}

// Keys that never reach a character filter: they move the focus or the
// cursor, or are editing shortcuts (copy, paste, undo), not characters.
bool IsCharacterKey(const QKeyEvent& key) {
    if (key.text().isEmpty()) return false;
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab || key.key() == Qt::Key_Delete) {
        return false;
    }
    return (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier)) == 0;
}

// Enter or the keypad's Enter, without Ctrl, Alt or Meta.
bool IsEnterKey(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier)) == 0;
}

}  // namespace

frmMain::frmMain(MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), messages_(messages), entry_(new EntryViewModel(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(DisplayText(ProgramTitle()));
    setFont(VerdanaFont(8.0));
    BuildControls();
    BuildMenus();
    // The status line is there from the start, so that its first message
    // moves nothing.
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    LoadLists();
    Bind();
    BindAtlas();
    ShowLibraryState();

    // The key filters, and Enter in any entry field, which presses
    // "Get My Upapada Lagna" as a form's default button does.
    for (QWidget* field : EntryFields()) field->installEventFilter(this);
    connect(calculateButton_, &QPushButton::clicked, this, &frmMain::Calculate);
    connect(calculateAction_, &QAction::triggered, this, &frmMain::Calculate);
    connect(lookUpButton_, &QPushButton::clicked, this, &frmMain::LookUpCoordinates);
    connect(exitAction_, &QAction::triggered, this, &frmMain::EndProgram);
    exitAction_->setShortcut(QKeySequence::Quit);
}

frmMain::~frmMain() = default;

void frmMain::Bind() {
    using Field = EntryViewModel::Field;
    const std::pair<QLineEdit*, Field> boxes[] = {
        {nameEdit_, Field::Name},          {cityEdit_, Field::City},
        {stateEdit_, Field::State},        {countryEdit_, Field::Country},
        {lonDegreesEdit_, Field::LonDeg},  {lonMinutesEdit_, Field::LonMin},
        {latDegreesEdit_, Field::LatDeg},  {latMinutesEdit_, Field::LatMin},
        {utcOffsetEdit_, Field::UtcOffset}};
    for (const auto& [box, field] : boxes) {
        connect(box, &QLineEdit::textChanged, entry_,
                [this, field](const QString& text) { entry_->SetText(field, text); });
    }
    const std::pair<QComboBox*, Field> lists[] = {
        {monthList_, Field::Month}, {dayList_, Field::Date},      {yearList_, Field::Year},
        {hourList_, Field::Hour},   {minuteList_, Field::Minute}, {secondList_, Field::Second},
        {zoneList_, Field::Zone}};
    for (const auto& [list, field] : lists) {
        connect(list, &QComboBox::currentIndexChanged, entry_,
                [this, field](int index) { entry_->SetIndex(field, index); });
    }
    connect(zoneList_, &QComboBox::currentIndexChanged, utcOffsetEdit_,
            [this](int index) { utcOffsetEdit_->setEnabled(index == kOtherOffsetRow); });
    connect(daylightSavingBox_, &QCheckBox::toggled, entry_,
            [this](bool on) { entry_->SetChecked(Field::Dst, on); });
    connect(eastButton_, &QRadioButton::toggled, entry_,
            [this](bool on) { entry_->SetChecked(Field::East, on); });
    connect(southButton_, &QRadioButton::toggled, entry_,
            [this](bool on) { entry_->SetChecked(Field::South, on); });

    // What the user does by hand, beside the values.
    for (QLineEdit* box : {cityEdit_, stateEdit_, countryEdit_}) {
        connect(box, &QLineEdit::textEdited, entry_, &EntryViewModel::PlaceTypedByHand);
    }
    connect(zoneList_, &QComboBox::activated, entry_, &EntryViewModel::ZonePickedByHand);
    for (QLineEdit* box : {lonDegreesEdit_, lonMinutesEdit_}) {
        connect(box, &QLineEdit::textEdited, entry_, &EntryViewModel::LongitudeChangedByHand);
    }
    for (QRadioButton* option : {eastButton_, westButton_}) {
        connect(option, &QRadioButton::clicked, entry_, &EntryViewModel::LongitudeChangedByHand);
    }

    connect(entry_, &EntryViewModel::formChanged, this, [this] { ShowEntry(entry_->Form()); });
    connect(entry_, &EntryViewModel::placeTextChanged, this,
            [this] { placeSearchEdit_->setText(entry_->PlaceText()); });
    connect(entry_, &EntryViewModel::zoneNoteChanged, this,
            [this] { zoneNoteLabel_->setText(entry_->ZoneNote()); });
    connect(entry_, &EntryViewModel::zoneCheckChanged, this,
            [this] { zoneCheckLabel_->setText(entry_->ZoneCheck()); });
    connect(entry_, &EntryViewModel::informed, this, [this](const QString& text, MessageIcon icon) {
        messages_.Inform(Front(), text, icon);
    });
    connect(entry_, &EntryViewModel::statusSaid, this, &frmMain::ShowStatus);
    connect(entry_, &EntryViewModel::nameNoteChanged, this,
            [this] { nameNoteLabel_->setText(entry_->NameNote()); });
    connect(entry_, &EntryViewModel::refused, this, &frmMain::ShowRefusal);
    connect(entry_, &EntryViewModel::libraryChanged, this, &frmMain::ShowLibraryState);
    entry_->SetQuestion([this](const QString& question) {
        switch (messages_.AskYesNoCancel(Front(), question)) {
            case QuestionAnswer::Yes:
                return EntryViewModel::Answer::Yes;
            case QuestionAnswer::No:
                return EntryViewModel::Answer::No;
            default:
                return EntryViewModel::Answer::Cancel;
        }
    });
    ShowEntry(entry_->Form());
}

void frmMain::ShowEntry(const EntryForm& form) {
    ShowText(nameEdit_, form.txtName);
    yearList_->setCurrentIndex(form.cboYear);
    monthList_->setCurrentIndex(form.cboMonth);
    dayList_->setCurrentIndex(form.cboDate);
    hourList_->setCurrentIndex(form.cboHH);
    minuteList_->setCurrentIndex(form.cboMM);
    secondList_->setCurrentIndex(form.cboSS);
    ShowText(cityEdit_, form.txtMCity);
    ShowText(stateEdit_, form.txtMState);
    ShowText(countryEdit_, form.txtMCountry);
    ShowText(lonDegreesEdit_, form.txtLonD);
    ShowText(lonMinutesEdit_, form.txtLonM);
    (form.optLongEast ? eastButton_ : westButton_)->setChecked(true);
    ShowText(latDegreesEdit_, form.txtLatD);
    ShowText(latMinutesEdit_, form.txtLatM);
    (form.optLatSouth ? southButton_ : northButton_)->setChecked(true);
    zoneList_->setCurrentIndex(form.cmbTimeZone);
    ShowText(utcOffsetEdit_, form.txtUtcOffset);
    utcOffsetEdit_->setEnabled(form.cmbTimeZone == kOtherOffsetRow);
    daylightSavingBox_->setChecked(form.chkDST);
}

std::vector<QWidget*> frmMain::EntryFields() const {
    return {nameEdit_,     monthList_,         dayList_,        yearList_,       hourList_,
            minuteList_,   secondList_,        cityEdit_,       stateEdit_,      countryEdit_,
            zoneList_,     daylightSavingBox_, lonDegreesEdit_, lonMinutesEdit_, eastButton_,
            westButton_,   latDegreesEdit_,    latMinutesEdit_, northButton_,    southButton_,
            utcOffsetEdit_};
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Enter is not a typed character: it calculates, from whichever field.
    if (IsEnterKey(*key) && watched->isWidgetType()) {
        const auto fields = EntryFields();
        if (std::find(fields.begin(), fields.end(), watched) != fields.end()) {
            calculateButton_->click();
            return true;
        }
    }
    using Field = EntryViewModel::Field;
    auto* box = qobject_cast<QLineEdit*>(watched);
    const std::optional<Field> field = box == nullptr           ? std::nullopt
                                       : box == nameEdit_       ? std::optional(Field::Name)
                                       : box == lonDegreesEdit_ ? std::optional(Field::LonDeg)
                                       : box == lonMinutesEdit_ ? std::optional(Field::LonMin)
                                       : box == latDegreesEdit_ ? std::optional(Field::LatDeg)
                                       : box == latMinutesEdit_ ? std::optional(Field::LatMin)
                                                                : std::nullopt;
    if (!field || !IsCharacterKey(*key)) return QMainWindow::eventFilter(watched, event);

    // The whole character, also beyond the basic plane.
    const int code = static_cast<int>(key->text().toUcs4().value(0));
    const int taken = entry_->FilterKey(*field, code);
    if (taken == 0) return true;
    if (taken != code) {
        const char32_t character = static_cast<char32_t>(taken);
        box->insert(QString::fromUcs4(&character, 1));
        return true;
    }
    return false;
}

void frmMain::ShowRefusal(const QString& text, MessageIcon icon, const QString& focus) {
    messages_.Inform(this, text, icon);
    if (focus.isEmpty()) return;
    if (auto* target = findChild<QWidget*>(focus)) target->setFocus(Qt::OtherFocusReason);
}

void frmMain::Calculate() {
    const std::optional<Birth> birth = entry_->AcceptedBirth();
    if (!birth) return;

    // Every calculation shows a freshly built frame and result window.
    if (frame_) {
        frame_->hide();
        frame_.release()->deleteLater();
    }
    frame_ = std::make_unique<MDI>(new ResultViewModel(*birth, settings_));
    frame_->setWindowIcon(windowIcon());
    ExtendFrameMenu(*frame_);
    connect(frame_.get(), &MDI::backRequested, this, &frmMain::ReturnFromResult);
    connect(frame_.get(), &MDI::endProgramRequested, this, &frmMain::EndProgram);
    hide();
    frame_->show();
}

void frmMain::ReturnFromResult() {
    if (!frame_) return;
    // The frame is still inside its own button's click; it goes once that
    // click has been handled.
    frame_->hide();
    frame_.release()->deleteLater();
    show();
}

QWidget* frmMain::Front() {
    if (frame_ && frame_->isVisible()) return frame_.get();
    return this;
}

void frmMain::ShowStatus(const QString& text) {
    constexpr int kShownMs = 15000;
    auto* front = qobject_cast<QMainWindow*>(Front());
    (front != nullptr ? front : this)->statusBar()->showMessage(text, kShownMs);
}

void frmMain::ExtendFrameMenu(MDI& frame) {
    if (auto* exit = frame.findChild<QAction*>(QStringLiteral("mnuExit"))) {
        exit->setShortcut(QKeySequence::Quit);
    }
    auto* file = frame.findChild<QMenu*>(QStringLiteral("mnuFile"));
    if (file == nullptr) return;
    // After Back, before the chart's own exports.
    const QList<QAction*> items = file->actions();
    QAction* before = items.size() > 1 ? items[1] : nullptr;
    auto* save = new QAction(QStringLiteral("&Save Birth"), file);
    save->setObjectName(QStringLiteral("mnuFrameSaveBirth"));
    save->setShortcut(QKeySequence::Save);
    save->setEnabled(saveBirthAction_->isEnabled());
    save->setToolTip(saveBirthAction_->toolTip());
    file->insertAction(before, save);
    connect(save, &QAction::triggered, entry_, &EntryViewModel::SaveBirth);
}

void frmMain::LookUpCoordinates() {
    if (const std::optional<QString> query = entry_->CoordinateQuery()) OpenWebSearch(*query);
}

void frmMain::EndProgram() {
    if (ending_) return;
    ending_ = true;
    if (frame_) frame_->close();
    close();
    QCoreApplication::quit();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    EndProgram();
}

}  // namespace korvanta
