// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/birth_record.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

#include "library/flat_json.h"
#include "pipeline/sensitivity.h"
#include "pipeline/zones.h"

namespace korvanta {
namespace {

enum class Kind { List, Number, Flag, Text, Id, Span, Offset, Word };

// One key of the record: its kind, the list range for list fields, and
// whether it may be left out.
struct KeyRule {
    std::string_view key;
    Kind kind;
    int low = 0, high = 0;
    bool optional = false;
};

constexpr int kLastYear = kFirstYear + kYearCount - 1;
constexpr std::int64_t kLargestOffsetText = 99 * 60 + 59;  // "+99:59"

enum KeyIndex : std::size_t {
    kName,
    kMonth,
    kDay,
    kYear,
    kHour,
    kMinute,
    kSecond,
    kLatDeg,
    kLatMin,
    kSouth,
    kLonDeg,
    kLonMin,
    kEast,
    kZoneIndex,
    kDst,
    kCity,
    kState,
    kCountry,
    kId,
    kNote,
    kAtlasPlace,
    kAtlasZone,
    kSensitivity,
    kUtcOffset,
    kVargas,
    kAstronomy,
    kNode,
    kSunrise,
    kKeyCount
};

constexpr std::array<KeyRule, kKeyCount> kKeys = {{
    {"name", Kind::Text},
    {"month", Kind::List, 1, 12},
    {"day", Kind::List, 1, kDayCount},
    {"year", Kind::List, kFirstYear, kLastYear},
    {"hour", Kind::List, 0, kHourCount - 1},
    {"minute", Kind::List, 0, kMinuteCount - 1},
    {"second", Kind::List, 0, kSecondCount - 1, true},
    {"lat_deg", Kind::Number},
    {"lat_min", Kind::Number},
    {"south", Kind::Flag},
    {"lon_deg", Kind::Number},
    {"lon_min", Kind::Number},
    {"east", Kind::Flag},
    {"zone_index", Kind::List, 0, kZoneListCount - 1},
    {"dst", Kind::Flag, 0, 0, true},
    {"city", Kind::Text, 0, 0, true},
    {"state", Kind::Text, 0, 0, true},
    {"country", Kind::Text, 0, 0, true},
    // Kept by the births library; a chart ignores them.
    {"id", Kind::Id, 1, 0, true},
    {"note", Kind::Text, 0, 0, true},
    {"atlas_place", Kind::Text, 0, 0, true},
    {"atlas_zone", Kind::Text, 0, 0, true},
    // Asks batch mode for the birth-time sensitivity strip; minutes.
    {"sensitivity", Kind::Span, 0, 0, true},
    // The offset of zone row 71, "Other UTC offset": minutes, local minus UT.
    {"utc_offset_minutes", Kind::Offset, 0, 0, true},
    // Asks batch mode for the divisional charts.
    {"vargas", Kind::Flag, 0, 0, true},
    // Asks batch mode for an astronomy and its choices (kWords below).
    {"astronomy", Kind::Word, 0, 0, true},
    {"node", Kind::Word, 0, 0, true},
    {"sunrise", Kind::Word, 0, 0, true},
}};

// The two words each Word key takes, the first being the default.
struct WordPair {
    std::size_t key;
    std::string_view first, second;
};
constexpr std::array<WordPair, 3> kWords = {{
    {kAstronomy, "classic", "precise"},
    {kNode, "mean", "true"},
    {kSunrise, "limb", "centre"},
}};

const WordPair& WordsOf(std::size_t key) {
    for (const WordPair& words : kWords) {
        if (words.key == key) return words;
    }
    return kWords[0];
}

std::string Quote(std::string_view key) {
    return "\"" + std::string(key) + "\"";
}

// An error object shows at most this many bytes of a value it quotes: enough
// to recognise it, never a whole 10 MB number.
constexpr std::size_t kShownBytes = 40;

// `text` cut to kShownBytes at a character boundary, "..." marking the cut.
std::string Shortened(std::string_view text) {
    if (text.size() <= kShownBytes) return std::string(text);
    std::size_t end = kShownBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return std::string(text.substr(0, end)) + "... (" + std::to_string(text.size()) + " bytes)";
}

void WriteNumberText(std::int64_t number, std::string& text) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
    text.assign(buffer, end);
}

// Reads the record's members as the JSON parser meets them and stores each
// into its control, without building a document. Any value that does not
// fit stops the parse with the reason.
class RecordReader : public nlohmann::json_sax<Json> {
  public:
    RecordReader(EntryForm& form, RecordExtras* extras) : form_(form), extras_(extras) {}

    std::optional<RecordError> error;
    std::uint32_t seen = 0;

    bool null() override { return Misfit("null"); }
    bool boolean(bool value) override {
        if (!Expecting(Kind::Flag)) return Misfit(value ? "true" : "false");
        if (key_ == kVargas) {
            if (extras_ != nullptr) extras_->vargas = value;
            return Stored();
        }
        bool& target = key_ == kSouth  ? form_.optLatSouth
                       : key_ == kEast ? form_.optLongEast
                                       : form_.chkDST;
        target = value;
        return Stored();
    }
    bool number_integer(number_integer_t value) override {
        return Number(value, std::to_string(value));
    }
    bool number_unsigned(number_unsigned_t value) override {
        const bool fits =
            value <= static_cast<number_unsigned_t>(std::numeric_limits<std::int32_t>::max());
        return fits ? Number(static_cast<std::int64_t>(value), std::to_string(value))
                    : Misfit(std::to_string(value));
    }
    bool number_float(number_float_t, const string_t& text) override { return Misfit(text); }
    bool string(string_t& value) override {
        if (Expecting(Kind::Word)) return Word(value);
        if (!Expecting(Kind::Text)) return Misfit(Json(value).dump());
        if (key_ == kName) {
            if (auto reason = NameAsEntered(value, form_.txtName)) {
                return Fail("name", Quote("name") + ": " + *reason);
            }
            return Stored();
        }
        if (key_ == kNote || key_ == kAtlasPlace || key_ == kAtlasZone) {
            if (extras_ != nullptr) {
                std::string& kept = key_ == kNote         ? extras_->note
                                    : key_ == kAtlasPlace ? extras_->atlasPlace
                                                          : extras_->atlasZone;
                kept = value;
            }
            return Stored();
        }
        std::string& target = key_ == kCity    ? form_.txtMCity
                              : key_ == kState ? form_.txtMState
                                               : form_.txtMCountry;
        target = value;
        return Stored();
    }
    bool binary(binary_t&) override { return Misfit("binary data"); }
    bool start_object(std::size_t) override {
        if (depth_ == 0) {
            depth_ = 1;
            return true;
        }
        return Misfit("an object");
    }
    bool key(string_t& name) override {
        key_ = 0;
        while (key_ < kKeyCount && kKeys[key_].key != name) ++key_;
        if (key_ == kKeyCount) {
            const std::string shown = Shortened(name);
            return Fail(shown, Quote(shown) + ": unknown key");
        }
        // Taking the first or the last of two values would be a guess.
        if (given_ & (1u << key_)) return Fail(name, Quote(name) + ": given twice");
        given_ |= 1u << key_;
        return true;
    }
    bool end_object() override {
        depth_ = 0;
        return true;
    }
    bool start_array(std::size_t) override { return Misfit("an array"); }
    bool end_array() override { return true; }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& e) override {
        // nlohmann's messages start with "[json.exception.parse_error.101] ".
        const std::string what = e.what();
        const auto end = what.find("] ");
        std::string message = what.substr(end == std::string::npos ? 0 : end + 2);
        // The parser quotes the token it stopped in, which may be megabytes.
        const auto open = message.find('\'');
        const auto close = message.rfind('\'');
        if (open != std::string::npos && close > open) {
            message = message.substr(0, open + 1) +
                      Shortened(std::string_view(message).substr(open + 1, close - open - 1)) +
                      message.substr(close);
        }
        return Fail("", "not a JSON object: " + message);
    }

  private:
    bool Expecting(Kind kind) const { return depth_ == 1 && kKeys[key_].kind == kind; }

    bool Number(std::int64_t value, const std::string& text) {
        if (depth_ != 1) return Misfit(text);
        const KeyRule& rule = kKeys[key_];
        if (rule.kind == Kind::Span) {
            if (!IsSensitivitySpan(static_cast<int>(std::clamp<std::int64_t>(value, 0, 1000)))) {
                return Misfit(text);
            }
            if (extras_ != nullptr) extras_->sensitivityMinutes = static_cast<int>(value);
            return Stored();
        }
        if (rule.kind == Kind::Offset) {
            // Out-of-range offsets meet the entry check and its message;
            // clamped so that the text keeps its shape.
            form_.txtUtcOffset = UtcOffsetText(static_cast<int>(
                std::clamp<std::int64_t>(value, -kLargestOffsetText, kLargestOffsetText)));
            return Stored();
        }
        if (rule.kind == Kind::Id) {
            if (value < 1) return Misfit(text);
            if (extras_ != nullptr) extras_->id = value;
            return Stored();
        }
        if (rule.kind == Kind::Number) {
            std::string& target = key_ == kLatDeg   ? form_.txtLatD
                                  : key_ == kLatMin ? form_.txtLatM
                                  : key_ == kLonDeg ? form_.txtLonD
                                                    : form_.txtLonM;
            WriteNumberText(value, target);
            return Stored();
        }
        if (rule.kind != Kind::List || value < rule.low || value > rule.high) {
            return Misfit(text);
        }
        const int n = static_cast<int>(value);
        switch (key_) {
            case kMonth:
                form_.cboMonth = n - 1;
                break;
            case kDay:
                form_.cboDate = n - 1;
                break;
            case kYear:
                form_.cboYear = n - kFirstYear;
                break;
            case kHour:
                form_.cboHH = n;
                break;
            case kMinute:
                form_.cboMM = n;
                break;
            case kSecond:
                form_.cboSS = n;
                break;
            default:
                form_.cmbTimeZone = n;
                break;
        }
        return Stored();
    }

    // One of the two words of a Word key, kept in the extras.
    bool Word(const std::string& value) {
        const WordPair& words = WordsOf(key_);
        if (value != words.first && value != words.second) return Misfit(Json(value).dump());
        const bool second = value == words.second;
        if (extras_ != nullptr) {
            if (key_ == kAstronomy) {
                extras_->astronomy = second ? Astronomy::Precise : Astronomy::Classic;
            } else if (key_ == kNode) {
                extras_->node = second ? NodeChoice::True : NodeChoice::Mean;
            } else {
                extras_->sunrise = second ? SunriseChoice::Centre : SunriseChoice::Limb;
            }
        }
        return Stored();
    }

    // A value that does not fit where it stands; `shown` is how the reason
    // quotes it.
    bool Misfit(const std::string& value) {
        const std::string shown = Shortened(value);
        if (depth_ == 0) return Fail("", "expected a JSON object, got " + shown);
        const KeyRule& rule = kKeys[key_];
        std::string expected;
        switch (rule.kind) {
            case Kind::List:
                expected = "a whole number from " + std::to_string(rule.low) + " to " +
                           std::to_string(rule.high);
                break;
            case Kind::Number:
                expected = "a whole number";
                break;
            case Kind::Flag:
                expected = "true or false";
                break;
            case Kind::Text:
                expected = "a text";
                break;
            case Kind::Id:
                expected = "a whole number from 1 on";
                break;
            case Kind::Span:
                expected = "15, 30, 60 or 120";
                break;
            case Kind::Offset:
                expected = "a whole number of minutes";
                break;
            case Kind::Word:
                expected = "\"" + std::string(WordsOf(key_).first) + "\" or \"" +
                           std::string(WordsOf(key_).second) + "\"";
                break;
        }
        return Fail(std::string(rule.key),
                    Quote(rule.key) + ": expected " + expected + ", got " + shown);
    }
    bool Stored() {
        seen |= 1u << key_;
        return true;
    }
    bool Fail(std::string field, std::string message) {
        if (!error) error = RecordError{std::move(field), std::move(message)};
        return false;
    }

    EntryForm& form_;
    RecordExtras* extras_;
    std::uint32_t given_ = 0;  // keys met so far, stored or not
    int depth_ = 0;
    std::size_t key_ = 0;
};

}  // namespace

std::optional<std::string> NameAsEntered(std::string_view text, std::string& name) {
    // The entry check's own rule, so that the window, the command line and
    // the library take the same names.
    if (const std::optional<std::size_t> at = NameFaultAt(text)) {
        return "a name takes only letters, blanks, and hyphens and apostrophes inside it, as the "
               "entry window's name box does; character " +
               std::to_string(*at) + " is not one of them";
    }
    name = CapitalName(text);
    return std::nullopt;
}

std::optional<RecordError> ReadRecord(std::string_view text, EntryForm& form, RecordExtras* extras,
                                      RecordParsing parsing) {
    if (extras != nullptr) *extras = RecordExtras{};
    form.cboSS = 0;
    form.chkDST = false;
    form.txtMCity.clear();
    form.txtMState.clear();
    form.txtMCountry.clear();
    form.txtUtcOffset.clear();
    // The parser takes a NUL byte for the end of the input and would accept
    // whatever follows it; a raw NUL is never JSON, so the line is refused.
    if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
        return RecordError{"", "not a JSON object: parse error at line 1, column " +
                                   std::to_string(nul + 1) + ": a NUL byte is not JSON"};
    }
    RecordReader reader(form, extras);
    // One reader per thread, since --batch reads records on several.
    thread_local FlatJsonReader quick;
    if (parsing == RecordParsing::Full || !quick.Read(text, reader)) {
        Json::sax_parse(text.begin(), text.end(), &reader);
    }
    if (reader.error) return reader.error;
    for (std::size_t index = 0; index < kKeyCount; ++index) {
        if (!kKeys[index].optional && !(reader.seen & (1u << index))) {
            return RecordError{std::string(kKeys[index].key),
                               Quote(kKeys[index].key) + ": missing"};
        }
    }
    // The offset belongs to "Other UTC offset" and to no other row.
    const bool offsetGiven = (reader.seen & (1u << kUtcOffset)) != 0;
    if (offsetGiven != (form.cmbTimeZone == kOtherOffsetRow)) {
        return RecordError{"utc_offset_minutes",
                           offsetGiven ? "\"utc_offset_minutes\": only with \"zone_index\": 71"
                                       : "\"utc_offset_minutes\": missing, \"zone_index\": 71 "
                                         "takes its offset from it"};
    }
    return std::nullopt;
}

namespace {
int ValueOfDigits(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}
}  // namespace

Json RecordFromForm(const EntryForm& form) {
    Json record;
    record["name"] = form.txtName;
    record["month"] = form.cboMonth + 1;
    record["day"] = form.cboDate + 1;
    record["year"] = form.cboYear + kFirstYear;
    record["hour"] = form.cboHH;
    record["minute"] = form.cboMM;
    record["second"] = form.cboSS;
    record["lat_deg"] = ValueOfDigits(form.txtLatD);
    record["lat_min"] = ValueOfDigits(form.txtLatM);
    record["south"] = form.optLatSouth;
    record["lon_deg"] = ValueOfDigits(form.txtLonD);
    record["lon_min"] = ValueOfDigits(form.txtLonM);
    record["east"] = form.optLongEast;
    record["zone_index"] = form.cmbTimeZone;
    if (form.cmbTimeZone == kOtherOffsetRow) {
        record["utc_offset_minutes"] = ReadUtcOffset(form.txtUtcOffset).value_or(0);
    }
    record["dst"] = form.chkDST;
    record["city"] = form.txtMCity;
    record["state"] = form.txtMState;
    record["country"] = form.txtMCountry;
    return record;
}

std::string_view RecordFieldOf(EntryControl control) {
    switch (control) {
        case EntryControl::txtName:
            return "name";
        case EntryControl::txtLonD:
            return "lon_deg";
        case EntryControl::txtLonM:
            return "lon_min";
        case EntryControl::txtLatD:
            return "lat_deg";
        case EntryControl::txtLatM:
            return "lat_min";
        case EntryControl::txtMCity:
            return "city";
        case EntryControl::txtMState:
            return "state";
        case EntryControl::txtMCountry:
            return "country";
        case EntryControl::txtUtcOffset:
            return "utc_offset_minutes";
        default:
            return "";
    }
}

}  // namespace korvanta
