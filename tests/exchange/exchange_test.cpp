// SPDX-License-Identifier: GPL-3.0-or-later
// Births through .jhd files, AAF records and CSV rows: the sample file of the
// program that defines .jhd, round trips of every zone row, the sign and
// rounding rules, and malformed files refused by line while good records
// are kept.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <tuple>

#include "atlas/zone_rows.h"
#include "exchange/aaf.h"
#include "exchange/csv.h"
#include "exchange/exchange_files.h"
#include "exchange/jhd.h"
#include "library/birth_record.h"
#include "pipeline/zones.h"

namespace korvanta::exchange {
namespace {

namespace fs = std::filesystem;

auto Fields(const Birth& b) {
    return std::tie(b.name, b.year, b.month, b.day, b.hour, b.minute, b.second, b.latDeg, b.latMin,
                    b.south, b.lonDeg, b.lonMin, b.east, b.zoneIndex, b.zoneHours, b.zoneMinutes,
                    b.dst, b.city, b.state, b.country, b.utcOffsetMinutes);
}

std::string Shown(const Birth& b) {
    std::ostringstream text;
    text << b.name << " " << b.year << "-" << b.month << "-" << b.day << " " << b.hour << ":"
         << b.minute << ":" << b.second << " " << b.latDeg << (b.south ? "S" : "N") << b.latMin
         << " " << b.lonDeg << (b.east ? "E" : "W") << b.lonMin << " zone " << b.zoneIndex
         << (b.dst ? " dst" : "") << " [" << b.city << "|" << b.state << "|" << b.country << "]";
    return text.str();
}

// A birth through the entry, so its zone correction is the row's.
Birth MakeBirth(std::string name, int year, int month, int day, int hour, int minute, int second,
                int latDeg, int latMin, bool south, int lonDeg, int lonMin, bool east, int zone,
                bool dst, std::string city, std::string state, std::string country) {
    Birth b;
    b.name = std::move(name);
    b.year = year;
    b.month = month;
    b.day = day;
    b.hour = hour;
    b.minute = minute;
    b.second = second;
    b.latDeg = latDeg;
    b.latMin = latMin;
    b.south = south;
    b.lonDeg = lonDeg;
    b.lonMin = lonMin;
    b.east = east;
    b.zoneIndex = zone;
    b.dst = dst;
    b.city = std::move(city);
    b.state = std::move(state);
    b.country = std::move(country);
    return std::get<Birth>(AcceptBirth(FormOfBirth(b)));
}

ReadResult ReadText(Format format, const std::string& text, const std::string& name = "X.jhd") {
    PlaceFinder places;
    std::istringstream in(text);
    return ReadBirthsFile(format, name, in, places);
}

std::string Sample() {
    const char* lines[] = {"4",
                           "4",
                           "1970",
                           "17.506666666666668",
                           "-5.300000",
                           "-81.080000",
                           "16.100000",
                           "0.000000",
                           "-5.500000",
                           "-5.500000",
                           "0",
                           "105",
                           "Machilipatnam",
                           "India",
                           "1",
                           "1013.250000",
                           "20.000000",
                           "0"};
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

TEST(Jhd, TheSampleFileImportsToExactlyItsBirth) {
    const ReadResult read = ReadText(Format::Jhd, Sample(), "Rama Rao.jhd");
    ASSERT_EQ(read.refused.size(), 0u) << read.refused.front().reason;
    ASSERT_EQ(read.births.size(), 1u);
    const Birth expected = MakeBirth("RAMA RAO", 1970, 4, 4, 17, 50, 40, 16, 10, false, 81, 8, true,
                                     34, false, "Machilipatnam", "", "India");
    EXPECT_EQ(Fields(read.births[0].stored.birth), Fields(expected))
        << Shown(read.births[0].stored.birth);
    // The import says which row it chose.
    ASSERT_FALSE(read.births[0].notes.empty());
    EXPECT_NE(read.births[0].notes.back().find("Indian Time, IST, +5.3"), std::string::npos)
        << read.births[0].notes.back();
    // Written again, every line but the other program's own number 12 comes
    // back byte for byte.
    std::string written = JhdText(expected);
    const std::string sample = Sample();
    written.replace(written.find("\r\n0\r\nMachilipatnam"), 3, "\r\n105");
    EXPECT_EQ(written, sample);
}

// H.MM: the fraction is minutes, the sign the whole text's, minutes rounded
// to the nearest second with carries. Exact values: the file format's own
// examples.
TEST(Jhd, HmValuesReadAsMinutesWithTheSignOfTheWholeText) {
    const struct {
        const char* text;
        bool negative;
        std::int64_t seconds;
    } cases[] = {
        {"17.506666666666668", false, 17 * 3600 + 50 * 60 + 40},
        {"0.000167", false, 1},
        {"-5.300000", true, 5 * 3600 + 30 * 60},
        {"8.000000", false, 8 * 3600},
        {"-81.080000", true, 81 * 3600 + 8 * 60},
        {"118.145667", false, 118 * 3600 + 14 * 60 + 34},
        {"-0.070000", true, 7 * 60},
        {"0.070000", false, 7 * 60},
        {"1.599999", false, 2 * 3600},  // 59 min 59.994 s carries into the hour
        {"  12  ", false, 12 * 3600},
        {"-.5", true, 50 * 60},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseHm(c.text);
        ASSERT_TRUE(std::holds_alternative<HmValue>(parsed)) << c.text;
        EXPECT_EQ(std::get<HmValue>(parsed).negative, c.negative) << c.text;
        EXPECT_EQ(std::get<HmValue>(parsed).seconds, c.seconds) << c.text;
    }
    for (const char* bad : {"17.5x", "1e-05", "", "-", ".", "5.75", "12:30", "1.2.3"}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(ParseHm(bad))) << "\"" << bad << "\"";
    }
    // Every second of the day written and read back is the same second.
    for (std::int64_t second = 0; second < 86400; ++second) {
        const std::string text = HmText(false, second);
        const auto back = ParseHm(text);
        ASSERT_TRUE(std::holds_alternative<HmValue>(back)) << text;
        ASSERT_EQ(std::get<HmValue>(back).seconds, second) << text;
    }
}

// Within a degree of Greenwich and the equator the sign comes from the text,
// not from the whole part (which is 0 either way).
TEST(Jhd, PlacesNearGreenwichAndTheEquatorKeepTheirSide) {
    for (const bool negative : {true, false}) {
        std::string text = Sample();
        const std::string value = negative ? "-0.070000" : "0.070000";
        text.replace(text.find("-81.080000"), 10, value);
        text.replace(text.find("16.100000"), 9, value);
        const ReadResult read = ReadText(Format::Jhd, text);
        ASSERT_EQ(read.births.size(), 1u);
        const Birth& b = read.births[0].stored.birth;
        EXPECT_EQ(std::tie(b.lonDeg, b.lonMin, b.latDeg, b.latMin), std::tuple(0, 7, 0, 7));
        EXPECT_EQ(b.east, negative) << value;   // east negative
        EXPECT_EQ(b.south, negative) << value;  // south negative
    }
}

TEST(Jhd, OlderShortFilesAndSecondsOfArcAreRead) {
    // Seven lines only; 118 deg 14 min 34 s W rounds to 118 deg 15 min, and the import says so.
    const ReadResult read =
        ReadText(Format::Jhd, "7\n20\n1969\n20.18\n8.000000\n118.145667\n34.030000");
    ASSERT_EQ(read.births.size(), 1u) << read.refused.front().reason;
    const Birth& b = read.births[0].stored.birth;
    EXPECT_EQ(std::tie(b.lonDeg, b.lonMin, b.east), std::tuple(118, 15, false));
    EXPECT_EQ(std::tie(b.hour, b.minute, b.zoneHours, b.dst), std::tuple(20, 18, 8, false));
    bool roundedSaid = false;
    for (const std::string& note : read.births[0].notes)
        roundedSaid = roundedSaid || note.find("118W14:34 rounded to 118W15") != std::string::npos;
    EXPECT_TRUE(roundedSaid);
}

// Every zone row, with and without daylight saving, written and read back:
// AAF names the row (#ZNAM) and gives it back exactly; .jhd holds offsets
// only, so the clock (offset and box) comes back, on the same row wherever
// that row is the first standard-time row of its offset; CSV names the row.
TEST(Exchange, EveryZoneRowWithAndWithoutDaylightSavingSurvives) {
    int sameJhdRows = 0;
    for (int row = 0; row < kZoneCount; ++row) {
        for (const bool dst : {false, true}) {
            const int offset = *atlas::ZoneRowOffsetSeconds(row);
            // A longitude near the row's solar time, on its side.
            const int lon = std::min(179, std::abs(offset) / 240);
            const Birth birth = MakeBirth("ZONE TEST", 1990, 7, 15, 6, 7, 8, 12, 34, false, lon, 56,
                                          offset > 0, row, dst, "", "", "");
            library::StoredBirth stored;
            stored.birth = birth;
            const std::string context = std::string(kZoneTable[row].text) + (dst ? " dst" : "");

            const ReadResult aaf = ReadText(Format::Aaf, AafText(stored));
            ASSERT_EQ(aaf.births.size(), 1u) << context << ": " << aaf.refused.front().reason;
            EXPECT_EQ(Fields(aaf.births[0].stored.birth), Fields(birth))
                << context << ": " << Shown(aaf.births[0].stored.birth);

            const ReadResult csv =
                ReadText(Format::Csv, std::string(kCsvHeader) + "\r\n" + CsvRow(stored));
            ASSERT_EQ(csv.births.size(), 1u) << context << ": " << csv.refused.front().reason;
            EXPECT_EQ(Fields(csv.births[0].stored.birth), Fields(birth)) << context;

            const ReadResult jhd = ReadText(Format::Jhd, JhdText(birth), "ZONE TEST.jhd");
            ASSERT_EQ(jhd.births.size(), 1u) << context << ": " << jhd.refused.front().reason;
            Birth back = jhd.births[0].stored.birth;
            EXPECT_EQ(*atlas::ZoneRowOffsetSeconds(back.zoneIndex), offset) << context;
            EXPECT_EQ(back.dst, dst) << context;
            sameJhdRows += back.zoneIndex == row;
            back.zoneIndex = row;
            EXPECT_EQ(Fields(back), Fields(birth)) << context << ": " << Shown(back);
        }
    }
    // One row per distinct offset comes back as itself, with and without the box.
    EXPECT_GE(sameJhdRows, 2 * 30);
}

// A birth exported and imported again in each format is the same birth,
// with the texts each format keeps.
TEST(Exchange, BirthsComeBackTheSameFromEachFormat) {
    std::vector<library::StoredBirth> births(3);
    births[0].birth = MakeBirth("ASHA RAO", 1980, 6, 5, 9, 5, 30, 28, 36, false, 77, 12, true, 34,
                                false, "New Delhi", "Delhi", "India");
    births[1].birth = MakeBirth("JUAN PEREZ", 2001, 12, 31, 23, 59, 59, 34, 36, true, 58, 22, false,
                                14, false, "Buenos Aires", "", "Argentina");
    births[1].note = "first line, with a comma\nsecond \"quoted\" line";
    births[2].birth = MakeBirth("SAO PAULO CHILD", 1950, 2, 28, 0, 0, 1, 23, 33, true, 46, 38,
                                false, 14, true, "São Paulo", "SP", "Brasil");
    births[2].note = "#SRC:birth certificate";
    for (const Format format : {Format::Aaf, Format::Csv, Format::JsonLines, Format::Jhd}) {
        std::string pattern = (fs::temp_directory_path() / "korvanta-exchange-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        const fs::path folder = pattern;
        const std::string path = (folder / ("out." + std::string(FormatName(format)))).string();
        const auto written = WriteBirths(format, path, births);
        ASSERT_TRUE(std::holds_alternative<ExportSummary>(written))
            << std::get<std::string>(written);
        std::vector<library::StoredBirth> back;
        if (format == Format::JsonLines) {
            std::ifstream in(path);
            for (std::string line; std::getline(in, line);) {
                EntryForm form;
                korvanta::RecordExtras extras;
                ASSERT_FALSE(korvanta::ReadRecord(line, form, &extras).has_value()) << line;
                library::StoredBirth stored;
                stored.birth = BirthOfForm(form);
                stored.note = extras.note;
                back.push_back(stored);
            }
        } else {
            for (const ImportSource& source : ExpandImportPath(path)) {
                ASSERT_EQ(source.fault, "");
                std::ifstream in(source.path, std::ios::binary);
                const ReadResult read = ReadText(
                    format, std::string(std::istreambuf_iterator<char>(in), {}), source.path);
                ASSERT_TRUE(read.refused.empty()) << read.refused.front().reason;
                for (const ImportedBirth& birth : read.births) back.push_back(birth.stored);
            }
        }
        ASSERT_EQ(back.size(), births.size()) << FormatName(format);
        std::sort(back.begin(), back.end(),
                  [](const auto& a, const auto& b) { return a.birth.name < b.birth.name; });
        std::vector<library::StoredBirth> expected = births;
        std::sort(expected.begin(), expected.end(),
                  [](const auto& a, const auto& b) { return a.birth.name < b.birth.name; });
        for (std::size_t i = 0; i < back.size(); ++i) {
            // .jhd holds the clock's offset, not the row: among rows of one
            // offset the import takes the atlas's (Buenos Aires: Atlantic War
            // Time) or the first standard-time row.
            if (format == Format::Jhd &&
                atlas::ZoneRowOffsetSeconds(back[i].birth.zoneIndex) ==
                    atlas::ZoneRowOffsetSeconds(expected[i].birth.zoneIndex))
                back[i].birth.zoneIndex = expected[i].birth.zoneIndex;
            EXPECT_EQ(Fields(back[i].birth), Fields(expected[i].birth))
                << FormatName(format) << ": " << Shown(back[i].birth);
            if (format != Format::Jhd) {
                EXPECT_EQ(back[i].note, expected[i].note) << FormatName(format);
            }
        }
        fs::remove_all(folder);
    }
}

TEST(Exchange, OffsetsWithoutARowTakeOtherUtcOffsetToTheMinute) {
    const ReadResult aaf = ReadText(Format::Aaf,
                                    "#A93:Cezanne,Paul,m,19.1.1939,1:00,Aix-En-Provence,F\n"
                                    "#B93:*,43n31,5e27,0e21:48,0\n"
                                    "#A93:Ferber,Tobias,m,27.9.1970,11:04,Kandel/Pfalz,D\n"
                                    "#B93:*,49n05,8e11,1he,0\n#ZNAM:CET\n#COM:a note\n"
                                    "#A93:Far,Out,m,1.1.1970,1:00,Nowhere,X\n"
                                    "#B93:*,10n00,170e00,15he,0\n");
    // A local mean time of +0:21:48 is "Other UTC offset" +00:22, and says so;
    // an offset beyond -12:00..+14:00 is refused by name.
    ASSERT_EQ(aaf.births.size(), 2u);
    const Birth& cezanne = aaf.births[0].stored.birth;
    EXPECT_EQ(std::tie(cezanne.zoneIndex, cezanne.utcOffsetMinutes, cezanne.zoneHours,
                       cezanne.zoneMinutes),
              std::tuple(kOtherOffsetRow, 22, 0, -22));
    bool saidRounded = false;
    for (const std::string& note : aaf.births[0].notes)
        saidRounded |=
            note.find("UTC+0:21:48 (rounded to the nearest minute)") != std::string::npos;
    EXPECT_TRUE(saidRounded);
    const Birth& b = aaf.births[1].stored.birth;
    EXPECT_EQ(std::tie(b.name, b.zoneIndex, b.city, b.state, b.country),
              std::tuple("TOBIAS FERBER", 20, "Kandel", "Pfalz", "D"));
    EXPECT_EQ(aaf.births[1].stored.note, "a note");
    ASSERT_EQ(aaf.refused.size(), 1u);
    EXPECT_EQ(aaf.refused[0].line, 7);
    EXPECT_NE(aaf.refused[0].reason.find("UTC+15"), std::string::npos) << aaf.refused[0].reason;

    std::string nepal = Sample();
    nepal.replace(nepal.find("-5.300000"), 9, "-5.450000");
    const ReadResult jhd = ReadText(Format::Jhd, nepal);
    ASSERT_EQ(jhd.births.size(), 1u);
    EXPECT_EQ(jhd.births[0].stored.birth.zoneIndex, kOtherOffsetRow);
    EXPECT_EQ(jhd.births[0].stored.birth.utcOffsetMinutes, 345);

    // A birth of "Other UTC offset" comes back with its offset from each
    // format, with and without daylight saving, on both sides of UT.
    for (const int minutes : {345, -155, 22, 840, -719}) {
        for (const bool dst : {false, true}) {
            Birth birth = MakeBirth("OFFSET TEST", 1990, 7, 15, 6, 7, 8, 27, 42, false, 85, 19,
                                    minutes > 0, kZoneCount - 1, dst, "", "", "");
            birth.zoneIndex = kOtherOffsetRow;
            birth.utcOffsetMinutes = minutes;
            birth.zoneHours = -minutes / 60;
            birth.zoneMinutes = -minutes % 60;
            library::StoredBirth stored;
            stored.birth = birth;
            const std::string context = UtcOffsetText(minutes) + (dst ? " dst" : "");
            for (const auto& [format, text] :
                 {std::pair{Format::Aaf, AafText(stored)},
                  std::pair{Format::Csv, std::string(kCsvHeader) + "\r\n" + CsvRow(stored)},
                  std::pair{Format::Jhd, JhdText(birth)}}) {
                const ReadResult back = ReadText(format, text, "OFFSET TEST.jhd");
                ASSERT_EQ(back.births.size(), 1u)
                    << context << " " << FormatName(format) << ": " << back.refused.front().reason;
                EXPECT_EQ(Fields(back.births[0].stored.birth), Fields(birth))
                    << context << " " << FormatName(format) << ": "
                    << Shown(back.births[0].stored.birth);
            }
        }
    }
}

// A stream of `size` bytes of 'x' between `before` and `after`, made as it is
// read: a line of a gigabyte without a gigabyte of memory or disk.
class LongLineBuffer : public std::streambuf {
  public:
    LongLineBuffer(std::string before, std::uint64_t size, std::string after)
        : before_(std::move(before)), after_(std::move(after)), left_(size) {
        std::fill(std::begin(chunk_), std::end(chunk_), 'x');
        setg(before_.data(), before_.data(), before_.data() + before_.size());
    }

  protected:
    int_type underflow() override {
        if (left_ > 0) {
            const auto size =
                static_cast<std::size_t>(std::min<std::uint64_t>(left_, sizeof chunk_));
            left_ -= size;
            setg(chunk_, chunk_, chunk_ + size);
        } else if (!afterGiven_) {
            afterGiven_ = true;
            setg(after_.data(), after_.data(), after_.data() + after_.size());
        }
        return gptr() < egptr() ? traits_type::to_int_type(*gptr()) : traits_type::eof();
    }

  private:
    std::string before_, after_;
    std::uint64_t left_;
    bool afterGiven_ = false;
    char chunk_[1 << 16];
};

// Malformed records are refused with their line; good ones around them are
// kept.
TEST(Exchange, MalformedRecordsAreRefusedByLineAndTheRestKept) {
    constexpr std::uint64_t kGigabyte = std::uint64_t{1} << 30;
    const std::string good =
        "ASHA RAO,1980-06-05,09:05:30,28N36,77E12,IST,0,New Delhi,Delhi,India,\n";
    const std::string header = std::string(kCsvHeader) + "\n";
    PlaceFinder places;
    {
        LongLineBuffer buffer(header + good, kGigabyte, "\n" + good);
        std::istream in(&buffer);
        const ReadResult read = ReadCsv(in, places);
        EXPECT_EQ(read.births.size(), 2u);
        ASSERT_EQ(read.refused.size(), 1u);
        EXPECT_EQ(read.refused[0].line, 3);
    }
    {
        const std::string aafGood =
            "#A93:Rao,Asha,f,5.6.1980,9:05,New Delhi,India\n"
            "#B93:*,28n36,77e12,5h30e,0\n";
        LongLineBuffer buffer(aafGood + "#A93:Big,One,m,1.1.1980,1:00,", kGigabyte,
                              "\n#B93:*,1n1,1e1,0he,0\n" + aafGood);
        std::istream in(&buffer);
        const ReadResult read = ReadAaf(in, places);
        EXPECT_EQ(read.births.size(), 2u);
        ASSERT_EQ(read.refused.size(), 1u);
        EXPECT_NE(read.refused[0].reason.find("line 3 holds"), std::string::npos)
            << read.refused[0].reason;
    }
    {
        LongLineBuffer buffer("4\n4\n1970\n", kGigabyte, "\n-5.3\n-81.08\n16.1\n");
        std::istream in(&buffer);
        const ReadResult read = ReadJhd("BIG", in, places);
        EXPECT_TRUE(read.births.empty());
        ASSERT_EQ(read.refused.size(), 1u);
        EXPECT_EQ(read.refused[0].line, 4);
    }
    // A letter in a number, too few lines, invalid UTF-8, a wrong field count.
    std::string letter = Sample();
    letter.replace(letter.find("1970"), 4, "19a0");
    const struct {
        Format format;
        std::string text;
        long line;
        std::size_t births;
    } cases[] = {
        {Format::Jhd, letter, 3, 0},
        {Format::Jhd, "4\r\n4\r\n1970\r\n17.5\r\n", 5, 0},
        {Format::Jhd, "", 1, 0},
        {Format::Csv,
         header + good +
             "B\xFF"
             "AD,1980-06-05,09:05:30,28N36,77E12,IST,0,,,,\n" +
             good,
         3, 2},
        {Format::Csv,
         header +
             "\"A,\"\"B\"\"\",1980-06-05,09:05:30,28N36,77E12,IST,0,,,,\"note\nacross lines\"\n" +
             "X,1980-06-05,09:05:30,28N36,77E12\n" + good,
         4, 2},
        {Format::Csv, header + good + "Y,1980-13-05,09:05:30,28N36,77E12,IST,0,,,,\n", 3, 1},
        {Format::Aaf, "#A93:Rao,Asha,f,5.6.1980,9:05,New Delhi,India\n#A93:X,Y\n", 1, 0},
    };
    for (const auto& c : cases) {
        const ReadResult read = ReadText(c.format, c.text);
        ASSERT_FALSE(read.refused.empty()) << c.text.substr(0, 80);
        EXPECT_EQ(read.refused[0].line, c.line) << read.refused[0].reason;
        EXPECT_EQ(read.births.size(), c.births) << read.refused[0].reason;
    }
}

TEST(Exchange, FoldersAndKindsOfFiles) {
    std::string pattern = (fs::temp_directory_path() / "korvanta-exchange-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path folder = pattern;
    fs::create_directory(folder / "x.jhd");
    std::ofstream(folder / "a.jhd") << Sample();
    std::ofstream(folder / "notes.txt") << "not a birth";
    long aside = 0;
    const auto sources = ExpandImportPath(folder.string(), &aside);
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[0].fault, "");
    EXPECT_EQ(sources[1].fault, "a folder, not a .jhd file");
    EXPECT_EQ(aside, 1);

    // Two births of one name get two files; writing the same births again
    // leaves the files as they are and adds none.
    std::vector<library::StoredBirth> twins(2);
    twins[0].birth =
        MakeBirth("TWIN", 1990, 1, 1, 1, 0, 0, 10, 0, false, 10, 0, true, 20, false, "", "", "");
    twins[1].birth = twins[0].birth;
    twins[1].birth.minute = 5;
    const std::string out = (folder / "out").string();
    for (const long expectWritten : {2L, 0L}) {
        const auto written = WriteBirths(Format::Jhd, out, twins);
        ASSERT_TRUE(std::holds_alternative<ExportSummary>(written));
        EXPECT_EQ(std::get<ExportSummary>(written).written, expectWritten);
        EXPECT_EQ(std::get<ExportSummary>(written).unchanged, 2 - expectWritten);
    }
    EXPECT_TRUE(fs::exists(folder / "out" / "TWIN.jhd"));
    EXPECT_TRUE(fs::exists(folder / "out" / "TWIN (2).jhd"));
    EXPECT_EQ(JhdFileStem("CON"), "CON _");
    fs::remove_all(folder);

    const struct {
        const char* head;
        std::optional<Format> format;
    } heads[] = {{"\xEF\xBB\xBF{\"name\":1}", Format::JsonLines},
                 {"\n\n#A93:x", Format::Aaf},
                 {"Name,Date,Time", Format::Csv},
                 {"\"name\",\"date\"", Format::Csv},
                 {"4\r\n4\r\n1970", Format::Jhd},
                 {"hello", std::nullopt},
                 {"", std::nullopt}};
    for (const auto& h : heads) EXPECT_EQ(DetectFormat(h.head), h.format) << h.head;
}

}  // namespace
}  // namespace korvanta::exchange
