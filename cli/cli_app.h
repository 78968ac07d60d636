// SPDX-License-Identifier: GPL-3.0-or-later
// korvanta-cli's command line: the flags, the three modes (one chart as text
// or JSON, a batch of JSON lines, the zone list) and the exit statuses.
#pragma once

#include <iosfwd>

namespace korvanta {

// Exit statuses of korvanta-cli.
enum ExitStatus : int {
    kExitOk = 0,
    kExitBadCommandLine = 1,    // unknown or malformed flag, missing --date or --time
    kExitRefused = 2,           // the entry check refused the birth data
    kExitBatchFailures = 3,     // --batch: at least one line gave an error object
    kExitPageNotWritten = 4,    // --pdf or --png: the file could not be written
    kExitOutputNotWritten = 5,  // standard output could not be written
    kExitLibraryUnusable = 6,   // the births library cannot be opened, read or written
    kExitNoSuchBirth = 7,       // --birth: no stored birth, several, or one that no longer reads
    kExitSomeRefused = 8,       // --import refused a line, or --list-births skipped a row
    kExitAlreadyStored = 9,     // --save: another birth of this name and moment is stored
    kExitInputNotRead = 10,     // --import: its input could not be read (nothing imported)
    kExitAstronomyFailed = 11,  // --astronomy precise could not compute (its data files missing)
};

// Runs korvanta-cli with the given arguments (argv[0] is the program name),
// reading batch input from `in` and writing results to `out`, help included,
// and messages to `err`. Returns the exit status.
int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace korvanta
