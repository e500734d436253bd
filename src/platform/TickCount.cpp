// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TickCount.h"

#include <utility>

namespace platform {
namespace {

TickSource& Source()
{
    static TickSource source;
    return source;
}

}  // namespace

std::uint32_t GetTickCount()
{
    if (const TickSource& source = Source())
        return source();
    return SystemTickCount();
}

void SetTickSource(TickSource source)
{
    Source() = std::move(source);
}

}  // namespace platform
