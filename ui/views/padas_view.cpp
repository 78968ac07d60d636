#include "ui/views/padas_view.h"

#include <cmath>
#include <cstdio>

#include "astro/calendar.h"
#include "astro/ephemeris.h"
#include "reading/pada_account.h"

namespace korvanta {
namespace {

constexpr std::string_view kNone = "none";

std::string SignName(int sign) {
    if (sign < 0 || sign > 11) return std::string(kNone);
    return std::string(kSignNames[static_cast<std::size_t>(sign)]);
}

SpecialPointRow LongitudeRow(std::string_view point, const std::optional<double>& degrees) {
    SpecialPointRow row{std::string(point), std::string(kNone), ""};
    if (!degrees) return row;
    if (const std::optional<SignPosition> at = SignPositionOf(*degrees)) {
        row.sign = SignName(at->sign);
        row.position = at->position;
    }
    return row;
}

SpecialPointRow SignRow(std::string_view point, const std::optional<int>& sign) {
    return {std::string(point), sign ? SignName(*sign) : std::string(kNone), ""};
}

std::string ReferenceSunriseText(const ChartRecord& chart) {
    if (!chart.ReferenceSunrise) {
        return "No sunrise used: the Sun does not rise or set around this birth (polar day or "
               "night), so the Ghati, Hora, Bhava and Varnada Lagnas and the Pranapada are not "
               "found.";
    }
    const CivilDateTime t = SplitDateTime(*chart.ReferenceSunrise);
    char clock[16];
    if (t.second != 0) {
        std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    } else {
        std::snprintf(clock, sizeof clock, "%02d:%02d", t.hour, t.minute);
    }
    // A birth after sunset counts to the next sunrise, so the sunrise may
    // follow the birth.
    const bool afterSunrise = chart.BirthMoment >= *chart.ReferenceSunrise;
    return "Sunrise used: " + std::to_string(t.day) + " " +
           std::string(kMonthNames[static_cast<std::size_t>(t.month - 1)]) + " " +
           std::to_string(t.year) + " at " + clock + " local time, " +
           std::to_string(chart.MinutesFromSunrise) + " minutes " +
           (afterSunrise ? "before" : "after") + " the birth.";
}

}  // namespace

std::optional<SignPosition> SignPositionOf(double longitudeDeg) {
    if (!std::isfinite(longitudeDeg)) return std::nullopt;
    const std::string text = FormatSignPosition(longitudeDeg);  // 11° 54' 19" Vir
    const std::size_t blank = text.rfind(' ');
    if (blank == std::string::npos) return std::nullopt;
    const std::string_view abbreviation = std::string_view(text).substr(blank + 1);
    for (int sign = 0; sign < 12; ++sign) {
        if (kSignAbbr[static_cast<std::size_t>(sign)] == abbreviation) {
            return SignPosition{sign, text.substr(0, blank)};
        }
    }
    return std::nullopt;
}

PadasView DescribePadas(const ChartResult& result) {
    PadasView view;
    for (std::size_t house = 0; house < view.padas.size(); ++house) {
        const int number = static_cast<int>(house) + 1;
        view.padas[house] = {std::to_string(number), PadaName(number),
                             SignName(result.arudha.Pada[house])};
    }
    const SpecialPoints& special = result.special;
    view.points = {
        LongitudeRow("Ghati Lagna", special.ghati),
        LongitudeRow("Hora Lagna", special.hora),
        LongitudeRow("Bhava Lagna", special.bhava),
        LongitudeRow("Varnada Lagna", special.varnada),
        LongitudeRow("Sree Lagna", special.sree),
        SignRow("Pranapada Lagna", special.pranapada),
        SignRow("Sign-count mark", special.signCountMark),
    };
    view.referenceSunrise = ReferenceSunriseText(result.chart);
    view.upapadaAccount = ExplainUpapada(result.arudha, result.chart);
    return view;
}

}  // namespace korvanta
