// SPDX-License-Identifier: GPL-3.0-or-later
// The atlas in the birth-data window: finding a place through the completion
// list, the controls it fills, the zone that follows the birth moment, the
// note under the zone, hand changes, and the zone check against the longitude.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "recording_sink.h"
#include "ui/elided_label.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi.h"

using korvanta::frmMain;
using korvanta::testing::RecordingSink;

namespace {

QStringList Offered(const QAbstractItemView* list) {
    QStringList labels;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        labels << list->model()->index(row, 0).data().toString();
    }
    return labels;
}

void SetBirthMoment(frmMain& w, int year, int month, int day, int hour, int minute) {
    w.cboYear->setCurrentIndex(year - 1901);
    w.cboMonth->setCurrentIndex(month - 1);
    w.cboDate->setCurrentIndex(day - 1);
    w.cboHH->setCurrentIndex(hour);
    w.cboMM->setCurrentIndex(minute);
}

}  // namespace

class EntryAtlasTest : public QObject {
    Q_OBJECT
  private:
    RecordingSink sink_;
    std::unique_ptr<frmMain> w_;

    // Types into "Find Place" and chooses `label` from the list it opens.
    bool Choose(const QString& typed, const QString& label) {
        QTest::keyClicks(w_->txtFindPlace, typed);
        QAbstractItemView* list = w_->placeCompleter->popup();
        if (!list->isVisible()) {
            qWarning("no list for %s", qPrintable(typed));
            return false;
        }
        const int row = static_cast<int>(Offered(list).indexOf(label));
        if (row < 0) {
            qWarning("%s not offered: %s", qPrintable(label), qPrintable(Offered(list).join("|")));
            return false;
        }
        list->setCurrentIndex(list->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_Return);
        return !list->isVisible();
    }

    QString ZoneNote() const {
        return w_->lblZoneNote->isVisible() ? w_->lblZoneNote->text() : QString();
    }
    QString ZoneCheck() const {
        return w_->lblZoneCheck->isVisible() ? w_->lblZoneCheck->text() : QString();
    }

  private slots:
    void init() {
        sink_.messages.clear();
        w_ = std::make_unique<frmMain>(sink_);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() { w_.reset(); }

    void findPlaceSitsBesideThePlaceDetails() {
        QCOMPARE(w_->txtFindPlace->parentWidget(), static_cast<QWidget*>(w_->fraPlace));
        QVERIFY(w_->cmdBrowser->isVisible());
        QCOMPARE(ZoneNote(), QString());
        QCOMPARE(ZoneCheck(), QString());
    }

    void notesKeepTheirRoomAndShowLongTextsAsTooltips() {
        // Nothing moves when a note comes: the room for two lines is kept.
        const QRect zoneList = w_->cmbTimeZone->geometry();
        const QPoint lonBox = w_->txtLonD->mapTo(w_.get(), QPoint());
        const int noteHeight = w_->lblZoneNote->height();
        QVERIFY(noteHeight >= 2 * w_->lblZoneNote->fontMetrics().lineSpacing());
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("Kathmandu"),
                       QStringLiteral("Kathmandu, Bagmati Province, Nepal")));
        QCoreApplication::processEvents();
        QCOMPARE(w_->cmbTimeZone->geometry(), zoneList);
        QCOMPARE(w_->txtLonD->mapTo(w_.get(), QPoint()), lonBox);
        QCOMPARE(w_->lblZoneNote->height(), noteHeight);
        // A note longer than its two lines ends in "…", the whole as tooltip.
        w_->lblZoneNote->setText(
            QString(40, QLatin1Char(' ')).replace(QLatin1Char(' '), QStringLiteral("word ")));
        w_->lblZoneNote->grab();
        QCOMPARE(w_->lblZoneNote->toolTip(), w_->lblZoneNote->text());
        w_->lblZoneNote->setText(QStringLiteral("short"));
        w_->lblZoneNote->grab();
        QCOMPARE(w_->lblZoneNote->toolTip(), QString());
        // A note of a line and a half shows whole, on two lines.
        auto* note = qobject_cast<korvanta::ElidedLabel*>(w_->lblZoneNote);
        QVERIFY(note != nullptr);
        QString longer;
        while (note->fontMetrics().horizontalAdvance(longer) < note->contentsRect().width() * 3 / 2)
            longer += QStringLiteral("word ");
        note->setText(longer.trimmed());
        note->grab();
        QVERIFY(note->ShownText().contains(QLatin1Char('\n')));
        QVERIFY(!note->IsElided());
        QCOMPARE(note->toolTip(), QString());
    }

    void choosingPuneFillsThePlaceCoordinatesAndZone() {
        SetBirthMoment(*w_, 1980, 6, 5, 9, 5);
        QTest::keyClicks(w_->txtFindPlace, QStringLiteral("Pun"));
        QAbstractItemView* list = w_->placeCompleter->popup();
        QVERIFY(list->isVisible());
        QCOMPARE(Offered(list).value(0), QStringLiteral("Pune, Maharashtra, India"));
        QTest::keyClick(w_->txtFindPlace, Qt::Key_Backspace);
        QTest::keyClicks(w_->txtFindPlace, QStringLiteral("n"));
        QVERIFY(Choose(QStringLiteral("e"), QStringLiteral("Pune, Maharashtra, India")));

        QCOMPARE(w_->txtFindPlace->text(), QStringLiteral("Pune, Maharashtra, India"));
        QCOMPARE(w_->txtMCity->text(), QStringLiteral("Pune"));
        QCOMPARE(w_->txtMState->text(), QStringLiteral("Maharashtra"));
        QCOMPARE(w_->txtMCountry->text(), QStringLiteral("India"));
        // 18.5196 N, 73.8554 E in the atlas.
        QCOMPARE(w_->txtLonD->text(), QStringLiteral("73"));
        QCOMPARE(w_->txtLonM->text(), QStringLiteral("51"));
        QVERIFY(w_->optLong[0]->isChecked());
        QCOMPARE(w_->txtLatD->text(), QStringLiteral("18"));
        QCOMPARE(w_->txtLatM->text(), QStringLiteral("31"));
        QVERIFY(w_->optLat[0]->isChecked());
        QCOMPARE(w_->cmbTimeZone->currentText(), QStringLiteral("Indian Time, IST, +5.3"));
        QVERIFY(!w_->chkDST->isChecked());
        QCOMPARE(ZoneNote(),
                 QStringLiteral("Asia/Kolkata: UTC+5:30, no daylight saving on this date"));
        QCOMPARE(ZoneCheck(), QString());

        // The calculation reads the filled controls.
        QTest::keyClicks(w_->txtName, QStringLiteral("asha"));
        w_->cmdRashi->click();
        QVERIFY(sink_.messages.empty());
        QVERIFY(w_->ResultFrame() != nullptr);
        QCOMPARE(w_->ResultFrame()->Display()->lblCity->text(), QStringLiteral("Pune"));
        QCOMPARE(w_->ResultFrame()->Display()->lblLongitude->text(), QStringLiteral("73° 51' E"));
    }

    void southAndWestSetTheHemisphereOptions() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(
            Choose(QStringLiteral("Sao Paulo"), QStringLiteral("São Paulo, São Paulo, Brazil")));
        QVERIFY(w_->optLong[1]->isChecked());
        QVERIFY(w_->optLat[1]->isChecked());
        QCOMPARE(w_->txtMCity->text(), QStringLiteral("São Paulo"));
    }

    void theZoneFollowsTheBirthMomentUntilThePlaceIsTypedByHand() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("New York"),
                       QStringLiteral("New York, New York, United States of America")));
        // Summer: UTC-4 as Eastern Standard Time with the box ticked.
        QCOMPARE(w_->cmbTimeZone->currentText(), QStringLiteral("Eastern Standard Time,EST,-5.0"));
        QVERIFY(w_->chkDST->isChecked());
        QVERIFY2(ZoneNote().contains(QStringLiteral("daylight saving in force")),
                 qPrintable(ZoneNote()));
        QVERIFY(w_->optLong[1]->isChecked());

        w_->cboMonth->setCurrentIndex(0);  // January
        QCOMPARE(w_->cmbTimeZone->currentText(), QStringLiteral("Eastern Standard Time,EST,-5.0"));
        QVERIFY(!w_->chkDST->isChecked());
        QVERIFY2(ZoneNote().contains(QStringLiteral("no daylight saving")), qPrintable(ZoneNote()));

        // 2:30 on 1 April 1990 did not exist there: the note says so.
        SetBirthMoment(*w_, 1990, 4, 1, 2, 30);
        QVERIFY2(ZoneNote().contains(QStringLiteral("did not exist")), qPrintable(ZoneNote()));

        // A place typed by hand is no longer the atlas's: the zone stays put.
        QTest::keyClicks(w_->txtMCity, QStringLiteral(" Mills"));
        QCOMPARE(ZoneNote(), QString());
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(!w_->chkDST->isChecked());
    }

    void theZoneRowsOfDaylightSavingHistory() {
        // Sydney, 15 January 1990: +11 as +10 with the box.
        SetBirthMoment(*w_, 1990, 1, 15, 12, 0);
        QVERIFY(
            Choose(QStringLiteral("Sydney"), QStringLiteral("Sydney, New South Wales, Australia")));
        QCOMPARE(w_->cmbTimeZone->currentText(),
                 QStringLiteral("Australian Eastern Standard Time,AEST,+10.0"));
        QVERIFY(w_->chkDST->isChecked());

        // Kolkata, 1 July 1943: war time +6:30, Indian time with the box.
        w_->txtFindPlace->clear();
        SetBirthMoment(*w_, 1943, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("Kolkata"),
                       QStringLiteral("Kolkata, State of West Bengal, India")));
        QCOMPARE(w_->cmbTimeZone->currentText(), QStringLiteral("Indian Time, IST, +5.3"));
        QVERIFY(w_->chkDST->isChecked());
    }

    void kathmanduAfterNewYorkLeavesNoZoneAndRefusesUntilOneIsPicked() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("New York"),
                       QStringLiteral("New York, New York, United States of America")));
        QVERIFY(w_->chkDST->isChecked());
        w_->txtFindPlace->clear();
        QVERIFY(Choose(QStringLiteral("Kathmandu"),
                       QStringLiteral("Kathmandu, Bagmati Province, Nepal")));
        // No row is UTC+5:45: New York's zone and box do not stay behind.
        QCOMPARE(w_->cmbTimeZone->currentIndex(), -1);
        QVERIFY(!w_->chkDST->isChecked());
        QVERIFY2(ZoneNote().contains(QStringLiteral("no zone in the list is UTC+5:45")),
                 qPrintable(ZoneNote()));
        QVERIFY2(ZoneNote().contains(QStringLiteral("\"Indian Time, IST, +5.3\" (UTC+5:30)")),
                 qPrintable(ZoneNote()));
        QCOMPARE(ZoneCheck(), QString());

        QTest::keyClicks(w_->txtName, QStringLiteral("sita"));
        w_->cmdRashi->click();
        QVERIFY(w_->ResultFrame() == nullptr);
        QCOMPARE(sink_.messages.size(), std::size_t{1});
        QCOMPARE(sink_.messages[0].text, QStringLiteral("Please Select the Time Zone"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w_->cmbTimeZone));

        // Another birth time at the same place leaves the refusal standing.
        w_->cboMM->setCurrentIndex(30);
        QCOMPARE(w_->cmbTimeZone->currentIndex(), -1);

        // The user picks a row; it stands when the time changes again, and
        // the zone check asks about the zone, never about East, since the
        // longitude came from the atlas.
        const int gmt = w_->cmbTimeZone->findText(QStringLiteral("Greenwich Mean Time,GMT,0.0"));
        w_->cmbTimeZone->setCurrentIndex(gmt);
        emit w_->cmbTimeZone->activated(gmt);
        w_->cboMM->setCurrentIndex(31);
        QCOMPARE(w_->cmbTimeZone->currentIndex(), gmt);
        QVERIFY2(ZoneCheck().contains(QStringLiteral("please check the zone")),
                 qPrintable(ZoneCheck()));
        QVERIFY2(!ZoneCheck().contains(QStringLiteral("really")), qPrintable(ZoneCheck()));
        sink_.messages.clear();
        w_->cmdRashi->click();
        QVERIFY(sink_.messages.empty());
        QVERIFY(w_->ResultFrame() != nullptr);
    }

    void formerNamesAreFoundAndANameWithoutPlacesSaysSo() {
        QTest::keyClicks(w_->txtFindPlace, QStringLiteral("Bombay"));
        QAbstractItemView* list = w_->placeCompleter->popup();
        QVERIFY(list->isVisible());
        QCOMPARE(Offered(list).value(0), QStringLiteral("Mumbai, Maharashtra, India"));
        w_->txtFindPlace->clear();
        QTest::keyClicks(w_->txtFindPlace, QStringLiteral("Qqxzv"));
        QVERIFY(list->isVisible());
        QCOMPARE(Offered(list), QStringList{QStringLiteral("No place found")});
        // The line is no place: Enter on it chooses nothing.
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(w_->txtMCity->text(), QString());
    }

    void enterChoosesAPlaceTypedInFull() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QTest::keyClicks(w_->txtFindPlace, QStringLiteral("Jalandhar, Punjab"));
        QTest::keyClick(w_->placeCompleter->popup(), Qt::Key_Return);
        QCOMPARE(w_->txtMCity->text(), QStringLiteral("Jalandhar"));
        QCOMPARE(w_->cmbTimeZone->currentText(), QStringLiteral("Indian Time, IST, +5.3"));
    }

    void handChangesWinOverTheAtlas() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("Madrid"), QStringLiteral("Madrid, Madrid, Spain")));
        QCOMPARE(w_->cmbTimeZone->currentText(), QStringLiteral("Central European Time,CET,+1.0"));
        QVERIFY(w_->chkDST->isChecked());
        w_->cmbTimeZone->setCurrentIndex(29);
        w_->chkDST->setChecked(false);
        w_->txtLonM->setText(QStringLiteral("40"));
        const korvanta::EntryForm entry = w_->CurrentEntry();
        QCOMPARE(entry.cmbTimeZone, 29);
        QVERIFY(!entry.chkDST);
        QCOMPARE(entry.txtLonM, std::string("40"));
    }

    void zoneCheckNotesIndianTimeWithAWesternLongitude() {
        w_->cmbTimeZone->setCurrentIndex(w_->cmbTimeZone->findText("Indian Time, IST, +5.3"));
        QTest::keyClicks(w_->txtLonD, QStringLiteral("77"));
        QTest::keyClicks(w_->txtLonM, QStringLiteral("12"));
        QCOMPARE(ZoneCheck(), QString());  // East: Delhi's own time
        QTest::mouseClick(w_->optLong[1], Qt::LeftButton);
        QVERIFY2(ZoneCheck().contains(QStringLiteral("Indian Time, IST, +5.3")),
                 qPrintable(ZoneCheck()));
        QVERIFY2(ZoneCheck().contains(QStringLiteral("really West?")), qPrintable(ZoneCheck()));

        // The note never stops the calculation.
        QTest::keyClicks(w_->txtName, QStringLiteral("ravi"));
        QTest::keyClicks(w_->txtLatD, QStringLiteral("28"));
        QTest::keyClicks(w_->txtLatM, QStringLiteral("36"));
        w_->cmdRashi->click();
        QVERIFY(sink_.messages.empty());
        QVERIFY(w_->ResultFrame() != nullptr);
        QCOMPARE(w_->ResultFrame()->Display()->lblLongitude->text(), QStringLiteral("77° 12' W"));
    }

    void madridWithCentralEuropeanTimeHasNoZoneCheckNote() {
        SetBirthMoment(*w_, 1990, 1, 15, 12, 0);
        QTest::keyClicks(w_->txtFindPlace, QStringLiteral("Madrid"));
        QCOMPARE(Offered(w_->placeCompleter->popup()).value(0),
                 QStringLiteral("Madrid, Madrid, Spain"));
        w_->txtFindPlace->clear();
        QVERIFY(Choose(QStringLiteral("Madrid"), QStringLiteral("Madrid, Madrid, Spain")));
        QCOMPARE(w_->cmbTimeZone->currentText(), QStringLiteral("Central European Time,CET,+1.0"));
        QVERIFY(!w_->chkDST->isChecked());
        QVERIFY(w_->optLong[1]->isChecked());  // 3° 42' West
        QCOMPARE(ZoneCheck(), QString());
        QVERIFY(!ZoneNote().isEmpty());
    }
};

QTEST_MAIN(EntryAtlasTest)
#include "entry_atlas_test.moc"
