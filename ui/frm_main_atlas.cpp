// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data window's atlas: the place search with its completion list.
// What a place writes into the entry, and the notes under the zone, are the
// EntryViewModel's.
#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTimer>
#include <algorithm>

#include "ui/frm_main.h"

namespace korvanta {

namespace {

// Places shown at once in the completion list.
constexpr int kPlacesShown = 12;

// Role of the completion items that holds the place's index.
constexpr int kPlaceIndexRole = Qt::UserRole + 1;

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

void frmMain::BindAtlas() {
    placeList_ = new QStandardItemModel(this);
    placeCompleter_ = new QCompleter(placeList_, this);
    placeCompleter_->setObjectName(QStringLiteral("placeCompleter"));
    // The list holds what the atlas found, already ranked; the completer
    // shows it as it is rather than filter it by the typed text again.
    placeCompleter_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    placeCompleter_->setMaxVisibleItems(kPlacesShown);
    placeCompleter_->setWidget(placeSearchEdit_);

    connect(placeSearchEdit_, &QLineEdit::textEdited, this, &frmMain::ShowCandidates);
    connect(placeSearchEdit_, &QLineEdit::returnPressed, this, &frmMain::FindTypedPlace);
    connect(placeCompleter_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &frmMain::PlaceActivated);
}

void frmMain::ShowCandidates(const QString& text) {
    entry_->SearchPlaces(text);
    const std::vector<atlas::Place>& candidates = entry_->Candidates();
    placeList_->clear();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        auto* item = new QStandardItem(FromStd(atlas::PlaceListText(candidates[i])));
        item->setData(static_cast<int>(i), kPlaceIndexRole);
        item->setToolTip(FromStd(candidates[i].timeZone));
        item->setEditable(false);
        placeList_->appendRow(item);
    }
    if (candidates.empty()) {
        // A search that found nothing says so in the list rather than
        // leaving the user to wonder; the line cannot be chosen.
        if (text.trimmed().isEmpty()) {
            placeCompleter_->popup()->hide();
            return;
        }
        auto* none = new QStandardItem(QStringLiteral("No place found"));
        none->setEditable(false);
        none->setSelectable(false);
        none->setEnabled(false);
        placeList_->appendRow(none);
    }
    // The list is as wide as its longest place, so that the state and the
    // country, which tell like-named places apart, are not cut off.
    QAbstractItemView* list = placeCompleter_->popup();
    const int needed = list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                       2 * list->frameWidth() + 8;
    placeCompleter_->complete(
        QRect(0, 0, std::max(needed, placeSearchEdit_->width()), placeSearchEdit_->height()));
}

void frmMain::PlaceActivated(const QModelIndex& index) {
    const QVariant stored = index.data(kPlaceIndexRole);
    if (!stored.isValid()) return;
    entry_->ChooseCandidate(static_cast<std::size_t>(stored.toInt()));
}

void frmMain::FindTypedPlace() {
    // Enter reaches the box before the open list: a place marked in the list
    // is chosen by the list right after.
    QAbstractItemView* list = placeCompleter_->popup();
    if (list->isVisible() && list->currentIndex().isValid()) return;
    // Enter on the place already chosen calculates, as in the other fields.
    if (!list->isVisible() && entry_->IsChosenPlaceText(placeSearchEdit_->text())) {
        calculateButton_->click();
        return;
    }
    if (entry_->ChooseTypedPlace(placeSearchEdit_->text())) {
        list->hide();
        return;
    }
    // The list closes once Enter has been handled; it opens again with the
    // places the text could mean.
    QTimer::singleShot(0, this, [this] { ShowCandidates(placeSearchEdit_->text()); });
}

}  // namespace korvanta
