// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/NativePlacement.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <windows.h>

namespace desktop {
namespace {

bool OnSystemDesktop()
{
    return QGuiApplication::platformName() == QLatin1String("windows");
}

// The window's native handle, or null when it has none yet: asking Qt for
// one would create the native window before its time.
HWND NativeHandle(const QWidget* window)
{
    if (!OnSystemDesktop() || !window || !window->isWindow() || !window->testAttribute(Qt::WA_WState_Created))
        return nullptr;
    return reinterpret_cast<HWND>(window->internalWinId());
}

}  // namespace

bool NativeGetWindowPlacement(const QWidget* window, WindowPlacementRecord& placement)
{
    const HWND handle = NativeHandle(window);
    if (!handle)
        return false;
    WINDOWPLACEMENT record{};
    record.length = sizeof record;
    if (!::GetWindowPlacement(handle, &record))
        return false;
    placement.length = record.length;
    placement.flags = record.flags;
    placement.showCmd = int(record.showCmd);
    placement.ptMinPosition = QPoint(record.ptMinPosition.x, record.ptMinPosition.y);
    placement.ptMaxPosition = QPoint(record.ptMaxPosition.x, record.ptMaxPosition.y);
    const RECT& r = record.rcNormalPosition;
    placement.rcNormalPosition = PlacementRect{r.left, r.top, r.right, r.bottom};
    return true;
}

bool NativeSetWindowPlacement(QWidget* window, const WindowPlacementRecord& placement)
{
    const HWND handle = NativeHandle(window);
    if (!handle)
        return false;
    WINDOWPLACEMENT record{};
    record.length = sizeof record;
    record.flags = placement.flags;
    record.showCmd = UINT(placement.showCmd);
    record.ptMinPosition = POINT{placement.ptMinPosition.x(), placement.ptMinPosition.y()};
    record.ptMaxPosition = POINT{placement.ptMaxPosition.x(), placement.ptMaxPosition.y()};
    const PlacementRect& r = placement.rcNormalPosition;
    record.rcNormalPosition = RECT{r.left, r.top, r.right, r.bottom};
    if (!::SetWindowPlacement(handle, &record))
        return false;
    // Qt's native window knows its new place at once, the widget only when
    // the event queue runs; a show before that would put the window back
    // where the widget thinks it stands.
    if (const QWindow* native = window->windowHandle(); native && window->geometry() != native->geometry())
        window->setGeometry(native->geometry());
    return true;
}

bool NativeSystemMetric(int index, int& value)
{
    if (!OnSystemDesktop())
        return false;
    value = ::GetSystemMetrics(index);
    return true;
}

}  // namespace desktop
