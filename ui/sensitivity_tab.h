// SPDX-License-Identifier: GPL-3.0-or-later
// The result window's fourth tab, "Birth Time Sensitivity": the answer
// sentence, the span chooser, one timeline row per quantity with the birth
// moment marked, and the way back to the entered time after a click on the
// timeline has shown another moment's result.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

#include "report/sensitivity_painter.h"
#include "report/sensitivity_view.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace korvanta {

// The painted timeline: hovering a segment highlights it and shows its
// times; a click picks the moment under the pointer. From the keyboard, the
// arrows move between segments (left and right) and rows (up and down), and
// Enter or Space picks the middle of the segment.
class SensitivityTimeline : public QWidget {
    Q_OBJECT
  public:
    explicit SensitivityTimeline(QWidget* parent = nullptr);

    void SetView(const SensitivityView& view);
    const SensitivityView& View() const { return view_; }
    // The moment whose result is shown, marked when it is not the birth.
    void SetShownMoment(std::optional<std::int64_t> clock);

    // Where a segment lies in the widget, for a pointer (and for tests).
    QRectF SegmentRect(int row, int segment) const;
    // The clock moment under an x position, whole seconds, within the span.
    std::int64_t MomentAt(double x) const;
    // The tooltip text of a segment: its row, value and times.
    QString SegmentTip(int row, int segment) const;

    QSize minimumSizeHint() const override;

  signals:
    void momentChosen(std::int64_t clock);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    TimelinePlaces Places() const;
    // The row and segment under a point; (-1, -1) for none.
    std::pair<int, int> SegmentAt(const QPointF& point) const;
    // Highlights a segment, as a hover does, and shows its tooltip.
    void Highlight(int row, int segment);

    SensitivityView view_;
    std::optional<std::int64_t> shown_;
    int hoverRow_ = -1, hoverSegment_ = -1;
};

class SensitivityTab : public QWidget {
    Q_OBJECT
  public:
    explicit SensitivityTab(QWidget* parent = nullptr);

    // Shows the strip of the entered birth; the result shown is the birth's.
    void SetStrip(const SensitivityStrip& strip);
    // The span the chooser shows, minutes (one of kSensitivitySpans).
    void SetSpan(int minutes);
    int Span() const;
    // Says which moment's result the window shows: nothing for the entered
    // birth, which hides the way back.
    void SetShownMoment(std::optional<std::int64_t> clock);

  signals:
    // The user chose another span in the chooser.
    void spanChosen(int minutes);
    // A click on the timeline: show the result for this moment.
    void momentChosen(std::int64_t clock);
    // "Back to the entered time".
    void enteredTimeRequested();

  private:
    // Object names: "lblSensitivityAnswer", "lblSensitivityNote",
    // "cboSensitivitySpan", "lblShownMoment", "cmdEnteredTime",
    // "picSensitivityTimeline".
    QLabel* answer_ = nullptr;
    QLabel* spanNote_ = nullptr;
    QComboBox* spanChooser_ = nullptr;
    QLabel* shownMoment_ = nullptr;
    QPushButton* backButton_ = nullptr;
    SensitivityTimeline* timeline_ = nullptr;
};

}  // namespace korvanta
