// SPDX-License-Identifier: GPL-3.0-or-later
// Place search over the GeoNames city list that ships with libgeonames
// (about 24,000 cities with their state, country, position and IANA zone).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::atlas {

struct Place {
    std::string name;                         // "Pune", "São Paulo" (UTF-8)
    std::string state;                        // first-level division: "Maharashtra"; may be empty
    std::string country;                      // "India"
    std::string countryCode;                  // ISO 3166 two letters: "IN"
    double latitude = 0;                      // decimal degrees, north positive
    double longitude = 0;                     // decimal degrees, east positive
    std::string timeZone;                     // IANA name: "Asia/Kolkata"
    std::optional<std::uint32_t> population;  // empty when unknown
};

inline constexpr std::size_t kDefaultPlaceLimit = 20;

// Places matching `query`, best first, at most `limit`. The query is a city
// name or the start of one ("Mad", "sao paulo": case, accents and
// punctuation do not matter), a name of it in another language or of former
// times ("Poona", "Saigon", "Bombay"), optionally followed by comma-separated
// parts that narrow it by state or country ("Pune, Maharashtra, India",
// "Sydney, Australia"): each such part must start a word of the state or of
// the country, or be the country's two-letter code or initials ("US", "USA",
// "UK").
// Ranking: first the places that a name (their own or another) fits whole
// ("St Petersburg": the Russian city by its other name, then the Floridian
// by its own), then those whose own name fits in part, then those whose
// other names start with the query; within each, larger places first.
// An empty or blank query gives no places.
std::vector<Place> SearchPlaces(std::string_view query, std::size_t limit = kDefaultPlaceLimit);

// The place a query names, for callers that need exactly one.
struct PlaceResolution {
    std::optional<Place> place;     // set when the query names one place
    std::vector<Place> candidates;  // otherwise the places it could mean (maybe none)
};

// One place when the search finds exactly one, or exactly one that a name
// (its own or another) fits whole ("Madrid, Spain" leaves Las Rozas de Madrid
// aside; "Saigon" is Ho Chi Minh City); otherwise the candidates, best first,
// at most `limit`: those a name fits whole when there are any.
PlaceResolution ResolvePlace(std::string_view query, std::size_t limit = kDefaultPlaceLimit);

// "Pune, Maharashtra, India" (the state left out when empty).
std::string PlaceLabel(const Place& place);

// "5,028,000": a population with a comma between each three digits.
std::string PopulationText(std::uint32_t population);

// A place as a list of found places shows it, with what tells places of one
// name apart: "Saint Petersburg, Saint Petersburg, Russia — 5,028,000
// inhabitants" (the population left out when unknown).
std::string PlaceListText(const Place& place);

}  // namespace korvanta::atlas
