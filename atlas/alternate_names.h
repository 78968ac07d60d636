// SPDX-License-Identifier: GPL-3.0-or-later
// Other names of the atlas's cities: the names other languages give them,
// which include their former and colonial names ("Bombay" and "Bombai" for
// Mumbai, "Calcutta" for Kolkata, "Poona" for Pune). libgeonames ships them
// as one translation catalogue per language, keyed by the GeoNames id of the
// city, and of the state ("VN.20") for the names of first-level divisions.
// A city that bears its state's name is that state's city (Ho Chi Minh City,
// Saint Petersburg, Berlin): the state's other names ("Saigon") are its too.
// Former names that no catalogue holds ("Leningrad", "Stalingrad") come from
// a short list of the program's own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::atlas {

// A name as the place search compares names: lower-case ASCII without
// accents, every run of other characters than letters and digits one blank,
// no blank at either end ("St. Petersburg" -> "st petersburg",
// "Ho-Chi-Minh-Stadt" -> "ho chi minh stadt"). Empty for a name without a
// Latin letter or digit, or one that has letters without an ASCII form
// (Cyrillic, Devanagari…).
std::string SearchKey(std::string_view name);

// One other name, as SearchKey gives it, and the index of its city in the
// atlas's list.
struct AlternateName {
    std::string folded;
    int cityIndex = 0;
};

// The names in the translation catalogues of `catalogues` that some city of
// the atlas goes by, sorted by folded name; names outside the Latin script
// are left out, since the search compares Latin letters. Cities are found by
// their GeoNames id in the atlas's list; a state's names go to the cities
// whose name is the state's.
std::vector<AlternateName> ReadAlternateNames(const std::vector<std::string>& catalogues);

// The libgeonames catalogues installed on this system ("…/fr/LC_MESSAGES/geonames.mo").
std::vector<std::string> InstalledNameCatalogues();

// A city found by one of its other names.
struct AlternateMatch {
    int cityIndex = 0;
    bool exact = false;  // an other name is the whole key, not only its start
};

// Cities whose other names start with `keyPrefix` (a SearchKey), each once,
// those with an exact name first, then in the order of the names
// (alphabetical); read once from the installed catalogues on first use.
std::vector<AlternateMatch> CitiesByAlternateName(std::string_view keyPrefix);

// The entries of one gettext catalogue (.mo): pairs of original and
// translation; empty when the file is not a catalogue.
std::vector<std::pair<std::string, std::string>> ReadCatalogue(const std::string& path);

}  // namespace korvanta::atlas
