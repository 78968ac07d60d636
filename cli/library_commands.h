// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's use of the births library: --list-births, --import,
// --birth and --save, each opening the library named by --db.
#pragma once

#include <iosfwd>
#include <string>
#include <variant>

#include "library/births_library.h"

namespace korvanta {

// --list-births [TEXT]: every stored birth matching TEXT, one input record
// with its "id" per line. Rows that can no longer be read are named on `err`
// and left out.
int ListBirths(const std::string& db, const std::string& text, std::ostream& out,
               std::ostream& err);

// --import FILE ("-": `in`): imports as the window does and prints the counts
// on `out`, each refused line with its number on `err`.
int ImportBirths(const std::string& db, const std::string& file, std::istream& in,
                 std::ostream& out, std::ostream& err);

// --birth ID-OR-NAME: the stored birth with that id, or the one birth with
// that name; otherwise the exit status, the reason (and the candidates) on `err`.
std::variant<library::StoredBirth, int> FindStoredBirth(const std::string& db,
                                                        const std::string& idOrName,
                                                        std::ostream& err);

// --save: stores `birth`; 0 when it is stored (or the very same birth already
// was), the exit status otherwise, the reason on `err`.
int SaveBirth(const std::string& db, const library::StoredBirth& birth, std::ostream& err);

}  // namespace korvanta
