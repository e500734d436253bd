#pragma once
// The line-oriented part of the search: which lines of one file's bytes hold
// the search text. The bytes are read as the text list reads them: the text
// ends at the first NUL byte, lines end at CR, LF or CR LF, a last line
// without a break counts.
#include "search/SearchMatcher.h"

#include <QString>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace search {

// The line without the bytes 0 to 32 at its start and end.
std::string_view TrimLine(std::string_view line);

// The bytes before the first NUL byte.
std::string_view TextBeforeNul(std::string_view bytes);

struct LineHit {
    int index;              // counted from 0
    std::string_view text;  // trimmed; points into the searched bytes
    bool operator==(const LineHit&) const = default;
};

// Appends to hits one entry per line of bytes that holds the search text, in
// line order; a line that holds it several times gives one entry. A file
// without a hit costs one scan of its bytes and is not split into lines.
void FindHitLines(const Matcher& matcher, std::string_view bytes, std::vector<LineHit>& hits);

// One buffer that every file of a run is read into in turn.
class FileBuffer {
public:
    // Reads the whole file; false when it cannot be opened or read (a missing
    // file, a folder, an empty path, no permission). The path goes through
    // the file-system encoding.
    bool Load(const QString& path);
    std::string_view Bytes() const { return {data_.get(), size_}; }

private:
    void Reserve(std::size_t size);

    std::unique_ptr<char[]> data_;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
};

}  // namespace search
