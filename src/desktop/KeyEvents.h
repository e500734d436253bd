// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Synthetic keyboard events: one key down or key up, as the keyboard would
// send it, delivered to whichever widget has the focus when the event loop
// runs again.
#include <cstdint>
#include <functional>

namespace desktop {

// Flags of one key event: 0 is a key down.
constexpr std::uint32_t KEYEVENTF_KEYUP = 2;

// Something that sends one key event (virtual key, scan code, flags).
using KeyEventSender = std::function<void(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags)>;

// Sends one key event through the current sender, SendThroughSystem unless
// replaced.
void SendKeyboardEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags);

// Posts one key event into Qt's event queue, for the widget that has the
// focus when the loop runs again; raises std::runtime_error when there is no
// application to deliver it.
void PostToEventQueue(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags);

// The system's own way: on Windows, with the window on the desktop, the
// system's input stream (keybd_event); else (Linux, or Qt's offscreen
// platform) PostToEventQueue.
void SendThroughSystem(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags);

// Replaces the sender (an empty one brings back the default) and returns the
// one it replaces, so that tests can see the events sent.
KeyEventSender SetKeyEventSender(KeyEventSender sender);

}  // namespace desktop
