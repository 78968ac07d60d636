// SPDX-License-Identifier: GPL-3.0-or-later
// korvanta-cli's flags as CLI11 holds them: every flag with its example,
// the value checks as CLI11 validators, and the modes' rules (--batch,
// --list-zones, --list-births, --import and --birth stand alone, --birth
// taking --pdf, --png, --sensitivity and --json beside it) as CLI11's
// `excludes`. The messages are the program's own, worded from the same table
// the rules are made from.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/exchange_commands.h"
#include "pipeline/positions_source.h"

namespace korvanta {

// The flags as typed; empty texts for flags not given.
struct Flags {
    std::string name, date, time, lat, lon, zone, offset, city, state, country;
    std::string place, pdf, png;
    std::string sensitivity;
    int sensitivityMinutes = 0;  // 0: no strip
    std::string db, listText, birth;
    ExchangeFlags exchange;  // --import, --export, --format
    std::string style = "south";
    std::string varga;  // --varga N as typed; the chart drawn is D1 without it
    bool allPadas = false;
    bool dst = false, json = false, batch = false, listZones = false, save = false;
    bool noDst = false;
    bool vargas = false;  // --vargas: the divisional charts in the JSON
    // --astronomy, --node, --sunrise: the astronomy and its choices.
    std::string astronomy = "classic", node = "mean", sunrise = "limb";
    int jobs = 0;  // --batch threads; 0: not given
    // Set by the first value check that fails: the whole message line after
    // "korvanta-cli: ".
    std::optional<std::string> refusedValue;

    const CLI::App* app = nullptr;
    // Whether `flag` appears on the command line (with any value, "" too).
    bool Given(const std::string& flag) const { return app != nullptr && app->count(flag) > 0; }
};

// The astronomy the flags choose.
AstronomyOptions AstronomyOfFlags(const Flags& flags);

// Adds every flag, its check and its rules to `app`, storing into `flags`.
void AddFlags(CLI::App& app, Flags& flags);

// The program's wording of the rule a command line breaks among the modes
// ("--batch and --list-zones exclude each other", "--batch takes no --pdf",
// "--db needs --save, --list-births, --birth or --import"); empty when it
// breaks none.
std::string ModeConflict(const Flags& flags);

}  // namespace korvanta
