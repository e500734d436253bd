// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform's virtual-key codes (VK_*) and their scan codes and Qt keys,
// so that key handlers see the codes the window was designed with.
#include <cstdint>

namespace desktop {

constexpr std::uint16_t VK_RETURN = 13;
constexpr std::uint16_t VK_ESCAPE = 27;
constexpr std::uint16_t VK_HOME = 36;
constexpr std::uint16_t VK_SNAPSHOT = 44;

// The virtual-key code of a Qt key, or 0 for a key without one.
std::uint16_t VirtualKeyFromQtKey(int qtKey);
// The Qt key of a virtual-key code, or 0 (Qt::Key_unknown is not used).
int QtKeyFromVirtualKey(std::uint16_t virtualKey);
// The scan code the keyboard sends for a virtual key (MapVirtualKeyA, map
// type 0), or 0 when there is none.
std::uint16_t ScanCodeFromVirtualKey(std::uint16_t virtualKey);

}  // namespace desktop
