// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/NativePlacement.h"

namespace desktop {

// An X11 or Wayland desktop keeps no placement record: Qt's view is all.
bool NativeGetWindowPlacement(const QWidget*, WindowPlacementRecord&) { return false; }
bool NativeSetWindowPlacement(QWidget*, const WindowPlacementRecord&) { return false; }
bool NativeSystemMetric(int, int&) { return false; }

}  // namespace desktop
