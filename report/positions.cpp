// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/positions.h"

#include "pipeline/text_format.h"
#include "report/names.h"

namespace korvanta {
namespace {

constexpr std::string_view kDegreeSign = "\xC2\xB0";

void AppendTwoDigits(std::string& out, int value) {
    if (value < 10) out += '0';
    AppendInt(out, value);
}

void AppendDegrees(std::string& text, const SignPosition& at) {
    AppendInt(text, at.degrees);
    text += kDegreeSign;
    text += ' ';
    AppendInt(text, at.minutes);
    text += "' ";
    AppendInt(text, at.seconds);
    text += '"';
}

}  // namespace

void AppendSignPosition(std::string& text, const SignPosition& at) {
    AppendDegrees(text, at);
    text += ' ';
    text += kSignAbbr[static_cast<std::size_t>(at.sign)];
}

void AppendShortPosition(std::string& text, const SignPosition& at) {
    AppendTwoDigits(text, at.degrees);
    text += ' ';
    text += kSignAbbr[static_cast<std::size_t>(at.sign)];
    text += ' ';
    AppendTwoDigits(text, at.minutes);
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
