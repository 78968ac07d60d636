// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/library_commands.h"

#include <fstream>
#include <istream>
#include <ostream>
#include <tuple>

#include "cli/cli_app.h"
#include "cli/output_stream.h"
#include "library/birth_record.h"

namespace korvanta {
namespace {

constexpr const char* kProgram = "korvanta-cli";

using library::BirthsLibrary;

std::variant<std::unique_ptr<BirthsLibrary>, int> OpenLibrary(const std::string& db,
                                                              BirthsLibrary::Mode mode,
                                                              std::ostream& err) {
    auto opened = BirthsLibrary::Open(db, mode);
    if (auto* e = std::get_if<library::LibraryError>(&opened)) {
        err << kProgram << ": " << e->message << "\n";
        return kExitLibraryUnusable;
    }
    return std::move(std::get<std::unique_ptr<BirthsLibrary>>(opened));
}

int LibraryFailed(const library::LibraryError& error, std::ostream& err) {
    err << kProgram << ": " << error.message << "\n";
    return kExitLibraryUnusable;
}

// "12  ASHA RAO  1980-06-05 09:05:30  New Delhi, Delhi, India"
std::string CandidateLine(const library::StoredBirth& stored) {
    const Birth& b = stored.birth;
    char moment[32];
    std::snprintf(moment, sizeof moment, "%04d-%02d-%02d %02d:%02d:%02d", b.year, b.month, b.day,
                  b.hour, b.minute, b.second);
    std::string place = b.city;
    for (const std::string* part : {&b.state, &b.country}) {
        if (part->empty()) continue;
        if (!place.empty()) place += ", ";
        place += *part;
    }
    return "  " + std::to_string(stored.id) + "  " + b.name + "  " + moment + "  " + place;
}

bool SameStoredBirth(const library::StoredBirth& a, const library::StoredBirth& b) {
    const Birth& x = a.birth;
    const Birth& y = b.birth;
    return std::tie(x.name, x.year, x.month, x.day, x.hour, x.minute, x.second, x.latDeg, x.latMin,
                    x.south, x.lonDeg, x.lonMin, x.east, x.zoneIndex, x.utcOffsetMinutes, x.dst,
                    x.city, x.state, x.country) ==
           std::tie(y.name, y.year, y.month, y.day, y.hour, y.minute, y.second, y.latDeg, y.latMin,
                    y.south, y.lonDeg, y.lonMin, y.east, y.zoneIndex, y.utcOffsetMinutes, y.dst,
                    y.city, y.state, y.country);
}

}  // namespace

int ListBirths(const std::string& db, const std::string& text, std::ostream& out,
               std::ostream& err) {
    auto opened = OpenLibrary(db, BirthsLibrary::Mode::ReadOnly, err);
    if (auto* status = std::get_if<int>(&opened)) return *status;
    std::string buffer;
    int status = kExitOk;
    bool written = true;
    const auto read =
        std::get<std::unique_ptr<BirthsLibrary>>(opened)->ForEach([&](library::ReadBirth&& row) {
            if (!row.fault.empty()) {
                err << kProgram << ": " << row.fault << "\n";
                status = kExitSomeRefused;
                return true;
            }
            if (!library::MatchesSearch(row.stored, text)) return true;
            buffer += library::ExportLine(row.stored);
            buffer += '\n';
            if (buffer.size() >= (1 << 16)) {
                if (const auto problem = WriteChecked(out, buffer)) {
                    err << kProgram << ": standard output: " << *problem << "\n";
                    written = false;
                }
                buffer.clear();
            }
            return written;
        });
    if (!written) return kExitOutputNotWritten;
    if (read) return LibraryFailed(*read, err);
    if (const auto problem = WriteChecked(out, buffer)) {
        err << kProgram << ": standard output: " << *problem << "\n";
        return kExitOutputNotWritten;
    }
    return status;
}

int ImportBirths(const std::string& db, const std::string& file, std::istream& in,
                 std::ostream& out, std::ostream& err) {
    std::ifstream opened;
    std::istream* source = &in;
    if (file != "-") {
        opened.open(file, std::ios::binary);
        if (!opened) {
            err << kProgram << ": --import " << file << ": the file cannot be read\n";
            return kExitBadCommandLine;
        }
        source = &opened;
    }
    auto library = OpenLibrary(db, BirthsLibrary::Mode::ReadWrite, err);
    if (auto* status = std::get_if<int>(&library)) return *status;
    auto result = std::get<std::unique_ptr<BirthsLibrary>>(library)->Import(*source);
    if (auto* e = std::get_if<library::LibraryError>(&result)) {
        err << kProgram << ": " << e->message << "; nothing was imported\n";
        return kExitLibraryUnusable;
    }
    const library::ImportReport& report = std::get<library::ImportReport>(result);
    for (const auto& refused : report.refused) {
        err << kProgram << ": " << (file == "-" ? "standard input" : file) << " line "
            << refused.line << ": " << refused.reason << "\n";
    }
    const std::string counts = std::to_string(report.added) + " added, " +
                               std::to_string(report.duplicates) + " skipped as duplicates, " +
                               std::to_string(report.refused.size()) + " refused\n";
    if (const auto problem = WriteChecked(out, counts)) {
        err << kProgram << ": standard output: " << *problem << "\n";
        return kExitOutputNotWritten;
    }
    return report.refused.empty() ? kExitOk : kExitSomeRefused;
}

std::variant<library::StoredBirth, int> FindStoredBirth(const std::string& db,
                                                        const std::string& idOrName,
                                                        std::ostream& err) {
    auto opened = OpenLibrary(db, BirthsLibrary::Mode::ReadOnly, err);
    if (auto* status = std::get_if<int>(&opened)) return *status;
    BirthsLibrary& library = *std::get<std::unique_ptr<BirthsLibrary>>(opened);
    const bool isId = !idOrName.empty() && idOrName.size() <= 18 &&
                      idOrName.find_first_not_of("0123456789") == std::string::npos;
    std::vector<library::ReadBirth> found;
    if (isId) {
        auto row = library.Get(std::stoll(idOrName));
        if (auto* e = std::get_if<library::LibraryError>(&row)) {
            if (e->kind != library::ErrorKind::NotFound) return LibraryFailed(*e, err);
        } else {
            found.push_back(std::move(std::get<library::ReadBirth>(row)));
        }
    } else {
        std::string name;
        if (auto reason = NameAsEntered(idOrName, name)) {
            err << kProgram << ": --birth " << idOrName << ": " << *reason << "\n";
            return kExitBadCommandLine;
        }
        auto rows = library.FindByName(name);
        if (auto* e = std::get_if<library::LibraryError>(&rows)) return LibraryFailed(*e, err);
        found = std::move(std::get<std::vector<library::ReadBirth>>(rows));
    }
    if (found.empty()) {
        err << kProgram << ": --birth " << idOrName << ": no stored birth has this "
            << (isId ? "id" : "name") << " in " << db << "\n";
        return kExitNoSuchBirth;
    }
    if (found.size() > 1) {
        err << kProgram << ": --birth " << idOrName << ": " << found.size()
            << " stored births have this name; give one by its id:\n";
        for (const auto& row : found) err << CandidateLine(row.stored) << "\n";
        return kExitNoSuchBirth;
    }
    if (!found.front().fault.empty()) {
        err << kProgram << ": --birth " << idOrName << ": " << found.front().fault << "\n";
        return kExitNoSuchBirth;
    }
    return std::move(found.front().stored);
}

int SaveBirth(const std::string& db, const library::StoredBirth& birth, std::ostream& err) {
    auto opened = OpenLibrary(db, BirthsLibrary::Mode::ReadWrite, err);
    if (auto* status = std::get_if<int>(&opened)) return *status;
    BirthsLibrary& library = *std::get<std::unique_ptr<BirthsLibrary>>(opened);
    auto saved = library.Save(birth, library::OnDuplicate::Refuse);
    if (auto* e = std::get_if<library::LibraryError>(&saved)) return LibraryFailed(*e, err);
    if (auto* same = std::get_if<library::Duplicate>(&saved)) {
        for (std::int64_t id : same->ids) {
            auto row = library.Get(id);
            if (auto* stored = std::get_if<library::ReadBirth>(&row);
                stored != nullptr && SameStoredBirth(stored->stored, birth)) {
                err << kProgram << ": --save: this birth is already stored as " << id << " in "
                    << db << "\n";
                return kExitOk;
            }
        }
        err << kProgram << ": --save: " << same->ids.size()
            << " stored birth(s) have this name and moment but other details; nothing was "
               "stored (change or delete the stored one in the window):\n";
        for (std::int64_t id : same->ids) {
            auto row = library.Get(id);
            if (auto* stored = std::get_if<library::ReadBirth>(&row))
                err << CandidateLine(stored->stored) << "\n";
        }
        return kExitAlreadyStored;
    }
    err << kProgram << ": saved as " << std::get<std::int64_t>(saved) << " in " << db << "\n";
    return kExitOk;
}

}  // namespace korvanta
