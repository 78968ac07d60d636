// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/zones.h"

#include <cstdlib>

namespace korvanta {

// In list order, which is also the case-insensitive alphabetical order of the
// texts. Hours and minutes are UT minus local standard time.
const std::array<ZoneRow, kZoneCount> kZoneTable = {{
    {"Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
    {"Alaska/Hawaii Standard Time,AHST,-10.0", 10, 0},
    {"Alaska/Hawaii War Time,AHWT,-9.0", 9, 0},
    {"Atlantic Standard Time,AST,-4.0", 4, 0},
    {"Atlantic War Time,AWT,-3.0", 3, 0},
    {"Australian Central Daylight Time,ACDT,+10.5", -10, -30},
    {"Australian Central Standard Time,ACST,+9.5", -9, -30},
    {"Australian Eastern Daylight Time,AEDT,+11.0", -11, 0},
    {"Australian Eastern Standard Time,AEST,+10.0", -10, 0},
    {"Australian Western Daylight Time,AWDT,+9.0", -9, 0},
    {"Australian Western Standard Time,AWST,+8.0", -8, 0},
    {"Azores Time, AT, -2.0", 2, 0},
    {"Baghdad Time, BAT, +3.0", -3, 0},
    {"Bering Standard Time,BET,-11.0", 11, 0},
    {"Brazil Zone 2,BZT2,-3.0", 3, 0},
    {"British Double Summer Time,BDST,+2.0", -2, 0},
    {"British Summer Time,BST,+1.0", -1, 0},
    {"British War Time,BWT,+2.0", -2, 0},
    {"Central Daylight Time,CDT,-5.0", 5, 0},
    {"Central European Daylight,CED,+2.0", -2, 0},
    {"Central European Time,CET,+1.0", -1, 0},
    {"Central Standard Time,CST,-6.0", 6, 0},
    {"Central War Time,CWT,-5.0", 5, 0},
    {"China Coast Time,CCT,+8.0", -8, 0},
    {"Eastern Daylight Time,EDT,-4.0", 4, 0},
    {"Eastern European Daylight Time,EED,+3.0", -3, 0},
    {"Eastern European Time,EET,+2.0", -2, 0},
    {"Eastern Standard Time,EST,-5.0", 5, 0},
    {"Eastern War Time,EWT,-4.0", 4, 0},
    {"Greenwich Mean Time,GMT,0.0", 0, 0},
    {"Guam Standard Time,GST,+10.0", -10, 0},
    {"Hawaiian Daylight Time,HDT,-9.5", 9, 30},
    {"Hawaiian Standard Time,HST,-10.5", 10, 30},
    {"Hawaiian War Time,HWT,-9.5", 9, 30},
    {"Indian Time, IST, +5.3", -5, -30},
    {"Int'l Date Line East,IDLE,+12.0", -12, 0},
    {"Int'l Date Line West,IDLW,-12.0", 12, 0},
    {"Iran Time, IT, +3.5", -3, -30},
    {"Japan Standard Time,JST,+9.0", -9, 0},
    {"Java Time, JT, +7.5", -7, -30},
    {"Middle European Daylight Time,MED,+2.0", -2, 0},
    {"Middle European Time,MET,+1.0", -1, 0},
    {"Moluccas Time, MT, +8.5", -8, -30},
    {"Mountain Daylight Time,MDT,-6.0", 6, 0},
    {"Mountain Standard Time,MST,-7.0", 7, 0},
    {"Mountain War Time,MWT,-6.0", 6, 0},
    {"New Zealand Std Summer Time,NZST,+13.0", -13, 0},
    {"New Zealand Std Time,NZT,+12.0", -12, 0},
    {"New Zealand Summer Time,NZS,+12.5", -12, -30},
    {"New Zealand Time,NZ,+11.5", -11, -30},
    {"Newfoundland Standard Time,NST,-3.5", 3, 30},
    {"Nome Time, NT, -11.0", 11, 0},
    {"North Sumatra Time,NST,+6.5", -6, -30},
    {"Pacific Daylight Time,PDT,-7.0", 7, 0},
    {"Pacific Standard Time,PST,-8.0", 8, 0},
    {"Pacific War Time,PWT,-7.0", 7, 0},
    {"South Australia Daylight Time,SAD,+10.5", -10, -30},
    {"South Australia Daylight Time,SDT,+10.5", -10, -30},
    {"South Australia Standard Time,SAST,+9.5", -9, -30},
    {"South Australia Standard Time,SAT,+9.5", -9, -30},
    {"South Sumatra Time,SST,+7.0", -7, 0},
    {"Universal Time, UT, 0.0", 0, 0},
    {"USSR Zone 10,UZ10,+11.0", -11, 0},
    {"USSR Zone 3,USZ3,+4.0", -4, 0},
    {"USSR Zone 4,USZ4,+5.0", -5, 0},
    {"USSR Zone 5,USZ5,+6.0", -6, 0},
    {"USSR Zone 6,USZ6,+7.0", -7, 0},
    {"West Africa Time,WAT,-1.0", 1, 0},
    {"Yukon Daylight Time,YDT,-8.0", 8, 0},
    {"Yukon Standard Time,YST,-9.0", 9, 0},
    {"Yukon War Time,YWT,-8.0", 8, 0},
}};

ZoneCorrection Zone_Calculation(int selectedIndex) {
    if (selectedIndex < 0 || selectedIndex >= kZoneCount) return {};
    const ZoneRow& row = kZoneTable[static_cast<std::size_t>(selectedIndex)];
    return {row.hours, row.minutes};
}

std::string_view ZoneListText(int index) {
    if (index == kOtherOffsetRow) return kOtherOffsetText;
    if (index < 0 || index >= kZoneCount) return {};
    return kZoneTable[static_cast<std::size_t>(index)].text;
}

ZoneCorrection OffsetCorrection(int utcOffsetMinutes) {
    // Integer division truncates toward zero, so both parts keep the sign.
    const int correction = -utcOffsetMinutes;
    return {correction / 60, correction % 60};
}

ZoneCorrection ZoneCorrectionOf(int zoneIndex, int utcOffsetMinutes) {
    if (zoneIndex == kOtherOffsetRow) return OffsetCorrection(utcOffsetMinutes);
    return Zone_Calculation(zoneIndex);
}

std::optional<int> ReadUtcOffset(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int sign = 1;
    constexpr std::string_view kMinusSign = "\u2212";
    if (text.substr(0, kMinusSign.size()) == kMinusSign) {
        sign = -1;
        text.remove_prefix(kMinusSign.size());
    } else if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3) {
        return std::nullopt;
    }
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != colon && !digit(text[i])) return std::nullopt;
    }
    const int hours = colon == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[colon + 1] - '0') * 10 + (text[colon + 2] - '0');
    if (minutes > 59) return std::nullopt;
    return sign * (hours * 60 + minutes);
}

bool UtcOffsetInRange(int utcOffsetMinutes) {
    return utcOffsetMinutes >= kMinUtcOffsetMinutes && utcOffsetMinutes <= kMaxUtcOffsetMinutes;
}

std::string UtcOffsetText(int utcOffsetMinutes) {
    const int magnitude = std::abs(utcOffsetMinutes);
    std::string text(1, utcOffsetMinutes < 0 ? '-' : '+');
    const int hours = magnitude / 60;
    const int minutes = magnitude % 60;
    if (hours < 10) text += '0';
    text += std::to_string(hours);
    text += ':';
    text += static_cast<char>('0' + minutes / 10);
    text += static_cast<char>('0' + minutes % 10);
    return text;
}

std::string ZoneChoiceText(int zoneIndex, int utcOffsetMinutes) {
    if (zoneIndex == kOtherOffsetRow) {
        return std::string(kOtherOffsetText) + " " + UtcOffsetText(utcOffsetMinutes);
    }
    return std::string(ZoneListText(zoneIndex));
}

std::optional<int> OffsetOfZoneChoiceText(std::string_view text) {
    const std::string prefix = std::string(kOtherOffsetText) + " ";
    if (text.substr(0, prefix.size()) != prefix) return std::nullopt;
    const std::string_view offset = text.substr(prefix.size());
    const std::optional<int> minutes = ReadUtcOffset(offset);
    // Only the form UtcOffsetText writes, so that the text reads back the same.
    if (!minutes || UtcOffsetText(*minutes) != offset) return std::nullopt;
    return minutes;
}

}  // namespace korvanta
