// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Size limits of a top-level window as the desktop's min/max-size query
// takes them: outer sizes and positions, frame included. Qt limits only the
// client, so the frame, as far as known, is taken off each limit, and again
// whenever the desktop reports the frame anew.
#include <QPoint>
#include <QSize>

class QWidget;

namespace desktop {

// A 0 in any field leaves that field to the desktop.
struct MinMaxInfo {
    QSize ptMaxSize;       // size of the maximized window
    QPoint ptMaxPosition;  // top-left corner of the maximized window
    QSize ptMinTrackSize;  // smallest size when dragging
    QSize ptMaxTrackSize;  // largest size when dragging
};

// Puts the limits on the window, in place of any set before; with fixedSize
// the window keeps the size it has now. The window's own minimum and maximum
// sizes are kept and put back by ClearSizeLimits. A maximized window is
// given the maximized size and position, where set, as it is maximized;
// whether it keeps them is up to the window manager.
void SetSizeLimits(QWidget* window, const MinMaxInfo& info, bool fixedSize);
void ClearSizeLimits(QWidget* window);

}  // namespace desktop
