// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The millisecond tick count the search times itself with: 32 bits from the
// monotonic clock, so it wraps after about 49.7 days. Elapsed times are taken
// as end - start in unsigned 32-bit arithmetic, which stays right across a wrap.
#include <cstdint>
#include <functional>

namespace platform {

std::uint32_t GetTickCount();
// The system's own count, whatever source is set: the monotonic clock's
// milliseconds cut to 32 bits, or on Windows the system's tick count.
std::uint32_t SystemTickCount();

// Tests replace the clock so that elapsed times are known exactly; an empty
// source brings the monotonic clock back.
using TickSource = std::function<std::uint32_t()>;
void SetTickSource(TickSource source);

}  // namespace platform
