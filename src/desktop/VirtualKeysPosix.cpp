// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/VirtualKeys.h"

namespace desktop {

std::uint16_t ScanCodeFromVirtualKey(std::uint16_t virtualKey)
{
    return KeyboardScanCode(virtualKey);
}

}  // namespace desktop
