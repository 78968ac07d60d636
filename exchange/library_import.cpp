// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/library_import.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <istream>
#include <sstream>
#include <streambuf>

#include "exchange/exchange_files.h"

namespace korvanta::exchange {
namespace {

// Enough of a file's start to tell its kind.
constexpr std::size_t kHeadBytes = 4096;

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

}  // namespace

std::variant<LibraryImportSummary, library::LibraryError> ImportIntoLibrary(
    library::BirthsLibrary& library, const std::vector<std::string>& paths,
    std::istream* standardInput) {
    namespace fs = std::filesystem;
    LibraryImportSummary summary;
    std::vector<ImportSource> sources;
    for (const std::string& path : paths) {
        if (path == "-") {
            sources.push_back({path, ""});
            continue;
        }
        long aside = 0;
        std::vector<ImportSource> found = ExpandImportPath(path, &aside);
        std::error_code error;
        if (fs::is_directory(path, error)) {
            if (aside > 0) {
                summary.notes.push_back(
                    {path, 0, "",
                     std::to_string(aside) + " entries that are not .jhd files left aside"});
            }
            if (found.empty())
                summary.refused.push_back({path, 0, "", "the folder holds no .jhd file"});
        }
        sources.insert(sources.end(), found.begin(), found.end());
    }

    PlaceFinder places;
    std::ostringstream records;
    struct Pending {
        std::string file;
        long line = 0;
    };
    std::vector<Pending> pending;
    for (const ImportSource& source : sources) {
        const std::string shown = source.path == "-" ? "standard input" : source.path;
        const auto refuse = [&](long line, std::string reason) {
            summary.refused.push_back({shown, line, "", std::move(reason)});
        };
        if (!source.fault.empty()) {
            refuse(0, source.fault);
            continue;
        }
        std::ifstream file;
        std::streambuf* rest = standardInput != nullptr ? standardInput->rdbuf() : nullptr;
        if (source.path != "-") {
            std::error_code error;
            if (fs::is_directory(source.path, error)) {
                refuse(0, "a folder, not a births file");
                continue;
            }
            file.open(source.path, std::ios::binary);
            if (!file) {
                refuse(0, "the file cannot be read");
                continue;
            }
            rest = file.rdbuf();
        }
        std::string head = HeadOf(rest);
        std::optional<Format> format = DetectFormat(head);
        if (!format && source.path != "-") format = FormatOfExtension(source.path);
        if (!format) {
            refuse(1, "not a births file of a kind Korvanta reads (JSON lines, .jhd, AAF or CSV)");
            continue;
        }
        PrefixedBuffer buffer(std::move(head), rest);
        std::istream stream(&buffer);
        if (*format == Format::JsonLines) {
            auto result = library.Import(stream);
            if (auto* e = std::get_if<library::LibraryError>(&result)) {
                e->message = shown + ": " + e->message + "; nothing of this file was imported";
                return *e;
            }
            const library::ImportReport& report = std::get<library::ImportReport>(result);
            for (const auto& refused : report.refused) refuse(refused.line, refused.reason);
            summary.added += report.added;
            summary.duplicates += report.duplicates;
            continue;
        }
        ReadResult read = ReadBirthsFile(*format, source.path, stream, places);
        for (std::string& note : read.notes)
            summary.notes.push_back({shown, 0, "", std::move(note)});
        for (RefusedRecord& refused : read.refused) refuse(refused.line, std::move(refused.reason));
        for (const ImportedBirth& birth : read.births) {
            for (const std::string& note : birth.notes) {
                summary.notes.push_back({shown, birth.line, birth.stored.birth.name, note});
            }
            records << RecordLine(birth.stored) << "\n";
            pending.push_back({shown, birth.line});
        }
    }
    if (pending.empty()) return summary;
    std::istringstream stream(records.str());
    auto result = library.Import(stream);
    if (auto* e = std::get_if<library::LibraryError>(&result)) {
        e->message += "; none of the .jhd, AAF and CSV births was imported";
        return *e;
    }
    const library::ImportReport& report = std::get<library::ImportReport>(result);
    for (const auto& refused : report.refused) {
        // The import numbers the lines it was given, one a birth.
        const auto index =
            std::min(static_cast<std::size_t>(std::max(refused.line, 1L)) - 1, pending.size() - 1);
        summary.refused.push_back({pending[index].file, pending[index].line, "", refused.reason});
    }
    summary.added += report.added;
    summary.duplicates += report.duplicates;
    return summary;
}

}  // namespace korvanta::exchange
