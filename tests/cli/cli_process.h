// SPDX-License-Identifier: GPL-3.0-or-later
// Running the built korvanta-cli from a test, and the births the tests use.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "pipeline/entry.h"
#include "support/chart_fixtures.h"

namespace korvanta::testing {

struct CliRun {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out, err;
};

// Runs korvanta-cli with `args`, `input` on its standard input and the given
// extra environment variables (LC_ALL=C...). Waits for it to end.
CliRun RunCliProgram(const std::vector<std::string>& args, const std::string& input = "",
                     const std::map<std::string, std::string>& env = {});

// The command-line flags that describe the birth (zone by index).
std::vector<std::string> FlagsOf(const Birth& birth);
// The birth as one input record line (compact JSON, no line break).
std::string RecordLineOf(const Birth& birth);

// The births most tests use.
Birth NewDelhi1980();           // the README example
Birth BuenosAiresNight();       // south and west, a birth after sunset
Birth LongyearbyenMidsummer();  // far north in June: the Sun does not set

// The lines of a text, without their line breaks.
std::vector<std::string> Lines(const std::string& text);

}  // namespace korvanta::testing

namespace korvanta {
// Shows a birth by its name in test failure messages (found by GoogleTest
// beside Birth).
void PrintTo(const Birth& birth, std::ostream* out);
}  // namespace korvanta
