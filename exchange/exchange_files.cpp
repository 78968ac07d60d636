// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/exchange_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>

#include "exchange/aaf.h"
#include "exchange/csv.h"
#include "exchange/jhd.h"

namespace korvanta::exchange {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return lower;
}

std::string SystemError(int code) {
    return std::strerror(code);
}

// Writes all of `text` to the open descriptor; the error text on failure.
std::optional<std::string> WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t done = ::write(fd, text.data(), text.size());
        if (done < 0) {
            if (errno == EINTR) continue;
            return SystemError(errno);
        }
        text.remove_prefix(static_cast<std::size_t>(done));
    }
    return std::nullopt;
}

// Writes `text` as the new file `path`, which must not exist. Returned: the
// error, or empty; EEXIST is told by `exists`.
std::optional<std::string> WriteNewFile(const std::string& path, std::string_view text,
                                        bool& exists) {
    exists = false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        exists = errno == EEXIST;
        return path + ": " + SystemError(errno);
    }
    auto problem = WriteAll(fd, text);
    if (::close(fd) != 0 && !problem) problem = SystemError(errno);
    if (problem) {
        ::unlink(path.c_str());
        return path + ": " + *problem;
    }
    return std::nullopt;
}

// Replaces `path` with `text` whole: a temporary file beside it, renamed over
// it once written, so a failure leaves the old file as it was.
std::optional<std::string> ReplaceFile(const std::string& path, std::string_view text) {
    // A pipe or a device (/dev/stdout) is written directly: it cannot be
    // replaced and holds no old contents to keep.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) &&
        !S_ISDIR(status.st_mode)) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return path + ": " + SystemError(errno);
        auto problem = WriteAll(fd, text);
        if (::close(fd) != 0 && !problem) problem = SystemError(errno);
        if (problem) return path + ": " + *problem;
        return std::nullopt;
    }
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return path + ": " + SystemError(errno);
    // mkstemp makes the file 0600; an exported file is as readable as any other.
    std::optional<std::string> problem;
    if (::fchmod(fd, 0644) != 0) problem = SystemError(errno);
    if (!problem) problem = WriteAll(fd, text);
    if (!problem && ::fsync(fd) != 0) problem = SystemError(errno);
    if (::close(fd) != 0 && !problem) problem = SystemError(errno);
    if (!problem && ::rename(temporary.c_str(), path.c_str()) != 0) problem = SystemError(errno);
    if (problem) {
        ::unlink(temporary.c_str());
        return path + ": " + *problem;
    }
    return std::nullopt;
}

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(limit + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > limit) return std::nullopt;
    return text;
}

std::variant<ExportSummary, std::string> WriteJhdFolder(
    const std::string& folder, const std::vector<library::StoredBirth>& births) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error)) {
        return folder + ": the folder cannot be made" +
               (error ? " (" + error.message() + ")" : std::string());
    }
    ExportSummary summary;
    for (const library::StoredBirth& stored : births) {
        const std::string text = JhdText(stored.birth);
        const std::string stem = JhdFileStem(stored.birth.name);
        bool done = false;
        for (int number = 1; number <= 10000 && !done; ++number) {
            const std::string name =
                stem + (number == 1 ? "" : " (" + std::to_string(number) + ")") + ".jhd";
            const std::string path = (fs::path(folder) / name).string();
            bool exists = false;
            const auto problem = WriteNewFile(path, text, exists);
            if (!problem) {
                ++summary.written;
                done = true;
            } else if (!exists) {
                return *problem;
            } else if (ReadSmallFile(path, text.size()) == text) {
                // The file already holds this very birth.
                ++summary.unchanged;
                done = true;
            }
        }
        if (!done) return folder + ": no free file name for " + stem;
    }
    return summary;
}

}  // namespace

std::optional<Format> DetectFormat(std::string_view head) {
    if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
    const auto first = head.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return std::nullopt;
    head.remove_prefix(first);
    if (head.front() == '{') return Format::JsonLines;
    if (head.front() == '#') return Format::Aaf;
    const std::string start = Lower(head.substr(0, 7));
    if (start.starts_with("name,") || start.starts_with("\"name\",")) return Format::Csv;
    const std::string_view line = head.substr(0, head.find_first_of("\r\n"));
    const auto end = line.find_last_not_of(" \t");
    const std::string_view number = line.substr(0, end == std::string_view::npos ? 0 : end + 1);
    if (!number.empty() && number.size() <= 2 &&
        number.find_first_not_of("0123456789") == std::string_view::npos)
        return Format::Jhd;
    return std::nullopt;
}

std::optional<Format> FormatOfExtension(std::string_view path) {
    const std::string extension = Lower(fs::path(path).extension().string());
    if (extension == ".jsonl" || extension == ".json") return Format::JsonLines;
    if (extension == ".jhd") return Format::Jhd;
    if (extension == ".aaf") return Format::Aaf;
    if (extension == ".csv") return Format::Csv;
    return std::nullopt;
}

std::vector<ImportSource> ExpandImportPath(const std::string& path, long* leftAside) {
    std::error_code error;
    if (!fs::is_directory(path, error)) return {{path, ""}};
    std::vector<ImportSource> sources;
    long aside = 0;
    for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        const fs::path entry = it->path();
        if (Lower(entry.extension().string()) != ".jhd") {
            ++aside;
            continue;
        }
        std::error_code kind;
        if (it->is_directory(kind)) {
            sources.push_back({entry.string(), "a folder, not a .jhd file"});
        } else if (!it->is_regular_file(kind)) {
            sources.push_back({entry.string(), "not a regular file"});
        } else {
            sources.push_back({entry.string(), ""});
        }
    }
    if (error) return {{path, "the folder cannot be read: " + error.message()}};
    std::sort(sources.begin(), sources.end(),
              [](const ImportSource& a, const ImportSource& b) { return a.path < b.path; });
    if (leftAside != nullptr) *leftAside = aside;
    return sources;
}

ReadResult ReadBirthsFile(Format format, const std::string& path, std::istream& in,
                          PlaceFinder& places) {
    switch (format) {
        case Format::Jhd:
            return ReadJhd(fs::path(path).stem().string(), in, places);
        case Format::Aaf:
            return ReadAaf(in, places);
        case Format::Csv:
            return ReadCsv(in, places);
        case Format::JsonLines:
            break;
    }
    ReadResult result;
    result.refused.push_back({0, "JSON lines are read by the births library itself"});
    return result;
}

std::variant<ExportSummary, std::string> WriteBirths(
    Format format, const std::string& path, const std::vector<library::StoredBirth>& births) {
    if (format == Format::Jhd) return WriteJhdFolder(path, births);
    std::string text;
    if (format == Format::Csv) text = "\xEF\xBB\xBF" + std::string(kCsvHeader) + "\r\n";
    for (const library::StoredBirth& stored : births) {
        switch (format) {
            case Format::JsonLines:
                // A birth read from the library keeps its id; any other has none.
                text += (stored.id > 0 ? library::ExportLine(stored) : RecordLine(stored)) + "\n";
                break;
            case Format::Aaf:
                text += AafText(stored);
                break;
            case Format::Csv:
                text += CsvRow(stored);
                break;
            case Format::Jhd:
                break;
        }
    }
    if (auto problem = ReplaceFile(path, text)) return *problem;
    return ExportSummary{static_cast<long>(births.size()), 0};
}

}  // namespace korvanta::exchange
