// SPDX-License-Identifier: GPL-3.0-or-later
// The births library's import with any bytes as its input: every line is
// added, skipped as the very same birth, or refused with its number; the
// library gains exactly the births it reports added, each of whose texts
// passes the character rule and reads back usable; nothing escapes as an
// exception. The library lives in a temporary folder for the process's
// life and is emptied of each run's births.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <variant>

#include "fuzz/targets.h"
#include "library/births_library.h"

namespace korvanta::fuzz {
namespace {

// The library of the whole run, removed with its folder when the run ends.
struct RunLibrary {
    std::string folder;
    std::unique_ptr<library::BirthsLibrary> library;

    RunLibrary() {
        folder = (std::filesystem::temp_directory_path() / "korvanta-fuzz-library-XXXXXX").string();
        if (mkdtemp(folder.data()) == nullptr) std::abort();
        auto opened = library::BirthsLibrary::Open(folder + "/births.sqlite");
        if (!std::holds_alternative<std::unique_ptr<library::BirthsLibrary>>(opened)) std::abort();
        library = std::move(std::get<std::unique_ptr<library::BirthsLibrary>>(opened));
    }
    ~RunLibrary() {
        library.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

library::BirthsLibrary* Library() {
    static RunLibrary run;
    return run.library.get();
}

}  // namespace

std::string LibraryImport(const std::uint8_t* data, std::size_t size) {
    library::BirthsLibrary& library = *Library();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    long lines = 0;
    for (std::size_t i = 0; i < size; ++i) lines += data[i] == '\n';
    if (size > 0 && data[size - 1] != '\n') ++lines;
    const auto result = library.Import(in);
    if (const auto* e = std::get_if<library::LibraryError>(&result)) {
        return "the import failed on readable input: " + e->message;
    }
    const library::ImportReport& report = std::get<library::ImportReport>(result);
    long last = 0;
    for (const auto& refused : report.refused) {
        if (refused.line <= last || refused.line > lines)
            return "a refusal names no line of the input";
        if (refused.reason.empty()) return "a refusal gives no reason";
        last = refused.line;
    }
    if (report.added + report.duplicates + static_cast<long>(report.refused.size()) > lines) {
        return "more births counted than lines given";
    }
    auto rows = library.List();
    if (!std::holds_alternative<std::vector<library::ReadBirth>>(rows))
        return "the library cannot be read";
    const auto& stored = std::get<std::vector<library::ReadBirth>>(rows);
    if (static_cast<long>(stored.size()) != report.added)
        return "the library gained other births than it reported";
    for (const library::ReadBirth& row : stored) {
        if (!row.fault.empty()) return "an imported birth does not read back: " + row.fault;
        if (const auto fault = library::StoredTextFault(row.stored)) {
            return "an imported birth holds a text the rule refuses: " + *fault;
        }
        if (library.Delete(row.stored.id)) return "an imported birth cannot be deleted";
    }
    return "";
}

}  // namespace korvanta::fuzz
