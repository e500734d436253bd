// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading ahead when the page cache is cold: while one file is searched, the
// kernel is asked to read the next listed files from the disk, so that their
// turn finds them in memory and the disk has several reads to work on. The
// search itself stays one file after the other; only the disk works ahead.
#include "search/FileSearch.h"

#include <QStringList>
#include <cstddef>
#include <deque>

namespace search {

class ReadAhead {
public:
    // How far ahead: a number of files and of bytes, and of each file only
    // its start, which is what its search needs first (the kernel reads on
    // as the search goes). Many small reads at once keep the disk busiest.
    static constexpr int kFiles = 128;
    static constexpr std::size_t kBytes = std::size_t(64) << 20;
    static constexpr std::size_t kBytesOfOneFile = std::size_t(4) << 20;

    explicit ReadAhead(const QStringList& paths);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Asks for the files after the one at index current that were not asked
    // for yet, up to kFiles ahead and kBytes asked for and not yet searched.
    // A file that cannot be opened (or is no plain file) is passed over: its
    // own turn reports it.
    void After(int current);

    // FileBuffer::Search over the file at index. A file asked for is read
    // through the descriptor opened for asking, so that reading ahead costs
    // no second open; any other is opened now.
    bool Search(int index, FileBuffer& buffer, const Matcher& matcher, const HitSink& onHit);

private:
    struct Opened {
        int index;
        int fd;
        std::size_t size;
    };

    Opened TakeFirst();

    const QStringList& paths_;
    int files_;                   // how many files ahead, kFiles or fewer
    int askedUpTo_ = 0;           // the files before this index were asked for
    std::deque<Opened> opened_;  // the files asked for and not searched yet, in list order
    std::size_t askedBytes_ = 0;  // what was asked for of them
};

}  // namespace search
