// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_flags.h"

#include <array>
#include <functional>
#include <memory>
#include <sstream>
#include <variant>

#include "cli/flag_values.h"
#include "cli/varga_output.h"

namespace korvanta {
namespace {

// The modes, in the order a conflict between two of them is named.
constexpr std::array<const char*, 6> kModes = {"--batch",  "--list-zones", "--list-births",
                                               "--import", "--birth",      "--export"};
// --export writes what --list-births finds instead of printing it.
bool ModesGoTogether(std::string_view a, std::string_view b) {
    return (a == "--list-births" && b == "--export") || (a == "--export" && b == "--list-births");
}
// The flags that describe one birth, in the order a mode's conflict with
// them is named.
constexpr std::array<const char*, 16> kBirthFlags = {
    "--name",   "--date", "--time",  "--lat",     "--lon",   "--zone", "--offset", "--dst",
    "--no-dst", "--city", "--state", "--country", "--place", "--pdf",  "--png",    "--sensitivity"};
// Beside a stored birth (--birth), its page and its strip may be asked for.
bool BirthTakes(std::string_view flag) {
    return flag == "--pdf" || flag == "--png" || flag == "--sensitivity" || flag == "--json";
}
// Whether `mode` refuses `flag` beside it.
bool Excludes(std::string_view mode, std::string_view flag) {
    return !(mode == "--birth" && BirthTakes(flag));
}

// The astronomy's flags; only a chart's modes (one birth, --birth, --batch)
// take them.
constexpr std::array<const char*, 3> kAstronomyFlags = {"--astronomy", "--node", "--sunrise"};
bool TakesAstronomy(std::string_view mode) {
    return mode == "--batch" || mode == "--birth";
}

// Flags whose empty value can mean nothing: refused rather than taken as
// "not given".
constexpr std::array<const char*, 16> kNonEmptyFlags = {
    "--export", "--format", "--date", "--time", "--lat",   "--lon",    "--zone",        "--offset",
    "--place",  "--pdf",    "--png",  "--db",   "--birth", "--import", "--sensitivity", "--varga"};

bool NonEmptyFlag(std::string_view flag) {
    for (const char* name : kNonEmptyFlags) {
        if (flag == name) return true;
    }
    return false;
}

// A CLI11 validator running `check` on the flag's value; the first failure's
// message is kept for the program to print as it words it.
CLI::Validator ValueCheck(Flags& flags,
                          std::function<std::optional<std::string>(const std::string&)> check) {
    return CLI::Validator(
        [&flags, check = std::move(check)](std::string& value) -> std::string {
            auto message = check(value);
            if (!message) return "";
            if (!flags.refusedValue) flags.refusedValue = *message;
            return *message;
        },
        "");
}

// "--date 1980-13-05: the month must be from 01 to 12".
template <typename Parsed>
CLI::Validator Parses(Flags& flags, std::string flag,
                      std::function<std::variant<Parsed, FlagError>(std::string_view)> parse) {
    return ValueCheck(flags, [flag, parse](const std::string& value) -> std::optional<std::string> {
        const auto parsed = parse(value);
        if (const auto* e = std::get_if<FlagError>(&parsed))
            return flag + " " + value + ": " + e->reason;
        return std::nullopt;
    });
}

// "--city: holds a control character at byte 5" (the value never echoed).
CLI::Validator TextCheck(Flags& flags, std::string flag) {
    return ValueCheck(flags, [flag](const std::string& value) -> std::optional<std::string> {
        if (flag == "--name") {
            const auto name = ParseName(value);
            if (const auto* e = std::get_if<FlagError>(&name)) return flag + ": " + e->reason;
            return std::nullopt;
        }
        if (const auto e = CheckPlaceText(value)) return flag + ": " + e->reason;
        return std::nullopt;
    });
}

// The help names a flag's exclusions only where they are not the modes'
// (the text after the flags states those), so that "--dst Excludes:
// --no-dst" stays the one there.
class HelpFormatter : public CLI::Formatter {
  public:
    std::string make_option_opts(const CLI::Option* opt) const override {
        std::stringstream out;
        if (!opt->get_option_text().empty()) return " " + opt->get_option_text();
        if (opt->get_type_size() != 0) {
            if (!opt->get_type_name().empty()) out << " " << get_label(opt->get_type_name());
            if (!opt->get_default_str().empty()) out << "=" << opt->get_default_str();
            if (opt->get_expected_max() == CLI::detail::expected_max_vector_size) {
                out << " ...";
            } else if (opt->get_expected_min() > 1) {
                out << " x " << opt->get_expected();
            }
            if (opt->get_required()) out << " " << get_label("REQUIRED");
        }
        if (IsMode(opt->get_name())) return out.str();
        std::string excluded;
        for (const CLI::Option* other : opt->get_excludes()) {
            if (!IsMode(other->get_name())) excluded += " " + other->get_name();
        }
        if (!excluded.empty()) out << " " << get_label("Excludes") << ":" << excluded;
        return out.str();
    }

  private:
    static bool IsMode(const std::string& name) {
        for (const char* mode : kModes) {
            if (name == mode) return true;
        }
        return false;
    }
};

}  // namespace

void AddFlags(CLI::App& app, Flags& flags) {
    flags.app = &app;
    app.formatter(std::make_shared<HelpFormatter>());
    app.add_option("--name", flags.name, "Name of the person, e.g. --name \"ASHA RAO\"");
    app.add_option("--date", flags.date,
                   "Date of birth, 1901-01-01 to 2050-12-31, e.g. --date 1980-06-05")
        ->type_name("YYYY-MM-DD");
    app.add_option("--time", flags.time,
                   "Local clock time of birth, e.g. --time 09:05:30 or --time 21:40")
        ->type_name("HH:MM[:SS]");
    app.add_option("--lat", flags.lat,
                   "Latitude: degrees 0-89, N or S, minutes 0-59, e.g. --lat 28N36")
        ->type_name("DDhMM");
    app.add_option("--lon", flags.lon,
                   "Longitude: degrees 0-179, E or W, minutes 0-59, e.g. --lon 77E12")
        ->type_name("DDDhMM");
    app.add_option("--zone", flags.zone,
                   "Time zone: index 0-71, whole text, unique abbreviation or name "
                   "(see --list-zones), e.g. --zone IST or --zone 34; "
                   "default 29 \"Greenwich Mean Time,GMT,0.0\"; 71 \"Other UTC offset\" "
                   "takes --offset")
        ->type_name("ZONE");
    app.add_option("--offset", flags.offset,
                   "UTC offset of the birth place's standard time, -12:00 to +14:00, for a "
                   "clock no zone row has; chooses zone 71 \"Other UTC offset\", e.g. "
                   "--offset +05:45")
        ->type_name("+HH:MM");
    app.add_flag("--dst", flags.dst, "Daylight saving time was in force, e.g. --dst");
    app.add_flag("--no-dst", flags.noDst,
                 "Daylight saving time was not in force, where --place would tick it, "
                 "e.g. --no-dst");
    app.add_option("--city", flags.city, "City of birth, e.g. --city \"New Delhi\"");
    app.add_option("--state", flags.state, "State of birth, e.g. --state Delhi");
    app.add_option("--country", flags.country, "Country of birth, e.g. --country India");
    app.add_option("--place", flags.place,
                   "Birth place from the offline atlas, e.g. --place \"Pune, Maharashtra, "
                   "India\" or --place Pune: fills --lat, --lon, --zone, --dst, --city, "
                   "--state and --country for the birth moment; those flags, when given, "
                   "win over the atlas")
        ->type_name("PLACE");
    app.add_option("--pdf", flags.pdf,
                   "Also write the chart page as a PDF file, e.g. --pdf chart.pdf")
        ->type_name("FILE");
    app.add_option("--png", flags.png,
                   "Also write the chart page as a PNG image, e.g. --png chart.png")
        ->type_name("FILE");
    app.add_option("--sensitivity", flags.sensitivity,
                   "Also follow the ascendant, the Upapada and Arudha Lagnas, the Moon, the "
                   "retrograde marks and the sunrise case over MINUTES (15, 30, 60 or 120) "
                   "before and after the birth time: each one's stretches of equal value to "
                   "the second, in the text, the JSON and as a second page, e.g. "
                   "--sensitivity 60")
        ->type_name("MINUTES");
    app.add_option("--style", flags.style,
                   "Drawing of the chart in the text and the page: south (the default), north or "
                   "east, e.g. --style north")
        ->check(CLI::IsMember({"south", "north", "east"}));
    app.add_option("--varga", flags.varga,
                   "Draw divisional chart N in the text and the page, with its padas and Upapada "
                   "Lagna: 1 (the rasi chart, the default), 2, 3, 4, 7, 9, 10, 12, 16, 20, 24, "
                   "27, 30, 40, 45 or 60, e.g. --varga 9 for the Navamsa")
        ->type_name("N");
    app.add_flag("--all-padas", flags.allPadas,
                 "Tag the arudha pada of every house on the chart (AL, A2..A11, UL), e.g. "
                 "--all-padas");
    app.add_flag("--json", flags.json, "Print the chart as one JSON object, e.g. --json");
    app.add_flag("--vargas", flags.vargas,
                 "With --json, also give the sixteen divisional charts (D1, D2 .. D60): each "
                 "one's signs of the ten points, padas and Upapada Lagna, e.g. --json --vargas");
    app.add_option("--astronomy", flags.astronomy,
                   "Astronomy of the chart: classic (the default, the program's own) or precise "
                   "(Swiss Ephemeris with its data files from the package swe-basic-data, Lahiri "
                   "ayanamsa, to the arc-second), e.g. --astronomy precise")
        ->check(CLI::IsMember({"classic", "precise"}));
    app.add_option("--node", flags.node,
                   "With --astronomy precise, Rahu as the mean node (the default) or the true "
                   "node, e.g. --node true")
        ->check(CLI::IsMember({"mean", "true"}))
        ->needs("--astronomy");
    app.add_option("--sunrise", flags.sunrise,
                   "With --astronomy precise, sunrise as the upper limb with refraction (the "
                   "default) or the disc's centre without, e.g. --sunrise centre")
        ->check(CLI::IsMember({"limb", "centre"}))
        ->needs("--astronomy");
    app.add_flag("--batch", flags.batch,
                 "Read JSON records from standard input, one per line, and write one JSON result "
                 "per line, e.g. --batch < births.jsonl");
    app.add_option("--jobs", flags.jobs,
                   "With --batch, compute on N threads (1 to 256; default: every CPU this "
                   "process may use), the answers in input order all the same, e.g. --jobs 4")
        ->type_name("N");
    app.add_flag("--list-zones", flags.listZones,
                 "Print the 72 rows of the zone list with their indexes, e.g. --list-zones");
    app.add_option("--db", flags.db,
                   "The births library to use instead of $XDG_DATA_HOME/Korvanta/births.sqlite, "
                   "e.g. --db family.sqlite")
        ->type_name("FILE");
    app.add_flag("--save", flags.save,
                 "Store the birth given by the other flags in the births library, then print its "
                 "chart as usual, e.g. --save");
    app.add_option("--list-births", flags.listText,
                   "Print the stored births whose name, place or note contains TEXT (all without "
                   "TEXT), one input record with its \"id\" per line, e.g. --list-births pune")
        ->expected(0, 1)
        ->type_name("[TEXT]");
    app.add_option("--birth", flags.birth,
                   "Compute a stored birth, given by its id or its name, e.g. --birth 12 or "
                   "--birth \"ASHA RAO\"")
        ->type_name("ID-OR-NAME");
    AddExchangeFlags(app, flags.exchange);

    // The help lists the flags in groups by what they are for; a flag not
    // named here stays under "Options" (--help, --version).
    static constexpr std::pair<std::string_view, std::string_view> kGroups[] = {
        {"--name", "Birth"},
        {"--date", "Birth"},
        {"--time", "Birth"},
        {"--lat", "Birth"},
        {"--lon", "Birth"},
        {"--zone", "Birth"},
        {"--offset", "Birth"},
        {"--dst", "Birth"},
        {"--no-dst", "Birth"},
        {"--city", "Birth"},
        {"--state", "Birth"},
        {"--country", "Birth"},
        {"--place", "Birth"},
        {"--list-zones", "Birth"},
        {"--pdf", "Chart output"},
        {"--png", "Chart output"},
        {"--sensitivity", "Chart output"},
        {"--style", "Chart output"},
        {"--varga", "Chart output"},
        {"--all-padas", "Chart output"},
        {"--json", "Chart output"},
        {"--vargas", "Chart output"},
        {"--astronomy", "Astronomy"},
        {"--node", "Astronomy"},
        {"--sunrise", "Astronomy"},
        {"--batch", "Batch"},
        {"--jobs", "Batch"},
        {"--db", "Births library"},
        {"--save", "Births library"},
        {"--list-births", "Births library"},
        {"--birth", "Births library"},
        {"--import", "Births library"},
        {"--export", "Births library"},
        {"--format", "Births library"}};
    for (const auto& [flag, group] : kGroups) {
        app.get_option(std::string(flag))->group(std::string(group));
    }

    // The value checks, each on its flag: an empty value first, then what
    // the value must be.
    for (CLI::Option* option : app.get_options()) {
        const std::string flag = option->get_name();
        if (!NonEmptyFlag(flag)) continue;
        option->check(
            ValueCheck(flags, [flag](const std::string& value) -> std::optional<std::string> {
                if (value.empty()) return flag + " was given an empty value (see --help)";
                return std::nullopt;
            }));
    }
    app.get_option("--date")->check(Parses<DateValue>(flags, "--date", ParseDate));
    app.get_option("--time")->check(Parses<TimeValue>(flags, "--time", ParseTime));
    app.get_option("--lat")->check(Parses<CoordinateValue>(flags, "--lat", ParseLatitude));
    app.get_option("--lon")->check(Parses<CoordinateValue>(flags, "--lon", ParseLongitude));
    app.get_option("--zone")->check(Parses<int>(flags, "--zone", FindZone));
    app.get_option("--offset")->check(Parses<int>(flags, "--offset", ParseOffset));
    app.get_option("--sensitivity")
        ->check(Parses<int>(flags, "--sensitivity", ParseSensitivityMinutes));
    app.get_option("--varga")->check(Parses<int>(flags, "--varga", ParseVargaNumber));
    for (const char* flag : {"--name", "--city", "--state", "--country", "--place"})
        app.get_option(flag)->check(TextCheck(flags, flag));

    // The rules between flags.
    app.get_option("--dst")->excludes("--no-dst");
    for (std::size_t m = 0; m < kModes.size(); ++m) {
        CLI::Option* mode = app.get_option(kModes[m]);
        for (std::size_t other = m + 1; other < kModes.size(); ++other) {
            if (!ModesGoTogether(kModes[m], kModes[other]))
                mode->excludes(app.get_option(kModes[other]));
        }
        for (const char* flag : kBirthFlags) {
            if (Excludes(kModes[m], flag)) mode->excludes(app.get_option(flag));
        }
        mode->excludes(app.get_option("--save"));
        if (Excludes(kModes[m], "--json")) mode->excludes(app.get_option("--json"));
        if (!TakesAstronomy(kModes[m])) {
            for (const char* flag : kAstronomyFlags) mode->excludes(app.get_option(flag));
        }
    }
}

AstronomyOptions AstronomyOfFlags(const Flags& flags) {
    AstronomyOptions options;
    options.astronomy = flags.astronomy == "precise" ? Astronomy::Precise : Astronomy::Classic;
    options.node = flags.node == "true" ? NodeChoice::True : NodeChoice::Mean;
    options.sunrise = flags.sunrise == "centre" ? SunriseChoice::Centre : SunriseChoice::Limb;
    return options;
}

std::string ModeConflict(const Flags& flags) {
    if (flags.Given("--db") && !flags.Given("--save") && !flags.Given("--list-births") &&
        !flags.Given("--import") && !flags.Given("--birth") && !flags.Given("--export")) {
        return "--db needs --save, --list-births, --birth, --import or --export";
    }
    if (flags.Given("--format") && !flags.Given("--export")) return "--format needs --export";
    if (flags.Given("--vargas") && !flags.Given("--json")) return "--vargas needs --json";
    for (const char* flag : {"--node", "--sunrise"}) {
        if (flags.Given(flag) && flags.astronomy != "precise") {
            return std::string(flag) + " needs --astronomy precise";
        }
    }
    std::vector<std::string> modes;
    for (const char* mode : kModes) {
        if (!flags.Given(mode)) continue;
        if (std::string_view(mode) == "--list-births" && flags.Given("--export")) continue;
        modes.push_back(mode);
    }
    if (modes.empty()) return "";
    if (modes.size() > 1) return modes[0] + " and " + modes[1] + " exclude each other";
    const std::string& mode = modes.front();
    if (flags.Given("--save")) return mode + " takes no --save";
    for (const char* flag : kBirthFlags) {
        if (flags.Given(flag) && Excludes(mode, flag)) return mode + " takes no " + flag;
    }
    if (flags.Given("--json") && Excludes(mode, "--json")) return mode + " takes no --json";
    for (const char* flag : kAstronomyFlags) {
        if (flags.Given(flag) && !TakesAstronomy(mode)) return mode + " takes no " + flag;
    }
    return "";
}

}  // namespace korvanta
