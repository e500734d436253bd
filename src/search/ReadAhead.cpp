// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ReadAhead.h"

#include "platform/OpenForReading.h"
#include "platform/ReadHints.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace search {
namespace {

// The files held open ahead take at most a quarter of the descriptors the
// program may have, so that the search's own opens never run short of one.
int FilesAhead()
{
    const int limit = platform::OpenFileLimit();
    if (limit <= 0)
        return ReadAhead::kFiles;
    return std::min<int>(ReadAhead::kFiles, limit / 4);
}

// What is asked for of a file: its start.
std::size_t AskedOf(std::size_t size)
{
    return std::min(size, ReadAhead::kBytesOfOneFile);
}

}  // namespace

ReadAhead::ReadAhead(const QStringList& paths) : paths_(paths), files_(FilesAhead()) {}

ReadAhead::~ReadAhead()
{
    // A run that stopped at a failing file leaves the files after it.
    for (const Opened& file : opened_)
        ::close(file.fd);
}

void ReadAhead::After(int current)
{
    const int last = std::min<int>(int(paths_.size()) - 1, current + files_);
    askedUpTo_ = std::max(askedUpTo_, current + 1);
    while (askedUpTo_ <= last && askedBytes_ < kBytes) {
        // OpenForReading opens plain files only, and never waits on a pipe.
        const int i = askedUpTo_;
        std::size_t size = 0;
        const int fd = platform::OpenForReading(paths_[i], size);
        if (fd < 0 && (errno == EMFILE || errno == ENFILE))
            return;  // no descriptor to spare now: asked for again later
        ++askedUpTo_;
        if (fd < 0)
            continue;
        platform::ReadAheadHint(fd, AskedOf(size));
        opened_.push_back({i, fd, size});
        askedBytes_ += AskedOf(size);
    }
}

ReadAhead::Opened ReadAhead::TakeFirst()
{
    const Opened file = opened_.front();
    opened_.pop_front();
    askedBytes_ -= AskedOf(file.size);
    return file;
}

bool ReadAhead::Search(int index, FileBuffer& buffer, const Matcher& matcher, const HitSink& onHit)
{
    // Files passed over (the search's own order never skips one) are closed.
    while (!opened_.empty() && opened_.front().index < index)
        ::close(TakeFirst().fd);
    if (opened_.empty() || opened_.front().index != index)
        return buffer.Search(paths_[index], matcher, onHit);
    const Opened file = TakeFirst();
    const bool searched = buffer.Search(file.fd, file.size, matcher, onHit);
    ::close(file.fd);
    return searched;
}

}  // namespace search
