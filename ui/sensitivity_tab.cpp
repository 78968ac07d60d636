// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sensitivity_tab.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ui/twips.h"

namespace korvanta {
namespace {

constexpr double kTextPoints = 8.0;
constexpr double kSmallPoints = 7.0;

// The timeline's sizes in pixels: the label line, the room between rows and
// the axis stay fixed; the bars share what is left.
constexpr double kLabelPixels = 15;
constexpr double kGapPixels = 4;
constexpr double kAxisPixels = 22;
constexpr double kMinimumBarPixels = 20;
constexpr double kSidePixels = 6;

}  // namespace

SensitivityTimeline::SensitivityTimeline(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picSensitivityTimeline"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::PointingHandCursor);
}

void SensitivityTimeline::SetView(const SensitivityView& view) {
    view_ = view;
    hoverRow_ = hoverSegment_ = -1;
    update();
}

void SensitivityTimeline::SetShownMoment(std::optional<std::int64_t> clock) {
    shown_ = clock;
    update();
}

QSize SensitivityTimeline::minimumSizeHint() const {
    const double rows = static_cast<double>(kSensitivityRows);
    return QSize(300, static_cast<int>(rows * (kLabelPixels + kMinimumBarPixels + kGapPixels) +
                                       kAxisPixels));
}

TimelinePlaces SensitivityTimeline::Places() const {
    TimelineMetrics metrics;
    metrics.labelHeight = kLabelPixels;
    metrics.rowGap = kGapPixels;
    metrics.axisHeight = kAxisPixels;
    const double rows = static_cast<double>(kSensitivityRows);
    metrics.barHeight =
        std::max(kMinimumBarPixels, (height() - kAxisPixels) / rows - kLabelPixels - kGapPixels);
    const QRectF area(kSidePixels, 0, width() - 2 * kSidePixels, TimelineHeight(metrics));
    return PlaceTimeline(view_, area, metrics);
}

QRectF SensitivityTimeline::SegmentRect(int row, int segment) const {
    const TimelinePlaces places = Places();
    if (row < 0 || row >= static_cast<int>(places.rows.size())) return {};
    const auto& segments = places.rows[static_cast<std::size_t>(row)].segments;
    if (segment < 0 || segment >= static_cast<int>(segments.size())) return {};
    return segments[static_cast<std::size_t>(segment)];
}

std::int64_t SensitivityTimeline::MomentAt(double x) const {
    const TimelinePlaces places = Places();
    if (places.rows.empty()) return view_.birth;
    const QRectF& bar = places.rows.front().bar;
    const double fraction = std::clamp((x - bar.left()) / std::max(bar.width(), 1.0), 0.0, 1.0);
    return view_.start + std::llround(fraction * static_cast<double>(view_.end - view_.start));
}

QString SensitivityTimeline::SegmentTip(int row, int segment) const {
    if (row < 0 || row >= static_cast<int>(view_.rows.size())) return {};
    const SensitivityRowView& rowView = view_.rows[static_cast<std::size_t>(row)];
    if (segment < 0 || segment >= static_cast<int>(rowView.segments.size())) return {};
    const SensitivitySegmentView& s = rowView.segments[static_cast<std::size_t>(segment)];
    return DisplayText(rowView.label) + QStringLiteral(": ") + DisplayText(s.value) +
           QStringLiteral("\n") + DisplayText(s.fromText) + QStringLiteral(" to ") +
           DisplayText(s.toText);
}

std::pair<int, int> SensitivityTimeline::SegmentAt(const QPointF& point) const {
    const TimelinePlaces places = Places();
    for (std::size_t r = 0; r < places.rows.size(); ++r) {
        const auto& segments = places.rows[r].segments;
        for (std::size_t k = 0; k < segments.size(); ++k) {
            // Include the right edge so that the last segment reaches the end.
            const QRectF& box = segments[k];
            if (point.x() >= box.left() && point.x() <= box.right() && point.y() >= box.top() &&
                point.y() <= box.bottom()) {
                return {static_cast<int>(r), static_cast<int>(k)};
            }
        }
    }
    return {-1, -1};
}

void SensitivityTimeline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.fillRect(rect(), palette().base());
    if (view_.rows.front().segments.empty()) return;
    const TimelinePlaces places = Places();
    const TimelineFonts fonts{VerdanaFont(kTextPoints, true), VerdanaFont(kSmallPoints)};
    // Titles and times in the palette's colours, which read on a dark theme.
    TimelineColours colours;
    colours.title = palette().color(QPalette::Link);
    colours.axis = palette().color(QPalette::Mid);
    colours.times = palette().color(QPalette::PlaceholderText);
    PaintTimeline(painter, view_, places, fonts, false, hoverRow_, hoverSegment_, colours);
    if (hasFocus() && hoverRow_ >= 0) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = SegmentRect(hoverRow_, hoverSegment_).toAlignedRect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    if (shown_ && *shown_ != view_.birth && !places.rows.empty()) {
        const double x = TimelineX(view_, places.rows.front().bar, *shown_);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.5, Qt::DashLine));
        painter.drawLine(QPointF(x, places.rows.front().bar.top()), QPointF(x, places.axis.top()));
    }
}

void SensitivityTimeline::mouseMoveEvent(QMouseEvent* event) {
    const auto [row, segment] = SegmentAt(event->position());
    if (row != hoverRow_ || segment != hoverSegment_) {
        hoverRow_ = row;
        hoverSegment_ = segment;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void SensitivityTimeline::Highlight(int row, int segment) {
    hoverRow_ = row;
    hoverSegment_ = segment;
    update();
    const QRect box = SegmentRect(row, segment).toAlignedRect();
    QToolTip::showText(mapToGlobal(box.bottomLeft()), SegmentTip(row, segment), this, box);
}

void SensitivityTimeline::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (hoverRow_ < 0 && !view_.rows.front().segments.empty()) Highlight(0, 0);
}

void SensitivityTimeline::keyPressEvent(QKeyEvent* event) {
    const int rows = static_cast<int>(view_.rows.size());
    if (hoverRow_ < 0 || hoverRow_ >= rows || view_.rows.front().segments.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto& segments = view_.rows[static_cast<std::size_t>(hoverRow_)].segments;
    const int count = static_cast<int>(segments.size());
    // The segment of another row that holds the same moment.
    const auto sameMoment = [this](int row, std::int64_t clock) {
        const auto& other = view_.rows[static_cast<std::size_t>(row)].segments;
        for (std::size_t k = 0; k < other.size(); ++k) {
            if (clock >= other[k].from && clock <= other[k].to) return static_cast<int>(k);
        }
        return 0;
    };
    const auto& current =
        segments[static_cast<std::size_t>(std::clamp(hoverSegment_, 0, count - 1))];
    const std::int64_t middle = current.from + (current.to - current.from) / 2;
    switch (event->key()) {
        case Qt::Key_Left:
            Highlight(hoverRow_, std::max(0, hoverSegment_ - 1));
            break;
        case Qt::Key_Right:
            Highlight(hoverRow_, std::min(count - 1, hoverSegment_ + 1));
            break;
        case Qt::Key_Up:
            if (hoverRow_ > 0) Highlight(hoverRow_ - 1, sameMoment(hoverRow_ - 1, middle));
            break;
        case Qt::Key_Down:
            if (hoverRow_ + 1 < rows) Highlight(hoverRow_ + 1, sameMoment(hoverRow_ + 1, middle));
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit momentChosen(middle);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void SensitivityTimeline::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && SegmentAt(event->position()).first >= 0) {
        emit momentChosen(MomentAt(event->position().x()));
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void SensitivityTimeline::leaveEvent(QEvent* event) {
    // The keyboard's segment stays marked while the timeline has the focus.
    if (!hasFocus()) hoverRow_ = hoverSegment_ = -1;
    update();
    QWidget::leaveEvent(event);
}

bool SensitivityTimeline::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto [row, segment] = SegmentAt(help->pos());
        if (row >= 0) {
            QToolTip::showText(help->globalPos(), SegmentTip(row, segment), this,
                               SegmentRect(row, segment).toAlignedRect());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

SensitivityTab::SensitivityTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabSensitivityPage"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);

    answer_ = new QLabel(this);
    answer_->setObjectName(QStringLiteral("lblSensitivityAnswer"));
    answer_->setFont(VerdanaFont(kTextPoints, true));
    answer_->setWordWrap(true);
    column->addWidget(answer_);

    auto* controls = new QHBoxLayout;
    auto* spanCaption = new QLabel(DisplayText(kSensitivitySpanCaption), this);
    spanCaption->setObjectName(QStringLiteral("lblSensitivitySpan"));
    controls->addWidget(spanCaption);
    spanChooser_ = new QComboBox(this);
    spanChooser_->setObjectName(QStringLiteral("cboSensitivitySpan"));
    for (const int minutes : kSensitivitySpans) {
        spanChooser_->addItem(QString::fromStdString(SensitivitySpanText(minutes)), minutes);
    }
    spanCaption->setBuddy(spanChooser_);
    controls->addWidget(spanChooser_);
    spanNote_ = new QLabel(this);
    spanNote_->setObjectName(QStringLiteral("lblSensitivityNote"));
    spanNote_->setWordWrap(true);
    controls->addWidget(spanNote_, 1);
    column->addLayout(controls);

    auto* shown = new QHBoxLayout;
    shownMoment_ = new QLabel(this);
    shownMoment_->setObjectName(QStringLiteral("lblShownMoment"));
    shownMoment_->setWordWrap(true);
    // In the palette's selection colours, as the note above the tabs.
    shownMoment_->setAutoFillBackground(true);
    shownMoment_->setBackgroundRole(QPalette::Highlight);
    shownMoment_->setForegroundRole(QPalette::HighlightedText);
    shownMoment_->setMargin(2);
    shown->addWidget(shownMoment_, 1);
    backButton_ = new QPushButton(DisplayText(kSensitivityBackCaption), this);
    backButton_->setObjectName(QStringLiteral("cmdEnteredTime"));
    shown->addWidget(backButton_);
    // The line keeps its room while it is hidden, so that the timeline
    // under it stays where it is when a moment is picked.
    for (QWidget* part :
         {static_cast<QWidget*>(shownMoment_), static_cast<QWidget*>(backButton_)}) {
        QSizePolicy keep = part->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        part->setSizePolicy(keep);
    }
    shownMoment_->setMinimumHeight(2 * shownMoment_->fontMetrics().lineSpacing() + 4);
    column->addLayout(shown);

    timeline_ = new SensitivityTimeline(this);
    column->addWidget(timeline_, 1);
    SetShownMoment(std::nullopt);

    connect(spanChooser_, &QComboBox::activated, this,
            [this](int index) { emit spanChosen(spanChooser_->itemData(index).toInt()); });
    connect(timeline_, &SensitivityTimeline::momentChosen, this, &SensitivityTab::momentChosen);
    connect(backButton_, &QPushButton::clicked, this, &SensitivityTab::enteredTimeRequested);
}

void SensitivityTab::SetStrip(const SensitivityStrip& strip) {
    const SensitivityView view = BuildSensitivityView(strip);
    answer_->setText(DisplayText(view.answer));
    spanNote_->setText(
        DisplayText(view.cutNote.empty() ? view.spanNote : view.spanNote + " " + view.cutNote));
    timeline_->SetView(view);
    SetSpan(strip.spanMinutes);
}

void SensitivityTab::SetSpan(int minutes) {
    const int index = spanChooser_->findData(minutes);
    if (index >= 0) spanChooser_->setCurrentIndex(index);
}

int SensitivityTab::Span() const {
    return spanChooser_->currentData().toInt();
}

void SensitivityTab::SetShownMoment(std::optional<std::int64_t> clock) {
    const bool other = clock && *clock != timeline_->View().birth;
    shownMoment_->setText(other ? DisplayText(ShownMomentText(timeline_->View(), *clock))
                                : QString());
    shownMoment_->setVisible(other);
    backButton_->setVisible(other);
    timeline_->SetShownMoment(clock);
}

}  // namespace korvanta
