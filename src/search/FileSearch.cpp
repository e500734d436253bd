#include "search/FileSearch.h"

#include "platform/OpenForReading.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__) || defined(_M_X64)
#include <bit>
#include <emmintrin.h>
#define FILSOK_SEARCH_SSE2 1
#endif

namespace search {
namespace {

// Position of the first CR or LF at or after from, or the text's size.
std::size_t FindBreak(std::string_view text, std::size_t from)
{
    const char* p = text.data();
    const std::size_t n = text.size();
    std::size_t i = from;
#ifdef FILSOK_SEARCH_SSE2
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const unsigned mask =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        if (mask != 0)
            return i + std::size_t(std::countr_zero(mask));
    }
#endif
    for (; i < n; ++i)
        if (p[i] == '\r' || p[i] == '\n')
            return i;
    return n;
}

// The start of the line after the break at `at` (CR LF is one break).
std::size_t AfterBreak(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return text.size();
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
        return at + 2;
    return at + 1;
}

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::string_view TrimLine(std::string_view line)
{
    std::size_t start = 0;
    std::size_t end = line.size();
    while (start < end && IsTrimmed(line[start]))
        ++start;
    while (end > start && IsTrimmed(line[end - 1]))
        --end;
    return line.substr(start, end - start);
}

std::string_view TextBeforeNul(std::string_view bytes)
{
    const void* nul = std::memchr(bytes.data(), 0, bytes.size());
    return nul ? bytes.substr(0, std::size_t(static_cast<const char*>(nul) - bytes.data())) : bytes;
}

void FindHitLines(const Matcher& matcher, std::string_view bytes, std::vector<LineHit>& hits)
{
    // A line never holds a line break, and the text before the NUL never
    // holds a NUL, so such search texts find nothing.
    if (matcher.IsEmpty() || matcher.HasLineBreak() || matcher.HasNul())
        return;
    // The first scan goes over the raw bytes. No occurrence there means none
    // before the NUL either; an occurrence past the NUL means the text before
    // it has none, since the scan would have met that one first.
    std::size_t at = matcher.Find(bytes);
    if (at == Matcher::npos)
        return;
    const std::string_view text = TextBeforeNul(bytes);
    if (at + matcher.Size() > text.size())
        return;
    // Walk the lines only as far as the occurrences reach; an occurrence holds
    // no line break, so it lies inside one line.
    std::size_t lineStart = 0;
    int lineIndex = 0;
    while (at != Matcher::npos) {
        std::size_t lineEnd = FindBreak(text, lineStart);
        while (lineEnd <= at) {
            lineStart = AfterBreak(text, lineEnd);
            ++lineIndex;
            lineEnd = FindBreak(text, lineStart);
        }
        hits.push_back({lineIndex, TrimLine(text.substr(lineStart, lineEnd - lineStart))});
        lineStart = AfterBreak(text, lineEnd);
        ++lineIndex;
        at = matcher.Find(text, lineStart);
    }
}

void FileBuffer::Reserve(std::size_t size)
{
    if (size <= capacity_)
        return;
    std::size_t capacity = capacity_ ? capacity_ : 65536;
    while (capacity < size)
        capacity *= 2;
    data_.reset(new char[capacity]);
    capacity_ = capacity;
}

bool FileBuffer::Load(const QString& path)
{
    size_ = 0;
    std::size_t reported = 0;
    const int fd = platform::OpenForReading(path, reported);
    if (fd < 0)
        return false;
    // One more byte than the size the file reports, so that a read that
    // fills it shows the file grew and the buffer needs to grow too.
    Reserve(reported + 1);
    for (;;) {
        if (size_ == capacity_) {
            std::unique_ptr<char[]> old = std::move(data_);
            const std::size_t had = capacity_;
            capacity_ = 0;
            Reserve(had * 2);
            std::memcpy(data_.get(), old.get(), had);
        }
        const ssize_t got = ::read(fd, data_.get() + size_, capacity_ - size_);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            size_ = 0;
            return false;
        }
        if (got == 0)
            break;
        size_ += std::size_t(got);
    }
    ::close(fd);
    return true;
}

}  // namespace search
