// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TickCount.h"

#include <chrono>

namespace platform {

std::uint32_t SystemTickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

}  // namespace platform
