// korvanta-cli: Korvanta's chart on the command line.
#include <iostream>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
    // The streams carry bytes as they are: UTF-8 out, whatever the locale.
    std::ios::sync_with_stdio(false);
    return korvanta::RunCli(argc, argv, std::cin, std::cout, std::cerr);
}
