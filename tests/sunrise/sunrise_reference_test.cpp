// The sunrise reference run on real charts: which sunrise a birth takes, the
// fields it fills, the Sun at that sunrise, the marks it adds, and births
// without a reference sunrise.
//
// Sunrise and sunset times below are the almanac formula's own results,
// evaluated separately to the minute (New Delhi on 20-22 June 2020: 05:24 and
// 19:22 each day; London on 1 January 2001: 08:06; New York on 4 July 1990
// with daylight saving: 05:29). They agree with Swiss Ephemeris 2.10.03 within
// one minute. Elapsed minutes and seconds are worked by hand from them.
#include "pipeline/sunrise_reference.h"

#include <gtest/gtest.h>

#include <string>

#include "astro/calendar.h"
#include "astro/ephemeris.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/retrograde.h"
#include "pipeline/pipeline.h"
#include "pipeline/zones.h"
#include "support/chart_fixtures.h"

namespace korvanta {
namespace {

using testing::Birth;

int ZoneIndex(std::string_view text) {
    for (int i = 0; i < kZoneCount; ++i) {
        if (kZoneTable[i].text == text) return i;
    }
    ADD_FAILURE() << "no zone " << text;
    return kDefaultZoneIndex;
}

// A chart as the calculation holds it just before its sunrise steps: birth
// fields and their text copies, zone, ascendant, Moon, planets, retrograde
// names and the twelve arudha padas with their marks.
struct Prepared {
    BirthData birth;
    ChartRecord chart;
    ArudhaState arudha;
    ResultCaptions captions;
};

Prepared Prepare(const Birth& b) {
    Prepared p;
    Zone_Calculation(b.zone, p.chart);
    BirthData& birth = p.birth;
    birth.BirthMonth = static_cast<std::int16_t>(b.month);
    birth.BirthDay = static_cast<std::int16_t>(b.day);
    birth.BirthYear = static_cast<std::int16_t>(b.year);
    birth.BirthHour = static_cast<std::int16_t>(b.hour);
    birth.BirthMinute = static_cast<std::int16_t>(b.minute);
    birth.AbsZoneHours = static_cast<std::int16_t>(std::abs(p.chart.ZoneHours));
    birth.AbsZoneMinutes = static_cast<std::int16_t>(std::abs(p.chart.ZoneMinutes));
    birth.LonDeg = static_cast<std::int16_t>(b.lonDeg);
    birth.LonMin = static_cast<std::int16_t>(b.lonMin);
    birth.LatDeg = static_cast<std::int16_t>(b.latDeg);
    birth.LatMin = static_cast<std::int16_t>(b.latMin);
    birth.IsEast = b.east;
    birth.IsSouth = b.south;
    birth.IsDST = b.dst;
    birth.BirthMonthName = std::string(kMonthNames[b.month - 1]);
    birth.BirthDayText = std::to_string(b.day);
    birth.BirthYearText = std::to_string(b.year);
    birth.BirthHourText = std::to_string(b.hour);
    birth.BirthMinuteText = std::to_string(b.minute);
    birth.BirthSecondText = std::to_string(b.second);
    birth.BirthDateText =
        birth.BirthMonthName + " " + birth.BirthDayText + "," + birth.BirthYearText;
    p.chart.BirthDateText = birth.BirthDateText;

    Lagna_Calculation(birth, p.chart);
    Moon_Calculation(birth, p.chart);
    PlanetPositions(birth, p.chart);
    Retrograde_Calculation(birth, p.chart);
    const std::optional<int> ascendant = [&]() -> std::optional<int> {
        for (int k = 0; k < 12; ++k) {
            if (p.chart.ChartList[kAsc].substr(3, 3) == kSignAbbr[k]) return k;
        }
        return std::nullopt;
    }();
    EXPECT_TRUE(ascendant.has_value()) << p.chart.ChartList[kAsc];
    for (int n = 0; n < 12 && ascendant; ++n) {
        Arudha_Calculation(kSignLord[(*ascendant + n) % 12], p.chart, p.arudha, p.captions);
    }
    return p;
}

// Runs the sunrise steps and returns how many bare line breaks each sign
// cell gained; fails when a cell changed in any other way.
std::array<int, 12> RunAndCountMarks(Prepared& p, SpecialPoints& special) {
    const ResultCaptions before = p.captions;
    SunriseReference_Calculation(p.birth, p.chart, p.arudha, p.captions, special);
    std::array<int, 12> added{};
    for (int k = 0; k < 12; ++k) {
        const std::string& old = before.lblArudha[k];
        const std::string& now = p.captions.lblArudha[k];
        EXPECT_EQ(now.substr(0, old.size()), old) << "cell " << k << " lost its pada marks";
        std::string tail = now.substr(std::min(old.size(), now.size()));
        while (tail.rfind("\r\n", 0) == 0) {
            tail.erase(0, 2);
            ++added[k];
        }
        EXPECT_EQ(tail, "") << "cell " << k << " gained more than bare line breaks";
    }
    return added;
}

int SignOfLongitude(double degrees) {
    const std::string text = ShortPosition(FormatSignPosition(degrees));
    for (int k = 0; k < 12; ++k) {
        if (text.substr(3, 3) == kSignAbbr[k]) return k;
    }
    return -1;
}

int SignOfText(const std::string& text) {
    for (int k = 0; k < 12; ++k) {
        if (text.size() >= 6 && text.substr(3, 3) == kSignAbbr[k]) return k;
    }
    return -1;
}

Birth Delhi(int day, int hour, int minute, int second) {
    Birth b;
    b.year = 2020, b.month = 6, b.day = day, b.hour = hour, b.minute = minute, b.second = second;
    b.latDeg = 28, b.latMin = 36, b.lonDeg = 77, b.lonMin = 12, b.east = true;
    b.zone = ZoneIndex("Indian Time, IST, +5.3");
    return b;
}

void ExpectReference(const ChartRecord& chart, int day, int minutes, int seconds) {
    ASSERT_TRUE(chart.ReferenceSunrise.has_value());
    EXPECT_EQ(*chart.ReferenceSunrise, DateTimeValue(2020, 6, day, 5, 24));
    EXPECT_EQ(chart.MinutesFromSunrise, minutes);
    EXPECT_EQ(chart.SecondsFromSunrise, seconds);
    EXPECT_EQ(chart.SunriseDay, std::to_string(day));
    EXPECT_EQ(chart.SunriseMonthName, "June");
    EXPECT_EQ(chart.SunriseYear, "2020");
    EXPECT_EQ(chart.SunriseHour, "5");
    EXPECT_EQ(chart.SunriseMinute, "24");
}

TEST(SunriseReferenceChart, DayBirthFillsEveryFieldAndNineMarks) {
    Prepared p = Prepare(Delhi(21, 10, 30, 15));
    const std::string birthMoon = p.chart.ChartList[kMoon];
    const std::string birthAsc = p.chart.ChartList[kAsc];
    SpecialPoints special;
    const std::array<int, 12> added = RunAndCountMarks(p, special);
    const ChartRecord& chart = p.chart;

    EXPECT_EQ(chart.SunriseToday, DateTimeValue(2020, 6, 21, 5, 24));
    EXPECT_EQ(chart.SunsetToday, DateTimeValue(2020, 6, 21, 19, 22));
    EXPECT_EQ(chart.SunrisePrev, DateTimeValue(2020, 6, 20, 5, 24));
    EXPECT_EQ(chart.SunsetPrev, DateTimeValue(2020, 6, 20, 19, 22));
    EXPECT_EQ(chart.SunriseNext, DateTimeValue(2020, 6, 22, 5, 24));
    EXPECT_EQ(chart.SunsetNext, DateTimeValue(2020, 6, 22, 19, 22));
    EXPECT_EQ(chart.BirthMoment, DateTimeValue(2020, 6, 21, 10, 30, 15));
    // 05:24:00 to 10:30:15.
    ExpectReference(chart, 21, 306, 18375);
    EXPECT_TRUE(chart.SecondMomentMode);

    // The Sun at sunrise on the June solstice is in sidereal Gemini; the
    // rebuilt list keeps the birth's Moon and ascendant.
    EXPECT_EQ(chart.SunriseSunText.substr(3, 3), "Gem") << chart.SunriseSunText;
    EXPECT_EQ(chart.SunriseSunText, ShortPosition(FormatSignPosition(chart.SunriseSunLongitude)));
    EXPECT_EQ(chart.ChartList[kSun], chart.SunriseSunText);
    EXPECT_EQ(chart.ChartList[kMoon], birthMoon);
    EXPECT_EQ(chart.ChartList[kAsc], birthAsc);

    const double sun = chart.SunriseSunLongitude;
    ASSERT_TRUE(special.ghati && special.hora && special.bhava && special.varnada && special.sree);
    EXPECT_DOUBLE_EQ(*special.ghati, ReduceLongitude(sun + 1.25 * 306));
    EXPECT_DOUBLE_EQ(*special.hora, ReduceLongitude(sun + 0.5 * 306));
    EXPECT_DOUBLE_EQ(*special.bhava, ReduceLongitude(sun + 0.25 * 306));
    EXPECT_DOUBLE_EQ(*special.varnada,
                     Varnada_Calculation(chart.AscendantWhole, std::floor(*special.hora)));
    EXPECT_DOUBLE_EQ(*special.sree, SreeLagna_Calculation(chart.Ascendant, chart.MoonLongitude,
                                                          chart.MoonNakStart));

    // 18375 s / 360 = 51.04...: three signs, then the carry from the Sun's text.
    std::array<int, 4> parts = Vighati2Degree(18375 / 360.0);
    EXPECT_EQ(parts[0], 3);
    const std::optional<int> pranapada = PranapadaSign(parts, chart.SunriseSunText);
    EXPECT_EQ(chart.PranapadaParts, parts);
    EXPECT_EQ(special.pranapada, pranapada);

    // One mark per point, nine in all, in the cells of their signs.
    ASSERT_TRUE(special.signCountMark && special.pranapada);
    std::array<int, 12> expected{};
    for (const double point :
         {*special.ghati, *special.hora, *special.bhava, *special.varnada, *special.sree}) {
        ++expected[SignOfLongitude(point)];
    }
    ++expected[*special.signCountMark];
    ++expected[SignOfText(chart.ChartList[kMoon])];
    ++expected[SignOfText(chart.ChartList[kSun])];
    ++expected[*special.pranapada];
    EXPECT_EQ(added, expected);
}

TEST(SunriseReferenceChart, TwoInTheMorningTakesThePreviousSunrise) {
    Prepared p = Prepare(Delhi(21, 2, 0, 0));
    SpecialPoints special;
    RunAndCountMarks(p, special);
    // 20 June 05:24 to 21 June 02:00: 20 h 36 min.
    ExpectReference(p.chart, 20, 1236, 74160);
}

TEST(SunriseReferenceChart, TenInTheEveningTakesTheNextSunrise) {
    Prepared p = Prepare(Delhi(21, 22, 0, 0));
    SpecialPoints special;
    RunAndCountMarks(p, special);
    // 22:00 to 05:24 next morning: 7 h 24 min still to come.
    ExpectReference(p.chart, 22, 444, 26640);
}

TEST(SunriseReferenceChart, BirthAtTheMinuteOfSunsetIsADayBirth) {
    Prepared atSunset = Prepare(Delhi(21, 19, 22, 0));
    SpecialPoints special;
    RunAndCountMarks(atSunset, special);
    ExpectReference(atSunset.chart, 21, 838, 50280);  // 05:24 to 19:22

    // One second later the night has begun: 19:22:01 to 05:24:00.
    Prepared after = Prepare(Delhi(21, 19, 22, 1));
    RunAndCountMarks(after, special);
    ExpectReference(after.chart, 22, 602, 36119);
}

TEST(SunriseReferenceChart, NightBirthOnNewYearsEveTakesNextYearsSunrise) {
    Birth london;
    london.year = 2000, london.month = 12, london.day = 31, london.hour = 22;
    london.latDeg = 51, london.latMin = 30, london.lonDeg = 0, london.lonMin = 7;
    london.east = false;
    london.zone = ZoneIndex("Greenwich Mean Time,GMT,0.0");
    Prepared p = Prepare(london);
    SpecialPoints special;
    RunAndCountMarks(p, special);
    ASSERT_TRUE(p.chart.ReferenceSunrise.has_value());
    EXPECT_EQ(*p.chart.ReferenceSunrise, DateTimeValue(2001, 1, 1, 8, 6));
    EXPECT_EQ(p.chart.MinutesFromSunrise, 606);  // 22:00 to 08:06
    EXPECT_EQ(p.chart.SunriseDay, "1");
    EXPECT_EQ(p.chart.SunriseMonthName, "January");
    EXPECT_EQ(p.chart.SunriseYear, "2001");
    EXPECT_EQ(p.chart.SunriseHour, "8");
    EXPECT_EQ(p.chart.SunriseMinute, "6");
}

TEST(SunriseReferenceChart, SunAtSunriseIsTakenOnTheDaylightSavingClock) {
    // New York 40°43' N 74°0' W, Eastern Standard Time with daylight saving,
    // noon on 4 July 1990: the reference sunrise is 05:29 on the summer clock.
    // The Sun then must be the Sun of a birth entered at 05:29 with the box
    // ticked.
    Birth noon;
    noon.year = 1990, noon.month = 7, noon.day = 4, noon.hour = 12;
    noon.latDeg = 40, noon.latMin = 43, noon.lonDeg = 74, noon.east = false, noon.dst = true;
    noon.zone = ZoneIndex("Eastern Standard Time,EST,-5.0");
    Prepared p = Prepare(noon);
    SpecialPoints special;
    RunAndCountMarks(p, special);
    ASSERT_TRUE(p.chart.ReferenceSunrise.has_value());
    EXPECT_EQ(*p.chart.ReferenceSunrise, DateTimeValue(1990, 7, 4, 5, 29));

    Birth atSunrise = noon;
    atSunrise.hour = 5, atSunrise.minute = 29;
    const Prepared sunrise = Prepare(atSunrise);
    EXPECT_EQ(p.chart.SunriseSunText, sunrise.chart.ChartList[kSun]);
}

Birth Svalbard(int month, int day) {
    Birth b;
    b.year = 2000, b.month = month, b.day = day, b.hour = 12;
    b.latDeg = 80, b.lonDeg = 15, b.east = true;
    b.zone = ZoneIndex("Central European Time,CET,+1.0");
    return b;
}

void ExpectNoReference(const Birth& birth) {
    Prepared p = Prepare(birth);
    const std::array<std::string, 10> birthList = p.chart.ChartList;
    SpecialPoints special;
    const std::array<int, 12> added = RunAndCountMarks(p, special);
    const ChartRecord& chart = p.chart;

    EXPECT_FALSE(chart.SunriseToday.has_value());
    EXPECT_FALSE(chart.SunsetToday.has_value());
    EXPECT_FALSE(chart.ReferenceSunrise.has_value());
    EXPECT_EQ(chart.MinutesFromSunrise, 0);
    EXPECT_EQ(chart.SecondsFromSunrise, 0);
    EXPECT_EQ(chart.SunriseDay + chart.SunriseMonthName + chart.SunriseYear + chart.SunriseHour +
                  chart.SunriseMinute + chart.SunriseSunText,
              "");
    EXPECT_EQ(chart.SunriseSunLongitude, 0.0);
    EXPECT_EQ(chart.PranapadaParts, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(chart.ChartList, birthList) << "the Sun at sunrise was computed anyway";

    EXPECT_FALSE(special.ghati || special.hora || special.bhava || special.varnada ||
                 special.pranapada);
    ASSERT_TRUE(special.sree.has_value());

    // Only the sign-count, Moon and Sree marks.
    std::array<int, 12> expected{};
    if (special.signCountMark) ++expected[*special.signCountMark];
    ++expected[SignOfText(chart.ChartList[kMoon])];
    ++expected[SignOfLongitude(*special.sree)];
    EXPECT_EQ(added, expected);
}

TEST(SunriseReferencePolar, MidsummerAtEightyNorthHasNoReference) {
    ExpectNoReference(Svalbard(6, 21));
}

TEST(SunriseReferencePolar, MidwinterAtEightyNorthHasNoReference) {
    ExpectNoReference(Svalbard(12, 21));
}

TEST(SunriseReferencePolar, NothingIsLeftFromAnEarlierBirth) {
    // The same record first for Delhi, then for a polar birth.
    Prepared p = Prepare(Delhi(21, 10, 30, 15));
    SpecialPoints special;
    RunAndCountMarks(p, special);
    ASSERT_TRUE(p.chart.ReferenceSunrise.has_value());

    const Prepared polar = Prepare(Svalbard(6, 21));
    p.birth = polar.birth;
    p.chart.Ascendant = polar.chart.Ascendant;
    p.chart.AscendantWhole = polar.chart.AscendantWhole;
    RunAndCountMarks(p, special);
    EXPECT_FALSE(p.chart.SunriseToday || p.chart.SunsetToday || p.chart.SunrisePrev ||
                 p.chart.SunsetPrev || p.chart.SunriseNext || p.chart.SunsetNext);
    EXPECT_FALSE(p.chart.ReferenceSunrise.has_value());
    EXPECT_EQ(p.chart.MinutesFromSunrise, 0);
    EXPECT_EQ(p.chart.SunriseSunText, "");
    EXPECT_EQ(p.chart.PranapadaParts, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_FALSE(special.ghati || special.pranapada);
}

TEST(SunriseReferenceMarks, SignCountMarkBelowAriesMarksNothing) {
    // ExtraMarkSign 1 advanced by (10 + 2) mod 12 - 1 = -1 lands on 0: index -1.
    Prepared p = Prepare(Delhi(21, 10, 30, 15));
    p.arudha.ExtraMarkSign = 1;
    p.arudha.LagnaSignCount = 10;
    p.arudha.MoonSignCount = 2;
    SpecialPoints special;
    const std::array<int, 12> added = RunAndCountMarks(p, special);
    EXPECT_EQ(p.arudha.ExtraMarkSign, 0);
    EXPECT_FALSE(special.signCountMark.has_value());
    int total = 0;
    for (const int n : added) total += n;
    EXPECT_EQ(total, 8);
}

TEST(SunriseReferenceMarks, SignCountMarkWrapsPastPisces) {
    // 12 + (10 + 1) mod 12 - 1 = 22 -> 10: Capricorn, index 9.
    Prepared p = Prepare(Delhi(21, 10, 30, 15));
    p.arudha.ExtraMarkSign = 12;
    p.arudha.LagnaSignCount = 10;
    p.arudha.MoonSignCount = 1;
    SpecialPoints special;
    RunAndCountMarks(p, special);
    EXPECT_EQ(p.arudha.ExtraMarkSign, 10);
    EXPECT_EQ(special.signCountMark, 9);
}

TEST(SunriseReferenceMarks, TheWholeCalculationAddsTheSameMarks) {
    // The full calculation reaches the same sunrise fields and cells as the
    // steps run here on a prepared chart.
    const Birth birth = Delhi(21, 10, 30, 15);
    Prepared p = Prepare(birth);
    SpecialPoints special;
    RunAndCountMarks(p, special);

    ChartResult result;
    ASSERT_FALSE(CalculateChart(testing::FormOf(birth), result).has_value());
    EXPECT_EQ(result.captions.lblArudha, p.captions.lblArudha);
    EXPECT_EQ(result.chart.ReferenceSunrise, p.chart.ReferenceSunrise);
    EXPECT_EQ(result.chart.SecondsFromSunrise, p.chart.SecondsFromSunrise);
    EXPECT_EQ(result.chart.PranapadaParts, p.chart.PranapadaParts);
    EXPECT_EQ(result.special.pranapada, special.pranapada);
    EXPECT_EQ(result.special.sree, special.sree);
}

}  // namespace
}  // namespace korvanta
