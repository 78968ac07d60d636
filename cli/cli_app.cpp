// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <ostream>
#include <set>
#include <sstream>
#include <string>

#include "cli/batch.h"
#include "cli/chart_json.h"
#include "cli/chart_text.h"
#include "cli/exchange_commands.h"
#include "cli/flag_values.h"
#include "cli/library_commands.h"
#include "cli/output_stream.h"
#include "cli/page_files.h"
#include "cli/place_flag.h"
#include "cli/sensitivity_output.h"
#include "pipeline/pipeline.h"
#include "pipeline/sensitivity.h"
#include "report/chart_style.h"
#include "report/program_notice.h"
#include "report/report.h"

namespace korvanta {
namespace {

constexpr const char* kProgram = "korvanta-cli";

constexpr const char* kFooter = R"(Example:
  korvanta-cli --name "ASHA RAO" --date 1980-06-05 --time 09:05:30 --lat 28N36 \
      --lon 77E12 --zone "Indian Time, IST, +5.3" --city "New Delhi" --state Delhi \
      --country India

Batch input, one JSON object per line:
  {"name":"ASHA","month":6,"day":5,"year":1980,"hour":9,"minute":5,"second":0,
   "lat_deg":28,"lat_min":36,"south":false,"lon_deg":77,"lon_min":12,"east":true,
   "zone_index":34,"dst":false,"city":"New Delhi","state":"Delhi","country":"India"}
  ("second", "dst", "city", "state" and "country" may be left out.) A line that
  gives no chart is answered with {"input_line":N,"error":"...","field":"..."}.
  A line holds at most 1 MiB (a longer one is answered with its length and
  skipped); a byte-order mark may open the input but no other line; a key
  given twice is an error for its line.

A name takes letters and blanks only, as the entry window's name box; small
letters become capitals. --city, --state, --country and --place take UTF-8
without control characters. An empty value is a value: --zone "" is refused,
never read as "not given".

With --place the atlas fills the coordinates, zone and daylight saving for the
birth moment; --lat, --lon, --zone, --dst/--no-dst, --city, --state and
--country given beside it win, each on its own:
  korvanta-cli --name "ASHA RAO" --date 1980-06-05 --time 09:05:30 \
      --place "Pune, Maharashtra, India" --json
A name that several places have is refused with the candidates listed.

--pdf FILE and --png FILE write the chart page (chart, positions, details, the
UL's house, reading and sign profile, padas and special lagnas); standard
output then stays empty unless --json is given. No display is needed.

--sensitivity MINUTES (15, 30, 60 or 120) follows the chart over that many
minutes before and after the birth time, the place, zone and daylight saving
held fixed: for the ascendant's sign, the Upapada Lagna's sign and house, the
Arudha Lagna's sign, the Moon's sign and nakshatra, the retrograde marks and
the reference sunrise's case, the stretches where each keeps one value, with
their clock times to the second, and one sentence on how far the birth lies
from the Upapada Lagna's nearest change of sign. The text gains a closing
section, --json a "sensitivity" object, --pdf a second page and --png a
second page under the first. In --batch a record may carry
"sensitivity": MINUTES. The span stops at 1901-01-01 00:00:00 and
2050-12-31 23:59:59.

--style north or --style east draws the chart of the text and of the page as
the North Indian chart (houses fixed, house 1 the top diamond) or the East
Indian chart (signs fixed, Aries top middle); south, the default, is the
South Indian chart. --all-padas tags the pada of every house in its sign:
AL, A2..A11 and UL. The JSON is the same whatever the drawing.

Exit status: 0 chart printed; 1 the command line cannot be used; 2 the entry
check refused the birth data (its message on standard error); 3 --batch: at
least one line gave an error object, or standard input could not be read (after
every line read before was answered); 4 a --pdf, --png or --export file could
not be written (an existing file is left as it was); 5 standard output could
not be written (the reason on standard error); 6 the births library cannot be
used: not a SQLite file, damaged, another program's file, written by a newer
Korvanta, cannot be created, read-only for --save or --import, or held by
another writer past the 5-second wait (nothing is written to it); 7 --birth
names no stored birth, or several (listed), or one whose stored zone row no
longer reads as it did; 8 --import refused at least one record (the others
were imported; each refused record with its file and line on standard error)
or --list-births or --export left out a stored birth that no longer reads;
9 --save: another birth of the same name and moment but other details is
stored (nothing stored, no chart).

The births library is one SQLite file shared with the window:
$XDG_DATA_HOME/Korvanta/births.sqlite (~/.local/share/Korvanta/births.sqlite),
or --db FILE. Each change is one transaction; an interrupted import adds
nothing. Examples:
  korvanta-cli --name "ASHA RAO" --date 1980-06-05 --time 09:05:30 \
      --place "New Delhi, Delhi, India" --save
  korvanta-cli --list-births delhi
  korvanta-cli --list-births | korvanta-cli --batch
  korvanta-cli --birth "ASHA RAO" --json      (or --birth 12, its id)
  korvanta-cli --import births.jsonl          (or --import - for standard input)
  korvanta-cli --import charts/ old.aaf sheet.csv   (.jhd folders, AAF, CSV)
  korvanta-cli --export births.csv            (or .aaf, .jsonl; --format jhd: a folder)
  korvanta-cli --list-births pune --export pune.aaf)";

// What --version prints, without the final line break.
std::string VersionText() {
    std::string text = std::string(kProgram) + " ";
    text.append(kProgramVersion).append("\n").append(kLicenceLine).append("\n");
    return text.append(kCreditsLine);
}

// The flags as typed; empty texts for flags not given.
struct Flags {
    std::string name, date, time, lat, lon, zone, city, state, country;
    std::string place, pdf, png;
    std::string sensitivity;
    int sensitivityMinutes = 0;  // 0: no strip
    std::string db, listText, birth;
    ExchangeFlags exchange;  // --import, --export, --format
    std::string style = "south";
    bool allPadas = false;
    bool dst = false, json = false, batch = false, listZones = false, save = false;
    bool noDst = false;
    std::set<std::string> given;  // the flags that appear on the command line
    bool Given(const std::string& flag) const { return given.count(flag) > 0; }
};

// Flags whose empty value can mean nothing: refused rather than taken as
// "not given".
constexpr const char* kNonEmptyFlags[] = {
    "--date", "--time", "--lat",   "--lon",    "--zone",   "--place",      "--pdf",
    "--png",  "--db",   "--birth", "--export", "--format", "--sensitivity"};

// Adds the flags; returns the ones that describe a birth.
std::vector<CLI::Option*> AddFlags(CLI::App& app, Flags& flags) {
    std::vector<CLI::Option*> birth = {
        app.add_option("--name", flags.name, "Name of the person, e.g. --name \"ASHA RAO\""),
        app.add_option("--date", flags.date,
                       "Date of birth, 1901-01-01 to 2050-12-31, e.g. --date 1980-06-05")
            ->type_name("YYYY-MM-DD"),
        app.add_option("--time", flags.time,
                       "Local clock time of birth, e.g. --time 09:05:30 or --time 21:40")
            ->type_name("HH:MM[:SS]"),
        app.add_option("--lat", flags.lat,
                       "Latitude: degrees 0-89, N or S, minutes 0-59, e.g. --lat 28N36")
            ->type_name("DDhMM"),
        app.add_option("--lon", flags.lon,
                       "Longitude: degrees 0-179, E or W, minutes 0-59, e.g. --lon 77E12")
            ->type_name("DDDhMM"),
        app.add_option("--zone", flags.zone,
                       "Time zone: index 0-70, whole text, unique abbreviation or name "
                       "(see --list-zones), e.g. --zone IST or --zone 34; "
                       "default 29 \"Greenwich Mean Time,GMT,0.0\"")
            ->type_name("ZONE"),
        app.add_flag("--dst", flags.dst, "Daylight saving time was in force, e.g. --dst"),
        app.add_flag("--no-dst", flags.noDst,
                     "Daylight saving time was not in force, where --place would tick it, "
                     "e.g. --no-dst"),
        app.add_option("--city", flags.city, "City of birth, e.g. --city \"New Delhi\""),
        app.add_option("--state", flags.state, "State of birth, e.g. --state Delhi"),
        app.add_option("--country", flags.country, "Country of birth, e.g. --country India"),
        app.add_option("--place", flags.place,
                       "Birth place from the offline atlas, e.g. --place \"Pune, Maharashtra, "
                       "India\" or --place Pune: fills --lat, --lon, --zone, --dst, --city, "
                       "--state and --country for the birth moment; those flags, when given, "
                       "win over the atlas")
            ->type_name("PLACE"),
        app.add_option("--pdf", flags.pdf,
                       "Also write the chart page as a PDF file, e.g. --pdf chart.pdf")
            ->type_name("FILE"),
        app.add_option("--png", flags.png,
                       "Also write the chart page as a PNG image, e.g. --png chart.png")
            ->type_name("FILE"),
        app.add_option("--sensitivity", flags.sensitivity,
                       "Also follow the ascendant, the Upapada and Arudha Lagnas, the Moon, the "
                       "retrograde marks and the sunrise case over MINUTES (15, 30, 60 or 120) "
                       "before and after the birth time: each one's stretches of equal value to "
                       "the second, in the text, the JSON and as a second page, e.g. "
                       "--sensitivity 60")
            ->type_name("MINUTES"),
    };
    app.add_option("--style", flags.style,
                   "Drawing of the chart in the text and the page: south (the default), north or "
                   "east, e.g. --style north")
        ->check(CLI::IsMember({"south", "north", "east"}));
    app.add_flag("--all-padas", flags.allPadas,
                 "Tag the arudha pada of every house on the chart (AL, A2..A11, UL), e.g. "
                 "--all-padas");
    app.add_flag("--json", flags.json, "Print the chart as one JSON object, e.g. --json");
    app.add_flag("--batch", flags.batch,
                 "Read JSON records from standard input, one per line, and write one JSON result "
                 "per line, e.g. --batch < births.jsonl");
    app.add_flag("--list-zones", flags.listZones,
                 "Print the 71 time zones with their indexes, e.g. --list-zones");
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
    return birth;
}

// --batch and --list-zones stand alone: a birth flag beside them would be
// ignored, which is never what the user meant.
std::string ModeConflict(const Flags& flags, const std::vector<CLI::Option*>& birth) {
    std::vector<std::string> modes;
    for (const char* mode : {"--batch", "--list-zones", "--list-births", "--import", "--birth"}) {
        // --export writes what --list-births finds instead of printing it.
        if (flags.Given(mode) && !(mode == std::string("--list-births") && flags.Given("--export")))
            modes.push_back(mode);
    }
    if (flags.Given("--export")) modes.push_back("--export");
    if (flags.Given("--format") && !flags.Given("--export")) return "--format needs --export";
    if (flags.Given("--db") && !flags.save && !flags.Given("--list-births") &&
        !flags.Given("--import") && !flags.Given("--birth") && !flags.Given("--export")) {
        return "--db needs --save, --list-births, --birth, --import or --export";
    }
    if (modes.empty()) return "";
    if (modes.size() > 1) return modes[0] + " and " + modes[1] + " exclude each other";
    const std::string& mode = modes.front();
    if (flags.save) return mode + " takes no --save";
    for (const CLI::Option* option : birth) {
        if (option->count() == 0) continue;
        const std::string name = option->get_name();
        // A stored birth can still be written as a page and followed over time.
        if (mode == "--birth" && (name == "--pdf" || name == "--png" || name == "--sensitivity"))
            continue;
        return mode + " takes no " + name;
    }
    if (flags.json && mode != "--birth") return mode + " takes no --json";
    return "";
}

// A flag's value is unusable: the message names the flag and the value.
int BadFlag(std::ostream& err, std::string_view flag, std::string_view value,
            const FlagError& error) {
    err << kProgram << ": " << flag << " " << value << ": " << error.reason << "\n";
    return kExitBadCommandLine;
}

// The flag a refusal points at, with the value the user gave.
std::string RefusedFlag(const Refusal& refusal, const Flags& flags) {
    auto shown = [&flags](std::string_view flag, const std::string& value) {
        if (!value.empty()) return std::string(flag) + " " + value;
        return std::string(flag) + (flags.Given(std::string(flag)) ? " \"\"" : " (not given)");
    };
    switch (refusal.focus) {
        case EntryControl::txtName:
            return shown("--name", flags.name);
        case EntryControl::txtLonD:
        case EntryControl::txtLonM:
            return shown("--lon", flags.lon);
        case EntryControl::txtLatD:
        case EntryControl::txtLatM:
            return shown("--lat", flags.lat);
        default:
            return shown("--date", flags.date);  // the date checks leave the focus alone
    }
}

GivenFlags GivenOf(const Flags& flags) {
    GivenFlags given;
    given.lat = flags.Given("--lat");
    given.lon = flags.Given("--lon");
    given.zone = flags.Given("--zone");
    given.dst = flags.dst || flags.noDst;
    given.city = flags.Given("--city");
    given.state = flags.Given("--state");
    given.country = flags.Given("--country");
    return given;
}

// The chart object with the atlas's findings right after the echoed input.
Json WithAtlas(const Json& chart, Json atlas) {
    Json out = Json::object();
    for (const auto& [key, value] : chart.items()) {
        out[key] = value;
        if (key == "input") out["atlas"] = std::move(atlas);
    }
    return out;
}

// Standard output failed: the reason, and a status of its own.
int OutputFailed(std::ostream& err, const std::string& reason) {
    err << kProgram << ": standard output: " << reason << "\n";
    return kExitOutputNotWritten;
}

// Whether two page paths name one file: the same path once cleaned and its
// links resolved, or two names of one existing file.
bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::equivalent(a, b, error)) return true;
    const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
    if (error) return false;
    const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
    return !error && first == second;
}

// The texts that reach the chart text or the entry check as they are: the
// name under the window's key rules, the place texts as valid UTF-8 without
// control characters. Returns the exit status when one cannot be used.
std::optional<int> CheckTexts(Flags& flags, std::ostream& err) {
    const auto name = ParseName(flags.name);
    if (const auto* e = std::get_if<FlagError>(&name)) {
        err << kProgram << ": --name: " << e->reason << "\n";
        return kExitBadCommandLine;
    }
    flags.name = std::get<std::string>(name);
    for (const auto& [flag, value] :
         {std::pair{"--city", &flags.city}, std::pair{"--state", &flags.state},
          std::pair{"--country", &flags.country}, std::pair{"--place", &flags.place}}) {
        if (const auto e = CheckPlaceText(*value)) {
            err << kProgram << ": " << flag << ": " << e->reason << "\n";
            return kExitBadCommandLine;
        }
    }
    return std::nullopt;
}

// The entry form the birth flags (and --place) describe, or the exit status.
std::optional<int> FormOfFlags(Flags& flags, EntryForm& form, std::optional<PlaceFlagResult>& place,
                               std::ostream& err);

int RunOneChart(Flags& flags, std::ostream& out, std::ostream& err) {
    if ((!flags.pdf.empty() || !flags.png.empty()) && !PageFilesSupported()) {
        err << kProgram
            << ": this korvanta-cli was built without Qt, so --pdf and --png are "
               "not available\n";
        return kExitBadCommandLine;
    }
    if (!flags.pdf.empty() && !flags.png.empty() && SameFile(flags.pdf, flags.png)) {
        err << kProgram << ": --pdf and --png name the same file, " << flags.png
            << "; give each its own\n";
        return kExitBadCommandLine;
    }
    EntryForm form;
    std::optional<PlaceFlagResult> place;
    std::optional<library::StoredBirth> stored;
    if (flags.Given("--birth")) {
        auto found = FindStoredBirth(flags.db, flags.birth, err);
        if (const int* status = std::get_if<int>(&found)) return *status;
        stored = std::move(std::get<library::StoredBirth>(found));
        form = library::FormOfBirth(stored->birth);
    } else if (const auto status = FormOfFlags(flags, form, place, err)) {
        return *status;
    }

    const auto outcome = CalculateChart(form);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        err << refusal->message << "\n"
            << kProgram << ": the entry check refused "
            << (stored ? "the stored birth " + flags.birth : RefusedFlag(*refusal, flags)) << "\n";
        return kExitRefused;
    }
    const auto& [birth, chartValues] = std::get<BirthChart>(outcome);
    if (flags.save) {
        library::StoredBirth toStore;
        toStore.birth = birth;
        if (place) {
            toStore.atlasPlace = atlas::PlaceLabel(place->place);
            toStore.atlasZone = place->place.timeZone;
        }
        if (const int status = SaveBirth(flags.db, toStore, err); status != kExitOk) return status;
    }
    std::optional<SensitivityView> sensitivity;
    if (flags.sensitivityMinutes > 0) {
        sensitivity = BuildSensitivityView(BirthTimeSensitivity(birth, flags.sensitivityMinutes));
    }
    ChartReport report = BuildReport(birth, chartValues);
    report.drawing = {ChartStyleOfKey(flags.style).value_or(ChartStyle::South), flags.allPadas};
    const bool pageFiles = !flags.pdf.empty() || !flags.png.empty();
    std::string printed;
    if (flags.json) {
        Json chart = ChartJson(chartValues, report, RecordFromForm(form));
        if (place) chart = WithAtlas(chart, AtlasJson(flags.place, *place, GivenOf(flags)));
        if (sensitivity) chart["sensitivity"] = SensitivityJson(*sensitivity);
        printed = chart.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    } else if (!pageFiles) {
        printed = ChartText(report);
        if (sensitivity) printed += SensitivityText(*sensitivity);
    }
    if (const auto problem = WriteChecked(out, printed)) return OutputFailed(err, *problem);
    if (const std::optional<std::string> problem =
            WritePageFiles(report, flags.pdf, flags.png, sensitivity ? &*sensitivity : nullptr)) {
        err << kProgram << ": " << *problem << "\n";
        return kExitPageNotWritten;
    }
    return kExitOk;
}

std::optional<int> FormOfFlags(Flags& flags, EntryForm& form, std::optional<PlaceFlagResult>& place,
                               std::ostream& err) {
    if (const auto status = CheckTexts(flags, err)) return *status;
    for (const auto& [flag, value] : {std::pair{"--date", &flags.date}, {"--time", &flags.time}}) {
        if (value->empty()) {
            err << kProgram << ": " << flag << " is required (see --help)\n";
            return kExitBadCommandLine;
        }
    }
    form.txtName = flags.name;
    const auto date = ParseDate(flags.date);
    if (auto* e = std::get_if<FlagError>(&date)) return BadFlag(err, "--date", flags.date, *e);
    form.cboYear = std::get<DateValue>(date).year - kFirstYear;
    form.cboMonth = std::get<DateValue>(date).month - 1;
    form.cboDate = std::get<DateValue>(date).day - 1;
    const auto time = ParseTime(flags.time);
    if (auto* e = std::get_if<FlagError>(&time)) return BadFlag(err, "--time", flags.time, *e);
    form.cboHH = std::get<TimeValue>(time).hour;
    form.cboMM = std::get<TimeValue>(time).minute;
    form.cboSS = std::get<TimeValue>(time).second;
    // A coordinate flag not given leaves its boxes empty; the entry check
    // then asks for it in the program's own words.
    if (flags.Given("--lat")) {
        const auto lat = ParseLatitude(flags.lat);
        if (auto* e = std::get_if<FlagError>(&lat)) return BadFlag(err, "--lat", flags.lat, *e);
        form.txtLatD = std::get<CoordinateValue>(lat).degrees;
        form.txtLatM = std::get<CoordinateValue>(lat).minutes;
        form.optLatSouth = std::get<CoordinateValue>(lat).secondHemisphere;
    }
    if (flags.Given("--lon")) {
        const auto lon = ParseLongitude(flags.lon);
        if (auto* e = std::get_if<FlagError>(&lon)) return BadFlag(err, "--lon", flags.lon, *e);
        form.txtLonD = std::get<CoordinateValue>(lon).degrees;
        form.txtLonM = std::get<CoordinateValue>(lon).minutes;
        form.optLongEast = !std::get<CoordinateValue>(lon).secondHemisphere;
    }
    if (flags.Given("--zone")) {
        const auto zone = FindZone(flags.zone);
        if (auto* e = std::get_if<FlagError>(&zone)) return BadFlag(err, "--zone", flags.zone, *e);
        form.cmbTimeZone = std::get<int>(zone);
    }
    form.chkDST = flags.dst;
    form.txtMCity = flags.city;
    form.txtMState = flags.state;
    form.txtMCountry = flags.country;

    if (flags.Given("--place")) {
        auto found =
            LookUpPlaceFlag(flags.place, std::get<DateValue>(date), std::get<TimeValue>(time));
        if (auto* e = std::get_if<FlagError>(&found))
            return BadFlag(err, "--place", flags.place, *e);
        place = std::move(std::get<PlaceFlagResult>(found));
        if (const auto e = ApplyPlace(*place, GivenOf(flags), form))
            return BadFlag(err, "--place", flags.place, *e);
        if (const std::string warning = LocalTimeWarning(*place); !warning.empty())
            err << kProgram << ": " << warning << "\n";
    }
    return std::nullopt;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err) {
    CLI::App app{
        "Korvanta's Upapada Lagna chart on the command line: one birth as text or JSON, "
        "or a batch of JSON lines.",
        kProgram};
    app.footer(kFooter);
    app.set_version_flag("--version", VersionText(),
                         "Print the version, the licence and the credits, e.g. --version");
    Flags flags;
    const auto birthFlags = AddFlags(app, flags);
    try {
        app.get_option("--dst")->excludes("--no-dst");
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help or --version
        std::ostringstream text;
        const int status = app.exit(e, text, err);
        if (const auto problem = WriteChecked(out, text.str())) return OutputFailed(err, *problem);
        return status;
    } catch (const CLI::ParseError& e) {
        err << kProgram << ": " << e.what() << " (see --help)\n";
        return kExitBadCommandLine;
    }
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 0) flags.given.insert(option->get_name());
    }
    for (const char* flag : kNonEmptyFlags) {
        if (flags.Given(flag) && app.get_option(flag)->as<std::string>().empty()) {
            err << kProgram << ": " << flag << " was given an empty value (see --help)\n";
            return kExitBadCommandLine;
        }
    }
    if (const std::string conflict = ModeConflict(flags, birthFlags); !conflict.empty()) {
        err << kProgram << ": " << conflict << " (see --help)\n";
        return kExitBadCommandLine;
    }
    if (flags.Given("--sensitivity")) {
        const auto minutes = ParseSensitivityMinutes(flags.sensitivity);
        if (const auto* e = std::get_if<FlagError>(&minutes))
            return BadFlag(err, "--sensitivity", flags.sensitivity, *e);
        flags.sensitivityMinutes = std::get<int>(minutes);
    }
    if (flags.listZones) {
        if (const auto problem = WriteChecked(out, ZoneListing()))
            return OutputFailed(err, *problem);
        return kExitOk;
    }
    if (flags.db.empty()) flags.db = library::DefaultLibraryPath();
    if (flags.Given("--export")) {
        return ExportBirths(
            flags.db, flags.exchange.exportPath, flags.exchange.format,
            flags.Given("--list-births") ? std::optional(flags.listText) : std::nullopt, out, err);
    }
    if (flags.Given("--list-births")) return ListBirths(flags.db, flags.listText, out, err);
    if (flags.Given("--import")) return ImportFiles(flags.db, flags.exchange.imports, in, out, err);
    if (flags.batch) {
        const BatchSummary batch = RunBatch(in, out);
        if (batch.writeError) {
            err << kProgram << ": " << *batch.writeError << "\n";
            return kExitOutputNotWritten;
        }
        if (batch.readError) err << kProgram << ": " << *batch.readError << "\n";
        return batch.failedLines == 0 ? kExitOk : kExitBatchFailures;
    }
    return RunOneChart(flags, out, err);
}

}  // namespace korvanta
