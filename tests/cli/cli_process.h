// Running the built korvanta-cli from a test, and the births the tests use.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "pipeline/entry.h"

namespace korvanta::testing {

struct CliRun {
    int status = -1;  // exit status; -1 when the program did not exit normally
    std::string out, err;
};

// Runs korvanta-cli with `args`, `input` on its standard input and the given
// extra environment variables (LC_ALL=C...). Waits for it to end.
CliRun RunCliProgram(const std::vector<std::string>& args, const std::string& input = "",
                     const std::map<std::string, std::string>& env = {});

// One birth as a test writes it.
struct Birth {
    std::string name;
    int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int latDeg = 0, latMin = 0;
    bool south = false;
    int lonDeg = 0, lonMin = 0;
    bool east = true;
    int zone = kDefaultZoneIndex;
    bool dst = false;
    std::string city, state, country;
};

// Shows a birth by its name in test failure messages.
void PrintTo(const Birth& birth, std::ostream* out);

// The entry controls of the birth, as the window would hold them.
EntryForm FormOf(const Birth& birth);
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
