// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/text.h"

#include <array>
#include <istream>
#include <limits>

namespace korvanta::exchange {
namespace {

// Base letters of U+00C0..U+00FF for the name box; empty: not a letter.
constexpr std::array<std::string_view, 64> kLatinOneLetters = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "SS",
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "TH", "Y"};

// Windows-1252's characters at 0x80..0x9F (0: unassigned, kept as U+0080..).
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at `text[at]`, or 0.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::size_t InvalidUtf8At(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) return at;
        at += length;
    }
    return std::string_view::npos;
}

bool IsValidUtf8(std::string_view text) {
    return InvalidUtf8At(text) == std::string_view::npos;
}

std::string AsUtf8(std::string_view text, bool* converted) {
    const bool valid = IsValidUtf8(text);
    if (converted != nullptr) *converted = !valid;
    if (valid) return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char32_t code = byte;
        if (byte >= 0x80 && byte < 0xA0 && kWindows1252High[byte - 0x80] != 0)
            code = kWindows1252High[byte - 0x80];
        AppendUtf8(code, out);
    }
    return out;
}

std::size_t ControlCharacterAt(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) return i;
    }
    return std::string_view::npos;
}

std::string NameForNameBox(std::string_view raw) {
    const std::string text = AsUtf8(raw);
    std::string name;
    bool gap = false;
    const auto add = [&](std::string_view letters) {
        if (letters.empty()) {
            gap = true;
            return;
        }
        if (gap && !name.empty()) name += ' ';
        gap = false;
        name += letters;
    };
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 'a' && byte <= 'z') {
            const char upper = static_cast<char>(byte - 32);
            add(std::string_view(&upper, 1));
            ++at;
            continue;
        }
        if (byte >= 'A' && byte <= 'Z') {
            add(text.substr(at, 1));
            ++at;
            continue;
        }
        // U+00C0..U+00FF are C3 80..C3 BF in UTF-8.
        if (byte == 0xC3 && at + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[at + 1]);
            if (next >= 0x80 && next <= 0xBF) {
                add(kLatinOneLetters[next - 0x80]);
                at += 2;
                continue;
            }
        }
        add({});
        const std::size_t length = Utf8Length(text, at);
        at += length == 0 ? 1 : length;
    }
    return name;
}

LineReader::Status LineReader::Next(std::string& line) {
    line.clear();
    std::streambuf* buffer = in_.rdbuf();
    if (buffer == nullptr) return Status::End;
    using Traits = std::char_traits<char>;
    bool any = false;
    for (;;) {
        const int c = buffer->sbumpc();
        if (Traits::eq_int_type(c, Traits::eof())) {
            if (!any) return Status::End;
            break;
        }
        any = true;
        if (c == '\n') break;
        if (line.size() >= max_) {
            // The rest of the line is passed over without being kept.
            skipped_ = line.size() + 1;
            in_.clear();
            in_.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            skipped_ += static_cast<std::uint64_t>(in_.gcount());
            in_.clear();
            ++number_;
            return Status::TooLong;
        }
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++number_;
    return Status::Line;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

}  // namespace korvanta::exchange
