// SPDX-License-Identifier: GPL-3.0-or-later
// korvanta-cli: Korvanta's chart on the command line.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
    // A standard stream closed by the caller would be taken by the next file
    // opened (the births library as standard input, say). /dev/null holds its
    // place, and the stream is marked failed: reading it or writing to it is
    // reported, never done on another file.
    bool closed[3] = {false, false, false};
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        if (::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd) return 127;
        closed[fd] = true;
    }
    // The streams carry bytes as they are: UTF-8 out, whatever the locale.
    // (This resets the streams' states, so the marks come after it.)
    std::ios::sync_with_stdio(false);
    std::ios* streams[] = {&std::cin, &std::cout, &std::cerr};
    for (int fd = 0; fd <= 2; ++fd) {
        if (closed[fd]) streams[fd]->setstate(std::ios::badbit);
    }
    // A reader that went away is a failed write like any other: reported with
    // its own status rather than a silent death by SIGPIPE. A file-size limit
    // likewise: the write fails with EFBIG and the file being written is
    // removed, rather than the program being killed half-way.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    return korvanta::RunCli(argc, argv, std::cin, std::cout, std::cerr);
}
