// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/flat_json.h"

namespace korvanta {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto at = [&text](std::size_t k) {
        return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u;
    };
    const auto tail = [](unsigned c) { return c >= 0x80 && c <= 0xBF; };
    const unsigned c0 = at(i);
    const unsigned c1 = at(i + 1);
    if (c0 >= 0xC2 && c0 <= 0xDF) return tail(c1) ? 2 : 0;
    if (c0 >= 0xE0 && c0 <= 0xEF) {
        const bool second = c0 == 0xE0   ? (c1 >= 0xA0 && c1 <= 0xBF)
                            : c0 == 0xED ? (c1 >= 0x80 && c1 <= 0x9F)
                                         : tail(c1);
        return second && tail(at(i + 2)) ? 3 : 0;
    }
    if (c0 >= 0xF0 && c0 <= 0xF4) {
        const bool second = c0 == 0xF0   ? (c1 >= 0x90 && c1 <= 0xBF)
                            : c0 == 0xF4 ? (c1 >= 0x80 && c1 <= 0x8F)
                                         : tail(c1);
        return second && tail(at(i + 2)) && tail(at(i + 3)) ? 4 : 0;
    }
    return 0;
}

bool FlatJsonReader::Scan(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    const auto skipBlanks = [&] {
        while (p < end && IsBlank(static_cast<char>(*p))) ++p;
    };
    // A string without escapes or control characters, in well-formed UTF-8.
    const auto string = [&](std::string_view& out) {
        if (p == end || *p != '"') return false;
        const auto* const start = ++p;
        while (p < end && *p != '"') {
            if (*p < 0x20 || *p == '\\') return false;
            if (*p < 0x80) {
                ++p;
            } else {
                const std::size_t length = Utf8SequenceLength(
                    text, static_cast<std::size_t>(
                              p - reinterpret_cast<const unsigned char*>(text.data())));
                if (length == 0) return false;
                p += length;
            }
        }
        if (p == end) return false;
        out = std::string_view(reinterpret_cast<const char*>(start),
                               static_cast<std::size_t>(p - start));
        ++p;
        return true;
    };
    const auto literal = [&](std::string_view word) {
        if (static_cast<std::size_t>(end - p) < word.size() ||
            std::string_view(reinterpret_cast<const char*>(p), word.size()) != word) {
            return false;
        }
        p += word.size();
        return true;
    };
    // A whole number of at most 18 digits without a fraction or an exponent
    // (and not -0, which nlohmann gives as a signed zero).
    const auto number = [&](Member& m) {
        const bool negative = *p == '-';
        if (negative) ++p;
        const auto* const digits = p;
        if (p == end || *p < '0' || *p > '9') return false;
        std::uint64_t value = 0;
        while (p < end && *p >= '0' && *p <= '9') value = value * 10 + (*p++ - '0');
        const auto length = p - digits;
        if (length > 18 || (length > 1 && *digits == '0')) return false;
        if (p < end && (*p == '.' || *p == 'e' || *p == 'E')) return false;
        if (negative && value == 0) return false;
        m.magnitude = value;
        m.type = negative ? Type::Negative : Type::Unsigned;
        return true;
    };

    count_ = 0;
    skipBlanks();
    if (p == end || *p != '{') return false;
    ++p;
    skipBlanks();
    if (p < end && *p == '}') {
        ++p;
    } else {
        for (;;) {
            if (count_ == kMaxMembers) return false;
            Member& m = members_[count_++];
            if (!string(m.key)) return false;
            skipBlanks();
            if (p == end || *p != ':') return false;
            ++p;
            skipBlanks();
            if (p == end) return false;
            if (*p == '"') {
                if (!string(m.text)) return false;
                m.type = Type::String;
            } else if (*p == '-' || (*p >= '0' && *p <= '9')) {
                if (!number(m)) return false;
            } else if (literal("true")) {
                m.type = Type::True;
            } else if (literal("false")) {
                m.type = Type::False;
            } else if (literal("null")) {
                m.type = Type::Null;
            } else {
                return false;  // an object, an array, or not JSON
            }
            skipBlanks();
            if (p == end) return false;
            if (*p == '}') {
                ++p;
                break;
            }
            if (*p != ',') return false;
            ++p;
            skipBlanks();
        }
    }
    skipBlanks();
    return p == end;
}

}  // namespace korvanta
