// SPDX-License-Identifier: GPL-3.0-or-later
// The entry's values, the key filters and the atlas; the births library is
// in entry_view_model_library.cpp.
#include "ui/viewmodels/entry_view_model.h"

#include "atlas/entry_atlas.h"
#include "pipeline/zones.h"

namespace korvanta {
namespace {

// Places offered for a search.
constexpr std::size_t kPlacesListed = 12;

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

EntryViewModel::EntryViewModel(QObject* parent) : QObject(parent) {}

EntryViewModel::~EntryViewModel() = default;

void EntryViewModel::SetText(Field field, const QString& text) {
    std::string* box = nullptr;
    switch (field) {
        case Field::Name:
            box = &form_.txtName;
            break;
        case Field::City:
            box = &form_.txtMCity;
            break;
        case Field::State:
            box = &form_.txtMState;
            break;
        case Field::Country:
            box = &form_.txtMCountry;
            break;
        case Field::LonDeg:
            box = &form_.txtLonD;
            break;
        case Field::LonMin:
            box = &form_.txtLonM;
            break;
        case Field::LatDeg:
            box = &form_.txtLatD;
            break;
        case Field::LatMin:
            box = &form_.txtLatM;
            break;
        case Field::UtcOffset:
            box = &form_.txtUtcOffset;
            break;
        default:
            return;
    }
    std::string value = text.toStdString();
    if (*box == value) return;
    *box = std::move(value);
    UpdateZoneCheck();
}

void EntryViewModel::SetIndex(Field field, int index) {
    int* list = nullptr;
    switch (field) {
        case Field::Month:
            list = &form_.cboMonth;
            break;
        case Field::Date:
            list = &form_.cboDate;
            break;
        case Field::Year:
            list = &form_.cboYear;
            break;
        case Field::Hour:
            list = &form_.cboHH;
            break;
        case Field::Minute:
            list = &form_.cboMM;
            break;
        case Field::Second:
            list = &form_.cboSS;
            break;
        case Field::Zone:
            list = &form_.cmbTimeZone;
            break;
        default:
            return;
    }
    if (*list == index) return;
    *list = index;
    if (field == Field::Zone) {
        UpdateZoneCheck();
        return;
    }
    FollowBirthMoment();
}

void EntryViewModel::SetChecked(Field field, bool on) {
    bool* box = nullptr;
    switch (field) {
        case Field::Dst:
            box = &form_.chkDST;
            break;
        case Field::East:
            box = &form_.optLongEast;
            break;
        case Field::South:
            box = &form_.optLatSouth;
            break;
        default:
            return;
    }
    if (*box == on) return;
    *box = on;
    UpdateZoneCheck();
}

void EntryViewModel::PlaceTypedByHand() {
    openedAtlasPlace_.clear();
    openedAtlasZone_.clear();
    if (!chosen_) return;
    chosen_.reset();
    SetZoneNote("");
}

void EntryViewModel::ZonePickedByHand() {
    zonePickedByHand_ = true;
}

void EntryViewModel::LongitudeChangedByHand() {
    longitudeFromAtlas_ = false;
    UpdateZoneCheck();
}

int EntryViewModel::FilterKey(Field field, int code) {
    KeyFilterResult result;
    switch (field) {
        case Field::Name:
            result = NameKeyFilter(code);
            break;
        case Field::LonDeg:
        case Field::LonMin:
        case Field::LatDeg:
        case Field::LatMin:
            result = CoordinateKeyFilter(code);
            break;
        default:
            return code;
    }
    if (field == Field::Name) {
        SetNameNote(result.code == 0 && result.message ? FromStd(result.message->text) : QString());
    } else if (result.code == 0 && result.message) {
        emit informed(FromStd(result.message->text), result.message->icon);
    }
    return result.code;
}

void EntryViewModel::Refuse(const Refusal& refusal) {
    emit refused(FromStd(refusal.message), refusal.icon, FromStd(ControlName(refusal.focus)));
}

std::optional<Birth> EntryViewModel::AcceptedBirth() {
    auto accepted = AcceptBirth(form_);
    if (const auto* refusal = std::get_if<Refusal>(&accepted)) {
        Refuse(*refusal);
        return std::nullopt;
    }
    return std::get<Birth>(std::move(accepted));
}

std::optional<QString> EntryViewModel::CoordinateQuery() {
    const auto query = CoordinateLookupQuery(form_.txtMCity, form_.txtMState, form_.txtMCountry);
    if (const auto* refusal = std::get_if<Refusal>(&query)) {
        Refuse(*refusal);
        return std::nullopt;
    }
    return QString::fromStdString(std::get<std::string>(query));
}

// The atlas names places in the language of the user's locale, which the
// application has set by now: a user types and reads the names of home.
void EntryViewModel::SearchPlaces(const QString& text) {
    placeText_ = text;
    candidates_ = atlas::SearchPlaces(text.toStdString(), kPlacesListed);
}

void EntryViewModel::ChooseCandidate(std::size_t index) {
    if (index >= candidates_.size()) return;
    const atlas::Place place = candidates_[index];
    SetPlaceText(FromStd(atlas::PlaceLabel(place)));
    ChoosePlace(place);
}

bool EntryViewModel::ChooseTypedPlace(const QString& text) {
    const atlas::PlaceResolution found = atlas::ResolvePlace(text.toStdString());
    if (!found.place) return false;
    SetPlaceText(FromStd(atlas::PlaceLabel(*found.place)));
    ChoosePlace(*found.place);
    return true;
}

bool EntryViewModel::IsChosenPlaceText(const QString& text) const {
    return chosen_ && text == FromStd(atlas::PlaceLabel(*chosen_));
}

void EntryViewModel::ChoosePlace(const atlas::Place& place) {
    const std::optional<EntryPlace> entry = EntryPlaceOf(place);
    if (!entry) {
        SetZoneNote(atlas::PlaceLabel(place) + ": the atlas gives no usable position");
        return;
    }
    form_.txtMCity = entry->city;
    form_.txtMState = entry->state;
    form_.txtMCountry = entry->country;
    form_.txtLonD = entry->lonDeg;
    form_.txtLonM = entry->lonMin;
    form_.optLongEast = entry->east;
    form_.txtLatD = entry->latDeg;
    form_.txtLatM = entry->latMin;
    form_.optLatSouth = entry->south;
    chosen_ = place;
    zonePickedByHand_ = false;
    longitudeFromAtlas_ = true;
    FollowBirthMoment();
    UpdateZoneCheck();
    emit formChanged();
}

void EntryViewModel::FollowBirthMoment() {
    if (!chosen_) return;
    const EntryZone zone = EntryZoneFor(chosen_->timeZone, form_);
    const bool keepHandPick = zone.zoneRow == kNoZoneRow && zonePickedByHand_;
    bool changed = false;
    if (zone.zoneRow && !keepHandPick && form_.cmbTimeZone != *zone.zoneRow) {
        form_.cmbTimeZone = *zone.zoneRow;
        changed = true;
    }
    if (zone.zoneRow == kOtherOffsetRow && !keepHandPick && form_.txtUtcOffset != zone.utcOffset) {
        form_.txtUtcOffset = zone.utcOffset;
        changed = true;
    }
    if (zone.dst && !keepHandPick && form_.chkDST != *zone.dst) {
        form_.chkDST = *zone.dst;
        changed = true;
    }
    SetZoneNote(zone.note);
    if (!changed) return;
    UpdateZoneCheck();
    emit formChanged();
}

void EntryViewModel::UpdateZoneCheck() {
    const QString check = FromStd(ZoneCheckNote(form_, longitudeFromAtlas_));
    if (check == zoneCheck_) return;
    zoneCheck_ = check;
    emit zoneCheckChanged();
}

void EntryViewModel::SetZoneNote(const std::string& note) {
    const QString text = FromStd(note);
    if (text == zoneNote_) return;
    zoneNote_ = text;
    emit zoneNoteChanged();
}

void EntryViewModel::SetNameNote(const QString& note) {
    if (note == nameNote_) return;
    nameNote_ = note;
    emit nameNoteChanged();
}

void EntryViewModel::SetPlaceText(const QString& text) {
    placeText_ = text;
    emit placeTextChanged();
}

void EntryViewModel::Inform(const std::string& text, MessageIcon icon) {
    emit informed(FromStd(text), icon);
}

}  // namespace korvanta
