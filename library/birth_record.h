// SPDX-License-Identifier: GPL-3.0-or-later
// The input record of the command line's JSON form: one birth as a JSON
// object, and the entry controls it stands for.
//
//   {"name":"ASHA","month":6,"day":5,"year":1980,"hour":9,"minute":5,"second":0,
//    "lat_deg":28,"lat_min":36,"south":false,"lon_deg":77,"lon_min":12,"east":true,
//    "zone_index":34,"dst":false,"city":"New Delhi","state":"Delhi","country":"India"}
//
// "second", "dst", "city", "state" and "country" may be left out (0, false,
// empty); so may the births library's own keys "id", "note", "atlas_place"
// and "atlas_zone", which a chart ignores, and "sensitivity" (15, 30, 60 or
// 120), the minutes of the birth-time sensitivity strip that batch mode adds;
// "utc_offset_minutes" (local minus UT, 345 for +05:45) stands with
// "zone_index": 71, "Other UTC offset", and only there; every other key is
// required, and unknown keys are refused so that a misspelt optional key cannot pass unnoticed.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "pipeline/entry.h"
#include "pipeline/positions_source.h"

namespace korvanta {

using Json = nlohmann::ordered_json;

// Why a record cannot be used: the key and the reason, e.g. field "month",
// message "\"month\": expected a whole number from 1 to 12, got 13".
struct RecordError {
    std::string field;
    std::string message;
};

// The births library's keys of a record: its row id (0: none), the user's
// note, and the atlas's place label and IANA zone when the atlas filled the
// place; and the span of the sensitivity strip a batch line asks for.
struct RecordExtras {
    std::int64_t id = 0;
    std::string note, atlasPlace, atlasZone;
    int sensitivityMinutes = 0;  // 0: not asked for
    bool vargas = false;         // the divisional charts asked for
    // The astronomy a batch line asks for ("astronomy", "node", "sunrise");
    // empty where the line leaves it to the command line.
    std::optional<Astronomy> astronomy;
    std::optional<NodeChoice> node;
    std::optional<SunriseChoice> sunrise;
};

// Reads the record in `text` (one JSON object) into the entry controls
// `form`; empty on success. List fields (month, day, year, hour, minute,
// second, zone_index) must lie within their lists; the coordinate numbers
// become the boxes' texts unchecked, so an out-of-range value meets the entry
// check and its message, as in the window. The form's strings are reused,
// which matters to callers that read many records. A record in the common
// form (no escapes, whole numbers) is read by a quick reader; Full reads every
// record with the general JSON parser, which the quick one must agree with.
enum class RecordParsing { Quick, Full };
std::optional<RecordError> ReadRecord(std::string_view text, EntryForm& form,
                                      RecordExtras* extras = nullptr,
                                      RecordParsing parsing = RecordParsing::Quick);

// A name as the entry window's name box can hold it (NameFaultAt): letters of
// any script made capitals, blanks, and hyphens and apostrophes inside it,
// into `name`. Any other character is refused with its position (the
// reason), never echoed.
std::optional<std::string> NameAsEntered(std::string_view text, std::string& name);

// The record of an entry whose coordinate boxes hold digits only (as the
// flags give them). Keys in the order shown above.
Json RecordFromForm(const EntryForm& form);

// The key of the input record that a refusal's focus control stands for
// ("lon_deg" for txtLonD); empty when it has none.
std::string_view RecordFieldOf(EntryControl control);

}  // namespace korvanta
