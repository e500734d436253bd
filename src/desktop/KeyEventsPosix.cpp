// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/KeyEvents.h"

namespace desktop {

// Synthetic input into the X server would reach whatever window has the
// server's focus; the program's own event queue reaches its own focus.
void SendThroughSystem(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags)
{
    PostToEventQueue(virtualKey, scanCode, flags);
}

}  // namespace desktop
