// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/text_width.h"

#include <algorithm>
#include <vector>

#include "library/stored_text.h"

namespace korvanta {
namespace {

struct Range {
    char32_t first, last;
};

// Characters a terminal draws two columns wide: East Asian Wide and
// Fullwidth (Unicode's EastAsianWidth W and F) and the emoji blocks.
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},
    {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},
    {0x16FE0, 0x18AFF}, {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF},
    {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F2FF}, {0x1F300, 0x1F64F},
    {0x1F680, 0x1F6FF}, {0x1F900, 0x1F9FF}, {0x1FA70, 0x1FAFF}, {0x20000, 0x2FFFD},
    {0x30000, 0x3FFFD},
};

// Characters drawn on the one before them: combining marks and the
// zero-width format characters.
constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x0610, 0x061A}, {0x064B, 0x065F},
    {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF},
};

bool In(const Range* first, const Range* last, char32_t c) {
    return std::any_of(first, last, [c](const Range& r) { return c >= r.first && c <= r.last; });
}

char32_t Decode(std::string_view text, std::size_t at, std::size_t length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    if (length == 1) return byte(0);
    char32_t c = byte(0) & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (byte(k) & 0x3F);
    return c;
}

std::size_t CharacterWidth(char32_t c) {
    if (In(std::begin(kZeroWidth), std::end(kZeroWidth), c)) return 0;
    return In(std::begin(kWide), std::end(kWide), c) ? 2 : 1;
}

// One character of a line: its bytes and its columns.
struct Glyph {
    std::size_t at, length, width;
};

std::vector<Glyph> Glyphs(std::string_view line) {
    std::vector<Glyph> glyphs;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t length = std::max<std::size_t>(1, library::Utf8SequenceLength(line, i));
        glyphs.push_back({i, length, CharacterWidth(Decode(line, i, length))});
        i += length;
    }
    return glyphs;
}

// Where a continued line starts: below the value of "  Label : value" when
// the label leaves room, else two columns in from the line's own indent.
std::size_t HangingIndent(std::string_view line, std::size_t columns) {
    const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
    const std::size_t colon = line.find(" : ");
    if (colon != std::string_view::npos) {
        const std::size_t valueAt = TerminalWidth(line.substr(0, colon + 3));
        if (valueAt <= columns / 2) return valueAt;
    }
    return std::min(indent + 2, columns / 2);
}

void FitLine(std::string_view line, std::size_t columns, std::string& out) {
    if (TerminalWidth(line) <= columns) {
        out += line;
        out += '\n';
        return;
    }
    const std::size_t hanging = HangingIndent(line, columns);
    const std::vector<Glyph> glyphs = Glyphs(line);
    std::size_t first = 0;  // the glyph the current output line starts with
    std::size_t margin = 0;
    while (first < glyphs.size()) {
        // As many glyphs as fit, then back to the last blank among them.
        std::size_t used = margin, end = first;
        while (end < glyphs.size() && used + glyphs[end].width <= columns)
            used += glyphs[end++].width;
        if (end == first) ++end;  // a glyph wider than the room still goes somewhere
        std::size_t cut = end;
        if (end < glyphs.size()) {
            for (std::size_t k = end; k > first + 1; --k) {
                if (line[glyphs[k - 1].at] == ' ') {
                    cut = k;
                    break;
                }
            }
        }
        std::string_view piece =
            line.substr(glyphs[first].at,
                        (cut < glyphs.size() ? glyphs[cut].at : line.size()) - glyphs[first].at);
        while (!piece.empty() && piece.back() == ' ') piece.remove_suffix(1);
        out.append(margin, ' ');
        out += piece;
        out += '\n';
        first = cut;
        while (first < glyphs.size() && line[glyphs[first].at] == ' ') ++first;
        margin = hanging;
    }
}

}  // namespace

std::size_t TerminalWidth(std::string_view text) {
    std::size_t width = 0;
    for (const Glyph& glyph : Glyphs(text)) width += glyph.width;
    return width;
}

std::string FitToColumns(std::string_view text, std::size_t columns) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool broken = end != std::string_view::npos;
        if (!broken) end = text.size();
        const std::string line = library::PrintableText(text.substr(start, end - start));
        FitLine(line, columns, out);
        if (!broken) out.pop_back();  // the text's last line had no line break
        start = end + 1;
    }
    return out;
}

}  // namespace korvanta
