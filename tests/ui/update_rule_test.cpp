// SPDX-License-Identifier: GPL-3.0-or-later
// The reminder's rules and the frame's button arithmetic, without windows.
#include "ui/rules/update_rule.h"

#include <QTest>

#include "ui/frame_layout.h"

using namespace std::chrono;
using korvanta::CalendarDayDifference;
using korvanta::EncodeSetting;
using korvanta::GetEncodedSetting;
using korvanta::ParseStoredDate;
using korvanta::ReminderIsDue;

class UpdateRuleTest : public QObject {
    Q_OBJECT
  private slots:
    void encodingHidesTheKeyAndTheDate() {
        const std::string key = EncodeSetting("Duration");
        QVERIFY2(key != "Duration", key.c_str());
        QCOMPARE(key.size(), std::string("Duration").size());
        const std::string date = EncodeSetting("2024-03-09");
        QVERIFY2(date != "2024-03-09", date.c_str());
        // Nothing that a settings store treats specially is produced.
        QVERIFY(date.find('/') == std::string::npos && date.find('\\') == std::string::npos);
    }

    void encodingIsReversedCharacterByCharacter() {
        const std::string every = [] {
            std::string text;
            for (int c = 1; c < 256; ++c) text.push_back(static_cast<char>(c));
            return text;
        }();
        QCOMPARE(GetEncodedSetting(EncodeSetting(every)), every);
        // Character by character: each output character depends only on the
        // input character at the same place.
        QCOMPARE(EncodeSetting("ab").substr(0, 1), EncodeSetting("a"));
        QCOMPARE(EncodeSetting("ab").substr(1, 1), EncodeSetting("b"));
        QCOMPARE(GetEncodedSetting(""), std::string());
    }

    void storedDatesRoundTrip() {
        const year_month_day date{year{2024}, February, day{29}};
        QCOMPARE(korvanta::FormatStoredDate(date), std::string("2024-02-29"));
        const auto parsed = ParseStoredDate("2024-02-29");
        QVERIFY(parsed.has_value());
        QVERIFY(*parsed == date);
    }

    void storedDatesThatAreNotDates_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("garbage") << "not a date";
        QTest::newRow("no leap day") << "2023-02-29";
        QTest::newRow("month 13") << "2024-13-01";
        QTest::newRow("day 0") << "2024-01-00";
        QTest::newRow("short form") << "3/9/24";
        QTest::newRow("trailing text") << "2024-03-09x";
        QTest::newRow("sign in a field") << "2024--3-09";
    }
    void storedDatesThatAreNotDates() {
        QFETCH(QString, text);
        QVERIFY(!ParseStoredDate(text.toStdString()).has_value());
    }

    void dayDifferenceCountsCalendarDays() {
        const year_month_day today{year{2024}, March, day{1}};
        QCOMPARE(CalendarDayDifference(year_month_day{year{2024}, February, day{16}}, today), -14);
        QCOMPARE(CalendarDayDifference(year_month_day{year{2023}, March, day{1}}, today), -366);
        QCOMPARE(CalendarDayDifference(year_month_day{year{2024}, March, day{16}}, today), 15);
    }

    void reminderIsDueBeyondFourteenDaysEitherWay_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("due");
        QTest::newRow("same day") << 0 << false;
        QTest::newRow("14 days ago") << -14 << false;
        QTest::newRow("14 days ahead") << 14 << false;
        QTest::newRow("15 days ago") << -15 << true;
        QTest::newRow("15 days ahead") << 15 << true;
        QTest::newRow("years ago") << -4000 << true;
    }
    void reminderIsDueBeyondFourteenDaysEitherWay() {
        QFETCH(int, offset);
        QFETCH(bool, due);
        const year_month_day today{year{2023}, December, day{25}};  // crossing a year end
        const year_month_day stored{sys_days{today} + days{offset}};
        QCOMPARE(ReminderIsDue(stored, today), due);
    }

    void frameButtonsKeepTheirGaps() {
        // Frame 1000 px, buttons 81 px, gaps 20 and 7 px.
        const auto places = korvanta::PlaceFrameButtons(1000, 81, 20, 7);
        QCOMPARE(places.cmdExitLeft, 1000 - 81 - 20);
        QCOMPARE(places.cmdBackLeft, places.cmdExitLeft - 81 - 7);
    }

    void resultWindowIsCentredAndNeverLeftOfTheFrame() {
        QCOMPARE(korvanta::CentredLeft(1000, 800), 100);
        QCOMPARE(korvanta::CentredLeft(801, 800), 0);
        QCOMPARE(korvanta::CentredLeft(600, 800), 0);
    }
};

QTEST_APPLESS_MAIN(UpdateRuleTest)
#include "update_rule_test.moc"
