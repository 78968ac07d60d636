// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/places.h"

#include <geonames.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <unordered_set>

#include "atlas/alternate_names.h"

namespace korvanta::atlas {
namespace {

struct GFreeDeleter {
    void operator()(void* pointer) const { g_free(pointer); }
};
struct CityDeleter {
    void operator()(GeonamesCity* city) const { geonames_city_free(city); }
};

std::string_view Trimmed(std::string_view text) {
    auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string> CommaParts(std::string_view query) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= query.size()) {
        const std::size_t comma = std::min(query.find(',', start), query.size());
        const std::string_view part = Trimmed(query.substr(start, comma - start));
        if (!part.empty()) parts.emplace_back(part);
        start = comma + 1;
    }
    return parts;
}

// Lower-case ASCII without accents ("São Paulo" -> "sao paulo"), so that
// typed text and the list's names compare the way people read them.
std::string Folded(std::string_view text) {
    const std::string input(text);
    const std::unique_ptr<char, GFreeDeleter> ascii(g_str_to_ascii(input.c_str(), "C"));
    if (!ascii) return {};
    const std::unique_ptr<char, GFreeDeleter> lower(g_ascii_strdown(ascii.get(), -1));
    return lower ? std::string(lower.get()) : std::string();
}

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// Whether folded `part` starts a word of folded `field`.
bool StartsAWord(std::string_view field, std::string_view part) {
    for (std::size_t at = field.find(part); at != std::string_view::npos;
         at = field.find(part, at + 1)) {
        if (at == 0 || !IsWordChar(field[at - 1])) return true;
    }
    return false;
}

// "usa" for "united states of america": first letters of the words that are
// not "of", "the" or "and".
std::string Initials(std::string_view foldedName) {
    std::string initials;
    std::size_t at = 0;
    while (at < foldedName.size()) {
        while (at < foldedName.size() && !IsWordChar(foldedName[at])) ++at;
        const std::size_t start = at;
        while (at < foldedName.size() && IsWordChar(foldedName[at])) ++at;
        const std::string_view word = foldedName.substr(start, at - start);
        if (!word.empty() && word != "of" && word != "the" && word != "and") {
            initials += word.front();
        }
    }
    return initials;
}

bool MatchesNarrowingPart(const Place& place, const std::string& foldedPart) {
    const std::string country = Folded(place.country);
    return StartsAWord(Folded(place.state), foldedPart) || StartsAWord(country, foldedPart) ||
           foldedPart == Folded(place.countryCode) ||
           (foldedPart.size() >= 2 && foldedPart == Initials(country));
}

std::string Text(const char* text) {
    return text ? std::string(text) : std::string();
}

Place PlaceAt(gint index) {
    Place place;
    const std::unique_ptr<GeonamesCity, CityDeleter> city(geonames_get_city(index));
    if (!city) return place;
    place.name = Text(geonames_city_get_name(city.get()));
    place.state = Text(geonames_city_get_state(city.get()));
    place.country = Text(geonames_city_get_country(city.get()));
    place.countryCode = Text(geonames_city_get_country_code(city.get()));
    place.latitude = geonames_city_get_latitude(city.get());
    place.longitude = geonames_city_get_longitude(city.get());
    place.timeZone = Text(geonames_city_get_timezone(city.get()));
    const guint population = geonames_city_get_population(city.get());
    if (population > 0) place.population = population;
    return place;
}

// Indices into the city list for a plain name query, best first.
std::vector<gint> QueryCities(const std::string& name) {
    guint count = 0;
    GError* error = nullptr;
    const std::unique_ptr<gint, GFreeDeleter> indices(
        geonames_query_cities_sync(name.c_str(), GEONAMES_QUERY_DEFAULT, &count, nullptr, &error));
    if (error) g_error_free(error);
    if (!indices) return {};
    return std::vector<gint>(indices.get(), indices.get() + count);
}

}  // namespace

namespace {

// A place the search found, and whether a name of it is the whole query.
struct Found {
    Place place;
    bool exact = false;
    int tier = 0;  // 0: a name is the query; 1: its own name starts so; 2: another name does
};

// Every place a query may mean, best first: places with a name (their own
// or another) equal to the query's city part, then those whose own name
// matches it in part, then those whose other names start with it; each
// group larger places first.
std::vector<Found> Search(std::string_view query, std::size_t limit) {
    const std::vector<std::string> parts = CommaParts(query);
    if (parts.empty() || limit == 0) return {};

    std::vector<gint> indices = QueryCities(parts.front());
    // The library folds accents in its names but not always in the query
    // ("Zürich" finds nothing where "Zurich" finds the city).
    if (indices.empty()) {
        const std::unique_ptr<char, GFreeDeleter> ascii(g_str_to_ascii(parts.front().c_str(), "C"));
        if (ascii && parts.front() != ascii.get()) indices = QueryCities(ascii.get());
    }
    std::vector<std::string> narrowing;
    for (std::size_t i = 1; i < parts.size(); ++i) narrowing.push_back(Folded(parts[i]));

    // The library ranks its own matches by how well the words match, then by
    // size; it never sees the other names ("Poona" is Pune's, though
    // Poonamalle starts so), so those are weighed beside its matches.
    const std::string key = SearchKey(parts.front());
    constexpr std::size_t kOwnWeighed = 400;
    constexpr std::size_t kOthersWeighed = 400;
    std::vector<Found> found;
    std::unordered_set<gint> seen;
    auto add = [&](gint index, int tier) {
        if (!seen.insert(index).second) return;
        Place place = PlaceAt(index);
        if (place.name.empty()) return;
        for (const std::string& part : narrowing) {
            if (!MatchesNarrowingPart(place, part)) return;
        }
        const bool exact = tier == 0 || (!key.empty() && SearchKey(place.name) == key);
        found.push_back({std::move(place), exact, exact ? 0 : tier});
    };
    const std::vector<AlternateMatch> others = CitiesByAlternateName(key);
    for (const AlternateMatch& other : others) {
        if (other.exact) add(other.cityIndex, 0);
    }
    for (std::size_t i = 0; i < indices.size() && i < kOwnWeighed; ++i) add(indices[i], 1);
    for (std::size_t i = 0; i < others.size() && i < kOthersWeighed; ++i) {
        if (!others[i].exact) add(others[i].cityIndex, 2);
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.tier != b.tier) return a.tier < b.tier;
        return a.place.population.value_or(0) > b.place.population.value_or(0);
    });
    if (found.size() > limit) found.resize(limit);
    return found;
}

}  // namespace

std::vector<Place> SearchPlaces(std::string_view query, std::size_t limit) {
    std::vector<Place> places;
    for (Found& found : Search(query, limit)) places.push_back(std::move(found.place));
    return places;
}

PlaceResolution ResolvePlace(std::string_view query, std::size_t limit) {
    constexpr std::size_t kSearchDepth = 200;
    PlaceResolution resolution;
    std::vector<Found> found = Search(query, kSearchDepth);
    std::vector<Place> exact;
    for (const Found& place : found) {
        if (place.exact) exact.push_back(place.place);
    }
    if (found.size() == 1 || exact.size() == 1) {
        resolution.place = found.size() == 1 ? std::move(found.front().place) : exact.front();
        return resolution;
    }
    if (exact.empty()) {
        for (Found& place : found) resolution.candidates.push_back(std::move(place.place));
    } else {
        resolution.candidates = std::move(exact);
    }
    if (resolution.candidates.size() > limit) resolution.candidates.resize(limit);
    return resolution;
}

std::string PlaceLabel(const Place& place) {
    std::string label = place.name;
    if (!place.state.empty()) label += ", " + place.state;
    if (!place.country.empty()) label += ", " + place.country;
    return label;
}

std::string PopulationText(std::uint32_t population) {
    std::string digits = std::to_string(population);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

std::string PlaceListText(const Place& place) {
    std::string text = PlaceLabel(place);
    if (place.population) text += " \u2014 " + PopulationText(*place.population) + " inhabitants";
    return text;
}

}  // namespace korvanta::atlas
