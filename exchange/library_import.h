// SPDX-License-Identifier: GPL-3.0-or-later
// Importing births files into the births library, the same for the window
// and the command line: each file read as the kind its content shows, each
// folder as its .jhd files, every usable birth stored.
#pragma once

#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

#include "library/births_library.h"

namespace korvanta::exchange {

// A sentence about one record of one file; line 0: the file as a whole.
struct FileRemark {
    std::string file;  // as given ("standard input" for "-")
    long line = 0;
    std::string name;  // the birth's name, for notes on a birth
    std::string text;
};

struct LibraryImportSummary {
    long added = 0;
    long duplicates = 0;  // already stored, or met earlier in the import
    std::vector<FileRemark> refused;
    std::vector<FileRemark> notes;  // what the import decided
};

// Imports `paths` into `library`. "-" reads `standardInput`. A file of JSON
// lines is one transaction of its own; the births of every other file go in
// together in one more, so a failure adds none of them. Returned: the
// summary, or the library's failure (files stored before it stay stored).
std::variant<LibraryImportSummary, library::LibraryError> ImportIntoLibrary(
    library::BirthsLibrary& library, const std::vector<std::string>& paths,
    std::istream* standardInput = nullptr);

}  // namespace korvanta::exchange
