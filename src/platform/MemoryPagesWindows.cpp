// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MemoryPages.h"

namespace platform {

// Large pages on Windows need a privilege an ordinary user does not hold
// and an allocation of their own (VirtualAlloc with MEM_LARGE_PAGES); the C
// library has no switch for them. The program runs with ordinary pages.
void UseLargeMemoryPages(char**) {}

}  // namespace platform
