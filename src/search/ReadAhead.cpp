#include "search/ReadAhead.h"

#include "platform/OpenForReading.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace search {
namespace {

// OpenForReading opens plain files only, and never waits on a pipe.
void Ask(const QString& path)
{
    std::size_t size = 0;
    const int fd = platform::OpenForReading(path, size);
    if (fd < 0)
        return;
    (void)::posix_fadvise(fd, 0, off_t(std::min(size, ReadAhead::kBytesOfOneFile)), POSIX_FADV_WILLNEED);
    ::close(fd);
}

}  // namespace

void ReadAhead::After(int current)
{
    const int last = std::min<int>(int(paths_.size()) - 1, current + kFiles);
    for (int i = std::max(askedUpTo_, current + 1); i <= last; ++i)
        Ask(paths_[i]);
    askedUpTo_ = std::max(askedUpTo_, last + 1);
}

}  // namespace search
