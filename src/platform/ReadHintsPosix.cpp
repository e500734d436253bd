// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ReadHints.h"

#include <fcntl.h>
#include <limits>
#include <sys/resource.h>

namespace platform {

int OpenFileLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 0;
    return limit.rlim_cur > rlim_t(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                     : int(limit.rlim_cur);
}

void ReadAheadHint(int fd, std::size_t bytes)
{
    (void)::posix_fadvise(fd, 0, off_t(bytes), POSIX_FADV_WILLNEED);
}

}  // namespace platform
