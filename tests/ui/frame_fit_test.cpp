// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame on one fixed screen, given as arguments (width, height,
// scale factor): it opens within the screen's available area, can be made
// smaller without cutting anything off, its reading boxes show their whole
// text, the chart stays inside its panel, the result window cannot be closed
// alone, and texts too long for their place end in "…" with a tooltip.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>
#include <set>

#include "controls.h"
#include "fixed_screen.h"
#include "recording_sink.h"
#include "ui/elided_label.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi.h"

using korvanta::frmMain;
using korvanta::MDI;
using korvanta::testing::DialogControls;
using korvanta::testing::EntryControls;
using korvanta::testing::FrameControls;
using korvanta::testing::Named;
using korvanta::testing::RecordingSink;

namespace {

// A birth whose name and country are longer than their lines in the details.
void EnterBirth(frmMain& w, const QString& name, const QString& country) {
    QTest::keyClicks(EntryControls(w).txtName, name);
    EntryControls(w).cboMonth->setCurrentIndex(5);
    EntryControls(w).cboDate->setCurrentIndex(4);
    EntryControls(w).cboYear->setCurrentIndex(79);
    EntryControls(w).cboHH->setCurrentIndex(9);
    EntryControls(w).txtMCity->setText(QStringLiteral("Pune"));
    EntryControls(w).txtMState->setText(QStringLiteral("Maharashtra"));
    EntryControls(w).txtMCountry->setText(country);
    EntryControls(w).cmbTimeZone->setCurrentIndex(34);
    QTest::keyClicks(EntryControls(w).txtLonD, QStringLiteral("73"));
    QTest::keyClicks(EntryControls(w).txtLonM, QStringLiteral("51"));
    QTest::keyClicks(EntryControls(w).txtLatD, QStringLiteral("18"));
    QTest::keyClicks(EntryControls(w).txtLatM, QStringLiteral("31"));
}

QString Describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace

class FrameFitTest : public QObject {
    Q_OBJECT
  private:
    RecordingSink sink_;
    std::unique_ptr<frmMain> w_;
    std::optional<EntryControls> c_;

    MDI* Calculate(const QString& name = QStringLiteral("asha rao"),
                   const QString& country = QStringLiteral("India")) {
        EnterBirth(*w_, name, country);
        c_->cmdRashi->click();
        MDI* frame = w_->ResultFrame();
        if (frame != nullptr) {
            if (!QTest::qWaitForWindowExposed(frame)) qWarning("frame not exposed");
            QCoreApplication::processEvents();
        }
        return frame;
    }

  private slots:
    void init() {
        sink_.messages.clear();
        w_ = std::make_unique<frmMain>(sink_);
        c_.emplace(*w_);
        w_->show();
    }
    void cleanup() {
        w_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void theFrameOpensWithinTheAvailableArea() {
        MDI* frame = Calculate();
        QVERIFY(frame != nullptr);
        const QRect available = frame->screen()->availableGeometry();
        QVERIFY2(available.contains(frame->frameGeometry()),
                 qPrintable(Describe(frame->frameGeometry()) + " outside " + Describe(available)));
        // The frame can be made smaller than the design: its least size is
        // far below it.
        const QSize least = korvanta::frmDisplay::DesignSize() / 2;
        QVERIFY(frame->minimumSizeHint().width() < least.width());
        QVERIFY(frame->minimumSizeHint().height() < least.height());
        // Where the screen has room, the result window opens at its design.
        const QSize design = korvanta::frmDisplay::DesignSize();
        if (available.width() >= design.width() + 40 &&
            available.height() >= design.height() + 200) {
            QVERIFY(frame->Display()->width() >= design.width());
        }
        // The chart tab shows the positions and Your Details without
        // scrolling sideways on a screen 800 pixels wide or wider (1600 at
        // scale 2); a narrower one scrolls the page.
        if (available.width() < 800) return;
        frame->Display()->ShowTab(korvanta::frmDisplay::kChartTab);
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
        auto* chartTab = Named<QScrollArea>(*frame->Display(), "tabChart");
        QCOMPARE(chartTab->horizontalScrollBar()->maximum(), 0);
        for (const char* box : {"fraWestern", "fraDetails"}) {
            const QWidget* panel = Named<QWidget>(*frame->Display(), box);
            const QRect shown = QRect(panel->mapTo(chartTab->viewport(), QPoint()), panel->size());
            QVERIFY2(chartTab->viewport()->rect().right() >= shown.right(),
                     qPrintable(QString::fromLatin1(box) + " " + Describe(shown) + " beyond " +
                                Describe(chartTab->viewport()->rect())));
        }
    }

    // Births whose readings differ in length open frames of one width.
    void theFrameIsAsWideForEveryBirth() {
        std::set<int> widths;
        for (const int hour : {9, 15, 21, 3}) {
            c_->cboHH->setCurrentIndex(hour);
            MDI* frame = hour == 9 ? Calculate() : nullptr;
            if (frame == nullptr) {
                c_->cmdRashi->click();
                frame = w_->ResultFrame();
                QVERIFY(QTest::qWaitForWindowExposed(frame));
                QCoreApplication::processEvents();
            }
            QTest::qWait(20);  // the frame's own fitting after it is shown
            widths.insert(frame->width());
            FrameControls(*frame).cmdBack->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(widths.size(), std::size_t{1});
    }

    void aSmallFrameScrollsItsPagesAndBigReadingBoxesShowAll() {
        MDI* frame = Calculate();
        korvanta::frmDisplay* display = frame->Display();
        korvanta::testing::EveryTabBuilt(*display);
        QTabWidget* tabs = Named<QTabWidget>(*display, "SSTab1");
        QPlainTextEdit* looks = Named<QPlainTextEdit>(*display, "txtLooks");
        QList<QPlainTextEdit*> boxes;
        for (const char* name : {"txtLooks", "txtNature", "txtCareerAndFinance",
                                 "txtLoveAndDomesticLife", "txtHealth"})
            boxes << Named<QPlainTextEdit>(*display, name);
        for (const QSize size : {QSize(480, 360), frame->size()}) {
            frame->resize(size);
            // Layouts settle over a few rounds of events.
            for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
            // The result window fills the frame below the strip, however small.
            QVERIFY2(display->parentWidget()->size() ==
                         FrameControls(*frame).mdiArea->viewport()->size(),
                     qPrintable(Describe(display->parentWidget()->geometry()) + " in " +
                                Describe(FrameControls(*frame).mdiArea->viewport()->geometry())));
            for (QPlainTextEdit* box : boxes) {
                // Every reading in full: no scroll bar of its own, a text
                // shorter than the box.
                QVERIFY2(!box->verticalScrollBar()->isVisible(),
                         qPrintable(box->objectName() + " " + Describe(box->geometry())));
                QVERIFY2(box->verticalScrollBar()->maximum() == 0, qPrintable(box->objectName()));
            }
            // A page larger than its room scrolls rather than being cut.
            for (int tab = 0; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
                auto* area = qobject_cast<QScrollArea*>(tabs->widget(tab));
                QVERIFY(area != nullptr);
                const QSize needed = area->widget()->minimumSizeHint();
                const QSize room = area->maximumViewportSize();
                if (needed.height() > room.height()) {
                    QVERIFY(area->verticalScrollBar()->maximum() > 0);
                }
                if (needed.width() > room.width()) {
                    QVERIFY(area->horizontalScrollBar()->maximum() > 0);
                }
            }
            tabs->setCurrentIndex(korvanta::frmDisplay::kDetailsTab);
            for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
        }
        // The boxes grow with the frame once the page has all it needs.
        const int before = looks->height();
        frame->resize(frame->width(), 2000);
        for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
        QVERIFY2(looks->height() > before,
                 qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(looks->height())));
    }

    void theChartStaysInsideItsPanel() {
        MDI* frame = Calculate();
        korvanta::frmDisplay* display = frame->Display();
        display->ShowTab(korvanta::frmDisplay::kChartTab);
        for (const QSize size :
             {frame->size(), QSize(frame->width() + 400, frame->height() + 200)}) {
            frame->resize(size);
            QCoreApplication::processEvents();
            const QRect inside = Named<QWidget>(*display, "fraBirthchart")->contentsRect();
            for (QWidget* part :
                 {Named<QWidget>(*display, "Shape2"), Named<QWidget>(*display, "shpHora_84")}) {
                QVERIFY2(inside.contains(part->geometry()),
                         qPrintable(part->objectName() + " " + Describe(part->geometry()) +
                                    " outside " + Describe(inside)));
            }
            QVERIFY(Named<QWidget>(*display, "Frame1")
                        ->contentsRect()
                        .contains(Named<QWidget>(*display, "fraBirthchart")->geometry()));
        }
    }

    void theResultWindowHasNoTitleAndClosingItIsBack() {
        MDI* frame = Calculate();
        QMdiSubWindow* child = FrameControls(*frame).mdiArea->subWindowList().at(0);
        QVERIFY(child->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(FrameControls(*frame).mdiArea->subWindowList().size(), 1);
        QPointer<MDI> shown(frame);
        child->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shown.isNull());
        QVERIFY(w_->isVisible());
    }

    void textsTooLongForTheirLineEndInAnEllipsisWithATooltip() {
        const QString name = QStringLiteral("VENKATA LAKSHMI NARASIMHA SUBRAMANYA SARMA");
        const QString country = QStringLiteral("United States of America and Its Territories");
        MDI* frame = Calculate(name.toLower(), country);
        QVERIFY(frame != nullptr);
        korvanta::frmDisplay* display = frame->Display();
        display->ShowTab(korvanta::frmDisplay::kChartTab);
        QCoreApplication::processEvents();
        QLabel* nameValue = Named<QLabel>(*display, "lblName");
        QLabel* countryValue = Named<QLabel>(*display, "lblCountry");
        for (QLabel* label : {nameValue, countryValue, Named<QLabel>(*display, "lblCity")}) {
            label->grab();  // paints, as the screen would
            const bool cut = label->fontMetrics().horizontalAdvance(label->text()) >
                             label->contentsRect().width();
            QCOMPARE(label->toolTip(), cut ? label->text() : QString());
        }
        QCOMPARE(nameValue->text(), name);  // the label keeps the whole text
        QVERIFY(!nameValue->toolTip().isEmpty());
        QVERIFY(!countryValue->toolTip().isEmpty());

        // At every width about the name's own, what the label shows is what
        // elidedText gives, though the label measured the name only once.
        auto* elided = qobject_cast<korvanta::ElidedLabel*>(nameValue);
        QVERIFY(elided != nullptr);
        const int margins = elided->width() - elided->contentsRect().width();
        const int whole = elided->fontMetrics().horizontalAdvance(name);
        for (int width = whole - 40; width <= whole + 3; ++width) {
            elided->resize(width + margins, elided->height());
            QCOMPARE(elided->ShownText(),
                     elided->fontMetrics().elidedText(name, Qt::ElideRight, width));
            QCOMPARE(elided->IsElided(), elided->ShownText() != name);
        }
    }
};

// Arguments: screen width, height and scale factor (QT_SCALE_FACTOR).
int main(int argc, char** argv) {
    return korvanta::testing::RunOnFixedScreen<FrameFitTest>(argc, argv);
}

#include "frame_fit_test.moc"
