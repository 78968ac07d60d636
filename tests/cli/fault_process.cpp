// SPDX-License-Identifier: GPL-3.0-or-later
#include "fault_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace korvanta::testing {

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvanta-fault-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    // Folders made read-only by a test must be writable again to be removed.
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
        if (entry.is_directory(error)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        }
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

std::vector<std::string> ScratchDir::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

CliRun RunCliUnder(const std::vector<std::string>& args, const Faults& faults) {
    ScratchDir scratch;
    const std::string inPath = faults.stdinPath.empty() ? scratch.File("in") : faults.stdinPath;
    if (faults.stdinPath.empty()) WriteWholeFile(inPath, faults.input);
    const std::string outPath = scratch.File("out"), errPath = scratch.File("err");

    int pipeEnds[2] = {-1, -1};
    if (faults.stdoutPipeClosed) {
        if (pipe(pipeEnds) != 0) throw std::runtime_error("no pipe");
        close(pipeEnds[0]);  // the reader is gone before the first write
    }
    std::vector<std::string> argStrings = {KORVANTA_CLI_PATH};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : argStrings) argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open(inPath.c_str(), O_RDONLY);
        int out = -1;
        if (faults.stdoutPipeClosed) {
            out = pipeEnds[1];
        } else if (!faults.stdoutPath.empty()) {
            out = open(faults.stdoutPath.c_str(), O_WRONLY);
        } else {
            out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        }
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (faults.fileSizeLimit >= 0) {
            const rlimit limit{static_cast<rlim_t>(faults.fileSizeLimit),
                               static_cast<rlim_t>(faults.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
            signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
        }
        execv(KORVANTA_CLI_PATH, argv.data());
        _exit(127);
    }
    if (faults.stdoutPipeClosed) close(pipeEnds[1]);
    CliRun run;
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (faults.stdoutPath.empty() && !faults.stdoutPipeClosed) run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    return run;
}

}  // namespace korvanta::testing
