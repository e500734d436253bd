#include "toolkit/TProgressBar.h"

TProgressBar::TProgressBar(QWidget* parent) : QProgressBar(parent), TControl(this)
{
    setOrientation(Qt::Horizontal);
    setTextVisible(false);
    setFocusPolicy(Qt::NoFocus);
    setRange(0, 100);
    setValue(0);
}

void TProgressBar::SetMax(int v)
{
    setMaximum(v);
    setValue(std::clamp(position_, minimum(), maximum()));
}

// The position is kept apart from QProgressBar's value, which Qt clamps and
// resets when the range is 0..0; the bar shows it clamped to the range.
void TProgressBar::SetPosition(int v)
{
    position_ = v;
    setValue(std::clamp(v, minimum(), std::max(minimum(), maximum())));
}

void TProgressBar::StepAndRepaint()
{
    SetPosition(position_ + 1);
    repaint();
}
