// SPDX-License-Identifier: GPL-3.0-or-later
#include "atlas/alternate_names.h"

#include <geonames.h>
#include <libintl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace korvanta::atlas {
namespace {

constexpr std::uint32_t kMoMagic = 0x950412de;

struct GFreeDeleter {
    void operator()(void* pointer) const { g_free(pointer); }
};

std::uint32_t Word(const std::string& data, std::size_t at, bool swapped) {
    std::uint32_t value = 0;
    std::memcpy(&value, data.data() + at, sizeof value);
    if (swapped) value = __builtin_bswap32(value);
    return value;
}

std::string Child(GVariant* city, gsize at) {
    if (g_variant_n_children(city) <= at) return {};
    GVariant* child = g_variant_get_child_value(city, at);
    std::string text;
    if (g_variant_is_of_type(child, G_VARIANT_TYPE_STRING)) {
        text = g_variant_get_string(child, nullptr);
    }
    g_variant_unref(child);
    return text;
}

// Where the catalogues' keys lead: a city's GeoNames id (the first field of
// its record) to its index in the list, and a state's key ("RU.66": country
// code, a dot, the state's code) to the cities that bear the state's name.
struct CityKeys {
    std::unordered_map<std::string, int> byId;
    std::unordered_map<std::string, std::vector<int>> byState;
    // "saint petersburg|RU": the search key of a city's name and its country.
    std::unordered_map<std::string, int> byNameAndCountry;
};

// Former names that the translation catalogues do not carry, because no
// language calls the city so today: the city's present name and country.
struct FormerName {
    std::string_view former, city, country;
};
constexpr FormerName kFormerNames[] = {
    {"Leningrad", "Saint Petersburg", "RU"},
    {"Petrograd", "Saint Petersburg", "RU"},
    {"Stalingrad", "Volgograd", "RU"},
    {"Tsaritsyn", "Volgograd", "RU"},
    {"Sverdlovsk", "Yekaterinburg", "RU"},
    {"Gorky", "Nizhny Novgorod", "RU"},
    {"Kuybyshev", "Samara", "RU"},
    {"Konigsberg", "Kaliningrad", "RU"},
    {"Madras", "Chennai", "IN"},
    {"Bangalore", "Bengaluru", "IN"},
    {"Peking", "Beijing", "CN"},
    {"Canton", "Guangzhou", "CN"},
    {"Rangoon", "Yangon", "MM"},
    {"Dacca", "Dhaka", "BD"},
    {"Batavia", "Jakarta", "ID"},
    {"Constantinople", "Istanbul", "TR"},
    {"Leopoldville", "Kinshasa", "CD"},
    {"Salisbury", "Harare", "ZW"},
};

CityKeys ReadCityKeys() {
    CityKeys keys;
    const gint count = geonames_get_n_cities();
    keys.byId.reserve(static_cast<std::size_t>(std::max(0, count)));
    for (gint index = 0; index < count; ++index) {
        GeonamesCity* city = geonames_get_city(index);
        if (city == nullptr) continue;
        // Fields: id, name, state code, state, country code, …
        const std::string id = Child(city, 0);
        if (!id.empty()) keys.byId.emplace(id, index);
        const char* name = geonames_city_get_name(city);
        const char* state = geonames_city_get_state(city);
        const std::string stateCode = Child(city, 2);
        const char* country = geonames_city_get_country_code(city);
        if (name != nullptr && country != nullptr) {
            const std::string key = SearchKey(name);
            if (!key.empty()) keys.byNameAndCountry.emplace(key + "|" + country, index);
        }
        if (name != nullptr && state != nullptr && country != nullptr && !stateCode.empty()) {
            const std::string key = SearchKey(name);
            if (!key.empty() && key == SearchKey(state)) {
                keys.byState[std::string(country) + "." + stateCode].push_back(index);
            }
        }
        geonames_city_free(city);
    }
    return keys;
}

}  // namespace

std::string SearchKey(std::string_view name) {
    if (name.empty()) return {};
    std::string ascii(name);
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        // Scripts without Latin letters (Cyrillic, Greek, Devanagari, CJK…)
        // start with a lead byte of 0xCD or above; of those only the Latin
        // Extended Additional letters (U+1E00..U+1EFF, "Ḥ", "Ả") are Latin.
        const auto lead = static_cast<unsigned char>(name.front());
        const bool extendedLatin = lead == 0xE1 && name.size() > 1 &&
                                   static_cast<unsigned char>(name[1]) >= 0xB8 &&
                                   static_cast<unsigned char>(name[1]) <= 0xBB;
        if (lead >= 0xCD && !extendedLatin) return {};
        const std::unique_ptr<char, GFreeDeleter> transliterated(
            g_str_to_ascii(ascii.c_str(), "C"));
        if (!transliterated) return {};
        ascii = transliterated.get();
    }
    // A letter that has no ASCII form comes out as "?".
    if (ascii.find('?') != std::string::npos) return {};
    std::string key;
    key.reserve(ascii.size());
    bool blank = false, letter = false;
    for (const char c : ascii) {
        if (!g_ascii_isalnum(c)) {
            blank = !key.empty();
            continue;
        }
        if (blank) key += ' ';
        blank = false;
        letter = letter || g_ascii_isalpha(c);
        key += static_cast<char>(g_ascii_tolower(c));
    }
    return letter ? key : std::string();
}

std::vector<std::pair<std::string, std::string>> ReadCatalogue(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    std::vector<std::pair<std::string, std::string>> entries;
    if (data.size() < 20) return entries;
    const bool swapped = Word(data, 0, false) != kMoMagic;
    if (Word(data, 0, swapped) != kMoMagic) return entries;
    const std::uint32_t count = Word(data, 8, swapped);
    const std::uint32_t originals = Word(data, 12, swapped);
    const std::uint32_t translations = Word(data, 16, swapped);
    // Each table holds a length and an offset per entry; a damaged file
    // ends the reading where it stops making sense.
    auto text = [&](std::uint32_t table, std::uint32_t i, std::string& out) {
        const std::uint64_t at = table + 8ULL * i;
        if (at + 8 > data.size()) return false;
        const std::uint32_t length = Word(data, at, swapped);
        const std::uint32_t offset = Word(data, at + 4, swapped);
        if (static_cast<std::uint64_t>(offset) + length > data.size()) return false;
        out.assign(data, offset, length);
        return true;
    };
    entries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string original, translation;
        if (!text(originals, i, original) || !text(translations, i, translation)) break;
        entries.emplace_back(std::move(original), std::move(translation));
    }
    return entries;
}

std::vector<AlternateName> ReadAlternateNames(const std::vector<std::string>& catalogues) {
    const CityKeys keys = ReadCityKeys();
    std::vector<AlternateName> names;
    for (const std::string& path : catalogues) {
        for (const auto& [id, name] : ReadCatalogue(path)) {
            const auto city = keys.byId.find(id);
            const auto state = city == keys.byId.end() ? keys.byState.find(id) : keys.byState.end();
            if (city == keys.byId.end() && state == keys.byState.end()) continue;
            std::string key = SearchKey(name);
            if (key.empty()) continue;
            if (city != keys.byId.end()) {
                names.push_back({std::move(key), city->second});
            } else {
                for (const int index : state->second) names.push_back({key, index});
            }
        }
    }
    for (const FormerName& former : kFormerNames) {
        const auto city =
            keys.byNameAndCountry.find(SearchKey(former.city) + "|" + std::string(former.country));
        if (city != keys.byNameAndCountry.end()) {
            names.push_back({SearchKey(former.former), city->second});
        }
    }
    auto order = [](const AlternateName& a, const AlternateName& b) {
        return a.folded != b.folded ? a.folded < b.folded : a.cityIndex < b.cityIndex;
    };
    std::sort(names.begin(), names.end(), order);
    names.erase(std::unique(names.begin(), names.end(),
                            [](const AlternateName& a, const AlternateName& b) {
                                return a.folded == b.folded && a.cityIndex == b.cityIndex;
                            }),
                names.end());
    return names;
}

std::vector<std::string> InstalledNameCatalogues() {
    // Where gettext looks for the library's catalogues (the system's locale
    // folder unless the library was told otherwise).
    const char* bound = bindtextdomain("geonames", nullptr);
    const std::filesystem::path root = bound != nullptr ? bound : "/usr/share/locale";
    std::vector<std::string> catalogues;
    std::error_code error;
    for (const auto& language : std::filesystem::directory_iterator(root, error)) {
        const std::filesystem::path catalogue = language.path() / "LC_MESSAGES" / "geonames.mo";
        if (std::filesystem::is_regular_file(catalogue, error)) {
            catalogues.push_back(catalogue.string());
        }
    }
    std::sort(catalogues.begin(), catalogues.end());
    return catalogues;
}

std::vector<AlternateMatch> CitiesByAlternateName(std::string_view keyPrefix) {
    static std::once_flag once;
    static std::vector<AlternateName> index;
    std::call_once(once, [] { index = ReadAlternateNames(InstalledNameCatalogues()); });

    std::vector<AlternateMatch> cities;
    if (keyPrefix.empty()) return cities;
    auto at = std::lower_bound(
        index.begin(), index.end(), keyPrefix,
        [](const AlternateName& name, std::string_view prefix) { return name.folded < prefix; });
    // The names equal to the key sort before the longer ones it starts.
    std::unordered_set<int> seen;
    for (; at != index.end() && at->folded.compare(0, keyPrefix.size(), keyPrefix) == 0; ++at) {
        if (seen.insert(at->cityIndex).second) {
            cities.push_back({at->cityIndex, at->folded.size() == keyPrefix.size()});
        }
    }
    return cities;
}

}  // namespace korvanta::atlas
