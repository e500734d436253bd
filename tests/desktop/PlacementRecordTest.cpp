// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's placement record of a top-level window, on the offscreen
// platform, which frames a shown window with a border of its own.
#include "desktop/PlacementRecord.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

static void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
}

namespace {

using namespace desktop;

void Settle() { QCoreApplication::processEvents(); }

std::unique_ptr<QWidget> MakeWindow()
{
    auto window = std::make_unique<QWidget>(nullptr, Qt::Window);
    window->resize(300, 200);
    window->move(40, 30);
    return window;
}

WindowPlacementRecord PlacementOf(const QWidget& window)
{
    WindowPlacementRecord placement;
    EXPECT_TRUE(GetWindowPlacement(&window, placement));
    return placement;
}

WindowPlacementRecord WithRect(int showCmd, const QRect& outer)
{
    WindowPlacementRecord placement;
    placement.showCmd = showCmd;
    placement.rcNormalPosition = PlacementRect::FromQRect(outer);
    return placement;
}

TEST(SystemMetricsTest, ScreenSizeAndFrameWidths)
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const struct {
        int index;
        int expected;
    } rows[] = {
        {SM_CXSCREEN, screen.width()}, {SM_CYSCREEN, screen.height()}, {SM_CXBORDER, 1}, {SM_CYBORDER, 1},
        {SM_CXDLGFRAME, 3},            {SM_CYDLGFRAME, 3},             {SM_CXFRAME, 4},  {SM_CYFRAME, 4},
        {2, 0},                        {-1, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(GetSystemMetrics(row.index), row.expected) << row.index;
    EXPECT_GT(LogicalPixelsPerInch(), 0);
}

TEST(GetPlacementTest, ShowCmdFollowsTheState)
{
    const struct {
        Qt::WindowStates state;
        int showCmd;
        unsigned flags;
    } rows[] = {
        {Qt::WindowNoState, SW_SHOWNORMAL, 0},
        {Qt::WindowMaximized, SW_SHOWMAXIMIZED, 0},
        {Qt::WindowFullScreen, SW_SHOWMAXIMIZED, 0},
        {Qt::WindowMinimized, SW_SHOWMINIMIZED, 0},
        {Qt::WindowMinimized | Qt::WindowMaximized, SW_SHOWMINIMIZED, WPF_RESTORETOMAXIMIZED},
    };
    for (const auto& row : rows) {
        auto window = MakeWindow();
        window->setWindowState(row.state);
        const WindowPlacementRecord placement = PlacementOf(*window);
        EXPECT_EQ(placement.showCmd, row.showCmd) << int(row.state);
        EXPECT_EQ(placement.flags, row.flags) << int(row.state);
        EXPECT_EQ(placement.length, 44u);
    }
}

TEST(GetPlacementTest, NormalRectangleIncludesTheFrame)
{
    auto window = MakeWindow();
    window->show();
    Settle();
    window->setGeometry(100, 80, 250, 150);
    Settle();
    const QMargins frame = KnownFrameMargins(window.get());
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(PlacementOf(*window).rcNormalPosition.ToQRect(), window->frameGeometry());
    window->showMaximized();
    Settle();
    ASSERT_NE(window->geometry(), QRect(100, 80, 250, 150));
    EXPECT_EQ(PlacementOf(*window).rcNormalPosition.ToQRect(), QRect(100, 80, 250, 150).marginsAdded(frame));
}

TEST(SetPlacementTest, ShowCommandsAndVisibility)
{
    const struct {
        int showCmd;
        bool shown;
        Qt::WindowStates state;
    } rows[] = {
        {SW_HIDE, false, Qt::WindowNoState},         {SW_SHOWNORMAL, true, Qt::WindowNoState},
        {SW_RESTORE, true, Qt::WindowNoState},       {SW_SHOWMAXIMIZED, true, Qt::WindowMaximized},
        {SW_SHOWMINIMIZED, true, Qt::WindowMinimized}, {SW_SHOWMINNOACTIVE, true, Qt::WindowMinimized},
    };
    for (const auto& row : rows) {
        auto window = MakeWindow();
        const QRect outer(120, 90, 280, 190);
        ASSERT_TRUE(SetWindowPlacement(window.get(), WithRect(row.showCmd, outer)));
        Settle();
        EXPECT_EQ(window->isVisible(), row.shown) << row.showCmd;
        EXPECT_EQ(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), row.state) << row.showCmd;
        EXPECT_EQ(PlacementOf(*window).rcNormalPosition.ToQRect(), outer) << row.showCmd;
        window->setWindowState(Qt::WindowNoState);
        window->show();
        Settle();
        EXPECT_EQ(window->frameGeometry(), outer) << row.showCmd;
    }
}

TEST(SetPlacementTest, HiddenMaximizedWindowGetsItsNormalRectangle)
{
    auto window = MakeWindow();
    window->setWindowState(Qt::WindowMaximized);
    const QRect outer(60, 70, 260, 160);
    SetWindowPlacement(window.get(), WithRect(SW_HIDE, outer));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(PlacementOf(*window).rcNormalPosition.ToQRect(), outer);
    window->setWindowState(Qt::WindowNoState);
    window->show();
    Settle();
    EXPECT_EQ(window->frameGeometry(), outer);
}

TEST(SetPlacementTest, VisibleWindowMovesItsFrame)
{
    auto window = MakeWindow();
    window->show();
    Settle();
    const QRect outer(210, 110, 330, 230);
    SetWindowPlacement(window.get(), WithRect(SW_SHOWNORMAL, outer));
    Settle();
    EXPECT_EQ(window->frameGeometry(), outer);
    EXPECT_EQ(WindowBounds(window.get()), outer);
}

TEST(SetPlacementTest, SameRectangleLeavesTheWindowAlone)
{
    // A window not yet framed keeps its client size when its own placement
    // is set back, instead of shrinking by a frame it does not have yet.
    auto window = MakeWindow();
    SetWindowPlacement(window.get(), PlacementOf(*window));
    window->show();
    Settle();
    EXPECT_EQ(window->size(), QSize(300, 200));
}

// A rectangle set before the window was framed is waited for only until the
// first frame report or move: whatever the window gets then, a later move
// is the window's placement, also when the rectangle was never granted.
TEST(SetPlacementTest, ALaterMoveCountsWhetherOrNotTheRectangleWasGranted)
{
    const struct {
        const char* label;
        QSize minimum;
        Qt::WindowFlags flags;
    } rows[] = {
        {"granted", QSize(), Qt::Window},
        {"smaller than the window may be", QSize(400, 300), Qt::Window},
        {"a window without frame", QSize(), Qt::Window | Qt::FramelessWindowHint},
    };
    for (const auto& row : rows) {
        auto window = MakeWindow();
        window->setWindowFlags(row.flags);
        if (row.minimum.isValid())
            window->setMinimumSize(row.minimum);
        SetWindowPlacement(window.get(), WithRect(SW_HIDE, QRect(120, 90, 200, 150)));
        window->show();
        Settle();
        window->move(260, 210);
        Settle();
        ASSERT_EQ(window->frameGeometry().topLeft(), QPoint(260, 210)) << row.label;
        EXPECT_EQ(PlacementOf(*window).rcNormalPosition.ToQRect(), window->frameGeometry()) << row.label;
    }
}

// Seen from the window's own show event, as the settings are read there.
class ShowProbe : public QWidget {
public:
    ShowProbe() : QWidget(nullptr, Qt::Window) {}
    bool visibleAtShow = true;

protected:
    void showEvent(QShowEvent* event) override
    {
        visibleAtShow = IsWindowVisible(this);
        QWidget::showEvent(event);
    }
};

TEST(VisibilityTest, NotVisibleWhileBeingShown)
{
    ShowProbe window;
    EXPECT_FALSE(IsWindowVisible(&window));
    window.show();
    Settle();
    EXPECT_FALSE(window.visibleAtShow);
    EXPECT_TRUE(IsWindowVisible(&window));
    EXPECT_FALSE(IsIconic(&window));
    window.showMinimized();
    Settle();
    EXPECT_TRUE(IsIconic(&window));
    window.hide();
    EXPECT_FALSE(IsWindowVisible(&window));
}

}  // namespace
