// SPDX-License-Identifier: GPL-3.0-or-later
// What the entry window takes from the atlas: the place's controls, the zone
// row and daylight-saving box for the birth moment with the note under the
// zone, and the zone check against the longitude typed.
#include "atlas/entry_atlas.h"

#include <gtest/gtest.h>

#include "pipeline/zones.h"

namespace korvanta {
namespace {

int ZoneRowNamed(std::string_view text) {
    for (int row = 0; row < kZoneCount; ++row) {
        if (kZoneTable[static_cast<std::size_t>(row)].text == text) return row;
    }
    ADD_FAILURE() << "no zone row " << text;
    return -1;
}

EntryForm BirthAt(int year, int month, int day, int hour, int minute) {
    EntryForm form;
    form.cboYear = year - kFirstYear;
    form.cboMonth = month - 1;
    form.cboDate = day - 1;
    form.cboHH = hour;
    form.cboMM = minute;
    return form;
}

atlas::Place FirstPlace(std::string_view query) {
    const std::vector<atlas::Place> places = atlas::SearchPlaces(query, 1);
    if (places.empty()) {
        ADD_FAILURE() << "the atlas has no " << query;
        return {};
    }
    return places.front();
}

TEST(EntryAtlas, APlaceFillsThePlaceAndCoordinateControls) {
    // Pune lies at 18.5196 N, 73.8554 E in the atlas: 18° 31', 73° 51'.
    const std::optional<EntryPlace> pune = EntryPlaceOf(FirstPlace("Pune, Maharashtra, India"));
    ASSERT_TRUE(pune.has_value());
    EXPECT_EQ(pune->city, "Pune");
    EXPECT_EQ(pune->state, "Maharashtra");
    EXPECT_EQ(pune->country, "India");
    EXPECT_EQ(pune->latDeg, "18");
    EXPECT_EQ(pune->latMin, "31");
    EXPECT_FALSE(pune->south);
    EXPECT_EQ(pune->lonDeg, "73");
    EXPECT_EQ(pune->lonMin, "51");
    EXPECT_TRUE(pune->east);

    // South and west: São Paulo, 23.55 S, 46.64 W.
    const std::optional<EntryPlace> saoPaulo = EntryPlaceOf(FirstPlace("Sao Paulo, Brazil"));
    ASSERT_TRUE(saoPaulo.has_value());
    EXPECT_EQ(saoPaulo->city, "S\u00e3o Paulo");
    EXPECT_TRUE(saoPaulo->south);
    EXPECT_FALSE(saoPaulo->east);
    EXPECT_EQ(saoPaulo->latDeg, "23");
    EXPECT_EQ(saoPaulo->lonDeg, "46");

    atlas::Place nowhere;
    nowhere.latitude = 95;  // beyond the pole
    EXPECT_FALSE(EntryPlaceOf(nowhere).has_value());
}

TEST(EntryAtlas, DaylightSavingTicksTheBoxBesideTheStandardRow) {
    // New York, 1 July 1990: EDT, UTC-4 = Eastern Standard Time and the box.
    EntryZone zone = EntryZoneFor("America/New_York", BirthAt(1990, 7, 1, 12, 0));
    ASSERT_TRUE(zone.zoneRow.has_value());
    EXPECT_EQ(*zone.zoneRow, ZoneRowNamed("Eastern Standard Time,EST,-5.0"));
    EXPECT_EQ(zone.dst, std::optional<bool>(true));
    EXPECT_NE(zone.note.find("UTC-4"), std::string::npos) << zone.note;

    // The same place in January: the box is cleared.
    zone = EntryZoneFor("America/New_York", BirthAt(1990, 1, 15, 12, 0));
    EXPECT_EQ(zone.zoneRow, std::optional<int>(ZoneRowNamed("Eastern Standard Time,EST,-5.0")));
    EXPECT_EQ(zone.dst, std::optional<bool>(false));

    // Sydney, 15 January 1990: UTC+11 as AEST (+10) with the box.
    zone = EntryZoneFor("Australia/Sydney", BirthAt(1990, 1, 15, 12, 0));
    EXPECT_EQ(zone.zoneRow,
              std::optional<int>(ZoneRowNamed("Australian Eastern Standard Time,AEST,+10.0")));
    EXPECT_EQ(zone.dst, std::optional<bool>(true));

    // Kolkata, 1 July 1943: war time UTC+6:30 = Indian time with the box.
    zone = EntryZoneFor("Asia/Kolkata", BirthAt(1943, 7, 1, 12, 0));
    EXPECT_EQ(zone.zoneRow, std::optional<int>(ZoneRowNamed("Indian Time, IST, +5.3")));
    EXPECT_EQ(zone.dst, std::optional<bool>(true));
}

TEST(EntryAtlas, WithoutAFittingRowTheOtherOffsetOrNoRow) {
    // No named row is UTC+5:45: "Other UTC offset" at +05:45, the box
    // cleared, the note saying so; the form computes with it.
    const EntryZone kathmandu = EntryZoneFor("Asia/Kathmandu", BirthAt(1990, 7, 1, 12, 0));
    EXPECT_EQ(kathmandu.zoneRow, std::optional<int>(kOtherOffsetRow));
    EXPECT_EQ(kathmandu.utcOffset, "+05:45");
    EXPECT_EQ(kathmandu.dst, std::optional<bool>(false));
    EXPECT_NE(kathmandu.note.find("no zone in the list is UTC+5:45, so the zone is \"Other UTC "
                                  "offset\" +05:45"),
              std::string::npos)
        << kathmandu.note;
    EntryForm form = BirthAt(1990, 7, 1, 12, 0);
    form.cmbTimeZone = *kathmandu.zoneRow;
    form.txtUtcOffset = kathmandu.utcOffset;
    form.txtLonD = "85";
    form.txtLonM = "19";
    EXPECT_EQ(ZoneCheckNote(form), "");  // 85°19' East is UTC+5:41 solar time
    form.optLongEast = false;
    EXPECT_NE(ZoneCheckNote(form).find("\"Other UTC offset\" (UTC+5:45)"), std::string::npos)
        << ZoneCheckNote(form);
    // Before 1986 Nepal kept +5:30, which has a row.
    EXPECT_EQ(EntryZoneFor("Asia/Kathmandu", BirthAt(1980, 7, 1, 12, 0)).zoneRow,
              std::optional<int>(ZoneRowNamed("Indian Time, IST, +5.3")));

    const EntryZone unknown = EntryZoneFor("Mars/Olympus_Mons", BirthAt(1990, 7, 1, 12, 0));
    EXPECT_EQ(unknown.zoneRow, std::optional<int>(kNoZoneRow));
    EXPECT_EQ(unknown.dst, std::optional<bool>(false));
    EXPECT_NE(unknown.note.find("Unknown time zone"), std::string::npos) << unknown.note;

    const EntryZone february30 = EntryZoneFor("Europe/Madrid", BirthAt(1990, 2, 30, 12, 0));
    EXPECT_FALSE(february30.zoneRow.has_value());
    EXPECT_NE(february30.note.find("no such date"), std::string::npos) << february30.note;

    EntryForm unset = BirthAt(1990, 7, 1, 12, 0);
    unset.cboYear = -1;  // no year chosen
    EXPECT_FALSE(EntryBirthTime(unset).has_value());
    EXPECT_FALSE(EntryZoneFor("Europe/Madrid", unset).zoneRow.has_value());
}

TEST(EntryAtlas, AClockChangeIsNamedInTheNote) {
    // 2:30 on 1 April 1990 did not exist in New York: read as before the
    // change (EST, box clear).
    const EntryZone skipped = EntryZoneFor("America/New_York", BirthAt(1990, 4, 1, 2, 30));
    EXPECT_EQ(skipped.zoneRow, std::optional<int>(ZoneRowNamed("Eastern Standard Time,EST,-5.0")));
    EXPECT_EQ(skipped.dst, std::optional<bool>(false));
    EXPECT_NE(skipped.note.find("did not exist"), std::string::npos) << skipped.note;
    // 1:30 on 28 October 1990 occurred twice: the first (daylight) reading.
    const EntryZone twice = EntryZoneFor("America/New_York", BirthAt(1990, 10, 28, 1, 30));
    EXPECT_EQ(twice.dst, std::optional<bool>(true));
    EXPECT_NE(twice.note.find("occurred twice"), std::string::npos) << twice.note;
}

EntryForm Longitude(const char* degrees, const char* minutes, bool east, std::string_view zone) {
    EntryForm form;
    form.txtLonD = degrees;
    form.txtLonM = minutes;
    form.optLongEast = east;
    form.cmbTimeZone = ZoneRowNamed(zone);
    return form;
}

TEST(EntryAtlas, TheZoneCheckNotesAZoneFarFromTheLongitude) {
    // Indian time (+5:30) with 77° 12' West (solar -5:09): 10 h 38 min apart,
    // and East would fit.
    const std::string far = ZoneCheckNote(Longitude("77", "12", false, "Indian Time, IST, +5.3"));
    EXPECT_NE(far.find("Indian Time"), std::string::npos) << far;
    EXPECT_NE(far.find("really West?"), std::string::npos) << far;
    // Madrid (3° 42' West) keeps Central European Time, 1 h 15 min from its
    // solar time: no note.
    EXPECT_EQ(ZoneCheckNote(Longitude("3", "42", false, "Central European Time,CET,+1.0")), "");
    // Nothing to check while the longitude is incomplete or out of range.
    EXPECT_EQ(ZoneCheckNote(Longitude("", "12", false, "Indian Time, IST, +5.3")), "");
    EXPECT_EQ(ZoneCheckNote(Longitude("77", "", false, "Indian Time, IST, +5.3")), "");
    EXPECT_EQ(ZoneCheckNote(Longitude("180", "0", false, "Indian Time, IST, +5.3")), "");
    EXPECT_EQ(ZoneCheckNote(Longitude("77", "60", false, "Indian Time, IST, +5.3")), "");
    // A longitude from the atlas has its side right: the note asks about the
    // zone instead.
    const std::string atlas =
        ZoneCheckNote(Longitude("77", "12", false, "Indian Time, IST, +5.3"), true);
    EXPECT_NE(atlas.find("please check the zone."), std::string::npos) << atlas;
    EXPECT_EQ(atlas.find("really"), std::string::npos) << atlas;
}

TEST(EntryAtlas, NearestRowsOfOffsetsWithoutARow) {
    // Every offset between the list's first and last has a row below and
    // above; beyond the ends only one side is named.
    for (int minutes = -12 * 60; minutes <= 14 * 60; minutes += 15) {
        const std::string nearest = NearestZoneRows(minutes * 60 + 1);
        EXPECT_EQ(nearest.find(" or ") != std::string::npos, minutes < 13 * 60) << minutes;
    }
    EXPECT_EQ(
        NearestZoneRows(5 * 3600 + 45 * 60).rfind("\"Indian Time, IST, +5.3\" (UTC+5:30) or ", 0),
        0u);
}

}  // namespace
}  // namespace korvanta
