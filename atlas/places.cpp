// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/places.h"

#include <geonames.h>

#include <algorithm>
#include <cctype>
#include <memory>

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

std::vector<Place> SearchPlaces(std::string_view query, std::size_t limit) {
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

    auto matching = [&narrowing](const std::vector<gint>& cities, std::size_t limit) {
        std::vector<Place> places;
        for (const gint index : cities) {
            Place place = PlaceAt(index);
            bool matches = !place.name.empty();
            for (const std::string& part : narrowing) {
                matches = matches && MatchesNarrowingPart(place, part);
            }
            if (!matches) continue;
            places.push_back(std::move(place));
            if (places.size() == limit) break;
        }
        return places;
    };
    std::vector<Place> places = matching(indices, limit);
    if (!places.empty()) return places;

    // Nothing by the names of today: a former or foreign name ("Bombay"),
    // the largest cities first.
    constexpr std::size_t kAlternatesWeighed = 400;
    const std::vector<int> others = CitiesByAlternateName(Folded(parts.front()));
    std::vector<Place> found =
        matching(std::vector<gint>(others.begin(), others.end()), kAlternatesWeighed);
    std::stable_sort(found.begin(), found.end(), [](const Place& a, const Place& b) {
        return a.population.value_or(0) > b.population.value_or(0);
    });
    if (found.size() > limit) found.resize(limit);
    return found;
}

PlaceResolution ResolvePlace(std::string_view query, std::size_t limit) {
    constexpr std::size_t kSearchDepth = 200;
    PlaceResolution resolution;
    std::vector<Place> found = SearchPlaces(query, kSearchDepth);
    if (found.size() == 1) {
        resolution.place = std::move(found.front());
        return resolution;
    }
    const std::vector<std::string> parts = CommaParts(query);
    const std::string city = parts.empty() ? std::string() : Folded(parts.front());
    std::vector<Place> exact;
    for (const Place& place : found) {
        if (Folded(place.name) == city) exact.push_back(place);
    }
    if (exact.size() == 1) {
        resolution.place = std::move(exact.front());
        return resolution;
    }
    resolution.candidates = exact.empty() ? std::move(found) : std::move(exact);
    if (resolution.candidates.size() > limit) resolution.candidates.resize(limit);
    return resolution;
}

std::string PlaceLabel(const Place& place) {
    std::string label = place.name;
    if (!place.state.empty()) label += ", " + place.state;
    if (!place.country.empty()) label += ", " + place.country;
    return label;
}

}  // namespace korvanta::atlas
