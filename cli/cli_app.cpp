// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>

#include "cli/astronomy_json.h"
#include "cli/batch.h"
#include "cli/chart_json.h"
#include "cli/chart_text.h"
#include "cli/cli_flags.h"
#include "cli/exchange_commands.h"
#include "cli/flag_values.h"
#include "cli/library_commands.h"
#include "cli/output_stream.h"
#include "cli/page_files.h"
#include "cli/place_flag.h"
#include "cli/sensitivity_output.h"
#include "cli/text_width.h"
#include "cli/varga_output.h"
#include "exchange/exchange_files.h"
#include "pipeline/pipeline.h"
#include "pipeline/sensitivity.h"
#include "pipeline/zones.h"
#include "precise/precise_source.h"
#include "report/chart_style.h"
#include "report/program_notice.h"
#include "report/report.h"
#include "report/varga_chart.h"

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
  given twice is an error for its line. Answers are written whenever the
  input has no more bytes ready, so a program that sends one record and waits
  reads its answer at once; --jobs N computes on N threads (default: every
  CPU this process may use), the output the same byte for byte.

A name takes letters of any script, blanks, and hyphens and apostrophes
inside it ("JOSÉ", "MARY-JANE", "O'BRIEN"), as the entry window's name box;
small letters become capitals. --city, --state, --country and --place take UTF-8
without control characters. An empty value is a value: --zone "" is refused,
never read as "not given".

With --place the atlas fills the coordinates, zone and daylight saving for the
birth moment; --lat, --lon, --zone, --dst/--no-dst, --city, --state and
--country given beside it win, each on its own:
  korvanta-cli --name "ASHA RAO" --date 1980-06-05 --time 09:05:30 \
      --place "Pune, Maharashtra, India" --json
A name that several places have is refused with the candidates listed, larger
places first. Where no zone row has the place's clock at the birth moment
(Nepal's +5:45, a local mean time), the atlas takes zone 71 "Other UTC offset"
with the clock's offset to the nearest minute.

--offset +HH:MM gives a clock that no zone row has, from -12:00 to +14:00:
  korvanta-cli --name "ASHA RAO" --date 1990-07-01 --time 12:00 --lat 27N42 \
      --lon 85E19 --offset +05:45
It chooses zone 71 "Other UTC offset" (--zone 71 may be given too, and needs
--offset); --dst adds one hour to it as to any row. In batch records the row
is "zone_index":71 with "utc_offset_minutes":345.

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

--astronomy precise computes the positions, the retrograde marks, the
ayanamsa and the sunrises with Swiss Ephemeris and its data files (Debian
package swe-basic-data): sidereal longitudes with the Lahiri ayanamsa to the
arc-second, Rahu the mean node (--node true: the true node), sunrise the upper
limb with refraction (--sunrise centre: the disc's centre without); every
other number of the chart follows from these as with the classic astronomy.
The text and the page then say so in one line, and the JSON adds
"astronomy": "precise", "node", "sunrise_kind" and "longitudes" (the ten
points in degrees), its "ayanamsa" and "moon_ayanamsa" being the Lahiri value
(negative degrees, added to the tropical longitudes as the classic ones are). In --batch a record may carry "astronomy", "node" and "sunrise"
("classic"/"precise", "mean"/"true", "limb"/"centre"); --astronomy, --node and
--sunrise set them for the records that do not. Without the data files the
chart is refused, never computed otherwise.

--style north or --style east draws the chart of the text and of the page as
the North Indian chart (houses fixed, house 1 the top diamond) or the East
Indian chart (signs fixed, Aries top middle); south, the default, is the
South Indian chart. --all-padas tags the pada of every house in its sign:
AL, A2..A11 and UL. --varga N draws divisional chart N instead of the rasi
chart (D1), named in the chart's centre, with its own padas, Upapada Lagna
and account of it on the page. The JSON is the same whatever the drawing.

Exit status: 0 chart printed; 1 the command line cannot be used; 2 the entry
check refused the birth data (its message on standard error); 3 --batch: at
least one line gave an error object, or standard input could not be read (after
every line read before was answered); 4 a --pdf, --png or --export file could not be
written (an existing file is left as it was); 5 standard output could not be
written (the reason on standard error); 6 the births library cannot be used:
not a SQLite file, damaged, another program's file, written by a newer
Korvanta, a pipe, a device or a socket, cannot be created, read-only for
--save or --import, or held by another writer past the 5-second wait (nothing
is written to it); 7 --birth
names no stored birth, or several (listed), or one whose stored zone row no
longer reads as it did; 8 --import refused at least one line (not a record,
longer than 1 MiB, refused by the entry check, holding a control character,
or another birth of the same name and moment stored; the others were
imported; each refused line on standard error) or --list-births or --export left out a
stored birth that no longer reads; an --import refusal names its file and line; 9 --save: another birth of the same name
and moment but other details is stored (nothing stored, no chart); 10
--import: its input could not be read, a closed standard input included
(nothing imported); 11 --astronomy precise could not compute the chart: the
Swiss Ephemeris data files (package swe-basic-data) are missing (the message
names the folder searched; nothing is printed).

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
// Whether `file` goes the library's own way as JSON lines: standard input
// that opens as a JSON object would (or cannot be read at all, which that way
// reports as a read error), something other than a folder or a regular file
// (a pipe, a device), or a file named as JSON lines.
bool OneJsonLinesInput(const std::string& file, std::istream& in) {
    if (file == "-") {
        const auto first = in.peek();
        if (first == std::char_traits<char>::eof()) {
            in.clear();  // the read is tried again, and its fault reported
            return true;
        }
        return first == '{' || first == ' ' || first == '\t' || first == '\r' || first == '\n';
    }
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error || std::filesystem::is_directory(status)) return false;
    if (!std::filesystem::is_regular_file(status)) return true;
    return exchange::FormatOfExtension(file) == exchange::Format::JsonLines;
}

std::string VersionText() {
    std::string text = std::string(kProgram) + " ";
    text.append(kProgramVersion).append("\n").append(kLicenceLine).append("\n");
    text.append(kCreditsLine).append("\n");
    return text.append(kEphemerisLine);
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
        case EntryControl::txtUtcOffset:
            return shown("--offset", flags.offset);
        default:
            return shown("--date", flags.date);  // the date checks leave the focus alone
    }
}

GivenFlags GivenOf(const Flags& flags) {
    GivenFlags given;
    given.lat = flags.Given("--lat");
    given.lon = flags.Given("--lon");
    given.zone = flags.Given("--zone");
    given.offset = flags.Given("--offset");
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
    // A page written over the library (or its log) would destroy it.
    if (flags.save || flags.Given("--birth")) {
        for (const auto& [flag, page] : {std::pair{"--pdf", &flags.pdf}, {"--png", &flags.png}}) {
            if (page->empty()) continue;
            for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
                if (!SameFile(*page, flags.db + suffix)) continue;
                err << kProgram << ": " << flag << " " << *page << " is the births library's file"
                    << (*suffix != '\0' ? std::string(" (") + suffix + ")" : std::string())
                    << "; give the page another name\n";
                return kExitBadCommandLine;
            }
        }
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

    if (const auto refusal = ValidateBirthData(form)) {
        err << refusal->message << "\n"
            << kProgram << ": the entry check refused "
            << (stored ? "the stored birth " + flags.birth : RefusedFlag(*refusal, flags)) << "\n";
        return kExitRefused;
    }
    const Birth birth = BirthOfForm(form);
    const AstronomyOptions astronomy = AstronomyOfFlags(flags);
    auto made = CalculateChart(birth, astronomy);
    if (const auto* failed = std::get_if<AstronomyError>(&made)) {
        err << kProgram << ": " << failed->message << "\n";
        return kExitAstronomyFailed;
    }
    const Chart& chartValues = std::get<Chart>(made);
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
        auto strip = BirthTimeSensitivity(birth, flags.sensitivityMinutes, astronomy);
        if (const auto* failed = std::get_if<AstronomyError>(&strip)) {
            err << kProgram << ": " << failed->message << "\n";
            return kExitAstronomyFailed;
        }
        sensitivity = BuildSensitivityView(std::get<SensitivityStrip>(strip));
    }
    ChartReport report = BuildReport(birth, chartValues);
    const ChartDrawing drawing{ChartStyleOfKey(flags.style).value_or(ChartStyle::South),
                               flags.allPadas};
    const bool pageFiles = !flags.pdf.empty() || !flags.png.empty();
    std::string printed;
    if (flags.json) {
        Json chart = ChartJson(chartValues, report, RecordFromForm(form));
        const Json astronomyKeys = AstronomyJson(chartValues);
        for (const auto& [key, value] : astronomyKeys.items()) chart[key] = value;
        if (place) chart = WithAtlas(chart, AtlasJson(flags.place, *place, GivenOf(flags)));
        if (sensitivity) chart["sensitivity"] = SensitivityJson(*sensitivity);
        if (flags.vargas) chart["vargas"] = VargasJson(chartValues);
        printed = chart.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    }
    // --varga turns the drawing only, after the JSON, which describes the
    // rasi chart whatever is drawn. The value passed its check while the
    // command line was read.
    if (!flags.varga.empty()) {
        const int number = std::get<int>(ParseVargaNumber(flags.varga));
        ShowVarga(report, chartValues, VargaOfNumber(number).value_or(Varga::D1));
    }
    if (!flags.json && !pageFiles) {
        printed = ChartText(report, drawing);
        if (sensitivity) printed += SensitivityText(*sensitivity);
        printed = FitToColumns(printed);
    }
    if (const auto problem = WriteChecked(out, printed)) return OutputFailed(err, *problem);
    if (const std::optional<std::string> problem = WritePageFiles(
            report, drawing, flags.pdf, flags.png, sensitivity ? &*sensitivity : nullptr)) {
        err << kProgram << ": " << *problem << "\n";
        return kExitPageNotWritten;
    }
    return kExitOk;
}

std::optional<int> FormOfFlags(Flags& flags, EntryForm& form, std::optional<PlaceFlagResult>& place,
                               std::ostream& err) {
    // Every value given passed its flag's check while the command line was
    // read; what is parsed here parses.
    flags.name = std::get<std::string>(ParseName(flags.name));
    for (const auto& [flag, value] : {std::pair{"--date", &flags.date}, {"--time", &flags.time}}) {
        if (value->empty()) {
            err << kProgram << ": " << flag << " is required (see --help)\n";
            return kExitBadCommandLine;
        }
    }
    form.txtName = flags.name;
    const auto date = std::get<DateValue>(ParseDate(flags.date));
    form.cboYear = date.year - kFirstYear;
    form.cboMonth = date.month - 1;
    form.cboDate = date.day - 1;
    const auto time = std::get<TimeValue>(ParseTime(flags.time));
    form.cboHH = time.hour;
    form.cboMM = time.minute;
    form.cboSS = time.second;
    // A coordinate flag not given leaves its boxes empty; the entry check
    // then asks for it in the program's own words.
    if (flags.Given("--lat")) {
        const auto lat = std::get<CoordinateValue>(ParseLatitude(flags.lat));
        form.txtLatD = lat.degrees;
        form.txtLatM = lat.minutes;
        form.optLatSouth = lat.secondHemisphere;
    }
    if (flags.Given("--lon")) {
        const auto lon = std::get<CoordinateValue>(ParseLongitude(flags.lon));
        form.txtLonD = lon.degrees;
        form.txtLonM = lon.minutes;
        form.optLongEast = !lon.secondHemisphere;
    }
    if (flags.Given("--zone")) {
        form.cmbTimeZone = std::get<int>(FindZone(flags.zone));
        if (form.cmbTimeZone == kOtherOffsetRow && !flags.Given("--offset")) {
            return BadFlag(err, "--zone", flags.zone,
                           FlagError{"this row takes its offset from --offset, e.g. --offset "
                                     "+05:45"});
        }
    }
    // --offset stands for "Other UTC offset" and goes with no other row.
    if (flags.Given("--offset")) {
        const int offset = std::get<int>(ParseOffset(flags.offset));
        if (flags.Given("--zone") && form.cmbTimeZone != kOtherOffsetRow) {
            return BadFlag(err, "--offset", flags.offset,
                           FlagError{"goes with zone 71 \"Other UTC offset\" only; leave out "
                                     "--zone " +
                                     flags.zone});
        }
        form.cmbTimeZone = kOtherOffsetRow;
        form.txtUtcOffset = UtcOffsetText(offset);
    }
    form.chkDST = flags.dst;
    form.txtMCity = flags.city;
    form.txtMState = flags.state;
    form.txtMCountry = flags.country;

    if (flags.Given("--place")) {
        auto found = LookUpPlaceFlag(flags.place, date, time);
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
    AddFlags(app, flags);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help or --version
        std::ostringstream text;
        const int status = app.exit(e, text, err);
        if (const auto problem = WriteChecked(out, text.str())) return OutputFailed(err, *problem);
        return status;
    } catch (const CLI::ValidationError& e) {
        // A value check of this program words its own message.
        err << kProgram << ": "
            << (flags.refusedValue ? *flags.refusedValue : e.what() + std::string(" (see --help)"))
            << "\n";
        return kExitBadCommandLine;
    } catch (const CLI::RequiresError& e) {
        const std::string conflict = ModeConflict(flags);
        err << kProgram << ": " << (conflict.empty() ? std::string(e.what()) : conflict)
            << " (see --help)\n";
        return kExitBadCommandLine;
    } catch (const CLI::ExcludesError& e) {
        const std::string conflict = ModeConflict(flags);
        err << kProgram << ": " << (conflict.empty() ? std::string(e.what()) : conflict)
            << " (see --help)\n";
        return kExitBadCommandLine;
    } catch (const CLI::ParseError& e) {
        err << kProgram << ": " << e.what() << " (see --help)\n";
        return kExitBadCommandLine;
    }
    // The one rule CLI11 has no word for: --db needs any one of four flags.
    if (const std::string conflict = ModeConflict(flags); !conflict.empty()) {
        err << kProgram << ": " << conflict << " (see --help)\n";
        return kExitBadCommandLine;
    }
    if (flags.Given("--jobs") && !flags.batch) {
        err << kProgram << ": --jobs needs --batch (see --help)\n";
        return kExitBadCommandLine;
    }
    if (flags.Given("--jobs") && (flags.jobs < 1 || flags.jobs > kMaxBatchJobs)) {
        return BadFlag(err, "--jobs", std::to_string(flags.jobs),
                       {"expected a whole number from 1 to " + std::to_string(kMaxBatchJobs)});
    }
    if (flags.Given("--sensitivity"))
        flags.sensitivityMinutes = std::get<int>(ParseSensitivityMinutes(flags.sensitivity));
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
    if (flags.Given("--import")) {
        // One file of JSON lines (or standard input) goes the library's own
        // way, with its line cap and its read-error status; anything else
        // (.jhd, AAF, CSV, folders, several files) through the exchange.
        const auto& files = flags.exchange.imports;
        if (files.size() == 1 && OneJsonLinesInput(files.front(), in))
            return ImportBirths(flags.db, files.front(), in, out, err);
        return ImportFiles(flags.db, files, in, out, err);
    }
    if (flags.batch) {
        const BatchSummary batch = RunBatch(
            in, out, {flags.Given("--jobs") ? flags.jobs : UsableCpus(), AstronomyOfFlags(flags)});
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
