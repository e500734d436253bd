// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's own placement record, where it keeps one for the window: on
// Windows, for a window of Qt's windows platform that has its native window.
// Everywhere else (Linux, Qt's offscreen platform, a window not created yet)
// these say no, and the placement is derived from what Qt knows.
#include "desktop/PlacementRecord.h"

namespace desktop {

// GetWindowPlacement of the system; false when it keeps none for window.
bool NativeGetWindowPlacement(const QWidget* window, WindowPlacementRecord& placement);
// SetWindowPlacement of the system; false when it keeps none for window.
bool NativeSetWindowPlacement(QWidget* window, const WindowPlacementRecord& placement);
// GetSystemMetrics of the system; false where the program's desktop is not
// the system's own.
bool NativeSystemMetric(int index, int& value);

}  // namespace desktop
