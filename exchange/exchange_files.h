// SPDX-License-Identifier: GPL-3.0-or-later
// Files and folders of births: which kind a file is, the files an import
// argument stands for, and writing the library out in each kind.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "exchange/exchange.h"

namespace korvanta::exchange {

// The kind of a births file by its first bytes: a JSON object ("{"), an AAF
// record ("#"), a CSV header ("name,"), or a .jhd file (a whole number on the
// first line). Blank lines and a byte-order mark before them are passed over.
// Empty when the bytes are none of these.
std::optional<Format> DetectFormat(std::string_view head);

// The kind a file name's extension names (".jsonl", ".jhd", ".aaf", ".csv",
// any case); empty for any other.
std::optional<Format> FormatOfExtension(std::string_view path);

// One file an import argument stands for, or why it cannot be read.
struct ImportSource {
    std::string path;
    std::string fault;  // empty: readable
};

// A file stands for itself; a folder for the .jhd files in it, by name. An
// entry named *.jhd that is a folder or not a regular file is listed with
// its fault; other files of the folder are left aside and counted.
std::vector<ImportSource> ExpandImportPath(const std::string& path, long* leftAside = nullptr);

// Reads one file of a known kind other than JSON lines.
ReadResult ReadBirthsFile(Format format, const std::string& path, std::istream& in,
                          PlaceFinder& places);

// What an export wrote.
struct ExportSummary {
    long written = 0;    // births written
    long unchanged = 0;  // .jhd files already holding the very same birth
};

// Writes `births` to `path`: a folder of .jhd files (made when missing; a
// file of another birth is never overwritten, the new one takes a numbered
// name), or one file for the other kinds, replaced whole only once it is
// completely written. Returned: the summary or why it failed.
std::variant<ExportSummary, std::string> WriteBirths(
    Format format, const std::string& path, const std::vector<library::StoredBirth>& births);

}  // namespace korvanta::exchange
