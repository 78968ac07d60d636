// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON writer of batch mode against nlohmann::json's compact dump, which
// wrote these lines before: strings with every escape, multi-byte and
// ill-formed UTF-8, and doubles across their range must come out byte for
// byte the same, or batch mode's output would change.
#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

std::string Dumped(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string Written(const std::string& text) {
    std::string out;
    korvanta::JsonWriter(out).String(text);
    return out;
}

std::string Written(double value) {
    std::string out;
    korvanta::JsonWriter(out).Double(value);
    return out;
}

TEST(JsonWriter, StringsAreEscapedAsNlohmannJsonEscapesThem) {
    std::vector<std::string> texts = {
        "",
        "ASHA RAO",
        "21\xC2\xB0 3' 4\" Tau",
        "back\\slash \"quoted\" /",
        "\r\nSurya\r\nChandra",
        std::string("nul \0 inside", 12),
        "\x7F delete",
        "JOS\xC3\x89 \xE0\xA4\x85 \xF0\x9F\x98\x80",  // two, three and four bytes
        "cut \xC3",                                   // sequence cut at the end
        "lone \x80 continuation",
        "overlong \xC0\xAF and \xE0\x80\xAF",
        "surrogate \xED\xA0\x80",
        "past U+10FFFF \xF4\x90\x80\x80",
        "\xF5\xFF",
        "mixed \xE2\x82 \xE2\x82\xAC",
    };
    for (int c = 0; c < 0x20; ++c) texts.push_back(std::string(1, static_cast<char>(c)) + "x");
    // Longer texts, whose plain runs are scanned many bytes at a time: every
    // kind of byte at every offset of a run (a fixed sequence, so a failure
    // repeats).
    const std::vector<std::string> pieces = {
        "abcdefgh", "Q", " ", "\"", "\\", std::string(1, '\0'), "\n", "\x1F", "\x7F",
        "\xC2\xB0", "\xE0\xA4\x85", "\xF0\x9F\x98\x80", "\xC3", "\x80", "\xED\xA0\x80"};
    std::uint64_t state = 7;
    for (int k = 0; k < 5000; ++k) {
        std::string text;
        while (text.size() < static_cast<std::size_t>(k % 90)) {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            // Mostly plain letters, as the program's texts are.
            const std::size_t pick = (state >> 33) % (pieces.size() * 3);
            text += pieces[pick < pieces.size() * 2 ? pick % 2 : pick - pieces.size() * 2];
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        EXPECT_EQ(Written(text), Dumped(json(text))) << "text of " << text.size() << " bytes";
    }
}

TEST(JsonWriter, DoublesAreWrittenAsNlohmannJsonWritesThem) {
    std::vector<double> values = {0.0,   -0.0,  1.0,     -1.0,     0.1,        1e-5,   1e15,
                                  1e16,  1e17,  123.456, 359.9999, 1.0 / 3.0,  5e-324, 1e308,
                                  23.85, -77.2, 0.0001,  0.00001,  123456789.0};
    // Bit patterns spread over every exponent (a fixed sequence, so a
    // failure repeats).
    std::uint64_t state = 42;
    for (int k = 0; k < 20000; ++k) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double value = std::bit_cast<double>(state);
        if (std::isfinite(value)) values.push_back(value);
    }
    for (const double value : values) {
        EXPECT_EQ(Written(value), Dumped(json(value)))
            << "bits " << std::bit_cast<std::uint64_t>(value);
    }
    // Not a number and the infinities are null, as in the dump.
    for (const double value :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(Written(value), "null");
    }
}

TEST(JsonWriter, NestedObjectsAndArraysTakeTheirCommas) {
    std::string out;
    korvanta::JsonWriter writer(out);
    writer.BeginObject();
    writer.Key("a").Int(-5);
    writer.Key("list").BeginArray();
    writer.Bool(true);
    writer.Null();
    writer.BeginObject();
    writer.EndObject();
    writer.BeginArray();
    writer.EndArray();
    writer.EndArray();
    writer.Key("text").BeginString();
    writer.StringPart("\r\n");
    writer.StringPart("x\"");
    writer.EndString();
    writer.Key("raw").Raw("{\"k\":1}");
    writer.Key("none").Optional(std::optional<int>{});
    writer.Key("some").Optional(std::optional<double>{2.5});
    writer.EndObject();
    writer.Flush();
    const json expected = {
        {"a", -5},           {"list", {true, nullptr, json::object(), json::array()}},
        {"text", "\r\nx\""}, {"raw", {{"k", 1}}},
        {"none", nullptr},   {"some", 2.5}};
    EXPECT_EQ(out, nlohmann::ordered_json::parse(out).dump());
    EXPECT_EQ(json::parse(out), expected) << out;
}

}  // namespace
