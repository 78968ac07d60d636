// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/positions.h"

#include <array>

#include "pipeline/text_format.h"
#include "report/names.h"

namespace korvanta {
namespace {

constexpr std::string_view kDegreeSign = "\xC2\xB0";

// A short text put together in place and appended in one piece: the report
// writes some thirty of these per chart, and appending them piece by piece
// was most of its time.
class Pieces {
  public:
    void Add(std::string_view text) {
        for (const char c : text) Add(c);
    }
    void Add(char c) {
        if (size_ < chars_.size()) chars_[size_++] = c;
    }
    // A whole number as AppendInt writes it; two digits at least when
    // `twoDigits`.
    void Int(int value, bool twoDigits = false) {
        if (value < 0 || value > 999) {
            AnyInt(value, twoDigits);
            return;
        }
        if (value >= 100) Add(static_cast<char>('0' + value / 100));
        if (value >= 10 || twoDigits) Add(static_cast<char>('0' + value / 10 % 10));
        Add(static_cast<char>('0' + value % 10));
    }
    void AppendTo(std::string& out) const { out.append(chars_.data(), size_); }

  private:
    // A number past three digits or below zero, which no position holds:
    // kept out of line so that the common case stays small.
    [[gnu::noinline]] void AnyInt(int value, bool twoDigits) {
        std::string text;
        if (twoDigits && value < 10) text += '0';
        AppendInt(text, value);
        Add(text);
    }

    std::array<char, 48> chars_{};
    std::size_t size_ = 0;
};

void AddDegrees(Pieces& text, const SignPosition& at) {
    text.Int(at.degrees);
    text.Add(kDegreeSign);
    text.Add(' ');
    text.Int(at.minutes);
    text.Add("' ");
    text.Int(at.seconds);
    text.Add('"');
}

void AppendDegrees(std::string& out, const SignPosition& at) {
    Pieces text;
    AddDegrees(text, at);
    text.AppendTo(out);
}

}  // namespace

void AppendSignPosition(std::string& out, const SignPosition& at) {
    Pieces text;
    AddDegrees(text, at);
    text.Add(' ');
    text.Add(kSignAbbr[static_cast<std::size_t>(at.sign)]);
    text.AppendTo(out);
}

void AppendShortPosition(std::string& out, const SignPosition& at) {
    Pieces text;
    text.Int(at.degrees, true);
    text.Add(' ');
    text.Add(kSignAbbr[static_cast<std::size_t>(at.sign)]);
    text.Add(' ');
    text.Int(at.minutes, true);
    text.AppendTo(out);
}

void AppendDegreesWithinSign(std::string& text, const SignPosition& at) {
    AppendDegrees(text, at);
}

std::string DegreesWithinSign(const SignPosition& at) {
    std::string text;
    AppendDegrees(text, at);
    return text;
}

std::string FormatSignPosition(const SignPosition& at) {
    std::string text;
    AppendSignPosition(text, at);
    return text;
}

std::string ShortPosition(const SignPosition& at) {
    std::string text;
    AppendShortPosition(text, at);
    return text;
}

}  // namespace korvanta
