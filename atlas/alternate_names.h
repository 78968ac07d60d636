// SPDX-License-Identifier: GPL-3.0-or-later
// Other names of the atlas's cities: the names other languages give them,
// which include their former and colonial names ("Bombay" and "Bombai" for
// Mumbai, "Calcutta" for Kolkata, "Bangalore" for Bengaluru). libgeonames
// ships them as one translation catalogue per language, keyed by the
// GeoNames id of the city.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::atlas {

// One other name, folded as the place search compares names (lower-case
// ASCII without accents), and the index of its city in the atlas's list.
struct AlternateName {
    std::string folded;
    int cityIndex = 0;
};

// The names in the translation catalogues of `catalogues` that some city of
// the atlas goes by, sorted by folded name; names outside the Latin script
// are left out, since the search compares Latin letters. Cities are found by
// their GeoNames id in the atlas's list.
std::vector<AlternateName> ReadAlternateNames(const std::vector<std::string>& catalogues);

// The libgeonames catalogues installed on this system ("…/fr/LC_MESSAGES/geonames.mo").
std::vector<std::string> InstalledNameCatalogues();

// City indexes whose other names start with the folded `prefix`, each once,
// in the order of the index (alphabetical); read once from the installed
// catalogues on first use.
std::vector<int> CitiesByAlternateName(std::string_view foldedPrefix);

// The entries of one gettext catalogue (.mo): pairs of original and
// translation; empty when the file is not a catalogue.
std::vector<std::pair<std::string, std::string>> ReadCatalogue(const std::string& path);

}  // namespace korvanta::atlas
