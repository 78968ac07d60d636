// SPDX-License-Identifier: GPL-3.0-or-later
// Import and export of the births library in the command line's record
// format, and the rules every stored birth's texts follow.
#include <cerrno>
#include <cstring>
#include <istream>
#include <tuple>

#include "library/birth_record.h"
#include "library/births_library.h"
#include "library/births_rows.h"
#include "library/stored_text.h"

namespace korvanta::library {
namespace {

enum class LineRead { Line, End, Error };

// Reads one line (its line break dropped) into `line`, holding at most
// `max` + 1 of its bytes however long it is; `length` is its whole length.
// An input that fails (not one that ends) is an Error.
LineRead ReadBoundedLine(std::istream& in, std::string& line, std::size_t& length,
                         std::size_t max) {
    line.clear();
    length = 0;
    bool any = false;
    char chunk[8192];
    while (true) {
        in.getline(chunk, sizeof chunk);
        if (in.bad()) return LineRead::Error;
        const auto got = static_cast<std::size_t>(in.gcount());
        const bool full = in.fail() && !in.eof();    // the chunk filled before the line ended
        const bool ended = !in.fail() && !in.eof();  // the line break was taken
        const std::size_t bytes = ended ? got - 1 : got;
        if (line.size() <= max) line.append(chunk, std::min(bytes, max + 1 - line.size()));
        length += bytes;
        any = any || got > 0;
        if (full) {
            in.clear();
            continue;
        }
        if (ended) return LineRead::Line;
        // The end of the input: the last line, if it had any bytes.
        if (!any) return LineRead::End;
        in.clear(std::ios::eofbit);
        return LineRead::Line;
    }
}

// The texts of a record's place as "\"city\": holds ..." when one cannot be
// kept.
std::optional<std::string> Labelled(std::string_view field, std::optional<std::string> fault) {
    if (!fault) return std::nullopt;
    return "\"" + std::string(field) + "\": " + *fault;
}

}  // namespace

bool SameBirthDetails(const Birth& x, const Birth& y) {
    return std::tie(x.name, x.year, x.month, x.day, x.hour, x.minute, x.second, x.latDeg, x.latMin,
                    x.south, x.lonDeg, x.lonMin, x.east, x.zoneIndex, x.utcOffsetMinutes, x.dst, x.city, x.state,
                    x.country) == std::tie(y.name, y.year, y.month, y.day, y.hour, y.minute,
                                           y.second, y.latDeg, y.latMin, y.south, y.lonDeg,
                                           y.lonMin, y.east, y.zoneIndex, y.utcOffsetMinutes, y.dst, y.city, y.state,
                                           y.country);
}

std::optional<std::string> StoredTextFault(const StoredBirth& stored) {
    const Birth& b = stored.birth;
    std::string asEntered;
    if (auto reason = NameAsEntered(b.name, asEntered)) return "\"name\": " + *reason;
    if (asEntered != b.name) return std::string("\"name\": small letters are kept as capitals");
    for (const auto& [field, text] :
         {std::pair<std::string_view, const std::string*>{"city", &b.city},
          {"state", &b.state},
          {"country", &b.country},
          {"atlas_place", &stored.atlasPlace},
          {"atlas_zone", &stored.atlasZone}}) {
        if (auto fault = Labelled(field, PlaceTextFault(*text))) return fault;
    }
    return Labelled("note", NoteTextFault(stored.note));
}

ExportReport ExportLines(const std::vector<const ReadBirth*>& births) {
    ExportReport report;
    for (const ReadBirth* birth : births) {
        if (!birth->fault.empty()) {
            report.notWritten.push_back(birth->fault);
            continue;
        }
        report.text += ExportLine(birth->stored);
        report.text += '\n';
        ++report.written;
    }
    return report;
}

std::variant<ImportReport, LibraryError> BirthsLibrary::Import(
    std::istream& in, const std::function<void(long)>& progress) {
    if (auto e = Writable()) return *e;
    if (auto e = Exec("BEGIN IMMEDIATE")) return *e;
    auto fail = [this](LibraryError error) -> std::variant<ImportReport, LibraryError> {
        Exec("ROLLBACK");
        return error;
    };
    Statement same(db_, kSameMoment);
    Statement insert(db_, kInsert);
    if (same.PrepareCode() != SQLITE_OK) return fail(ErrorOf(same.PrepareCode(), "cannot import"));
    if (insert.PrepareCode() != SQLITE_OK)
        return fail(ErrorOf(insert.PrepareCode(), "cannot import"));

    ImportReport report;
    EntryForm form;
    RecordExtras extras;
    StoredBirth row;
    row.created = row.modified = Now();
    std::string line;
    std::size_t length = 0;
    long number = 0;
    auto refuse = [&report, &number](std::string reason) {
        report.refused.push_back({number, std::move(reason)});
    };
    while (true) {
        errno = 0;
        const LineRead read = ReadBoundedLine(in, line, length, kMaxImportLineBytes);
        if (read == LineRead::End) break;
        ++number;
        if (read == LineRead::Error) {
            const std::string reason = errno != 0 ? std::strerror(errno) : "read error";
            return fail(LibraryError{ErrorKind::Unreadable, "the input could not be read at line " +
                                                                std::to_string(number) + " (" +
                                                                reason + ")"});
        }
        if (length > kMaxImportLineBytes) {
            refuse("the line holds " + std::to_string(length) + " bytes; a line may hold at most " +
                   std::to_string(kMaxImportLineBytes));
            continue;
        }
        std::string_view text = line;
        if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        if (text.empty()) continue;
        if (auto error = ReadRecord(text, form, &extras)) {
            refuse(error->message);
            continue;
        }
        const auto accepted = AcceptBirth(form);
        if (const auto* refusal = std::get_if<Refusal>(&accepted)) {
            const std::string_view field = RecordFieldOf(refusal->focus);
            refuse((field.empty() ? std::string() : "\"" + std::string(field) + "\": ") +
                   std::string(refusal->message));
            continue;
        }
        row.birth = std::get<Birth>(accepted);
        row.note = extras.note;
        row.atlasPlace = extras.atlasPlace;
        row.atlasZone = extras.atlasZone;
        if (auto fault = StoredTextFault(row)) {
            refuse(*fault);
            continue;
        }
        // Births added earlier in this import are seen here too: the
        // transaction reads its own rows. The very same birth is a duplicate;
        // the same name and moment with other details is a clash, refused as
        // --save refuses it.
        BindMoment(same, row.birth);
        std::int64_t clash = 0;
        bool duplicate = false;
        int found;
        while ((found = same.Step()) == SQLITE_ROW) {
            const ReadBirth stored = ReadRow(same);
            if (SameBirthDetails(stored.stored.birth, row.birth)) {
                duplicate = true;
            } else if (clash == 0) {
                clash = stored.stored.id;
            }
        }
        same.Reset();
        if (found != SQLITE_DONE) return fail(ErrorOf(found, "cannot import"));
        if (duplicate) {
            ++report.duplicates;
        } else if (clash != 0) {
            refuse("stored birth " + std::to_string(clash) +
                   " has this name and moment but other details; the line is not imported");
        } else {
            BindBirth(insert, row);
            insert.Bind(":created", row.created);
            const int step = insert.Step();
            insert.Reset();
            if (step != SQLITE_DONE) return fail(ErrorOf(step, "cannot import"));
            ++report.added;
        }
        if (progress) progress(number);
    }
    if (auto e = Exec("COMMIT")) return fail(*e);
    return report;
}

}  // namespace korvanta::library
