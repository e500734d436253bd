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
// The scan code a PC keyboard sends for a virtual key, from the program's own
// table (set 1, extended keys without their E0 prefix), or 0 when there is
// none.
std::uint16_t KeyboardScanCode(std::uint16_t virtualKey);
// The scan code the system maps a virtual key to (MapVirtualKeyA, map type
// 0): the table's on Linux, the keyboard layout's own on Windows.
std::uint16_t ScanCodeFromVirtualKey(std::uint16_t virtualKey);

}  // namespace desktop
