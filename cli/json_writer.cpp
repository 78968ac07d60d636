// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/json_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The room added at a time: `resize` clears what it adds, so about one
// line's worth, not a doubling of what the buffer holds.
constexpr std::size_t kGrowStep = 4096;

}  // namespace

void JsonWriter::Grow(std::size_t size) {
    const std::size_t used =
        cur_ == nullptr ? out_.size() : static_cast<std::size_t>(cur_ - out_.data());
    out_.resize(used + std::max(size, kGrowStep));
    cur_ = out_.data() + used;
    end_ = out_.data() + out_.size();
}

bool JsonWriter::EscapedWellFormed(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    const auto* const in = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    // Room for the longest escape of every byte, "\u00XX".
    char* out = Room(6 * size);
    for (std::size_t i = 0; i < size;) {
#if defined(__SSE2__)
        // Sixteen bytes at a time while none of them needs a look of its own.
        // Compared as signed bytes, the control characters and every byte of
        // a multi-byte sequence are below 0x20. The sixteen bytes are stored
        // whatever they hold (the room allows it) but only the plain ones
        // are kept.
        while (i + 16 <= size) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            const __m128i special = _mm_or_si128(
                _mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20)),
                _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"')),
                             _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\'))));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
            const auto mask = static_cast<unsigned>(_mm_movemask_epi8(special));
            const unsigned plain = mask == 0 ? 16 : static_cast<unsigned>(std::countr_zero(mask));
            i += plain;
            out += plain;
            if (mask != 0) break;
        }
        if (i == size) break;
#endif
        const unsigned char c = in[i];
        if (kPlain[c]) {
            *out++ = static_cast<char>(c);
            ++i;
            continue;
        }
        if (c >= 0x80) {
            const std::size_t length = Utf8SequenceLength(text, i);
            if (length == 0) return false;  // cur_ is where it was
            std::memcpy(out, in + i, length);
            out += length;
            i += length;
            continue;
        }
        *out++ = '\\';
        switch (c) {
            case '"':
                *out++ = '"';
                break;
            case '\\':
                *out++ = '\\';
                break;
            case '\b':
                *out++ = 'b';
                break;
            case '\t':
                *out++ = 't';
                break;
            case '\n':
                *out++ = 'n';
                break;
            case '\f':
                *out++ = 'f';
                break;
            case '\r':
                *out++ = 'r';
                break;
            default:
                *out++ = 'u';
                *out++ = '0';
                *out++ = '0';
                *out++ = kHex[c >> 4];
                *out++ = kHex[c & 0xF];
        }
        ++i;
    }
    cur_ = out;
    return true;
}

void JsonWriter::Escaped(std::string_view text) {
    if (EscapedWellFormed(text)) return;
    // Ill-formed UTF-8 is rare (an input record's bytes): nlohmann::json
    // decides how much of it each replacement character stands for.
    const std::string dumped = nlohmann::json(std::string(text))
                                   .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    Put(std::string_view(dumped).substr(1, dumped.size() - 2));
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    Put(bracket);
    ++depth_;
    filled_ &= ~(std::uint64_t{1} << (depth_ - 1));
}

void JsonWriter::Close(char bracket) {
    Put(bracket);
    --depth_;
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    Put('"');
    Escaped(text);
    Put('"');
}

void JsonWriter::BeginString() {
    BeforeValue();
    Put('"');
}

void JsonWriter::StringPart(std::string_view text) {
    Escaped(text);
}

void JsonWriter::Int(long long value) {
    BeforeValue();
    constexpr std::size_t kDigits = 24;
    char* p = Room(kDigits);
    cur_ = std::to_chars(p, p + kDigits, value).ptr;
}

void JsonWriter::Double(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        Put("null");
        return;
    }
    // nlohmann::json's own routine, so that every digit is the same.
    constexpr std::size_t kDigits = 64;
    char* p = Room(kDigits);
    cur_ = nlohmann::detail::to_chars(p, p + kDigits, value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    Put(value ? std::string_view("true") : std::string_view("false"));
}

void JsonWriter::Null() {
    BeforeValue();
    Put("null");
}

void JsonWriter::Raw(std::string_view json) {
    BeforeValue();
    Put(json);
}

}  // namespace korvanta
