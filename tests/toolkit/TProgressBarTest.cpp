// SPDX-License-Identifier: GPL-3.0-or-later
// The progress bar: how often a run of steps paints it, and an empty range
// drawn at rest.
#include "toolkit/TProgressBar.h"

#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Counts the paints a widget gets.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A bar 100 pixels wide, shown, with a clock the test moves on.
struct ShownBar {
    QWidget window;
    TProgressBar* bar = new TProgressBar(&window);
    PaintCounter counter;
    std::uint32_t now = 1000;

    ShownBar()
    {
        TProgressBar::SetClock([this] { return now; });
        bar->setGeometry(0, 0, 100, 17);
        window.resize(100, 17);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        bar->installEventFilter(&counter);
    }
    ~ShownBar() { TProgressBar::SetClock({}); }
};

struct StepsCase {
    const char* name;
    int max;
    int msPer100Steps;
    int fewestPaints;
    int mostPaints;
};

void PrintTo(const StepsCase& c, std::ostream* os) { *os << c.name; }

class Steps : public ::testing::TestWithParam<StepsCase> {};

TEST_P(Steps, PaintOnlyWhatIsNewAndAlwaysTheLast)
{
    const StepsCase& c = GetParam();
    ShownBar shown;
    shown.bar->SetMax(c.max);
    shown.bar->SetPosition(0);
    QCoreApplication::processEvents();
    shown.counter.paints = 0;
    const std::uint32_t start = shown.now;
    for (int i = 1; i <= c.max; ++i) {
        shown.now = start + std::uint32_t(i * c.msPer100Steps / 100);
        shown.bar->StepAndRepaint();
    }
    EXPECT_EQ(shown.bar->Position(), c.max);
    EXPECT_EQ(shown.bar->value(), c.max);  // the full bar is what was painted last
    EXPECT_GE(shown.counter.paints, c.fewestPaints);
    EXPECT_LE(shown.counter.paints, c.mostPaints);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Steps,
    ::testing::Values(
        // Within one instant only the last step paints.
        StepsCase{"ClockStandsStill", 5000, 0, 1, 1},
        // A run of 50 ms: at 33 ms it is due to end within the interval.
        StepsCase{"ShortRunPaintsOnlyItsLastStep", 5000, 1, 1, 1},
        // Time enough between steps: a paint whenever the filled part grows,
        // which it does at most once per pixel column.
        StepsCase{"SlowStepsPaintPerPixel", 5000, 5000, 60, 100},
        StepsCase{"FewerStepsThanPixels", 10, 5000, 10, 10},
        // Quick steps, 1.25 s in all: a paint at most every 33 ms and the
        // last, though the filled part grows every 12.5 ms.
        StepsCase{"QuickStepsPaintAtMost30ASecond", 5000, 25, 20, 1250 / 33 + 2}));

TEST(TProgressBar, EmptyRangeIsDrawnAtRest)
{
    QWidget window;
    auto* empty = new TProgressBar(&window);
    auto* resting = new TProgressBar(&window);
    empty->setGeometry(0, 0, 100, 17);
    resting->setGeometry(0, 20, 100, 17);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    empty->SetMax(0);
    empty->StepAndRepaint();
    resting->SetMax(10);
    EXPECT_EQ(empty->Max(), 0);
    EXPECT_EQ(empty->Min(), 0);
    EXPECT_EQ(empty->Position(), 1);
    // Qt's busy indicator would fill the bar; at rest it looks like any
    // bar at its start.
    EXPECT_EQ(empty->grab().toImage(), resting->grab().toImage());
}

}  // namespace
