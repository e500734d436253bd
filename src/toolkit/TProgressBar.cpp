// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TProgressBar.h"

#include <QPainter>
#include <algorithm>
#include <chrono>
#include <climits>

namespace {

// The border and a white line inside it.
constexpr int kInset = 2;
// About 30 paints a second: as often as the eye follows a bar.
constexpr std::uint32_t kPaintInterval = 33;
// Where a paint is slow (a loaded machine, a display across a network) the
// paints are spaced further, so that they take at most about a thirtieth
// of the run.
constexpr std::uint32_t kPaintShare = 30;

TProgressBar::Clock& ClockSource()
{
    static TProgressBar::Clock clock;
    return clock;
}

std::uint32_t Now()
{
    if (const TProgressBar::Clock& clock = ClockSource())
        return clock();
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

TProgressBar::TProgressBar(QWidget* parent) : QProgressBar(parent), TControl(this)
{
    setOrientation(Qt::Horizontal);
    setTextVisible(false);
    setFocusPolicy(Qt::NoFocus);
    ShowRange();
}

void TProgressBar::SetClock(Clock clock)
{
    ClockSource() = std::move(clock);
}

void TProgressBar::SetMin(int v)
{
    min_ = v;
    max_ = std::max(max_, v);
    ShowRange();
}

// A new range starts a run: its first paint comes an interval later, so
// that a short run paints only its last step.
void TProgressBar::SetMax(int v)
{
    max_ = v;
    min_ = std::min(min_, v);
    ShowRange();
    paintedAt_ = startedAt_ = Now();
}

// The position is kept apart from QProgressBar's value, which Qt clamps and
// resets; the bar shows it clamped to the range.
void TProgressBar::SetPosition(int v)
{
    position_ = v;
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    ShowPosition();
    setUpdatesEnabled(updates);
}

// Qt draws a range of 0..0 as a busy indicator; an empty range here is an
// empty bar at rest. Outside the steps the bar is painted with the next pass
// of the event loop, as any widget is, not at once as QProgressBar does.
void TProgressBar::ShowRange()
{
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    if (max_ > min_)
        setRange(min_, max_);
    else
        setRange(0, 1);
    ShowPosition();
    setUpdatesEnabled(updates);
}

void TProgressBar::ShowPosition()
{
    setValue(max_ > min_ ? std::clamp(position_, min_, max_) : 0);
}

int TProgressBar::FilledWidth(int position) const
{
    if (max_ <= min_)
        return 0;
    const long long done = std::clamp(position, min_, max_) - (long long)min_;
    const int barWidth = std::max(1, width() - 2 * kInset);  // the part that fills
    return int(done * barWidth / ((long long)max_ - min_));
}

void TProgressBar::StepAndRepaint()
{
    if (position_ < INT_MAX)
        ++position_;
    const int width = FilledWidth(position_);
    if (width == paintedWidth_)
        return;
    if (position_ < max_) {
        const std::uint32_t now = Now();
        const std::uint32_t interval = std::max(kPaintInterval, kPaintShare * paintCost_);
        if (now - paintedAt_ < interval)
            return;
        // Nor when the run, going on as it went so far, ends within an
        // interval: its last step paints then.
        const long long done = (long long)position_ - min_;
        const long long left = (long long)max_ - position_;
        if (done > 0 && (long long)(now - startedAt_) * left < (long long)interval * done)
            return;
    }
    // QProgressBar paints by itself when it finds the change big enough;
    // otherwise the paint is asked for here.
    const std::uint32_t start = Now();
    const unsigned before = paints_;
    ShowPosition();
    if (paints_ == before)
        repaint();
    paintedAt_ = Now();
    paintCost_ = paintedAt_ - start;
}

// Flat, as the edits: a single line round a white field, the done part
// filled inside it. (The style's bar, with its gradients and stripes, took a
// millisecond a paint, as long as searching a few hundred small files.)
void TProgressBar::paintEvent(QPaintEvent*)
{
    const int width = FilledWidth(max_ > min_ ? value() : min_);
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (width > 0)
        painter.fillRect(QRect(kInset, kInset, width, height() - 2 * kInset), palette().color(QPalette::Highlight));
    ++paints_;
    paintedWidth_ = width;
}


void TProgressBar::resizeEvent(QResizeEvent* event)
{
    QProgressBar::resizeEvent(event);
    paintedWidth_ = -1;  // a new width shows the same position anew
}
