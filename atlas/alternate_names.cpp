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

// Lower-case ASCII without accents, as the place search folds names; empty
// for a name with letters that have no ASCII form (Cyrillic, Devanagari…).
std::string FoldedLatin(const std::string& name) {
    // Most names are plain ASCII already; GLib's transliteration is only
    // needed for the rest.
    if (std::all_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string folded = name;
        for (char& c : folded) c = static_cast<char>(g_ascii_tolower(c));
        const bool hasLetter =
            std::any_of(folded.begin(), folded.end(), [](char c) { return c >= 'a' && c <= 'z'; });
        return hasLetter && folded.find('?') == std::string::npos ? folded : std::string();
    }
    // Scripts without Latin letters (Cyrillic, Greek, Devanagari, CJK…)
    // start with a lead byte of 0xCD or above; of those only the Latin
    // Extended Additional letters (U+1E00..U+1EFF, "Ḥ", "Ả") are Latin.
    const auto lead = static_cast<unsigned char>(name.front());
    const bool extendedLatin = lead == 0xE1 && name.size() > 1 &&
                               static_cast<unsigned char>(name[1]) >= 0xB8 &&
                               static_cast<unsigned char>(name[1]) <= 0xBB;
    if (lead >= 0xCD && !extendedLatin) return {};
    const std::unique_ptr<char, GFreeDeleter> ascii(g_str_to_ascii(name.c_str(), "C"));
    if (!ascii) return {};
    const std::unique_ptr<char, GFreeDeleter> lower(g_ascii_strdown(ascii.get(), -1));
    if (!lower) return {};
    std::string folded(lower.get());
    if (folded.find('?') != std::string::npos) return {};
    if (std::none_of(folded.begin(), folded.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        return {};
    }
    return folded;
}

// GeoNames id (the first field of a city's record) -> index in the list.
std::unordered_map<std::string, int> CityIndexById() {
    std::unordered_map<std::string, int> byId;
    const gint count = geonames_get_n_cities();
    byId.reserve(static_cast<std::size_t>(std::max(0, count)));
    for (gint index = 0; index < count; ++index) {
        GeonamesCity* city = geonames_get_city(index);
        if (city == nullptr) continue;
        if (g_variant_n_children(city) > 0) {
            GVariant* id = g_variant_get_child_value(city, 0);
            if (g_variant_is_of_type(id, G_VARIANT_TYPE_STRING)) {
                byId.emplace(g_variant_get_string(id, nullptr), index);
            }
            g_variant_unref(id);
        }
        geonames_city_free(city);
    }
    return byId;
}

}  // namespace

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
    const std::unordered_map<std::string, int> byId = CityIndexById();
    std::vector<AlternateName> names;
    for (const std::string& path : catalogues) {
        for (const auto& [id, name] : ReadCatalogue(path)) {
            const auto city = byId.find(id);
            if (city == byId.end()) continue;
            std::string folded = FoldedLatin(name);
            if (!folded.empty()) names.push_back({std::move(folded), city->second});
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

std::vector<int> CitiesByAlternateName(std::string_view foldedPrefix) {
    static std::once_flag once;
    static std::vector<AlternateName> index;
    std::call_once(once, [] { index = ReadAlternateNames(InstalledNameCatalogues()); });

    std::vector<int> cities;
    if (foldedPrefix.empty()) return cities;
    auto at = std::lower_bound(
        index.begin(), index.end(), foldedPrefix,
        [](const AlternateName& name, std::string_view prefix) { return name.folded < prefix; });
    for (; at != index.end() && at->folded.compare(0, foldedPrefix.size(), foldedPrefix) == 0;
         ++at) {
        if (std::find(cities.begin(), cities.end(), at->cityIndex) == cities.end()) {
            cities.push_back(at->cityIndex);
        }
    }
    return cities;
}

}  // namespace korvanta::atlas
