// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/stored_text.h"

namespace korvanta::library {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

std::optional<std::string> TextFault(std::string_view text, bool lineBreaksAllowed) {
    for (std::size_t i = 0; i < text.size();) {
        const std::string at = " at byte " + std::to_string(i + 1);
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) return "is not valid UTF-8" + at;
        const bool allowed = lineBreaksAllowed && (text[i] == '\n' || text[i] == '\t');
        if (!allowed && IsControlCharacter(text, i, length))
            return "holds a control character" + at;
        i += length;
    }
    return std::nullopt;
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return 1;
    // The length of the sequence and the range of its second byte, which
    // rules out overlong forms, surrogates and code points past U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        const bool fits = k == 1 ? (next >= low && next <= high) : (next >= 0x80 && next <= 0xBF);
        if (!fits) return 0;
    }
    return length;
}

bool IsControlCharacter(std::string_view text, std::size_t at, std::size_t length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 1) return lead < 0x20 || lead == 0x7F;
    // C1 controls (U+0080..U+009F) break lines or start sequences on some
    // terminals.
    return length == 2 && lead == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0;
}

std::optional<std::string> PlaceTextFault(std::string_view text) {
    return TextFault(text, false);
}

std::optional<std::string> NoteTextFault(std::string_view text) {
    return TextFault(text, true);
}

std::string PrintableText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0 || IsControlCharacter(text, i, length)) {
            shown += kReplacement;
            i += length == 0 ? 1 : length;
        } else {
            shown.append(text, i, length);
            i += length;
        }
    }
    return shown;
}

}  // namespace korvanta::library
