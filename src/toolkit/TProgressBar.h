#pragma once
// A horizontal, smoothly filling progress bar with Min, Max and Position.
#include "toolkit/TControl.h"

#include <QProgressBar>

class TProgressBar : public QProgressBar, public TControl {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
public:
    explicit TProgressBar(QWidget* parent);

    int Min() const { return minimum(); }
    void SetMin(int v) { setMinimum(v); }
    int Max() const { return maximum(); }
    void SetMax(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    // Moves the position on by one and paints the bar at once.
    void StepAndRepaint();

private:
    int position_ = 0;
};
