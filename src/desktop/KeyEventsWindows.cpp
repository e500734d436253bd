// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/KeyEvents.h"

#include <QGuiApplication>

#include <windows.h>

namespace desktop {

// On the desktop the key goes into the system's input stream and reaches
// the focused control once the loop runs again. Qt's offscreen platform
// (the tests) has no native windows for it to reach, so the key goes
// through Qt's queue there.
void SendThroughSystem(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags)
{
    if (QGuiApplication::platformName() != QLatin1String("windows")) {
        PostToEventQueue(virtualKey, scanCode, flags);
        return;
    }
    ::keybd_event(virtualKey, scanCode, flags, 0);
}

}  // namespace desktop
