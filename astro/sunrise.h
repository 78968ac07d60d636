// Local clock times of sunrise and sunset at the birth place.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace korvanta {

// Sunrise (slot 0) and sunset (slot 1) of the given calendar date, each as the
// date-time value of that date at the computed local hour and minute. An event
// that does not happen that day (polar day or night) has no value; slot 2 is
// never written. Latitude and longitude come as entered (degrees, minutes,
// hemisphere); zoneHours/zoneMinutes are the signed zone correction (UT minus
// local standard time); isDst adds the daylight-saving hour.
void SunRiseSet_Calculation(int month, int day, int year, int hour, int minute,
                            int latDeg, int latMin, bool isSouth,
                            int lonDeg, int lonMin, bool isEast,
                            std::int16_t zoneHours, std::int16_t zoneMinutes, bool isDst,
                            std::array<std::optional<double>, 3>& sunriseResult);

}  // namespace korvanta
