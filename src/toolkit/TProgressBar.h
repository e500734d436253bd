// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A horizontal, smoothly filling progress bar with Min, Max and Position.
#include "toolkit/TControl.h"

#include <QProgressBar>
#include <cstdint>
#include <functional>

class TProgressBar : public QProgressBar, public TControl {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
public:
    explicit TProgressBar(QWidget* parent);

    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    // Moves the position on by one and paints the bar at once when that shows
    // something new: when its filled part grows, at most about 30 times a
    // second (less often when a paint is slow, and not just before the end
    // of the run), and always at the last step.
    // A paint costs far more than searching a small file, and one the eye
    // cannot see changes nothing.
    void StepAndRepaint();

    // The millisecond clock that spaces the paints of StepAndRepaint; tests
    // set their own, an empty one brings the monotonic clock back.
    using Clock = std::function<std::uint32_t()>;
    static void SetClock(Clock clock);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowRange();
    void ShowPosition();
    int FilledWidth(int position) const;

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int paintedWidth_ = -1;  // the filled width the last paint showed
    std::uint32_t startedAt_ = 0;  // when the range was set
    std::uint32_t paintedAt_ = 0;  // when the last step's paint ended
    std::uint32_t paintCost_ = 0;  // how long it took
    unsigned paints_ = 0;
};
