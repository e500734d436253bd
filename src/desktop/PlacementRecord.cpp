// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/PlacementRecord.h"

#include "desktop/NativePlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace desktop {

namespace {

const char* const kKeeperName = "filsok_placement_keeper";
constexpr Qt::WindowStates kSizedStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

// The frame the desktop reports for the window now; none before the window
// has a native window, and (under an X11 window manager) none until the
// manager has put its frame around the window, which happens only after the
// window is shown. While the manager is still framing the window the
// reported frame can come out with negative widths; that is no frame yet.
QMargins CurrentFrameMargins(const QWidget* window)
{
    if (!window->testAttribute(Qt::WA_WState_Created))
        return {};
    const QWindow* handle = window->windowHandle();
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0)
        return {};
    return frame;
}

QRect WithFrame(const QRect& client, const QMargins& frame)
{
    return client.adjusted(-frame.left(), -frame.top(), frame.right(), frame.bottom());
}

// Kept with each window whose placement was set: the frame seen last while
// the window was framed and in the normal state, and an outer rectangle that
// was set while the frame was still unknown. At the first frame report that
// rectangle is set once more with the real frame, so the window neither
// grows by its frame nor moves by it from one run to the next; a move or
// resize by the user (or the desktop) before that ends the wait as well.
// Whatever the desktop grants then is the window's placement.
class PlacementKeeper : public QObject {
public:
    explicit PlacementKeeper(QWidget* window) : QObject(window), window_(window)
    {
        setObjectName(QString::fromLatin1(kKeeperName));
        window->installEventFilter(this);
        WatchHandle();
    }

    static PlacementKeeper* Of(const QWidget* window)
    {
        return dynamic_cast<PlacementKeeper*>(
            window->findChild<QObject*>(QString::fromLatin1(kKeeperName), Qt::FindDirectChildrenOnly));
    }

    static PlacementKeeper* For(QWidget* window)
    {
        PlacementKeeper* keeper = Of(window);
        return keeper ? keeper : new PlacementKeeper(window);
    }

    std::optional<QMargins> lastFrame;
    std::optional<QRect> pendingOuter;
    // The far edges of pendingOuter that were the window's own, taken while
    // its frame was unknown: they move out by the frame when it is known.
    Qt::Orientations ownEdges;
    // The client rectangle set for pendingOuter; the window's own answer to
    // it is no move by the user.
    QRect askedClient;

    void Wait(const QRect& outer, Qt::Orientations edges, const QRect& client)
    {
        pendingOuter = outer;
        ownEdges = edges;
        askedClient = client;
    }
    void StopWaiting()
    {
        pendingOuter.reset();
        ownEdges = {};
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
        case QEvent::Expose:
            if (watched == window_ || watched == handle_)
                Update(*event);
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Update(const QEvent& event)
    {
        WatchHandle();
        const QMargins frame = CurrentFrameMargins(window_);
        const bool normal = !(window_->windowState() & kSizedStates);
        if (!frame.isNull() && normal)
            lastFrame = frame;
        if (!pendingOuter)
            return;
        // Only a window on the screen in the normal state has its frame for
        // good; a state change in progress may still set the old geometry.
        if (!frame.isNull() && normal && IsWindowVisible(window_)) {
            QRect outer = *pendingOuter;
            if (ownEdges & Qt::Horizontal)
                outer.setRight(outer.right() + frame.left() + frame.right());
            if (ownEdges & Qt::Vertical)
                outer.setBottom(outer.bottom() + frame.top() + frame.bottom());
            StopWaiting();
            const QRect target = outer.marginsRemoved(frame);
            if (window_->geometry() != target)
                window_->setGeometry(target);
            return;
        }
        // Moved or resized on the screen, in the normal state, to anything
        // but what was asked: by the user, or by a desktop that reports no
        // frame (none at all, or one without borders), whose word is final.
        const bool moved = event.type() == QEvent::Move || event.type() == QEvent::Resize;
        if (moved && normal && IsWindowVisible(window_) && window_->geometry() != askedClient)
            StopWaiting();
    }

    void WatchHandle()
    {
        QWindow* handle = window_->windowHandle();
        if (handle && handle != handle_) {
            handle_ = handle;
            handle->installEventFilter(this);
        }
    }

    QWidget* window_;
    QWindow* handle_ = nullptr;
};

bool IsTopLevel(const QWidget* window) { return window && window->isWindow(); }

// The outer rectangle of the window in the normal state.
QRect NormalOuterRect(const QWidget* window)
{
    if (const PlacementKeeper* keeper = PlacementKeeper::Of(window); keeper && keeper->pendingOuter)
        return *keeper->pendingOuter;
    QRect client = window->geometry();
    QMargins frame = KnownFrameMargins(window);
    if (window->windowState() & kSizedStates) {
        const QRect normal = window->normalGeometry();
        if (normal.isValid())
            client = normal;
        // A maximized window may be framed differently; the normal
        // rectangle has the frame of the normal state.
        if (const PlacementKeeper* keeper = PlacementKeeper::Of(window); keeper && keeper->lastFrame)
            frame = *keeper->lastFrame;
    }
    return WithFrame(client, frame);
}

// Puts the frame's top-left corner at outer's and gives the client what is
// left inside the frame, as far as the frame is known.
void ApplyOuterRect(QWidget* window, PlacementKeeper* keeper, const QRect& outer, Qt::Orientations ownEdges)
{
    const QMargins current = CurrentFrameMargins(window);
    const QMargins frame = current.isNull() ? keeper->lastFrame.value_or(QMargins()) : current;
    const QSize client(std::max(1, outer.width() - frame.left() - frame.right()),
                       std::max(1, outer.height() - frame.top() - frame.bottom()));
    if (!window->testAttribute(Qt::WA_WState_Created)) {
        // Before the native window exists a move places the frame.
        window->resize(client);
        window->move(outer.topLeft());
    } else {
        window->setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), client));
    }
    if (current.isNull())
        keeper->Wait(outer, ownEdges, window->geometry());
    else
        keeper->StopWaiting();
}

Qt::WindowStates StateOfShowCommand(int showCmd, unsigned flags, Qt::WindowStates current)
{
    const Qt::WindowStates others = current & ~kSizedStates;
    switch (showCmd) {
    case SW_HIDE:
    case SW_SHOW:
    case SW_SHOWNA:
        return current;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return others | Qt::WindowMinimized | ((flags & WPF_RESTORETOMAXIMIZED) ? Qt::WindowMaximized : Qt::WindowNoState);
    case SW_SHOWMAXIMIZED:
        return others | Qt::WindowMaximized;
    default:
        return others;
    }
}

}  // namespace

QMargins KnownFrameMargins(const QWidget* window)
{
    if (!window)
        return {};
    const QMargins current = CurrentFrameMargins(window);
    if (!current.isNull())
        return current;
    const PlacementKeeper* keeper = PlacementKeeper::Of(window);
    return keeper && keeper->lastFrame ? *keeper->lastFrame : QMargins();
}

QRect WindowBounds(const QWidget* window)
{
    if (!window)
        return {};
    if (const PlacementKeeper* keeper = PlacementKeeper::Of(window); keeper && keeper->pendingOuter)
        return *keeper->pendingOuter;
    return WithFrame(window->geometry(), KnownFrameMargins(window));
}

bool GetWindowPlacement(const QWidget* window, WindowPlacementRecord& placement)
{
    if (!IsTopLevel(window))
        return false;
    if (NativeGetWindowPlacement(window, placement))
        return true;
    placement.length = 44;
    const Qt::WindowStates state = window->windowState();
    placement.flags = 0;
    if (state & Qt::WindowMinimized) {
        placement.showCmd = SW_SHOWMINIMIZED;
        if (state & Qt::WindowMaximized)
            placement.flags |= WPF_RESTORETOMAXIMIZED;
    } else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        placement.showCmd = SW_SHOWMAXIMIZED;
    } else {
        placement.showCmd = SW_SHOWNORMAL;
    }
    placement.rcNormalPosition = PlacementRect::FromQRect(NormalOuterRect(window));
    return true;
}

bool SetWindowPlacement(QWidget* window, const WindowPlacementRecord& placement, Qt::Orientations ownEdges)
{
    if (!IsTopLevel(window))
        return false;
    if (placement.showCmd == SW_HIDE && IsWindowVisible(window)) {
        // Keeps a window on the screen as it is, as below.
        WindowPlacementRecord shown = placement;
        shown.showCmd = SW_SHOWNA;
        if (NativeSetWindowPlacement(window, shown))
            return true;
    } else if (NativeSetWindowPlacement(window, placement)) {
        return true;
    }
    PlacementKeeper* keeper = PlacementKeeper::For(window);
    const QRect outer = placement.rcNormalPosition.ToQRect();
    const Qt::WindowStates target = StateOfShowCommand(placement.showCmd, placement.flags, window->windowState());
    // Once a frame is known, the window's own bounds include it already.
    if (!KnownFrameMargins(window).isNull())
        ownEdges = {};
    if (outer != NormalOuterRect(window)) {
        // The normal rectangle can only be set in the normal state; the
        // state asked for is set again below.
        if (window->windowState() & kSizedStates)
            window->setWindowState(window->windowState() & ~kSizedStates);
        ApplyOuterRect(window, keeper, outer, ownEdges);
    }
    if (target != window->windowState())
        window->setWindowState(target);
    if (placement.showCmd != SW_HIDE && !window->isVisible())
        window->show();
    return true;
}

bool IsWindowVisible(const QWidget* window)
{
    if (!window || !window->isVisible())
        return false;
    const QWindow* handle = window->window()->windowHandle();
    return handle && handle->isVisible();
}

bool IsIconic(const QWidget* window) { return window && window->isMinimized(); }

int GetSystemMetrics(int index)
{
    if (int value = 0; NativeSystemMetric(index, value))
        return value;
    const QScreen* screen = QGuiApplication::primaryScreen();
    switch (index) {
    case SM_CXSCREEN:
        return screen ? screen->geometry().width() : 0;
    case SM_CYSCREEN:
        return screen ? screen->geometry().height() : 0;
    // The desktop draws the frames itself and does not tell their widths
    // before a window is framed; these are the classic widths, which only
    // serve as the maximized position.
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    default:
        return 0;
    }
}

int LogicalPixelsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

}  // namespace desktop
