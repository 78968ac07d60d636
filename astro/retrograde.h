// Retrograde marks of Mercury to Saturn from the station tables.
#pragma once

#include <string_view>

#include "records/records.h"

namespace korvanta {

// Whether the named planet ("Mercury", "Venus", "Mars", "Jupiter", "Saturn";
// exact, case-sensitive) is retrograde at the given local date-time (days
// since 30 December 1899): its calendar date lies strictly after the date of
// a retrograde station and strictly before the date of the following direct
// station. Any other name gives false.
bool IsRetrograde(std::string_view planetName, double birthMoment);

// Looks the local birth date and time (as entered: no zone, no daylight
// saving, no seconds) up for the five planets; writes RetroFlags and resets
// BodyName to the plain names, then appends " (R) " to each retrograde one.
void Retrograde_Calculation(const BirthData& birth, ChartRecord& chart);

}  // namespace korvanta
