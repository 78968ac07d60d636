// SPDX-License-Identifier: GPL-3.0-or-later
// korvanta-cli: Korvanta's chart on the command line.
#include <csignal>
#include <iostream>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
    // The streams carry bytes as they are: UTF-8 out, whatever the locale.
    std::ios::sync_with_stdio(false);
    // A reader that went away is a failed write like any other: reported with
    // its own status rather than a silent death by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    return korvanta::RunCli(argc, argv, std::cin, std::cout, std::cerr);
}
