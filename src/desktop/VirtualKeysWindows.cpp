// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/VirtualKeys.h"

#include <windows.h>

namespace desktop {

std::uint16_t ScanCodeFromVirtualKey(std::uint16_t virtualKey)
{
    return std::uint16_t(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
}

}  // namespace desktop
