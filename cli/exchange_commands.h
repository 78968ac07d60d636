// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's births in and out of other programs: --import of JSON
// lines, .jhd files (or folders of them), AAF and CSV files, and --export of
// the library (or of the births --list-births finds) in any of the four.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace korvanta {

struct ExchangeFlags {
    std::vector<std::string> imports;  // --import FILE...
    std::string exportPath;            // --export PATH
    std::string format;                // --format jsonl|jhd|aaf|csv
};

// Adds --import, --export and --format to `app`.
void AddExchangeFlags(CLI::App& app, ExchangeFlags& flags);

// --import FILE...: each file ("-": `in`) read as the kind its content shows,
// each folder as its .jhd files; every usable birth stored (JSON lines one
// transaction a file, the other kinds one transaction together). Prints the
// counts on `out`; each refused record with its file and line, and what the
// import decided for each birth, on `err`. Exit status 8 when any record was
// refused.
int ImportFiles(const std::string& db, const std::vector<std::string>& files, std::istream& in,
                std::ostream& out, std::ostream& err);

// --export PATH [--format KIND]: the stored births (only those matching
// `search` when given) written as KIND, or the kind PATH's extension names.
int ExportBirths(const std::string& db, const std::string& path, const std::string& format,
                 const std::optional<std::string>& search, std::ostream& out, std::ostream& err);

}  // namespace korvanta
