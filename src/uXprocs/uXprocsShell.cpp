// SPDX-License-Identifier: GPL-3.0-or-later
// The synthetic key press and opening a path with the desktop.
#include "uXprocs/uXprocs.h"

#include "desktop/KeyEvents.h"
#include "desktop/Shell.h"
#include "desktop/VirtualKeys.h"

#include <array>

namespace {

// Flags of a key event, by direction: key down, key up.
constexpr std::array<std::uint32_t, 2> kKeyFlags = {0, desktop::KEYEVENTF_KEYUP};

}  // namespace

void SendKeyEvent(std::uint16_t virtualKey, bool keyUp)
{
    // Print Screen goes without a scan code, as the keyboard driver expects.
    const std::uint16_t scanCode =
        virtualKey == desktop::VK_SNAPSHOT ? 0 : desktop::ScanCodeFromVirtualKey(virtualKey);
    // Only the low bytes of the key and its scan code reach the platform.
    desktop::SendKeyboardEvent(static_cast<std::uint8_t>(virtualKey & 0xFF),
                                static_cast<std::uint8_t>(scanCode & 0xFF), kKeyFlags[keyUp ? 1 : 0]);
}

bool PressKey(std::uint16_t virtualKey)
{
    try {
        SendKeyEvent(virtualKey, false);
        SendKeyEvent(virtualKey, true);
        return true;
    } catch (...) {
        // A key press that cannot be sent is not worth an error box.
        return false;
    }
}

void OpenWithShell(const QString& path)
{
    desktop::OpenPathWithDesktop(path);
}
