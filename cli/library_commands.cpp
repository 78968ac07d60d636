// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/library_commands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/output_stream.h"
#include "library/birth_record.h"
#include "library/stored_text.h"
#include "report/moment_text.h"

namespace korvanta {
namespace {

constexpr const char* kProgram = "korvanta-cli";

using library::BirthsLibrary;

int LibraryFailed(const library::LibraryError& error, std::ostream& err) {
    err << kProgram << ": " << library::PrintableText(error.message) << "\n";
    return kExitLibraryUnusable;
}

std::variant<std::unique_ptr<BirthsLibrary>, int> OpenLibrary(const std::string& db,
                                                              BirthsLibrary::Mode mode,
                                                              std::ostream& err) {
    auto opened = BirthsLibrary::Open(db, mode);
    if (auto* e = std::get_if<library::LibraryError>(&opened)) return LibraryFailed(*e, err);
    return std::move(std::get<std::unique_ptr<BirthsLibrary>>(opened));
}

// "12  ASHA RAO  1980-06-05 09:05:30  New Delhi, Delhi, India"
std::string CandidateLine(const library::StoredBirth& stored) {
    const Birth& b = stored.birth;
    const std::string moment = LocalMomentText(b);
    std::string place = b.city;
    for (const std::string* part : {&b.state, &b.country}) {
        if (part->empty()) continue;
        if (!place.empty()) place += ", ";
        place += *part;
    }
    // A row stored before the character rule may hold anything.
    return library::PrintableText("  " + std::to_string(stored.id) + "  " + b.name + "  " + moment +
                                  "  " + place);
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
                err << kProgram << ": " << library::PrintableText(row.fault) << "\n";
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
    const std::string source = file == "-" ? "standard input" : file;
    auto unread = [&](const std::string& reason) {
        err << kProgram << ": --import " << file << ": " << reason << "; nothing was imported\n";
        return kExitInputNotRead;
    };
    std::ifstream opened;
    std::istream* input = &in;
    if (file != "-") {
        struct stat what {};
        if (::stat(file.c_str(), &what) == 0 && S_ISDIR(what.st_mode)) {
            err << kProgram << ": --import " << file << ": is a folder, not a file\n";
            return kExitBadCommandLine;
        }
        errno = 0;
        opened.open(file, std::ios::binary);
        if (!opened) {
            err << kProgram << ": --import " << file << ": the file cannot be read"
                << (errno != 0 ? std::string(" (") + std::strerror(errno) + ")" : std::string())
                << "\n";
            return kExitBadCommandLine;
        }
        input = &opened;
    }
    auto library = OpenLibrary(db, BirthsLibrary::Mode::ReadWrite, err);
    if (auto* status = std::get_if<int>(&library)) return *status;
    auto result = std::get<std::unique_ptr<BirthsLibrary>>(library)->Import(*input);
    if (auto* e = std::get_if<library::LibraryError>(&result)) {
        if (e->kind == library::ErrorKind::Unreadable) return unread(source + ": " + e->message);
        err << kProgram << ": " << library::PrintableText(e->message) << "; nothing was imported\n";
        return kExitLibraryUnusable;
    }
    const library::ImportReport& report = std::get<library::ImportReport>(result);
    for (const auto& refused : report.refused) {
        err << kProgram << ": " << source << " line " << refused.line << ": "
            << library::PrintableText(refused.reason) << "\n";
    }
    const std::string counts = ImportSummaryText(report.added, report.duplicates,
                                                 static_cast<long long>(report.refused.size())) +
                               "\n";
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
        err << kProgram << ": --birth " << idOrName << ": "
            << library::PrintableText(found.front().fault) << "\n";
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
                stored != nullptr && library::SameBirthDetails(stored->stored.birth, birth.birth)) {
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
