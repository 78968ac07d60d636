// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "pipeline/pipeline.h"
#include "report/report.h"
#include "ui/frm_display.h"
#include "ui/links.h"
#include "ui/mdi.h"
#include "ui/message_sink.h"
#include "ui/twips.h"

namespace korvanta {

namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Text(const QLineEdit* box) {
    return box->text().toStdString();
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
    : QMainWindow(parent), messages_(messages) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(DisplayText(ProgramTitle()));
    setFont(VerdanaFont(8.0));
    BuildControls();
    BuildMenus();
    LoadLists();

    // The key filters, and Enter in any entry field, which presses
    // "Get My Upapada Lagna" as a form's default button does.
    for (QWidget* field : EntryFields()) field->installEventFilter(this);
    connect(cmdRashi, &QPushButton::clicked, this, &frmMain::Calculate);
    connect(mnuNext, &QAction::triggered, this, &frmMain::Calculate);
    connect(cmdBrowser, &QPushButton::clicked, this, &frmMain::LookUpCoordinates);
    connect(mnuExit, &QAction::triggered, this, &frmMain::EndProgram);
    ConnectAtlas();
}

frmMain::~frmMain() = default;

EntryForm frmMain::CurrentEntry() const {
    EntryForm form;
    form.txtName = Text(txtName);
    form.cboMonth = cboMonth->currentIndex();
    form.cboDate = cboDate->currentIndex();
    form.cboYear = cboYear->currentIndex();
    form.cboHH = cboHH->currentIndex();
    form.cboMM = cboMM->currentIndex();
    form.cboSS = cboSS->currentIndex();
    form.txtMCity = Text(txtMCity);
    form.txtMState = Text(txtMState);
    form.txtMCountry = Text(txtMCountry);
    form.cmbTimeZone = cmbTimeZone->currentIndex();
    form.chkDST = chkDST->isChecked();
    form.txtLonD = Text(txtLonD);
    form.txtLonM = Text(txtLonM);
    form.optLongEast = optLong[0]->isChecked();
    form.txtLatD = Text(txtLatD);
    form.txtLatM = Text(txtLatM);
    form.optLatSouth = optLat[1]->isChecked();
    return form;
}

std::vector<QWidget*> frmMain::EntryFields() const {
    return {txtName,    cboMonth,   cboDate,     cboYear,     cboHH,     cboMM,    cboSS,
            txtMCity,   txtMState,  txtMCountry, cmbTimeZone, chkDST,    txtLonD,  txtLonM,
            optLong[0], optLong[1], txtLatD,     txtLatM,     optLat[0], optLat[1]};
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Enter is not a typed character: it calculates, from whichever field.
    if (IsEnterKey(*key) && watched->isWidgetType()) {
        const auto fields = EntryFields();
        if (std::find(fields.begin(), fields.end(), watched) != fields.end()) {
            cmdRashi->click();
            return true;
        }
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    const bool filtered =
        box == txtName || box == txtLonD || box == txtLonM || box == txtLatD || box == txtLatM;
    if (!filtered || !IsCharacterKey(*key)) return QMainWindow::eventFilter(watched, event);

    const int code = key->text().at(0).unicode();
    const KeyFilterResult result = box == txtName ? NameKeyFilter(code) : CoordinateKeyFilter(code);
    if (result.code == 0) {
        if (result.message)
            messages_.Inform(this, FromView(result.message->text), result.message->icon);
        return true;
    }
    if (result.code != code) {
        box->insert(QString(QChar(result.code)));
        return true;
    }
    return false;
}

void frmMain::ShowRefusal(const Refusal& refusal) {
    messages_.Inform(this, FromView(refusal.message), refusal.icon);
    if (refusal.focus == EntryControl::None) return;
    if (auto* target = findChild<QWidget*>(FromView(ControlName(refusal.focus)))) {
        target->setFocus(Qt::OtherFocusReason);
    }
}

void frmMain::Calculate() {
    const auto outcome = CalculateChart(CurrentEntry());
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        ShowRefusal(*refusal);
        return;
    }
    const auto& [birth, chart] = std::get<BirthChart>(outcome);

    // Every calculation shows a freshly built frame and result window.
    if (mdi_) {
        mdi_->hide();
        mdi_.release()->deleteLater();
    }
    mdi_ = std::make_unique<MDI>();
    mdi_->setWindowIcon(windowIcon());
    mdi_->SetSettingsStore(settings_);
    mdi_->ShowResult(BuildReport(birth, chart));
    mdi_->ShowSensitivity(birth);
    connect(mdi_.get(), &MDI::backRequested, this, &frmMain::ReturnFromResult);
    connect(mdi_.get(), &MDI::endProgramRequested, this, &frmMain::EndProgram);
    hide();
    mdi_->show();
}

void frmMain::ReturnFromResult() {
    if (!mdi_) return;
    // The frame is still inside its own button's click; it goes once that
    // click has been handled.
    mdi_->hide();
    mdi_.release()->deleteLater();
    show();
}

void frmMain::LookUpCoordinates() {
    const auto query = CoordinateLookupQuery(Text(txtMCity), Text(txtMState), Text(txtMCountry));
    if (const auto* refusal = std::get_if<Refusal>(&query)) {
        ShowRefusal(*refusal);
        return;
    }
    OpenWebSearch(QString::fromStdString(std::get<std::string>(query)));
}

void frmMain::EndProgram() {
    if (ending_) return;
    ending_ = true;
    if (mdi_) mdi_->close();
    close();
    QCoreApplication::quit();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    EndProgram();
}

}  // namespace korvanta
