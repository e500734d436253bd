// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line-oriented part of the search: which lines of one file hold the
// search text. A file's text is read by the file-text rule (a mark tells
// UTF-8 or UTF-16; without one each line is UTF-8 or the ANSI code page):
// the text ends at the first NUL character, lines end at CR, LF or CR LF,
// a last line without a break counts.
#include "platform/FileText.h"
#include "platform/PageBuffer.h"
#include "search/SearchMatcher.h"

#include <QString>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace search {

// The line without the bytes 0 to 32 at its start and end.
std::string_view TrimLine(std::string_view line);

// The bytes before the first NUL byte.
std::string_view TextBeforeNul(std::string_view bytes);

struct LineHit {
    long long index;        // counted from 0
    std::string_view text;  // the line's bytes, trimmed (UTF-8, or the code page
                            // when they are not UTF-8); points into the searched bytes
};

// A hit with the characters its line holds.
struct TextHit {
    long long index;
    QString text;
    bool operator==(const TextHit&) const = default;
};

// One entry per line of a whole file's bytes that holds the search text, in
// line order; a line that holds it several times gives one entry. A file
// without a hit costs one scan of its bytes and is not split into lines.
std::vector<TextHit> FindHitLines(const Matcher& matcher, std::string_view fileBytes);

// Takes the hits of a file as they are found; a hit's text lasts only for the
// call, since the block it points into is read over afterwards.
using HitSink = std::function<void(const LineHit&)>;

// Reads files one after the other into one buffer, a block at a time, so
// that a file of any size is searched in bounded memory: the buffer holds
// one block and the partial line carried over from the block before (a line
// longer than a block makes it grow to hold that line). A buffer serves one
// thread; each thread of a search has its own.
class FileBuffer {
public:
    static constexpr std::size_t kBlockSize = std::size_t(1) << 20;

    // Tests read in small blocks to put lines across block edges.
    explicit FileBuffer(std::size_t blockSize = kBlockSize);

    // Passes every line of the file at path that holds the search text to
    // onHit, in line order: the same lines as FindHitLines over the whole
    // file. False when the file cannot be opened or read (a missing file, a
    // folder, an empty path, no permission), or when stop was set before its
    // end; hits of the blocks before have been passed on by then.
    bool Search(const QString& path, const Matcher& matcher, const HitSink& onHit,
                const std::atomic<bool>* stop = nullptr);
    // The same over the text of a file already open.
    bool Search(platform::TextReader& reader, const Matcher& matcher, const HitSink& onHit,
                const std::atomic<bool>* stop = nullptr);

private:
    void Grow(std::size_t from, std::size_t keep);

    std::size_t blockSize_;
    // The bytes of a block start as far into the buffer as the file position
    // they come from lies into a page (modulo this, a power of two no larger
    // than a page or half a block), so that every read lands where the kernel
    // copies fastest.
    std::size_t alignment_;
    platform::PageBuffer data_;
    std::size_t capacity_ = 0;
};

}  // namespace search
