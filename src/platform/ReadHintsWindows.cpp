// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ReadHints.h"

namespace platform {

// The C library's table of descriptors holds 2048.
int OpenFileLimit()
{
    return 2048;
}

// Windows has no call that reads a file into the cache before it is read;
// the files are opened for sequential reading instead, so the cache reads
// ahead of the search once it starts on a file.
void ReadAheadHint(int, std::size_t) {}

}  // namespace platform
