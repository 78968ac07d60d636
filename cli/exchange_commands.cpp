// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/exchange_commands.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <istream>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/output_stream.h"
#include "exchange/exchange_files.h"
#include "exchange/library_import.h"
#include "library/births_library.h"

namespace korvanta {
namespace {

constexpr const char* kProgram = "korvanta-cli";

using exchange::Format;
using library::BirthsLibrary;

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
    for (const std::string& file : files) {
        std::error_code error;
        if (file.empty()) {
            err << kProgram << ": --import was given an empty value (see --help)\n";
            return kExitBadCommandLine;
        }
        if (file != "-" && !std::filesystem::exists(file, error)) {
            err << kProgram << ": --import " << file << ": the file cannot be read\n";
            return kExitBadCommandLine;
        }
    }
    auto opened = BirthsLibrary::Open(db, BirthsLibrary::Mode::ReadWrite);
    if (auto* e = std::get_if<library::LibraryError>(&opened)) {
        err << kProgram << ": " << e->message << "\n";
        return kExitLibraryUnusable;
    }
    auto result =
        exchange::ImportIntoLibrary(*std::get<std::unique_ptr<BirthsLibrary>>(opened), files, &in);
    if (auto* e = std::get_if<library::LibraryError>(&result)) {
        err << kProgram << ": " << e->message << "\n";
        return kExitLibraryUnusable;
    }
    const exchange::LibraryImportSummary& summary =
        std::get<exchange::LibraryImportSummary>(result);
    const auto said = [&](const exchange::FileRemark& remark) {
        err << kProgram << ": " << remark.file;
        if (remark.line > 0) err << " line " << remark.line;
        if (!remark.name.empty()) err << ": " << remark.name;
        err << ": " << remark.text << "\n";
    };
    for (const exchange::FileRemark& note : summary.notes) said(note);
    for (const exchange::FileRemark& refused : summary.refused) said(refused);
    const std::string counts = std::to_string(summary.added) + " added, " +
                               std::to_string(summary.duplicates) + " skipped as duplicates, " +
                               std::to_string(summary.refused.size()) + " refused\n";
    if (const auto problem = WriteChecked(out, counts)) {
        err << kProgram << ": standard output: " << *problem << "\n";
        return kExitOutputNotWritten;
    }
    return summary.refused.empty() ? kExitOk : kExitSomeRefused;
}

int ExportBirths(const std::string& db, const std::string& path, const std::string& format,
                 const std::optional<std::string>& search, std::ostream& out, std::ostream& err) {
    std::error_code error;
    const bool folder = std::filesystem::is_directory(path, error);
    std::optional<Format> kind;
    if (!format.empty()) {
        kind = exchange::FormatOfName(format);
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
