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
#include <optional>

#include "controls.h"
#include "pipeline/zones.h"
#include "recording_sink.h"
#include "ui/elided_label.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi.h"
#include "ui/viewmodels/result_view_model.h"

using korvanta::frmMain;
using korvanta::testing::DialogControls;
using korvanta::testing::EntryControls;
using korvanta::testing::FrameControls;
using korvanta::testing::Named;
using korvanta::testing::RecordingSink;

namespace {

QStringList Offered(const QAbstractItemView* list) {
    QStringList labels;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        // The place's label, without the population that follows it.
        labels << list->model()->index(row, 0).data().toString().section(QStringLiteral(" — "), 0,
                                                                         0);
    }
    return labels;
}

void SetBirthMoment(frmMain& w, int year, int month, int day, int hour, int minute) {
    EntryControls(w).cboYear->setCurrentIndex(year - 1901);
    EntryControls(w).cboMonth->setCurrentIndex(month - 1);
    EntryControls(w).cboDate->setCurrentIndex(day - 1);
    EntryControls(w).cboHH->setCurrentIndex(hour);
    EntryControls(w).cboMM->setCurrentIndex(minute);
}

}  // namespace

class EntryAtlasTest : public QObject {
    Q_OBJECT
  private:
    RecordingSink sink_;
    std::unique_ptr<frmMain> w_;
    std::optional<EntryControls> c_;

    // Types into "Find Place" and chooses `label` from the list it opens.
    bool Choose(const QString& typed, const QString& label) {
        QTest::keyClicks(c_->txtFindPlace, typed);
        QAbstractItemView* list = c_->placeCompleter->popup();
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
        return c_->lblZoneNote->isVisible() ? c_->lblZoneNote->text() : QString();
    }
    QString ZoneCheck() const {
        return c_->lblZoneCheck->isVisible() ? c_->lblZoneCheck->text() : QString();
    }

  private slots:
    void init() {
        sink_.messages.clear();
        w_ = std::make_unique<frmMain>(sink_);
        c_.emplace(*w_);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() { w_.reset(); }

    void findPlaceSitsBesideThePlaceDetails() {
        QCOMPARE(c_->txtFindPlace->parentWidget(), Named<QWidget>(*w_, "fraPlace"));
        QVERIFY(c_->cmdBrowser->isVisible());
        QCOMPARE(ZoneNote(), QString());
        QCOMPARE(ZoneCheck(), QString());
    }

    void notesKeepTheirRoomAndShowLongTextsAsTooltips() {
        // Nothing moves when a note comes: the room for two lines is kept.
        const QRect zoneList = c_->cmbTimeZone->geometry();
        const QPoint lonBox = c_->txtLonD->mapTo(w_.get(), QPoint());
        const int noteHeight = c_->lblZoneNote->height();
        QVERIFY(noteHeight >= 2 * c_->lblZoneNote->fontMetrics().lineSpacing());
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("Kathmandu"),
                       QStringLiteral("Kathmandu, Bagmati Province, Nepal")));
        QCoreApplication::processEvents();
        QCOMPARE(c_->cmbTimeZone->geometry(), zoneList);
        QCOMPARE(c_->txtLonD->mapTo(w_.get(), QPoint()), lonBox);
        QCOMPARE(c_->lblZoneNote->height(), noteHeight);
        // A note longer than its two lines ends in "…", the whole as tooltip.
        c_->lblZoneNote->setText(
            QString(40, QLatin1Char(' ')).replace(QLatin1Char(' '), QStringLiteral("word ")));
        c_->lblZoneNote->grab();
        QCOMPARE(c_->lblZoneNote->toolTip(), c_->lblZoneNote->text());
        c_->lblZoneNote->setText(QStringLiteral("short"));
        c_->lblZoneNote->grab();
        QCOMPARE(c_->lblZoneNote->toolTip(), QString());
        // A note of a line and a half shows whole, on two lines.
        auto* note = qobject_cast<korvanta::ElidedLabel*>(c_->lblZoneNote);
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
        QTest::keyClicks(c_->txtFindPlace, QStringLiteral("Pun"));
        QAbstractItemView* list = c_->placeCompleter->popup();
        QVERIFY(list->isVisible());
        QCOMPARE(Offered(list).value(0), QStringLiteral("Pune, Maharashtra, India"));
        QTest::keyClick(c_->txtFindPlace, Qt::Key_Backspace);
        QTest::keyClicks(c_->txtFindPlace, QStringLiteral("n"));
        QVERIFY(Choose(QStringLiteral("e"), QStringLiteral("Pune, Maharashtra, India")));

        QCOMPARE(c_->txtFindPlace->text(), QStringLiteral("Pune, Maharashtra, India"));
        QCOMPARE(c_->txtMCity->text(), QStringLiteral("Pune"));
        QCOMPARE(c_->txtMState->text(), QStringLiteral("Maharashtra"));
        QCOMPARE(c_->txtMCountry->text(), QStringLiteral("India"));
        // 18.5196 N, 73.8554 E in the atlas.
        QCOMPARE(c_->txtLonD->text(), QStringLiteral("73"));
        QCOMPARE(c_->txtLonM->text(), QStringLiteral("51"));
        QVERIFY(c_->optLong[0]->isChecked());
        QCOMPARE(c_->txtLatD->text(), QStringLiteral("18"));
        QCOMPARE(c_->txtLatM->text(), QStringLiteral("31"));
        QVERIFY(c_->optLat[0]->isChecked());
        QCOMPARE(c_->cmbTimeZone->currentText(), QStringLiteral("Indian Time, IST, +5.3"));
        QVERIFY(!c_->chkDST->isChecked());
        QCOMPARE(ZoneNote(),
                 QStringLiteral("Asia/Kolkata: UTC+5:30, no daylight saving on this date"));
        QCOMPARE(ZoneCheck(), QString());

        // The calculation reads the filled controls.
        QTest::keyClicks(c_->txtName, QStringLiteral("asha"));
        c_->cmdRashi->click();
        QVERIFY(sink_.messages.empty());
        QVERIFY(w_->ResultFrame() != nullptr);
        QCOMPARE(korvanta::testing::ResultLabel(*w_->ResultFrame()->Display(), "lblCity")->text(),
                 QStringLiteral("Pune"));
        QCOMPARE(
            korvanta::testing::ResultLabel(*w_->ResultFrame()->Display(), "lblLongitude")->text(),
            QStringLiteral("73° 51' E"));
    }

    void southAndWestSetTheHemisphereOptions() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(
            Choose(QStringLiteral("Sao Paulo"), QStringLiteral("São Paulo, São Paulo, Brazil")));
        QVERIFY(c_->optLong[1]->isChecked());
        QVERIFY(c_->optLat[1]->isChecked());
        QCOMPARE(c_->txtMCity->text(), QStringLiteral("São Paulo"));
    }

    void theZoneFollowsTheBirthMomentUntilThePlaceIsTypedByHand() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("New York"),
                       QStringLiteral("New York, New York, United States of America")));
        // Summer: UTC-4 as Eastern Standard Time with the box ticked.
        QCOMPARE(c_->cmbTimeZone->currentText(), QStringLiteral("Eastern Standard Time,EST,-5.0"));
        QVERIFY(c_->chkDST->isChecked());
        QVERIFY2(ZoneNote().contains(QStringLiteral("daylight saving in force")),
                 qPrintable(ZoneNote()));
        QVERIFY(c_->optLong[1]->isChecked());

        c_->cboMonth->setCurrentIndex(0);  // January
        QCOMPARE(c_->cmbTimeZone->currentText(), QStringLiteral("Eastern Standard Time,EST,-5.0"));
        QVERIFY(!c_->chkDST->isChecked());
        QVERIFY2(ZoneNote().contains(QStringLiteral("no daylight saving")), qPrintable(ZoneNote()));

        // 2:30 on 1 April 1990 did not exist there: the note says so.
        SetBirthMoment(*w_, 1990, 4, 1, 2, 30);
        QVERIFY2(ZoneNote().contains(QStringLiteral("did not exist")), qPrintable(ZoneNote()));

        // A place typed by hand is no longer the atlas's: the zone stays put.
        QTest::keyClicks(c_->txtMCity, QStringLiteral(" Mills"));
        QCOMPARE(ZoneNote(), QString());
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(!c_->chkDST->isChecked());
    }

    void theZoneRowsOfDaylightSavingHistory() {
        // Sydney, 15 January 1990: +11 as +10 with the box.
        SetBirthMoment(*w_, 1990, 1, 15, 12, 0);
        QVERIFY(
            Choose(QStringLiteral("Sydney"), QStringLiteral("Sydney, New South Wales, Australia")));
        QCOMPARE(c_->cmbTimeZone->currentText(),
                 QStringLiteral("Australian Eastern Standard Time,AEST,+10.0"));
        QVERIFY(c_->chkDST->isChecked());

        // Kolkata, 1 July 1943: war time +6:30, Indian time with the box.
        c_->txtFindPlace->clear();
        SetBirthMoment(*w_, 1943, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("Kolkata"),
                       QStringLiteral("Kolkata, State of West Bengal, India")));
        QCOMPARE(c_->cmbTimeZone->currentText(), QStringLiteral("Indian Time, IST, +5.3"));
        QVERIFY(c_->chkDST->isChecked());
    }

    void kathmanduAfterNewYorkTakesOtherUtcOffset() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("New York"),
                       QStringLiteral("New York, New York, United States of America")));
        QVERIFY(c_->chkDST->isChecked());
        auto* offset = w_->findChild<QLineEdit*>(QStringLiteral("txtUtcOffset"));
        QVERIFY(offset != nullptr);
        QVERIFY(!offset->isEnabled());
        c_->txtFindPlace->clear();
        QVERIFY(Choose(QStringLiteral("Kathmandu"),
                       QStringLiteral("Kathmandu, Bagmati Province, Nepal")));
        // No named row is UTC+5:45: the list's last row takes the clock, and
        // New York's daylight saving does not stay behind.
        QCOMPARE(c_->cmbTimeZone->currentIndex(), korvanta::kOtherOffsetRow);
        QCOMPARE(c_->cmbTimeZone->currentText(), QStringLiteral("Other UTC offset"));
        QVERIFY(offset->isEnabled());
        QCOMPARE(offset->text(), QStringLiteral("+05:45"));
        QVERIFY(!c_->chkDST->isChecked());
        QVERIFY2(ZoneNote().contains(QStringLiteral("no zone in the list is UTC+5:45")),
                 qPrintable(ZoneNote()));
        QVERIFY2(ZoneNote().contains(QStringLiteral("Other UTC offset")), qPrintable(ZoneNote()));

        QTest::keyClicks(c_->txtName, QStringLiteral("sita"));
        c_->cmdRashi->click();
        QVERIFY2(sink_.messages.empty(),
                 qPrintable(sink_.messages.empty() ? QString() : sink_.messages[0].text));
        QVERIFY(w_->ResultFrame() != nullptr);
        const korvanta::Birth birth = w_->ResultFrame()->Result().Entered();
        QCOMPARE(birth.zoneIndex, korvanta::kOtherOffsetRow);
        QCOMPARE(birth.zoneHours, -5);
        QCOMPARE(birth.zoneMinutes, -45);
    }

    void formerNamesAreFoundAndANameWithoutPlacesSaysSo() {
        QTest::keyClicks(c_->txtFindPlace, QStringLiteral("Bombay"));
        QAbstractItemView* list = c_->placeCompleter->popup();
        QVERIFY(list->isVisible());
        QCOMPARE(Offered(list).value(0), QStringLiteral("Mumbai, Maharashtra, India"));
        c_->txtFindPlace->clear();
        QTest::keyClicks(c_->txtFindPlace, QStringLiteral("Qqxzv"));
        QVERIFY(list->isVisible());
        QCOMPARE(Offered(list), QStringList{QStringLiteral("No place found")});
        // The line is no place: Enter on it chooses nothing.
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(c_->txtMCity->text(), QString());
    }

    void enterChoosesAPlaceTypedInFull() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QTest::keyClicks(c_->txtFindPlace, QStringLiteral("Jalandhar, Punjab"));
        QTest::keyClick(c_->placeCompleter->popup(), Qt::Key_Return);
        QCOMPARE(c_->txtMCity->text(), QStringLiteral("Jalandhar"));
        QCOMPARE(c_->cmbTimeZone->currentText(), QStringLiteral("Indian Time, IST, +5.3"));
    }

    void handChangesWinOverTheAtlas() {
        SetBirthMoment(*w_, 1990, 7, 1, 12, 0);
        QVERIFY(Choose(QStringLiteral("Madrid"), QStringLiteral("Madrid, Madrid, Spain")));
        QCOMPARE(c_->cmbTimeZone->currentText(), QStringLiteral("Central European Time,CET,+1.0"));
        QVERIFY(c_->chkDST->isChecked());
        c_->cmbTimeZone->setCurrentIndex(29);
        c_->chkDST->setChecked(false);
        c_->txtLonM->setText(QStringLiteral("40"));
        const korvanta::EntryForm entry = w_->Entry().Form();
        QCOMPARE(entry.cmbTimeZone, 29);
        QVERIFY(!entry.chkDST);
        QCOMPARE(entry.txtLonM, std::string("40"));
    }

    void zoneCheckNotesIndianTimeWithAWesternLongitude() {
        c_->cmbTimeZone->setCurrentIndex(c_->cmbTimeZone->findText("Indian Time, IST, +5.3"));
        QTest::keyClicks(c_->txtLonD, QStringLiteral("77"));
        QTest::keyClicks(c_->txtLonM, QStringLiteral("12"));
        QCOMPARE(ZoneCheck(), QString());  // East: Delhi's own time
        QTest::mouseClick(c_->optLong[1], Qt::LeftButton);
        QVERIFY2(ZoneCheck().contains(QStringLiteral("Indian Time, IST, +5.3")),
                 qPrintable(ZoneCheck()));
        QVERIFY2(ZoneCheck().contains(QStringLiteral("really West?")), qPrintable(ZoneCheck()));

        // The note never stops the calculation.
        QTest::keyClicks(c_->txtName, QStringLiteral("ravi"));
        QTest::keyClicks(c_->txtLatD, QStringLiteral("28"));
        QTest::keyClicks(c_->txtLatM, QStringLiteral("36"));
        c_->cmdRashi->click();
        QVERIFY(sink_.messages.empty());
        QVERIFY(w_->ResultFrame() != nullptr);
        QCOMPARE(
            korvanta::testing::ResultLabel(*w_->ResultFrame()->Display(), "lblLongitude")->text(),
            QStringLiteral("77° 12' W"));
    }

    void madridWithCentralEuropeanTimeHasNoZoneCheckNote() {
        SetBirthMoment(*w_, 1990, 1, 15, 12, 0);
        QTest::keyClicks(c_->txtFindPlace, QStringLiteral("Madrid"));
        QCOMPARE(Offered(c_->placeCompleter->popup()).value(0),
                 QStringLiteral("Madrid, Madrid, Spain"));
        c_->txtFindPlace->clear();
        QVERIFY(Choose(QStringLiteral("Madrid"), QStringLiteral("Madrid, Madrid, Spain")));
        QCOMPARE(c_->cmbTimeZone->currentText(), QStringLiteral("Central European Time,CET,+1.0"));
        QVERIFY(!c_->chkDST->isChecked());
        QVERIFY(c_->optLong[1]->isChecked());  // 3° 42' West
        QCOMPARE(ZoneCheck(), QString());
        QVERIFY(!ZoneNote().isEmpty());
    }
};

QTEST_MAIN(EntryAtlasTest)
#include "entry_atlas_test.moc"
