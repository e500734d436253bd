// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The placement of a top-level window as the desktop keeps it: its rectangle
// in the normal state (frame included), its state as a show command, and the
// positions it takes when minimized and maximized; with the screen metrics the
// settings need to store and check it.
#include <QMargins>
#include <Qt>
#include <QPoint>
#include <QRect>

class QWidget;

namespace desktop {

// Placement flags.
constexpr unsigned WPF_SETMINPOSITION = 1;
constexpr unsigned WPF_RESTORETOMAXIMIZED = 2;

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// System metrics.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;

// Edges of a rectangle; right and bottom lie just outside it.
struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
    static PlacementRect FromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
    friend bool operator==(const PlacementRect&, const PlacementRect&) = default;
};

struct WindowPlacementRecord {
    unsigned length = 44;
    unsigned flags = 0;
    int showCmd = SW_SHOWNORMAL;
    // The desktop does not report these: the caller keeps them with the window
    // and fills them in; (-1, -1) means "where the desktop likes".
    QPoint ptMinPosition{-1, -1};
    QPoint ptMaxPosition{-1, -1};
    PlacementRect rcNormalPosition;
};

// The placement of a top-level window: its state as SW_SHOWNORMAL,
// SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED (the state it is in, also when hidden),
// WPF_RESTORETOMAXIMIZED for a minimized window that was maximized before,
// and its outer rectangle in the normal state. False for no window.
bool GetWindowPlacement(const QWidget* window, WindowPlacementRecord& placement);

// Applies the normal rectangle (the outer one: the frame is placed at its
// top-left corner and the client gets what is left inside the frame) and the
// state of the show command. SW_HIDE keeps the state and does not show the
// window; every other command shows it. When the frame is not known yet (the
// window has not been framed by the desktop), the rectangle is set once more
// when the desktop first reports the frame, so that the outer rectangle
// comes out right, unless the user has moved or resized the window before.
// ownEdges names the far edges (right: Qt::Horizontal, bottom: Qt::Vertical)
// that were taken from WindowBounds() while the frame was unknown: they move
// out by the frame once it is known, as the window's own edges do, so the
// window keeps its designed extent along them. The minimized and maximized
// positions are the caller's to keep.
bool SetWindowPlacement(QWidget* window, const WindowPlacementRecord& placement, Qt::Orientations ownEdges = {});

// The window's outer rectangle as it stands (the frame, as far as known,
// included).
QRect WindowBounds(const QWidget* window);
// The frame around the window's client area as far as known: the desktop's
// frame once the window is framed, else the frame it had when last seen
// framed, else none.
QMargins KnownFrameMargins(const QWidget* window);

// Whether the window is on the screen (shown, not merely about to be).
bool IsWindowVisible(const QWidget* window);
bool IsIconic(const QWidget* window);

// Screen size of the primary screen and fixed frame widths; 0 for an index
// without a value.
int GetSystemMetrics(int index);
// The primary screen's logical pixels per inch.
int LogicalPixelsPerInch();

}  // namespace desktop
