// SPDX-License-Identifier: GPL-3.0-or-later
// Running korvanta-cli under the faults a user meets: standard output on a
// full device or a pipe nobody reads, a file-size limit, something other than
// a file on standard input.
#pragma once

#include <string>
#include <vector>

#include "cli_process.h"

namespace korvanta::testing {

struct Faults {
    std::string input;              // standard input's bytes, unless stdinPath is set
    std::string stdinPath;          // a path opened as standard input (a folder, say)
    std::string stdoutPath;         // a path opened as standard output (/dev/full, say)
    bool stdoutPipeClosed = false;  // standard output a pipe whose reader has gone
    long fileSizeLimit = -1;        // RLIMIT_FSIZE in bytes, with SIGXFSZ ignored
    bool sigxfszDefault = false;    // with fileSizeLimit: SIGXFSZ left as it kills
    bool stdinClosed = false;       // descriptor 0 closed
    // A folder made read-only for the program alone (a read-only bind mount
    // in a mount namespace of its own): even root cannot write there. The
    // run's status is kNoReadOnlyMount where the system allows no such mount.
    std::string readOnlyFolder;
};

inline constexpr int kNoReadOnlyMount = 125;

// Runs korvanta-cli with `args` under `faults`; standard output (unless
// redirected) and standard error are captured.
CliRun RunCliUnder(const std::vector<std::string>& args, const Faults& faults);

// The whole contents of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// A folder of its own in the temporary directory, removed with its contents.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }
    // The names in the folder, sorted.
    std::vector<std::string> Names() const;

  private:
    std::string path_;
};

}  // namespace korvanta::testing
