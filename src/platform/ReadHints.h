// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the search may ask of the system about reading ahead: how many files
// it may hold open, and a hint to start reading a file into the cache.
#include <cstddef>

namespace platform {

// How many files the program may have open at once, or 0 when it has no
// limit to heed.
int OpenFileLimit();

// Asks the system to read the first bytes of an open file into its cache
// now; only a hint, which the system may ignore.
void ReadAheadHint(int fd, std::size_t bytes);

}  // namespace platform
