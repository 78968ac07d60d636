// SPDX-License-Identifier: GPL-3.0-or-later
// The entry's view-model without any widget: every control's value lands in
// its own field of the entry, the key filters' verdicts, the zone that
// follows the birth moment at an atlas place (and stops following when the
// place is typed by hand), the zone check, and a birth saved, opened and
// replaced in a births library.
#include "ui/viewmodels/entry_view_model.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "pipeline/zones.h"

using korvanta::EntryForm;
using korvanta::EntryViewModel;
using Field = korvanta::EntryViewModel::Field;

namespace {

// The zone list's text of a row ("Eastern Standard Time, EST, -5.0").
QString ZoneText(int row) {
    if (row < 0) return QStringLiteral("(none)");
    const std::string_view text = korvanta::kZoneTable[static_cast<std::size_t>(row)].text;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A place the atlas names by `query`, as the completion list's first line.
void ChooseFirst(EntryViewModel& entry, const char* query) {
    entry.SearchPlaces(QString::fromLatin1(query));
    QVERIFY2(!entry.Candidates().empty(), query);
    entry.ChooseCandidate(0);
}

void EnterBirth(EntryViewModel& entry, const char* name, int month, int hour) {
    entry.SetText(Field::Name, QString::fromLatin1(name));
    entry.SetIndex(Field::Year, 1980 - korvanta::kFirstYear);
    entry.SetIndex(Field::Month, month - 1);
    entry.SetIndex(Field::Date, 4);
    entry.SetIndex(Field::Hour, hour);
}

}  // namespace

class EntryViewModelTest : public QObject {
    Q_OBJECT
  private slots:
    // Each setter fills its own field and no other: a swapped case would
    // show here.
    void EverySetterFillsItsOwnField() {
        EntryViewModel entry;
        const EntryForm before = entry.Form();
        const std::pair<Field, const char*> texts[] = {
            {Field::Name, "A"},   {Field::City, "B"},   {Field::State, "C"},  {Field::Country, "D"},
            {Field::LonDeg, "1"}, {Field::LonMin, "2"}, {Field::LatDeg, "3"}, {Field::LatMin, "4"}};
        for (const auto& [field, text] : texts) entry.SetText(field, QString::fromLatin1(text));
        const std::pair<Field, int> lists[] = {
            {Field::Month, 1},  {Field::Date, 2},   {Field::Year, 3}, {Field::Hour, 4},
            {Field::Minute, 5}, {Field::Second, 6}, {Field::Zone, 7}};
        for (const auto& [field, index] : lists) entry.SetIndex(field, index);
        entry.SetChecked(Field::Dst, true);
        entry.SetChecked(Field::East, false);
        entry.SetChecked(Field::South, true);

        const EntryForm& f = entry.Form();
        QCOMPARE(before.cmbTimeZone, korvanta::kDefaultZoneIndex);
        QVERIFY(before.optLongEast && !before.optLatSouth && !before.chkDST);
        const std::string got[] = {f.txtName, f.txtMCity, f.txtMState, f.txtMCountry,
                                   f.txtLonD, f.txtLonM,  f.txtLatD,   f.txtLatM};
        for (std::size_t i = 0; i < std::size(texts); ++i) QCOMPARE(got[i], texts[i].second);
        const int indices[] = {f.cboMonth, f.cboDate, f.cboYear,    f.cboHH,
                               f.cboMM,    f.cboSS,   f.cmbTimeZone};
        for (std::size_t i = 0; i < std::size(lists); ++i) QCOMPARE(indices[i], lists[i].second);
        QVERIFY(f.chkDST && !f.optLongEast && f.optLatSouth);
    }

    void KeyFiltersGiveTheirVerdicts() {
        EntryViewModel entry;
        QSignalSpy said(&entry, &EntryViewModel::informed);
        QCOMPARE(entry.FilterKey(Field::Name, 'k'), int('K'));
        QCOMPARE(entry.FilterKey(Field::Name, 'K'), int('K'));
        // Name's refusal is a note, no message; the next key taken clears it.
        QCOMPARE(entry.FilterKey(Field::Name, '7'), 0);
        QCOMPARE(entry.NameNote(), QStringLiteral("Please Enter only Letters"));
        QCOMPARE(entry.FilterKey(Field::Name, 'a'), int('A'));
        QCOMPARE(entry.NameNote(), QString());
        QCOMPARE(said.count(), 0);
        for (Field box : {Field::LonDeg, Field::LonMin, Field::LatDeg, Field::LatMin}) {
            QCOMPARE(entry.FilterKey(box, '7'), int('7'));
            QCOMPARE(entry.FilterKey(box, 'x'), 0);
        }
        // The place boxes take any key.
        QCOMPARE(entry.FilterKey(Field::City, '7'), int('7'));
    }

    // New York keeps daylight saving in summer: the zone row stays Eastern
    // and the box follows the month, until the place is typed by hand.
    void TheZoneFollowsTheBirthMomentAtAnAtlasPlace() {
        EntryViewModel entry;
        QSignalSpy shown(&entry, &EntryViewModel::formChanged);
        EnterBirth(entry, "JOHN", 1, 12);
        ChooseFirst(entry, "New York");
        QVERIFY(shown.count() >= 1);
        QCOMPARE(QString::fromStdString(entry.Form().txtMCity), QStringLiteral("New York"));
        QVERIFY(!entry.Form().optLongEast);
        QVERIFY2(ZoneText(entry.Form().cmbTimeZone).contains(QStringLiteral("-5")),
                 qPrintable(ZoneText(entry.Form().cmbTimeZone)));
        QVERIFY(!entry.Form().chkDST);
        QVERIFY(!entry.ZoneNote().isEmpty());
        QVERIFY(entry.PlaceText().startsWith(QStringLiteral("New York")));

        const int before = shown.count();
        entry.SetIndex(Field::Month, 6);  // July
        QVERIFY(entry.Form().chkDST);
        QVERIFY(ZoneText(entry.Form().cmbTimeZone).contains(QStringLiteral("-5")));
        QCOMPARE(shown.count(), before + 1);

        // Typed by hand: the atlas has no more say.
        entry.PlaceTypedByHand();
        QVERIFY(!entry.ChosenPlace());
        QVERIFY(entry.ZoneNote().isEmpty());
        entry.SetIndex(Field::Month, 0);
        QVERIFY(entry.Form().chkDST);
    }

    // The zone check speaks when the zone is far from the longitude's solar
    // time and falls silent when it suits.
    void TheZoneCheckFollowsZoneAndLongitude() {
        EntryViewModel entry;
        entry.SetText(Field::LonDeg, QStringLiteral("77"));
        entry.SetText(Field::LonMin, QStringLiteral("12"));
        QVERIFY(!entry.ZoneCheck().isEmpty());  // Greenwich for India
        entry.SetIndex(Field::Zone, 34);        // Indian Time
        QCOMPARE(entry.ZoneCheck(), QString());
        entry.SetChecked(Field::East, false);
        QVERIFY(!entry.ZoneCheck().isEmpty());
    }

    // Saved with its atlas place, opened as saved in another run (no place
    // then follows the date), replaced or kept both as the user answers.
    void ABirthIsSavedOpenedAndReplaced() {
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("births.sqlite")).toStdString();
        EntryForm saved;
        QString label;
        {
            EntryViewModel entry;
            QVERIFY(!entry.SaveBirth());  // no library yet
            entry.UseLibrary(path);
            QVERIFY(entry.LibraryWritable());
            QSignalSpy refused(&entry, &EntryViewModel::refused);
            QVERIFY(!entry.SaveBirth());  // the empty entry is refused
            QCOMPARE(refused.count(), 1);
            EnterBirth(entry, "ASHA RAO", 6, 9);
            ChooseFirst(entry, "Pune");
            label = entry.PlaceText();
            saved = entry.Form();
            QVERIFY(entry.SaveBirth());
            // The same name and moment: the answer decides; Cancel stores
            // nothing.
            using Answer = EntryViewModel::Answer;
            const Answer answers[] = {Answer::Yes, Answer::Cancel, Answer::No};
            const bool stored[] = {true, false, true};
            const std::size_t counts[] = {1, 1, 2};
            QStringList questions;
            entry.SetQuestion([&](const QString& question) {
                questions << question;
                return answers[questions.size() - 1];
            });
            for (std::size_t i = 0; i < std::size(answers); ++i) {
                QCOMPARE(entry.SaveBirth(), stored[i]);
                QCOMPARE(std::get<0>(entry.Library()->List()).size(), counts[i]);
            }
            // The question names the whole moment.
            QCOMPARE(questions.size(), 3);
            QVERIFY2(questions[0].contains(QStringLiteral("1980-06-05 09:")),
                     qPrintable(questions[0]));
        }
        EntryViewModel entry;
        entry.UseLibrary(path);
        const auto rows = std::get<0>(entry.Library()->List());
        QCOMPARE(QString::fromStdString(rows[0].stored.atlasPlace), label);
        QSignalSpy shown(&entry, &EntryViewModel::formChanged);
        entry.OpenStoredBirth(rows[0]);
        QCOMPARE(shown.count(), 1);
        const EntryForm& f = entry.Form();
        QVERIFY(f.txtName == saved.txtName && f.cboYear == saved.cboYear &&
                f.cboMonth == saved.cboMonth && f.cboDate == saved.cboDate &&
                f.cboHH == saved.cboHH && f.txtMCity == saved.txtMCity &&
                f.txtLonD == saved.txtLonD && f.txtLatM == saved.txtLatM &&
                f.optLongEast == saved.optLongEast && f.cmbTimeZone == saved.cmbTimeZone &&
                f.chkDST == saved.chkDST);
        QCOMPARE(entry.PlaceText(), label);
        QVERIFY(!entry.ZoneNote().isEmpty());
        QVERIFY(!entry.ChosenPlace());
        // Opened births come first in Recent Births.
        QCOMPARE(entry.RecentBirths().front().stored.id, rows[0].stored.id);
        QVERIFY(EntryViewModel::RecentLabel(rows[0]).startsWith(
            QStringLiteral("ASHA RAO  1980-06-05")));
        // An opened birth corrected and saved again updates its own record,
        // note kept; "Save As New" adds one; saved again, the new one is
        // updated.
        QVERIFY(!entry.Library()->SetNote(rows[0].stored.id, "first child"));
        const std::size_t before = std::get<0>(entry.Library()->List()).size();
        entry.SetIndex(Field::Hour, 11);
        QVERIFY(entry.SaveBirth());
        const auto updated =
            std::get<korvanta::library::ReadBirth>(entry.Library()->Get(rows[0].stored.id));
        QCOMPARE(updated.stored.birth.hour, 11);
        QCOMPARE(updated.stored.note, std::string("first child"));
        QCOMPARE(std::get<0>(entry.Library()->List()).size(), before);
        QVERIFY(entry.SaveBirthAsNew());
        entry.SetIndex(Field::Minute, 44);
        QVERIFY(entry.SaveBirth());
        QCOMPARE(std::get<0>(entry.Library()->List()).size(), before + 1);
        QCOMPARE(std::get<korvanta::library::ReadBirth>(entry.Library()->Get(rows[0].stored.id))
                     .stored.birth.minute,
                 updated.stored.birth.minute);
        // Saved under another name, it is another person's birth: stored
        // anew, with the opened birth's atlas place.
        entry.SetText(Field::Name, QStringLiteral("ASHA R"));
        QVERIFY(entry.SaveBirth());
        QCOMPARE(std::get<0>(entry.Library()->List()).size(), before + 2);
        bool kept = false;
        const auto after = std::get<0>(entry.Library()->List());
        for (const auto& row : after) {
            kept |= row.stored.birth.name == "ASHA R" &&
                    QString::fromStdString(row.stored.atlasPlace) == label;
        }
        QVERIFY2(kept, qPrintable(label));
    }
};

QTEST_GUILESS_MAIN(EntryViewModelTest)
#include "entry_view_model_test.moc"
