// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/birth_spread.h"

#include <array>
#include <string_view>

#include "pipeline/zones.h"

namespace korvanta::bench {
namespace {

// splitmix64: tiny, and unlike the standard distributions it gives the same
// numbers with every standard library.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }

  private:
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

struct Place {
    std::string_view city, state, country;
};

constexpr std::array<std::string_view, 6> kNames = {"ASHA", "RAVI KUMAR", "MEENAKSHI SUNDARAM",
                                                    "JOHN", "ANNA MARIA", "OLUWASEUN ADEYEMI"};
constexpr std::array<Place, 5> kPlaces = {{
    {"New Delhi", "Delhi", "India"},
    {"Pune", "Maharashtra", "India"},
    {"Rio de Janeiro", "Rio de Janeiro", "Brazil"},
    {"Saint Petersburg", "Leningrad Oblast", "Russian Federation"},
    {"Wellington", "Wellington Region", "New Zealand"},
}};

int DaysInMonth(int year, int month) {
    if (month == 2) return year % 4 == 0 ? 29 : 28;  // exact for 1901..2050
    if (month == 4 || month == 6 || month == 9 || month == 11) return 30;
    return 31;
}

void AppendText(std::string& out, std::string_view key, std::string_view text) {
    out.append("\"").append(key).append("\":\"").append(text).append("\"");
}

void AppendNumber(std::string& out, std::string_view key, std::string_view number) {
    out.append("\"").append(key).append("\":").append(number);
}

void AppendNumber(std::string& out, std::string_view key, int number) {
    AppendNumber(out, key, std::to_string(number));
}

void AppendFlag(std::string& out, std::string_view key, bool flag) {
    AppendNumber(out, key, flag ? "true" : "false");
}

}  // namespace

std::vector<EntryForm> BirthSpread(std::size_t count, std::uint64_t seed) {
    Random random(seed);
    std::vector<EntryForm> births(count);
    for (EntryForm& form : births) {
        form.cboYear = random.Below(kYearCount);
        form.cboMonth = random.Below(12);
        form.cboDate = random.Below(DaysInMonth(kFirstYear + form.cboYear, form.cboMonth + 1));
        form.cboHH = random.Below(kHourCount);
        form.cboMM = random.Below(kMinuteCount);
        form.cboSS = random.Below(kSecondCount);
        form.txtName =
            kNames[static_cast<std::size_t>(random.Below(static_cast<int>(kNames.size())))];
        const Place& place =
            kPlaces[static_cast<std::size_t>(random.Below(static_cast<int>(kPlaces.size())))];
        form.txtMCity = place.city;
        form.txtMState = place.state;
        form.txtMCountry = place.country;
        form.cmbTimeZone = random.Below(kZoneCount);
        form.chkDST = random.Below(3) == 0;
        form.txtLonD = std::to_string(random.Below(180));
        form.txtLonM = std::to_string(random.Below(60));
        form.optLongEast = random.Below(2) == 0;
        form.txtLatD = std::to_string(random.Below(71));
        form.txtLatM = std::to_string(random.Below(60));
        form.optLatSouth = random.Below(4) == 0;
    }
    return births;
}

std::string JsonLine(const EntryForm& form) {
    std::string out = "{";
    AppendText(out, "name", form.txtName);
    out += ',';
    AppendNumber(out, "month", form.cboMonth + 1);
    out += ',';
    AppendNumber(out, "day", form.cboDate + 1);
    out += ',';
    AppendNumber(out, "year", kFirstYear + form.cboYear);
    out += ',';
    AppendNumber(out, "hour", form.cboHH);
    out += ',';
    AppendNumber(out, "minute", form.cboMM);
    out += ',';
    AppendNumber(out, "second", form.cboSS);
    out += ',';
    AppendNumber(out, "lat_deg", form.txtLatD);
    out += ',';
    AppendNumber(out, "lat_min", form.txtLatM);
    out += ',';
    AppendFlag(out, "south", form.optLatSouth);
    out += ',';
    AppendNumber(out, "lon_deg", form.txtLonD);
    out += ',';
    AppendNumber(out, "lon_min", form.txtLonM);
    out += ',';
    AppendFlag(out, "east", form.optLongEast);
    out += ',';
    AppendNumber(out, "zone_index", form.cmbTimeZone);
    out += ',';
    AppendFlag(out, "dst", form.chkDST);
    out += ',';
    AppendText(out, "city", form.txtMCity);
    out += ',';
    AppendText(out, "state", form.txtMState);
    out += ',';
    AppendText(out, "country", form.txtMCountry);
    out += '}';
    return out;
}

}  // namespace korvanta::bench
