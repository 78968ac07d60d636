// SPDX-License-Identifier: GPL-3.0-or-later
// Place search over libgeonames' city list. Expected positions, states and
// zones are those of the GeoNames records the library ships.
#include "atlas/places.h"

#include <gtest/gtest.h>

#include <cmath>

#include "atlas/alternate_names.h"
#include "atlas/atlas.h"

namespace korvanta::atlas {
namespace {

constexpr double kPositionTolerance = 0.05;  // degrees; GeoNames city centres

TEST(PlaceSearch, FindsPune) {
    const std::vector<Place> found = SearchPlaces("Pune");
    ASSERT_FALSE(found.empty());
    const Place& pune = found.front();
    EXPECT_EQ(pune.name, "Pune");
    EXPECT_EQ(pune.state, "Maharashtra");
    EXPECT_EQ(pune.country, "India");
    EXPECT_EQ(pune.countryCode, "IN");
    EXPECT_EQ(pune.timeZone, "Asia/Kolkata");
    EXPECT_NEAR(pune.latitude, 18.52, kPositionTolerance);
    EXPECT_NEAR(pune.longitude, 73.86, kPositionTolerance);
    EXPECT_TRUE(pune.population.has_value());
}

TEST(PlaceSearch, FindsJalandhar) {
    const std::vector<Place> found = SearchPlaces("Jalandhar");
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front().name, "Jalandhar");
    EXPECT_EQ(found.front().state, "Punjab");
    EXPECT_EQ(found.front().country, "India");
    EXPECT_NEAR(found.front().latitude, 31.33, kPositionTolerance);
    EXPECT_NEAR(found.front().longitude, 75.58, kPositionTolerance);
}

TEST(PlaceSearch, MadridListsSpainFirst) {
    const std::vector<Place> found = SearchPlaces("Madrid");
    ASSERT_GE(found.size(), 2u);
    EXPECT_EQ(found.front().name, "Madrid");
    EXPECT_EQ(found.front().country, "Spain");
    EXPECT_EQ(found.front().timeZone, "Europe/Madrid");
    bool colombia = false;
    for (const Place& place : found) colombia = colombia || place.country == "Colombia";
    EXPECT_TRUE(colombia) << "Madrid, Cundinamarca should be listed too";
}

TEST(PlaceSearch, SaoPauloWithOrWithoutItsAccent) {
    for (const char* query : {"São Paulo", "Sao Paulo", "sao paulo", "SÃO PAULO", "Sao"}) {
        const std::vector<Place> found = SearchPlaces(query);
        ASSERT_FALSE(found.empty()) << query;
        EXPECT_EQ(found.front().name, "São Paulo") << query;
        EXPECT_EQ(found.front().country, "Brazil") << query;
        EXPECT_EQ(found.front().timeZone, "America/Sao_Paulo") << query;
        EXPECT_NEAR(found.front().latitude, -23.55, kPositionTolerance) << query;
    }
}

TEST(PlaceSearch, AccentsTheListDoesNotWrite) {
    const std::vector<Place> found = SearchPlaces("Zürich");
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front().country, "Switzerland");
}

TEST(PlaceSearch, CommaPartsNarrowByStateAndCountry) {
    const std::vector<Place> pune = SearchPlaces("Pune, Maharashtra, India");
    ASSERT_FALSE(pune.empty());
    EXPECT_EQ(pune.front().name, "Pune");

    const std::vector<Place> colombia = SearchPlaces("Madrid, Colombia");
    ASSERT_EQ(colombia.size(), 1u);
    EXPECT_EQ(colombia.front().state, "Cundinamarca");

    const std::vector<Place> canada = SearchPlaces("Sydney, CA");  // country code
    ASSERT_EQ(canada.size(), 1u);
    EXPECT_EQ(canada.front().state, "Nova Scotia");

    const std::vector<Place> usa = SearchPlaces("Amsterdam, USA");  // initials
    ASSERT_EQ(usa.size(), 1u);
    EXPECT_EQ(usa.front().state, "New York");

    const std::vector<Place> bengal = SearchPlaces("kolkata, west bengal");  // a later word
    ASSERT_EQ(bengal.size(), 1u);
    EXPECT_EQ(bengal.front().timeZone, "Asia/Kolkata");

    EXPECT_TRUE(SearchPlaces("Pune, Spain").empty());
    EXPECT_TRUE(SearchPlaces("Pune, ndia").empty());  // parts start a word
}

TEST(PlaceSearch, EmptyUnknownAndLimited) {
    EXPECT_TRUE(SearchPlaces("").empty());
    EXPECT_TRUE(SearchPlaces("   ").empty());
    EXPECT_TRUE(SearchPlaces(" , , ").empty());
    EXPECT_TRUE(SearchPlaces("Qqxyzzy").empty());
    EXPECT_EQ(SearchPlaces("Mad", 5).size(), 5u);
    EXPECT_TRUE(SearchPlaces("Pune", 0).empty());
}

// Names of other languages and times, from the translations libgeonames
// ships, when no city has the name today.
TEST(PlaceSearch, FormerNamesFindTheCityOfToday) {
    const struct {
        const char* query;
        const char* label;
    } cases[] = {{"Bombay", "Mumbai, Maharashtra, India"},
                 {"bombai", "Mumbai, Maharashtra, India"},
                 {"Calcutta", "Kolkata, State of West Bengal, India"},
                 {"Bangalore", "Bengaluru, Karnataka, India"},
                 {"Bombay, India", "Mumbai, Maharashtra, India"}};
    for (const auto& c : cases) {
        const std::vector<Place> found = SearchPlaces(c.query);
        ASSERT_FALSE(found.empty()) << c.query;
        EXPECT_EQ(PlaceLabel(found.front()), c.label) << c.query;
        EXPECT_LE(found.size(), kDefaultPlaceLimit) << c.query;
    }
    EXPECT_TRUE(SearchPlaces("Bombay, Spain").empty());
    // A name of today is never displaced by another's former name.
    EXPECT_EQ(PlaceLabel(SearchPlaces("Pune").front()), "Pune, Maharashtra, India");
    const PlaceResolution calcutta = ResolvePlace("Calcutta, India");
    ASSERT_TRUE(calcutta.place);
    EXPECT_EQ(calcutta.place->timeZone, "Asia/Kolkata");
}

// A name that is a place's own or another's whole comes before names that
// only start with the query, and the larger place of one name comes first;
// the list tells them apart by country and population.
TEST(PlaceSearch, OtherNamesFindTheirOwnCityFirst) {
    const struct {
        const char* query;
        const char* label;
    } cases[] = {
        {"Poona", "Pune, Maharashtra, India"},  // not Poonamalle, whose name it starts
        {"Leningrad", "Saint Petersburg, Saint Petersburg, Russia"},  // not Leningradskaya
        {"Stalingrad", "Volgograd, Volgograd Oblast, Russia"},
        {"Saigon", "Ho Chi Minh City, Ho Chi Minh City, Vietnam"},  // a name of its state
        {"St Petersburg", "Saint Petersburg, Saint Petersburg, Russia"},
        {"St. Petersburg", "Saint Petersburg, Saint Petersburg, Russia"},
        {"ho-chi-minh-stadt", "Ho Chi Minh City, Ho Chi Minh City, Vietnam"},
    };
    for (const auto& c : cases) {
        const std::vector<Place> found = SearchPlaces(c.query);
        ASSERT_FALSE(found.empty()) << c.query;
        EXPECT_EQ(PlaceLabel(found.front()), c.label) << c.query;
    }
    // Florida's city comes second, each with what tells them apart.
    const std::vector<Place> petersburg = SearchPlaces("St Petersburg");
    ASSERT_GE(petersburg.size(), 2u);
    EXPECT_EQ(PlaceListText(petersburg[1]),
              "St. Petersburg, Florida, United States of America \u2014 257,083 inhabitants");
    EXPECT_EQ(PlaceListText(petersburg[0]),
              "Saint Petersburg, Saint Petersburg, Russia \u2014 5,028,000 inhabitants");
    EXPECT_FALSE(ResolvePlace("St Petersburg").place);  // two cities, none guessed
    const PlaceResolution saigon = ResolvePlace("Saigon");
    ASSERT_TRUE(saigon.place);
    EXPECT_EQ(saigon.place->timeZone, "Asia/Ho_Chi_Minh");
    // Poonamalle is still found by its own name, after the city called Poona.
    const std::vector<Place> poona = SearchPlaces("Poona");
    ASSERT_GE(poona.size(), 2u);
    EXPECT_EQ(poona[1].name, "Poonamalle");

    EXPECT_EQ(PopulationText(0), "0");
    EXPECT_EQ(PopulationText(999), "999");
    EXPECT_EQ(PopulationText(1000), "1,000");
    EXPECT_EQ(PopulationText(4294967295u), "4,294,967,295");
}

TEST(AlternateNames, SearchKeys) {
    const struct {
        const char* name;
        const char* key;
    } cases[] = {{"St. Petersburg", "st petersburg"},
                 {"São Paulo", "sao paulo"},
                 {"Ho-Chi-Minh-Stadt", "ho chi minh stadt"},
                 {"  Hồ Chí Minh ", "ho chi minh"},
                 {"Санкт-Петербург", ""},
                 {"12", ""},
                 {"...", ""},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(SearchKey(c.name), c.key) << c.name;
}

TEST(AlternateNames, CataloguesAreReadSafely) {
    const std::vector<std::string> catalogues = InstalledNameCatalogues();
    ASSERT_FALSE(catalogues.empty());
    // Every index the names point at is a city of the list, and the list is
    // sorted for the prefix search.
    const std::vector<AlternateName> names = ReadAlternateNames(catalogues);
    ASSERT_FALSE(names.empty());
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_GE(names[i].cityIndex, 0);
        if (i > 0) {
            ASSERT_LE(names[i - 1].folded, names[i].folded);
        }
        ASSERT_EQ(names[i].folded, SearchKey(names[i].folded));
    }
    // Files that are no catalogue, or are cut short, give nothing.
    EXPECT_TRUE(ReadCatalogue("/nonexistent/geonames.mo").empty());
    EXPECT_TRUE(ReadCatalogue("/etc/hostname").empty());
    EXPECT_TRUE(CitiesByAlternateName("").empty());
}

TEST(PlaceResolution, OnePlaceOrTheCandidates) {
    const PlaceResolution pune = ResolvePlace("Pune");
    ASSERT_TRUE(pune.place);
    EXPECT_EQ(PlaceLabel(*pune.place), "Pune, Maharashtra, India");

    // Two cities are called exactly Madrid.
    const PlaceResolution madrid = ResolvePlace("Madrid");
    EXPECT_FALSE(madrid.place);
    ASSERT_EQ(madrid.candidates.size(), 2u);
    EXPECT_EQ(madrid.candidates[0].country, "Spain");
    EXPECT_EQ(madrid.candidates[1].country, "Colombia");

    const PlaceResolution spain = ResolvePlace("Madrid, Spain");
    ASSERT_TRUE(spain.place);
    EXPECT_EQ(spain.place->timeZone, "Europe/Madrid");

    // West New York is not New York.
    const PlaceResolution newYork = ResolvePlace("new york");
    ASSERT_TRUE(newYork.place);
    EXPECT_EQ(newYork.place->timeZone, "America/New_York");

    const PlaceResolution nowhere = ResolvePlace("Qqxyzzy");
    EXPECT_FALSE(nowhere.place);
    EXPECT_TRUE(nowhere.candidates.empty());
}

// Everything the entry window takes, for Pune on 5 June 1980 at 10:15.
TEST(BirthPlace, PuneFillsTheWholeEntry) {
    const PlaceResolution pune = ResolvePlace("Pune, Maharashtra, India");
    ASSERT_TRUE(pune.place);
    const std::optional<AtlasFinding> finding =
        LookUpBirthPlace(*pune.place, LocalBirthTime{1980, 6, 5, 10, 15, 0});
    ASSERT_TRUE(finding);
    EXPECT_EQ(finding->coordinates.LatDeg, 18);
    EXPECT_EQ(finding->coordinates.LatMin, 31);
    EXPECT_FALSE(finding->coordinates.IsSouth);
    EXPECT_EQ(finding->coordinates.LonDeg, 73);
    EXPECT_EQ(finding->coordinates.LonMin, 51);
    EXPECT_TRUE(finding->coordinates.IsEast);
    ASSERT_TRUE(finding->zone.first);
    EXPECT_EQ(finding->zone.first->suggestion.zoneRow, 34);
    EXPECT_FALSE(finding->zone.first->suggestion.daylightSaving);
    EXPECT_EQ(finding->zone.note, "Asia/Kolkata: UTC+5:30, no daylight saving on this date");

    EXPECT_FALSE(LookUpBirthPlace(95.0, 0.0, "Asia/Kolkata", LocalBirthTime{}));
}

}  // namespace
}  // namespace korvanta::atlas
