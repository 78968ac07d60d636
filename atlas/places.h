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
// name or the start of one ("Mad", "sao paulo": case and accents do not
// matter), optionally followed by comma-separated parts that narrow it by
// state or country ("Pune, Maharashtra, India", "Sydney, Australia"): each
// such part must start a word of the state or of the country, or be the
// country's two-letter code or initials ("US", "USA", "UK").
// Ranking is the library's: how well the words match, then the city's size.
// An empty or blank query gives no places.
std::vector<Place> SearchPlaces(std::string_view query, std::size_t limit = kDefaultPlaceLimit);

// The place a query names, for callers that need exactly one.
struct PlaceResolution {
    std::optional<Place> place;     // set when the query names one place
    std::vector<Place> candidates;  // otherwise the places it could mean (maybe none)
};

// One place when the search finds exactly one, or exactly one whose name is
// the query's city part in full ("Madrid, Spain" leaves Las Rozas de Madrid
// aside); otherwise the candidates, best first, at most `limit`.
PlaceResolution ResolvePlace(std::string_view query, std::size_t limit = kDefaultPlaceLimit);

// "Pune, Maharashtra, India" (the state left out when empty).
std::string PlaceLabel(const Place& place);

}  // namespace korvanta::atlas
