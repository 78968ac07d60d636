// SPDX-License-Identifier: GPL-3.0-or-later
#include "fault_process.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
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
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvanta-fault-XXXXXX").string();
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

namespace {

// In a mount namespace of the calling process's own (a user namespace too
// when it is not root), `folder` bound onto itself read-only.
bool MountReadOnly(const char* folder) {
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (uid == 0) {
        if (unshare(CLONE_NEWNS) != 0) return false;
    } else {
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
        WriteWholeFile("/proc/self/setgroups", "deny");
        WriteWholeFile("/proc/self/uid_map",
                       std::to_string(uid) + " " + std::to_string(uid) + " 1");
        WriteWholeFile("/proc/self/gid_map",
                       std::to_string(gid) + " " + std::to_string(gid) + " 1");
    }
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount(folder, folder, nullptr, MS_BIND, nullptr) == 0 &&
           mount(nullptr, folder, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

}  // namespace

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
        if (faults.stdinClosed) close(0);
        if (faults.fileSizeLimit >= 0) {
            const rlimit limit{static_cast<rlim_t>(faults.fileSizeLimit),
                               static_cast<rlim_t>(faults.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
            // Ignored, a write past the limit fails with EFBIG; by default
            // the signal kills, unless the program ignores it itself.
            signal(SIGXFSZ, faults.sigxfszDefault ? SIG_DFL : SIG_IGN);
        }
        if (!faults.readOnlyFolder.empty()) {
            const char* folder = faults.readOnlyFolder.c_str();
            if (!MountReadOnly(folder)) _exit(kNoReadOnlyMount);
        }
        // A program that hangs is ended rather than the test run.
        alarm(300);
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
