// SPDX-License-Identifier: GPL-3.0-or-later
// A quick reader for the common form of an input record: one JSON object
// whose values are strings without escapes, whole numbers, true, false or
// null. Such a line is most of a batch, and nlohmann::json's general lexer
// spends a quarter of a batch answer's time on it. Any other text (escapes,
// fractions, nested values, any syntax error) is left to nlohmann::json,
// which also words the errors, so that both readers deliver the same events.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvanta {

// The length of the well-formed UTF-8 sequence that starts at `text[i]` (a
// byte of 0x80 or above), or 0 when it is not one: the sequences that
// nlohmann::json's decoder accepts (no overlong forms, no surrogates, nothing
// past U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

class FlatJsonReader {
  public:
    // Given: `text`, one line. Returned: true when it is an object of the
    // common form; its events then went to `sax` in the order (and with the
    // values) that nlohmann::json::sax_parse gives them, up to the first
    // event `sax` refused. False, with no event given, otherwise.
    template <class Sax>
    bool Read(std::string_view text, Sax& sax);

  private:
    enum class Type : std::uint8_t { String, Unsigned, Negative, True, False, Null };
    struct Member {
        std::string_view key;
        std::string_view text;  // the string's bytes
        std::uint64_t magnitude = 0;
        Type type = Type::Null;
    };
    // Splits `text` into members_; false when it is not of the common form.
    bool Scan(std::string_view text);

    static constexpr std::size_t kMaxMembers = 32;
    std::array<Member, kMaxMembers> members_{};
    std::size_t count_ = 0;
    std::string key_, value_;  // reused, since the events take strings
};

template <class Sax>
bool FlatJsonReader::Read(std::string_view text, Sax& sax) {
    if (!Scan(text)) return false;
    if (!sax.start_object(static_cast<std::size_t>(-1))) return true;
    for (std::size_t k = 0; k < count_; ++k) {
        const Member& m = members_[k];
        key_.assign(m.key);
        if (!sax.key(key_)) return true;
        bool go = true;
        switch (m.type) {
            case Type::String:
                value_.assign(m.text);
                go = sax.string(value_);
                break;
            case Type::Unsigned:
                go = sax.number_unsigned(m.magnitude);
                break;
            case Type::Negative:
                go = sax.number_integer(-static_cast<std::int64_t>(m.magnitude));
                break;
            case Type::True:
                go = sax.boolean(true);
                break;
            case Type::False:
                go = sax.boolean(false);
                break;
            case Type::Null:
                go = sax.null();
                break;
        }
        if (!go) return true;
    }
    sax.end_object();
    return true;
}

}  // namespace korvanta
