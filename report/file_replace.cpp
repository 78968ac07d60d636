// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

namespace korvanta {
namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

// Writes all of `bytes` to `fd`; the errno of the failing write, or 0.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Opens a new file next to `target` under a name no other file has.
int CreateTemporary(const std::string& target, std::string& name) {
    const auto slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    // "." + base + "." + 8 letters + ".part" must itself be a legal name:
    // a long name's base is cut (names are bytes to the system) so that a
    // target of the longest legal name can still be written.
    long nameMax = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (nameMax <= 0) nameMax = NAME_MAX;
    constexpr std::size_t kAdded = 1 + 1 + 8 + 5;
    const std::size_t room =
        static_cast<std::size_t>(nameMax) > kAdded ? static_cast<std::size_t>(nameMax) - kAdded : 1;
    if (base.size() > room) base.resize(room);
    std::random_device seed;
    std::mt19937_64 random(seed());
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(8, 'x');
        for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
        name = folder + "." + base + "." + suffix + ".part";
        // 0666 less the umask: the mode a newly made file of the user's has.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

std::optional<std::string> WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return Reason(errno);
    const int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0 && errno != EINTR) return Reason(errno);
    if (error != 0) return Reason(error);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReplaceFileWhole(const std::string& path, std::string_view bytes) {
    if (path.empty()) return Reason(ENOENT);
    std::string target = path;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) return Reason(EISDIR);
        if (!S_ISREG(existing.st_mode)) return WriteInPlace(path, bytes);
        // Through links to the file itself, so that the link stays a link.
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
    } else if (errno != ENOENT) {
        return Reason(errno);
    }

    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return Reason(errno);
    int error = WriteAll(fd, bytes);
    if (error == 0 && exists && ::fchmod(fd, existing.st_mode & 07777) != 0) error = errno;
    // A file system without fsync (EINVAL) still gets the file renamed.
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL) error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return Reason(error);
    }
    return std::nullopt;
}

}  // namespace korvanta
