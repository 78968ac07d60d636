#include "cli/input_record.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

#include "pipeline/zones.h"

namespace korvanta {
namespace {

enum class Kind { List, Number, Flag, Text };

// One key of the record: its kind, the list range for list fields, and
// whether it may be left out.
struct KeySpec {
    std::string_view key;
    Kind kind;
    int low = 0, high = 0;
    bool optional = false;
};

constexpr int kLastYear = kFirstYear + kYearCount - 1;

constexpr std::array<KeySpec, 18> kKeys = {{
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
    {"zone_index", Kind::List, 0, kZoneCount - 1},
    {"dst", Kind::Flag, 0, 0, true},
    {"city", Kind::Text, 0, 0, true},
    {"state", Kind::Text, 0, 0, true},
    {"country", Kind::Text, 0, 0, true},
}};

std::string Quote(std::string_view key) {
    return "\"" + std::string(key) + "\"";
}

RecordError Wrong(const KeySpec& spec, const Json& value) {
    std::string expected;
    switch (spec.kind) {
        case Kind::List:
            expected = "a whole number from " + std::to_string(spec.low) + " to " +
                       std::to_string(spec.high);
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
    }
    return {std::string(spec.key),
            Quote(spec.key) + ": expected " + expected + ", got " + value.dump()};
}

// A JSON integer that fits 32 bits; floats such as 5.0 are not taken.
bool WholeNumber(const Json& value, std::int64_t& out) {
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return false;
        out = static_cast<std::int64_t>(u);
        return true;
    }
    if (!value.is_number_integer()) return false;
    out = value.get<std::int64_t>();
    return out >= std::numeric_limits<std::int32_t>::min() &&
           out <= std::numeric_limits<std::int32_t>::max();
}

void WriteNumberText(std::int64_t number, std::string& text) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
    text.assign(buffer, end);
}

// Stores a checked value into the control the key stands for.
void Store(std::size_t keyIndex, const Json& value, std::int64_t number, EntryForm& form) {
    const int n = static_cast<int>(number);
    switch (keyIndex) {
        case 0:
            form.txtName = value.get_ref<const std::string&>();
            break;
        case 1:
            form.cboMonth = n - 1;
            break;
        case 2:
            form.cboDate = n - 1;
            break;
        case 3:
            form.cboYear = n - kFirstYear;
            break;
        case 4:
            form.cboHH = n;
            break;
        case 5:
            form.cboMM = n;
            break;
        case 6:
            form.cboSS = n;
            break;
        case 7:
            WriteNumberText(number, form.txtLatD);
            break;
        case 8:
            WriteNumberText(number, form.txtLatM);
            break;
        case 9:
            form.optLatSouth = value.get<bool>();
            break;
        case 10:
            WriteNumberText(number, form.txtLonD);
            break;
        case 11:
            WriteNumberText(number, form.txtLonM);
            break;
        case 12:
            form.optLongEast = value.get<bool>();
            break;
        case 13:
            form.cmbTimeZone = n;
            break;
        case 14:
            form.chkDST = value.get<bool>();
            break;
        case 15:
            form.txtMCity = value.get_ref<const std::string&>();
            break;
        case 16:
            form.txtMState = value.get_ref<const std::string&>();
            break;
        case 17:
            form.txtMCountry = value.get_ref<const std::string&>();
            break;
        default:
            break;
    }
}

}  // namespace

std::optional<RecordError> ReadRecord(const Json& record, EntryForm& form) {
    if (!record.is_object()) return RecordError{"", "expected a JSON object, got " + record.dump()};
    form.cboSS = 0;
    form.chkDST = false;
    form.txtMCity.clear();
    form.txtMState.clear();
    form.txtMCountry.clear();
    std::uint32_t seen = 0;
    for (const auto& [key, value] : record.items()) {
        std::size_t index = 0;
        while (index < kKeys.size() && kKeys[index].key != key) ++index;
        if (index == kKeys.size()) return RecordError{key, Quote(key) + ": unknown key"};
        const KeySpec& spec = kKeys[index];
        std::int64_t number = 0;
        bool ok = false;
        switch (spec.kind) {
            case Kind::List:
                ok = WholeNumber(value, number) && number >= spec.low && number <= spec.high;
                break;
            case Kind::Number:
                ok = WholeNumber(value, number);
                break;
            case Kind::Flag:
                ok = value.is_boolean();
                break;
            case Kind::Text:
                ok = value.is_string();
                break;
        }
        if (!ok) return Wrong(spec, value);
        Store(index, value, number, form);
        seen |= 1u << index;
    }
    for (std::size_t index = 0; index < kKeys.size(); ++index) {
        if (!kKeys[index].optional && !(seen & (1u << index))) {
            const auto key = kKeys[index].key;
            return RecordError{std::string(key), Quote(key) + ": missing"};
        }
    }
    return std::nullopt;
}

std::variant<EntryForm, RecordError> FormFromRecord(const Json& record) {
    EntryForm form;
    if (auto error = ReadRecord(record, form)) return *error;
    return form;
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
        default:
            return "";
    }
}

}  // namespace korvanta
