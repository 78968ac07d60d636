// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/exchange_commands.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "cli/cli_app.h"
#include "cli/output_stream.h"
#include "exchange/exchange_files.h"
#include "library/birth_record.h"
#include "library/births_library.h"

namespace korvanta {
namespace {

constexpr const char* kProgram = "korvanta-cli";
// Enough of a file's start to tell its kind.
constexpr std::size_t kHeadBytes = 4096;

using exchange::Format;
using library::BirthsLibrary;

// A stream that gives `head` (bytes already read to tell the kind) and then
// the rest of another stream's bytes, so a file is read once, standard input
// included.
class PrefixedBuffer : public std::streambuf {
  public:
    PrefixedBuffer(std::string head, std::streambuf* rest) : head_(std::move(head)), rest_(rest) {
        setg(head_.data(), head_.data(), head_.data() + head_.size());
    }

  protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        if (rest_ == nullptr) return traits_type::eof();
        const std::streamsize got = rest_->sgetn(chunk_, sizeof chunk_);
        if (got <= 0) return traits_type::eof();
        setg(chunk_, chunk_, chunk_ + got);
        return traits_type::to_int_type(*gptr());
    }

  private:
    std::string head_;
    std::streambuf* rest_;
    char chunk_[1 << 16];
};

std::string HeadOf(std::streambuf* buffer) {
    std::string head(kHeadBytes, '\0');
    const std::streamsize got =
        buffer == nullptr ? 0
                          : buffer->sgetn(head.data(), static_cast<std::streamsize>(kHeadBytes));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(got, 0)));
    return head;
}

struct Totals {
    long added = 0, duplicates = 0, refused = 0;
};

// One imported birth waiting for the library, with where it came from.
struct Pending {
    std::string file;
    long line = 0;
};

void Refuse(std::ostream& err, const std::string& file, long line, const std::string& reason,
            Totals& totals) {
    err << kProgram << ": " << file;
    if (line > 0) err << " line " << line;
    err << ": " << reason << "\n";
    ++totals.refused;
}

std::optional<Format> ParseFormat(const std::string& text) {
    return exchange::FormatOfName(text);
}

}  // namespace

void AddExchangeFlags(CLI::App& app, ExchangeFlags& flags) {
    app.add_option("--import", flags.imports,
                   "Store the births of files in the births library and print how many were "
                   "added, skipped and refused: JSON lines of input records (- for standard "
                   "input), .jhd birth files or folders of them, AAF or CSV files, told apart "
                   "by their content, e.g. --import births.jsonl or --import charts/")
        ->type_name("FILE...");
    app.add_option("--export", flags.exportPath,
                   "Write the stored births (with --list-births TEXT only those it finds) to "
                   "PATH: a folder of .jhd files, or one JSON lines, AAF or CSV file, e.g. "
                   "--export births.csv or --export charts --format jhd")
        ->type_name("PATH");
    app.add_option("--format", flags.format,
                   "The kind --export writes: jsonl, jhd, aaf or csv (default: PATH's "
                   "extension), e.g. --format aaf")
        ->type_name("KIND");
}

int ImportFiles(const std::string& db, const std::vector<std::string>& files, std::istream& in,
                std::ostream& out, std::ostream& err) {
    std::vector<exchange::ImportSource> sources;
    for (const std::string& file : files) {
        if (file.empty()) {
            err << kProgram << ": --import was given an empty value (see --help)\n";
            return kExitBadCommandLine;
        }
        if (file == "-") {
            sources.push_back({file, ""});
            continue;
        }
        std::error_code missing;
        if (!std::filesystem::exists(file, missing)) {
            err << kProgram << ": --import " << file << ": the file cannot be read\n";
            return kExitBadCommandLine;
        }
        long aside = 0;
        std::vector<exchange::ImportSource> found = exchange::ExpandImportPath(file, &aside);
        std::error_code error;
        if (std::filesystem::is_directory(file, error)) {
            if (aside > 0) {
                err << kProgram << ": " << file << ": " << aside
                    << " entries that are not .jhd files left aside\n";
            }
            if (found.empty()) {
                err << kProgram << ": --import " << file << ": the folder holds no .jhd file\n";
                return kExitBadCommandLine;
            }
        }
        sources.insert(sources.end(), found.begin(), found.end());
    }

    auto opened = BirthsLibrary::Open(db, BirthsLibrary::Mode::ReadWrite);
    if (auto* e = std::get_if<library::LibraryError>(&opened)) {
        err << kProgram << ": " << e->message << "\n";
        return kExitLibraryUnusable;
    }
    BirthsLibrary& library = *std::get<std::unique_ptr<BirthsLibrary>>(opened);

    Totals totals;
    exchange::PlaceFinder places;
    std::ostringstream records;
    std::vector<Pending> pending;
    for (const exchange::ImportSource& source : sources) {
        const std::string shown = source.path == "-" ? "standard input" : source.path;
        if (!source.fault.empty()) {
            Refuse(err, shown, 0, source.fault, totals);
            continue;
        }
        std::ifstream file;
        std::streambuf* rest = in.rdbuf();
        if (source.path != "-") {
            std::error_code error;
            if (std::filesystem::is_directory(source.path, error)) {
                Refuse(err, shown, 0, "a folder, not a births file", totals);
                continue;
            }
            file.open(source.path, std::ios::binary);
            if (!file) {
                Refuse(err, shown, 0, "the file cannot be read", totals);
                continue;
            }
            rest = file.rdbuf();
        }
        std::string head = HeadOf(rest);
        std::optional<Format> format = exchange::DetectFormat(head);
        if (!format && source.path != "-") format = exchange::FormatOfExtension(source.path);
        if (!format) {
            Refuse(err, shown, 1,
                   "not a births file korvanta-cli reads (JSON lines, .jhd, AAF or CSV)", totals);
            continue;
        }
        PrefixedBuffer buffer(std::move(head), rest);
        std::istream stream(&buffer);
        if (*format == Format::JsonLines) {
            auto result = library.Import(stream);
            if (auto* e = std::get_if<library::LibraryError>(&result)) {
                err << kProgram << ": " << shown << ": " << e->message
                    << "; nothing of this file was imported\n";
                return kExitLibraryUnusable;
            }
            const library::ImportReport& report = std::get<library::ImportReport>(result);
            for (const auto& refused : report.refused) {
                Refuse(err, shown, refused.line, refused.reason, totals);
            }
            totals.added += report.added;
            totals.duplicates += report.duplicates;
            continue;
        }
        exchange::ReadResult read = exchange::ReadBirthsFile(*format, source.path, stream, places);
        for (const std::string& note : read.notes)
            err << kProgram << ": " << shown << ": " << note << "\n";
        for (const exchange::RefusedRecord& refused : read.refused) {
            Refuse(err, shown, refused.line, refused.reason, totals);
        }
        for (const exchange::ImportedBirth& birth : read.births) {
            for (const std::string& note : birth.notes) {
                err << kProgram << ": " << shown << " line " << birth.line << ": "
                    << birth.stored.birth.name << ": " << note << "\n";
            }
            records << exchange::RecordLine(birth.stored) << "\n";
            pending.push_back({shown, birth.line});
        }
    }
    if (!pending.empty()) {
        std::istringstream stream(records.str());
        auto result = library.Import(stream);
        if (auto* e = std::get_if<library::LibraryError>(&result)) {
            err << kProgram << ": " << e->message
                << "; none of the .jhd, AAF and CSV births was imported\n";
            return kExitLibraryUnusable;
        }
        const library::ImportReport& report = std::get<library::ImportReport>(result);
        for (const auto& refused : report.refused) {
            const std::size_t index = static_cast<std::size_t>(refused.line) - 1;
            const Pending& from = pending.at(std::min(index, pending.size() - 1));
            Refuse(err, from.file, from.line, refused.reason, totals);
        }
        totals.added += report.added;
        totals.duplicates += report.duplicates;
    }
    const std::string counts = std::to_string(totals.added) + " added, " +
                               std::to_string(totals.duplicates) + " skipped as duplicates, " +
                               std::to_string(totals.refused) + " refused\n";
    if (const auto problem = WriteChecked(out, counts)) {
        err << kProgram << ": standard output: " << *problem << "\n";
        return kExitOutputNotWritten;
    }
    return totals.refused == 0 ? kExitOk : kExitSomeRefused;
}

int ExportBirths(const std::string& db, const std::string& path, const std::string& format,
                 const std::optional<std::string>& search, std::ostream& out, std::ostream& err) {
    std::error_code error;
    const bool folder = std::filesystem::is_directory(path, error);
    std::optional<Format> kind;
    if (!format.empty()) {
        kind = ParseFormat(format);
        if (!kind) {
            err << kProgram << ": --format " << format << ": expected jsonl, jhd, aaf or csv\n";
            return kExitBadCommandLine;
        }
    } else {
        kind = folder ? std::optional<Format>(Format::Jhd) : exchange::FormatOfExtension(path);
        if (!kind) {
            err << kProgram << ": --export " << path
                << ": give --format jsonl, jhd, aaf or csv (the name's extension names none)\n";
            return kExitBadCommandLine;
        }
    }
    if (folder && *kind != Format::Jhd) {
        err << kProgram << ": --export " << path << ": a folder; only --format jhd writes one\n";
        return kExitBadCommandLine;
    }
    if (*kind == Format::Jhd && !folder && std::filesystem::exists(path, error)) {
        err << kProgram << ": --export " << path
            << ": not a folder; --format jhd writes a folder of .jhd files\n";
        return kExitBadCommandLine;
    }
    auto opened = BirthsLibrary::Open(db, BirthsLibrary::Mode::ReadOnly);
    if (auto* e = std::get_if<library::LibraryError>(&opened)) {
        err << kProgram << ": " << e->message << "\n";
        return kExitLibraryUnusable;
    }
    std::vector<library::StoredBirth> births;
    int status = kExitOk;
    const auto read =
        std::get<std::unique_ptr<BirthsLibrary>>(opened)->ForEach([&](library::ReadBirth&& row) {
            if (!row.fault.empty()) {
                err << kProgram << ": " << row.fault << "\n";
                status = kExitSomeRefused;
            } else if (!search || library::MatchesSearch(row.stored, *search)) {
                births.push_back(std::move(row.stored));
            }
            return true;
        });
    if (read) {
        err << kProgram << ": " << read->message << "\n";
        return kExitLibraryUnusable;
    }
    auto written = exchange::WriteBirths(*kind, path, births);
    if (auto* problem = std::get_if<std::string>(&written)) {
        err << kProgram << ": --export: " << *problem << "\n";
        return kExitPageNotWritten;
    }
    const exchange::ExportSummary& summary = std::get<exchange::ExportSummary>(written);
    std::string said = std::to_string(summary.written) + " births written to " + path;
    if (summary.unchanged > 0) {
        said += ", " + std::to_string(summary.unchanged) + " already there in the same file";
    }
    if (const auto problem = WriteChecked(out, said + "\n")) {
        err << kProgram << ": standard output: " << *problem << "\n";
        return kExitOutputNotWritten;
    }
    return status;
}

}  // namespace korvanta
