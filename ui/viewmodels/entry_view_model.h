// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-data window's state and decisions, without widgets: the entry's
// values, the key filters' verdicts, the atlas place chosen and the zone that
// follows the birth moment at it, the notes under the zone, and the births
// library (save, open, recent, import and export). The window binds its
// controls to these values: a control the user changes calls a setter, and
// the window shows what the signals announce.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "atlas/places.h"
#include "library/births_library.h"
#include "pipeline/entry.h"

namespace korvanta {

class EntryViewModel final : public QObject {
    Q_OBJECT
  public:
    // The entry's values, one per control.
    enum class Field {
        Name,
        Month,
        Date,
        Year,
        Hour,
        Minute,
        Second,
        City,
        State,
        Country,
        Zone,
        Dst,
        LonDeg,
        LonMin,
        East,
        LatDeg,
        LatMin,
        South,
        UtcOffset,  // the offset box of "Other UTC offset"
    };

    explicit EntryViewModel(QObject* parent = nullptr);
    ~EntryViewModel() override;

    // The entry as the core reads it; the lists at their first items, the
    // zone at Greenwich, East and North at first.
    const EntryForm& Form() const { return form_; }

    // A control's new value. A value already held changes nothing; a new
    // date or time moves the zone with the chosen place's clock.
    void SetText(Field field, const QString& text);
    void SetIndex(Field field, int index);
    void SetChecked(Field field, bool on);

    // What the user did by hand, beside the value it set: typing another
    // place ends the atlas's say over the zone; a zone picked from the list
    // stands even where the atlas has no row for the place's clock; a
    // longitude typed or turned is no longer the atlas's.
    void PlaceTypedByHand();
    void ZonePickedByHand();
    void LongitudeChangedByHand();

    // The verdict on a character typed into Name or a coordinate box (the
    // others take any key): 0 when the key is dropped, else the character
    // the box takes in its place (a capital for a small letter) or the typed
    // one. A key Name drops is said by nameNoteChanged() (a note under the
    // box, no message to click away), a coordinate box's by informed(); a
    // key Name takes clears its note.
    int FilterKey(Field field, int code);
    // The note under the Name box: why the last key was refused; empty
    // when there is nothing to say.
    const QString& NameNote() const { return nameNote_; }

    // The entry check's birth; empty when refused (refused() says why).
    std::optional<Birth> AcceptedBirth();
    // "Click for Latitude & Longitude": the web search for the place; empty
    // when refused.
    std::optional<QString> CoordinateQuery();

    // The atlas. SearchPlaces fills Candidates() with the places the text
    // may mean, best first.
    void SearchPlaces(const QString& text);
    const std::vector<atlas::Place>& Candidates() const { return candidates_; }
    // Chooses Candidates()[index] (nothing for an index out of range).
    void ChooseCandidate(std::size_t index);
    // Chooses the one place a typed text names; false when it names none.
    bool ChooseTypedPlace(const QString& text);
    // Fills City, State, Country, the coordinates and hemispheres from an
    // atlas place, and the zone and daylight saving for the birth moment;
    // the zone keeps following the birth date and time until another place
    // is chosen or the place is typed by hand.
    void ChoosePlace(const atlas::Place& place);
    const std::optional<atlas::Place>& ChosenPlace() const { return chosen_; }
    // The place search's text ("Pune, Maharashtra, India") for the place
    // chosen or opened.
    const QString& PlaceText() const { return placeText_; }
    // Whether `text` is the label of the place chosen.
    bool IsChosenPlaceText(const QString& text) const;
    // The note on the zone found for the birth moment, and the note that the
    // zone does not suit the longitude; empty when there is nothing to say.
    const QString& ZoneNote() const { return zoneNote_; }
    const QString& ZoneCheck() const { return zoneCheck_; }

    // The births library at `path` (created when missing). A file that
    // cannot be used is said once, and LibraryProblem() says why; a
    // read-only one cannot be saved to. Until this is called there is none.
    void UseLibrary(const std::string& path);
    library::BirthsLibrary* Library() const { return library_.get(); }
    bool LibraryWritable() const { return library_ && !library_->IsReadOnly(); }
    // Why the library cannot be used (empty when it can), and why it cannot
    // be written (empty when it can).
    QString LibraryProblem() const { return libraryProblem_; }
    QString ReadOnlyProblem() const;
    // The answers to the question asked before a same-name, same-moment
    // birth is replaced: Yes replaces it, No keeps both, Cancel stores
    // nothing. Without a question both are kept.
    enum class Answer { Yes, No, Cancel };
    void SetQuestion(std::function<Answer(const QString&)> ask) { ask_ = std::move(ask); }
    // "Save Birth": the entry check, then the library, with the atlas place
    // and zone of the place chosen or of the birth opened. A birth opened
    // from the library (or stored by SaveBirthAsNew) whose name is still the
    // stored one is updated in place, its note kept; any other is stored as
    // a new birth, asking first when one of the same name and moment is
    // stored. True when the library holds the birth; saved() or a message
    // says what happened.
    bool SaveBirth();
    // "Save As New": stores the entry as a new birth even when it was
    // opened from the library; the entry then stands for the new one.
    bool SaveBirthAsNew();
    // Fills the entry with a stored birth, as saved (no atlas place follows
    // the date), and notes that it was opened.
    void OpenStoredBirth(const library::ReadBirth& stored);

    // The births most recently opened or saved, newest first, and a birth's
    // line in the Recent Births menu ("ASHA RAO  1980-06-05 09:05:30").
    std::vector<library::ReadBirth> RecentBirths() const;
    static QString RecentLabel(const library::ReadBirth& birth);
    // The first births by name and the number of all, for the Open Birth
    // dialog; empty when they cannot be read (the message said).
    struct FirstRows {
        std::vector<library::ReadBirth> births;
        std::int64_t total = 0;
    };
    std::optional<FirstRows> FirstRowsByName();
    // Every stored birth; empty when they cannot be read (the message said).
    std::optional<std::vector<library::ReadBirth>> AllBirths();
    // Import of births files (JSON lines, .jhd files or folders of them, AAF,
    // CSV) and export in the kind the path's extension names (a folder for
    // .jhd); false when nothing could be done (the message said).
    bool ImportBirthsFrom(const QStringList& paths);
    bool ImportBirthsFrom(const QString& path) { return ImportBirthsFrom(QStringList{path}); }
    bool ExportBirthsTo(const QString& path, const std::vector<const library::ReadBirth*>& births);

  signals:
    // Form() changed other than through a setter (a place, a birth opened).
    void formChanged();
    void placeTextChanged();
    void zoneNoteChanged();
    void zoneCheckChanged();
    void libraryChanged();
    // A message for the user.
    void informed(const QString& text, MessageIcon icon);
    // What went well, for the status line ("Birth saved: …").
    void statusSaid(const QString& text);
    void nameNoteChanged();
    // The entry check's refusal, and the control to put the focus in
    // (its object name; empty for none).
    void refused(const QString& text, MessageIcon icon, const QString& focus);

  private:
    void Refuse(const Refusal& refusal);
    void FollowBirthMoment();
    void UpdateZoneCheck();
    void SetZoneNote(const std::string& note);
    void SetPlaceText(const QString& text);
    void Inform(const std::string& text, MessageIcon icon);
    void SetNameNote(const QString& note);
    library::StoredBirth EntryToStore(const Birth& birth) const;
    bool SaveNew(const library::StoredBirth& birth);

    EntryForm form_;
    std::vector<atlas::Place> candidates_;
    std::optional<atlas::Place> chosen_;
    bool zonePickedByHand_ = false;    // the zone list was set by the user since the place
    bool longitudeFromAtlas_ = false;  // the longitude and its side are the atlas's
    QString placeText_, zoneNote_, zoneCheck_, nameNote_;
    std::unique_ptr<library::BirthsLibrary> library_;
    QString libraryProblem_;
    // The atlas's place and zone of an opened birth, kept for its next save
    // until the place is typed by hand.
    std::string openedAtlasPlace_, openedAtlasZone_;
    // The stored birth the entry was opened from (0: none) and its name.
    std::int64_t openedId_ = 0;
    std::string openedName_;
    std::function<Answer(const QString&)> ask_;
};

}  // namespace korvanta
