// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data window's atlas: the place search with its completion list,
// filling the place, coordinate and zone controls, and the two notes under
// the zone. What goes into the controls is computed by ui/views.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTimer>
#include <algorithm>

#include "atlas/entry_atlas.h"
#include "ui/frm_main.h"

namespace korvanta {

namespace {

// Places offered in the completion list.
constexpr std::size_t kPlacesListed = 12;

// Role of the completion items that holds the place's index.
constexpr int kPlaceIndexRole = Qt::UserRole + 1;

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

void ShowNote(QLabel* label, const std::string& text) {
    label->setText(FromStd(text));
}

}  // namespace

void frmMain::ConnectAtlas() {
    placeModel_ = new QStandardItemModel(this);
    placeCompleter = new QCompleter(placeModel_, this);
    placeCompleter->setObjectName(QStringLiteral("placeCompleter"));
    // The list holds what the atlas found, already ranked; the completer
    // shows it as it is rather than filter it by the typed text again.
    placeCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    placeCompleter->setMaxVisibleItems(static_cast<int>(kPlacesListed));
    placeCompleter->setWidget(txtFindPlace);

    connect(txtFindPlace, &QLineEdit::textEdited, this, &frmMain::SearchAtlas);
    connect(txtFindPlace, &QLineEdit::returnPressed, this, &frmMain::FindTypedPlace);
    connect(placeCompleter, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &frmMain::PlaceActivated);

    for (QComboBox* list : {cboMonth, cboDate, cboYear, cboHH, cboMM, cboSS}) {
        connect(list, &QComboBox::currentIndexChanged, this, &frmMain::FollowBirthMoment);
    }
    // Typing another place by hand ends the atlas's say over the zone.
    for (QLineEdit* box : {txtMCity, txtMState, txtMCountry}) {
        connect(box, &QLineEdit::textEdited, this, &frmMain::ForgetPlace);
    }

    connect(cmbTimeZone, &QComboBox::currentIndexChanged, this, &frmMain::UpdateZoneCheck);
    // A zone picked by hand stands even where the atlas has no row for the
    // place's clock.
    connect(cmbTimeZone, &QComboBox::activated, this, [this] { zonePickedByHand_ = true; });
    // A longitude typed or turned by hand is no longer the atlas's.
    for (QLineEdit* box : {txtLonD, txtLonM}) {
        connect(box, &QLineEdit::textEdited, this, [this] { longitudeFromAtlas_ = false; });
    }
    for (QRadioButton* option : optLong) {
        connect(option, &QRadioButton::clicked, this, [this] {
            longitudeFromAtlas_ = false;
            UpdateZoneCheck();
        });
    }
    connect(txtLonD, &QLineEdit::textChanged, this, &frmMain::UpdateZoneCheck);
    connect(txtLonM, &QLineEdit::textChanged, this, &frmMain::UpdateZoneCheck);
    connect(optLong[0], &QRadioButton::toggled, this, &frmMain::UpdateZoneCheck);
}

// The atlas names places in the language of the user's locale, which the
// application has set by now: a user types and reads the names of home.
void frmMain::SearchAtlas(const QString& text) {
    placeCandidates_ = atlas::SearchPlaces(text.toStdString(), kPlacesListed);
    placeModel_->clear();
    for (std::size_t i = 0; i < placeCandidates_.size(); ++i) {
        auto* item = new QStandardItem(FromStd(atlas::PlaceLabel(placeCandidates_[i])));
        item->setData(static_cast<int>(i), kPlaceIndexRole);
        item->setToolTip(FromStd(placeCandidates_[i].timeZone));
        item->setEditable(false);
        placeModel_->appendRow(item);
    }
    if (placeCandidates_.empty()) {
        // A search that found nothing says so in the list rather than
        // leaving the user to wonder; the line cannot be chosen.
        if (text.trimmed().isEmpty()) {
            placeCompleter->popup()->hide();
            return;
        }
        auto* none = new QStandardItem(QStringLiteral("No place found"));
        none->setEditable(false);
        none->setSelectable(false);
        none->setEnabled(false);
        placeModel_->appendRow(none);
    }
    // The list is as wide as its longest place, so that the state and the
    // country, which tell like-named places apart, are not cut off.
    QAbstractItemView* list = placeCompleter->popup();
    const int needed = list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                       2 * list->frameWidth() + 8;
    placeCompleter->complete(
        QRect(0, 0, std::max(needed, txtFindPlace->width()), txtFindPlace->height()));
}

void frmMain::PlaceActivated(const QModelIndex& index) {
    const QVariant stored = index.data(kPlaceIndexRole);
    if (!stored.isValid()) return;
    const auto at = static_cast<std::size_t>(stored.toInt());
    if (at >= placeCandidates_.size()) return;
    const atlas::Place place = placeCandidates_[at];
    txtFindPlace->setText(FromStd(atlas::PlaceLabel(place)));
    ChoosePlace(place);
}

void frmMain::FindTypedPlace() {
    // Enter reaches the box before the open list: a place marked in the list
    // is chosen by the list right after.
    QAbstractItemView* list = placeCompleter->popup();
    if (list->isVisible() && list->currentIndex().isValid()) return;
    // Enter on the place already chosen calculates, as in the other fields.
    if (!list->isVisible() && chosenPlace_ &&
        txtFindPlace->text() == FromStd(atlas::PlaceLabel(*chosenPlace_))) {
        cmdRashi->click();
        return;
    }
    const atlas::PlaceResolution found = atlas::ResolvePlace(txtFindPlace->text().toStdString());
    if (found.place) {
        list->hide();
        txtFindPlace->setText(FromStd(atlas::PlaceLabel(*found.place)));
        ChoosePlace(*found.place);
        return;
    }
    // The list closes once Enter has been handled; it opens again with the
    // places the text could mean.
    QTimer::singleShot(0, this, [this] { SearchAtlas(txtFindPlace->text()); });
}

void frmMain::ChoosePlace(const atlas::Place& place) {
    const std::optional<EntryPlace> entry = EntryPlaceOf(place);
    if (!entry) {
        ShowNote(lblZoneNote, atlas::PlaceLabel(place) + ": the atlas gives no usable position");
        return;
    }
    txtMCity->setText(FromStd(entry->city));
    txtMState->setText(FromStd(entry->state));
    txtMCountry->setText(FromStd(entry->country));
    txtLonD->setText(FromStd(entry->lonDeg));
    txtLonM->setText(FromStd(entry->lonMin));
    optLong[entry->east ? 0 : 1]->setChecked(true);
    txtLatD->setText(FromStd(entry->latDeg));
    txtLatM->setText(FromStd(entry->latMin));
    optLat[entry->south ? 1 : 0]->setChecked(true);
    chosenPlace_ = place;
    zonePickedByHand_ = false;
    longitudeFromAtlas_ = true;
    UpdateZoneCheck();
    FollowBirthMoment();
}

void frmMain::FollowBirthMoment() {
    if (!chosenPlace_) return;
    const EntryZone zone = EntryZoneFor(chosenPlace_->timeZone, CurrentEntry());
    const bool keepHandPick = zone.zoneRow == kNoZoneRow && zonePickedByHand_;
    if (zone.zoneRow && !keepHandPick) cmbTimeZone->setCurrentIndex(*zone.zoneRow);
    if (zone.dst && !keepHandPick) chkDST->setChecked(*zone.dst);
    ShowNote(lblZoneNote, zone.note);
}

void frmMain::ForgetPlace() {
    openedAtlasPlace_.clear();
    openedAtlasZone_.clear();
    if (!chosenPlace_) return;
    chosenPlace_.reset();
    ShowNote(lblZoneNote, "");
}

void frmMain::UpdateZoneCheck() {
    ShowNote(lblZoneCheck, ZoneCheckNote(CurrentEntry(), longitudeFromAtlas_));
}

}  // namespace korvanta
