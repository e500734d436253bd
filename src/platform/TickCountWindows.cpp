// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TickCount.h"

#include <windows.h>

namespace platform {

std::uint32_t SystemTickCount()
{
    return ::GetTickCount();
}

}  // namespace platform
