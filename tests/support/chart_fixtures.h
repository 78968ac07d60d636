// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the core tests: births as entry forms, the Moment of a
// local clock minute, and the gap between two longitudes.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "pipeline/birth.h"
#include "pipeline/entry.h"

namespace korvanta::testing {

// An entry form for a birth, the way a user would fill the window.
struct Birth {
    std::string name = "TEST";
    int year = 2000, month = 1, day = 1, hour = 12, minute = 0, second = 0;
    int lonDeg = 0, lonMin = 0;
    bool east = true;
    int latDeg = 0, latMin = 0;
    bool south = false;
    int zone = kDefaultZoneIndex;
    bool dst = false;
    std::string city = "City", state = "State", country = "Country";
};

inline EntryForm FormOf(const Birth& b) {
    EntryForm f;
    f.txtName = b.name;
    f.cboMonth = b.month - 1;
    f.cboDate = b.day - 1;
    f.cboYear = b.year - kFirstYear;
    f.cboHH = b.hour;
    f.cboMM = b.minute;
    f.cboSS = b.second;
    f.txtLonD = std::to_string(b.lonDeg);
    f.txtLonM = std::to_string(b.lonMin);
    f.optLongEast = b.east;
    f.txtLatD = std::to_string(b.latDeg);
    f.txtLatM = std::to_string(b.latMin);
    f.optLatSouth = b.south;
    f.cmbTimeZone = b.zone;
    f.chkDST = b.dst;
    f.txtMCity = b.city;
    f.txtMState = b.state;
    f.txtMCountry = b.country;
    return f;
}

// A local clock minute, and the Moment of it with a birth's zone and daylight
// saving.
struct LocalMinute {
    int year = 1901, month = 1, day = 1, hour = 0, minute = 0;
};
inline Moment MomentAt(const korvanta::Birth& birth, const LocalMinute& local) {
    korvanta::Birth at = birth;
    at.year = local.year, at.month = local.month, at.day = local.day;
    at.hour = local.hour, at.minute = local.minute, at.second = 0;
    return MomentOf(at);
}

// Smallest difference of two longitudes in degrees, across 0°/360°.
inline double AngleGap(double a, double b) {
    double gap = std::fmod(std::fabs(a - b), 360.0);
    return gap > 180.0 ? 360.0 - gap : gap;
}

}  // namespace korvanta::testing
