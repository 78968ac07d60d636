// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "library/flat_json.h"

namespace korvanta {
namespace {

// The bytes copied as they are: printable ASCII but the quote and the
// backslash.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
}();

// Escapes well-formed text; false (with `out` as it was) at the first
// ill-formed byte.
bool AppendWellFormed(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    const std::size_t start = out.size();
    std::size_t run = 0;  // start of the bytes not yet copied
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (kPlain[c]) {
            ++i;
            continue;
        }
        if (c >= 0x80) {
            const std::size_t length = Utf8SequenceLength(text, i);
            if (length == 0) {
                out.resize(start);
                return false;
            }
            i += length;
            continue;
        }
        out.append(text.data() + run, i - run);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\r':
                out += "\\r";
                break;
            default: {
                const char escape[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
                out.append(escape, sizeof escape);
            }
        }
        run = ++i;
    }
    out.append(text.data() + run, text.size() - run);
    return true;
}

}  // namespace

void AppendJsonEscaped(std::string& out, std::string_view text) {
    if (AppendWellFormed(out, text)) return;
    // Ill-formed UTF-8 is rare (an input record's bytes): nlohmann::json
    // decides how much of it each replacement character stands for.
    const std::string dumped = nlohmann::json(std::string(text))
                                   .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    out.append(dumped, 1, dumped.size() - 2);
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ += bracket;
    ++depth_;
    filled_ &= ~(std::uint64_t{1} << (depth_ - 1));
}

void JsonWriter::Close(char bracket) {
    out_ += bracket;
    --depth_;
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    out_ += '"';
    AppendJsonEscaped(out_, text);
    out_ += '"';
}

void JsonWriter::BeginString() {
    BeforeValue();
    out_ += '"';
}

void JsonWriter::StringPart(std::string_view text) {
    AppendJsonEscaped(out_, text);
}

void JsonWriter::Int(long long value) {
    BeforeValue();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_.append(digits, static_cast<std::size_t>(end - digits));
}

void JsonWriter::Double(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    // nlohmann::json's own routine, so that every digit is the same.
    char digits[64];
    const char* end = nlohmann::detail::to_chars(digits, digits + sizeof digits, value);
    out_.append(digits, static_cast<std::size_t>(end - digits));
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

void JsonWriter::Raw(std::string_view json) {
    BeforeValue();
    out_ += json;
}

}  // namespace korvanta
