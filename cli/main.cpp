// SPDX-License-Identifier: GPL-3.0-or-later
// korvanta-cli: Korvanta's chart on the command line.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
    // A standard descriptor closed by the caller would be taken by the next
    // file opened (the births library as standard input, say). A pipe's end
    // holds its place, the end that fails as a closed descriptor does
    // (EBADF): reading standard input, or writing standard output, is then
    // reported as the failure it is, never done on another file.
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        int ends[2];
        if (::pipe(ends) != 0) return 127;
        const int held = fd == 0 ? ends[1] : ends[0];  // the end that cannot serve
        const int other = fd == 0 ? ends[0] : ends[1];
        if (held != fd) {
            if (::dup2(held, fd) != fd) return 127;
            ::close(held);
        }
        if (other != fd) ::close(other);
    }
    // The streams carry bytes as they are: UTF-8 out, whatever the locale.
    std::ios::sync_with_stdio(false);
    // A reader that went away is a failed write like any other: reported with
    // its own status rather than a silent death by SIGPIPE. A file-size limit
    // likewise: the write fails with EFBIG and the file being written is
    // removed, rather than the program being killed half-way.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    return korvanta::RunCli(argc, argv, std::cin, std::cout, std::cerr);
}
