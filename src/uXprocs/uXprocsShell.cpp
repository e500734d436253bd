// The synthetic key press and opening a path with the desktop.
#include "uXprocs.h"

#include "platform/KeyEvents.h"
#include "platform/Shell.h"
#include "platform/VirtualKeys.h"

#include <array>

namespace {

// Flags of a key event, by direction: key down, key up.
constexpr std::array<std::uint32_t, 2> kKeyFlags = {0, platform::KEYEVENTF_KEYUP};

}  // namespace

void SendKeyEvent(std::uint16_t virtualKey, bool keyUp)
{
    // Print Screen goes without a scan code, as the keyboard driver expects.
    const std::uint16_t scanCode =
        virtualKey == platform::VK_SNAPSHOT ? 0 : platform::ScanCodeFromVirtualKey(virtualKey);
    // Only the low bytes of the key and its scan code reach the platform.
    platform::SendKeyboardEvent(static_cast<std::uint8_t>(virtualKey & 0xFF),
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
    platform::OpenPathWithDesktop(path);
}
