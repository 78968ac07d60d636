// SPDX-License-Identifier: GPL-3.0-or-later
// The quick reader of input records must read every line exactly as the
// general JSON parser does: the same form, the same extras, the same error.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "library/birth_record.h"

namespace korvanta {
namespace {

// Everything ReadRecord leaves behind, as one comparable text.
std::string Reading(const std::string& line, RecordParsing parsing) {
    EntryForm form;
    RecordExtras extras;
    const auto error = ReadRecord(line, form, &extras, parsing);
    std::string out = error ? error->field + "|" + error->message : std::string("ok");
    for (const std::string* s :
         {&form.txtName, &form.txtMCity, &form.txtMState, &form.txtMCountry, &form.txtUtcOffset,
          &form.txtLonD, &form.txtLonM, &form.txtLatD, &form.txtLatM, &extras.note,
          &extras.atlasPlace, &extras.atlasZone}) {
        out += "|" + *s;
    }
    for (const long n : {long{form.cboMonth}, long{form.cboDate}, long{form.cboYear},
                         long{form.cboHH}, long{form.cboMM}, long{form.cboSS},
                         long{form.cmbTimeZone}, long{form.chkDST}, long{form.optLongEast},
                         long{form.optLatSouth}, long{extras.id}, long{extras.sensitivityMinutes},
                         long{extras.vargas}, long{extras.astronomy.has_value()}}) {
        out += "|" + std::to_string(n);
    }
    return out;
}

TEST(RecordReader, TheQuickReaderAgreesWithTheParserOnEveryVariantOfARecord) {
    const std::string base =
        R"({"name":"ASHA RAO","month":6,"day":5,"year":1980,"hour":9,"minute":5,"second":0,)"
        R"("lat_deg":28,"lat_min":36,"south":false,"lon_deg":77,"lon_min":12,"east":true,)"
        R"("zone_index":34,"dst":false,"city":"Zürich","state":"","country":"India","id":7})";
    std::vector<std::string> lines = {
        base,
        " { \"name\" : \"A\" ,\t\"month\":1}\r\n",
        "{}",
        "{\"name\":\"A\\u00dcB\",\"month\":1}",
        "{\"month\":-0}",
        "{\"month\":007}",
        "{\"month\":1.0}",
        "{\"month\":1e2}",
        "{\"month\":-5}",
        "{\"month\":99999999999999999999}",
        "{\"month\":2147483648}",
        "{\"month\":1,\"month\":2}",
        "{\"month\":null}",
        "{\"month\":[1]}",
        "{\"month\":{}}",
        "{\"month\":1,}",
        "{\"month\":1",
        "{\"month\":1}x",
        "{\"month\":tru}",
        "{\"city\":\"a\x7f\"}",
        "{\"city\":\"a\x01\"}",
        "{\"city\":\"\xc0\x80\"}",
        "{\"city\":\"\xed\xa0\x80\"}",
        "{\"city\":\"\xf4\x90\x80\x80\"}",
        "{\"city\":\"\xe2\x82\"}",
        "{\"\":1}",
        "[1]",
        "\"text\"",
        "",
    };
    // Each line once more with a byte changed, added or removed anywhere, from
    // the bytes that steer a JSON reader: a fixed seed, so a failure repeats.
    const std::string steering = "{}[]\",:\\-.0123456789eEtrufalsn \t\x7f\x80\xc3\xbc\xff";
    std::mt19937 random(20261209);
    for (int k = 0; k < 20000; ++k) {
        std::string line = lines[random() % lines.size()];
        const std::size_t at = line.empty() ? 0 : random() % line.size();
        const char byte = steering[random() % steering.size()];
        switch (random() % 3) {
            case 0:
                if (!line.empty()) line[at] = byte;
                break;
            case 1:
                line.insert(line.begin() + static_cast<std::ptrdiff_t>(at), byte);
                break;
            default:
                if (!line.empty()) line.erase(at, 1);
        }
        lines.push_back(line);
    }
    for (const std::string& line : lines) {
        ASSERT_EQ(Reading(line, RecordParsing::Quick), Reading(line, RecordParsing::Full))
            << "line: " << line;
    }
}

}  // namespace
}  // namespace korvanta
