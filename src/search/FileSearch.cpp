// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/FileSearch.h"

#include "platform/FileText.h"
#include "search/Simd.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <optional>

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

// The start of the line that holds position at: just after the last CR or LF
// before it, or from when there is none between.
std::size_t LineStart(std::string_view text, std::size_t from, std::size_t at)
{
    const char* p = text.data();
    std::size_t i = at;
#ifdef FILSOK_SEARCH_SSE2
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i >= from + 16; i -= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i - 16));
        const unsigned mask =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        if (mask != 0)
            return i - 16 + std::size_t(std::bit_width(mask));
    }
#endif
    for (; i > from; --i)
        if (p[i - 1] == '\r' || p[i - 1] == '\n')
            return i;
    return from;
}

struct LinesScan {
    long long breaks = 0;  // CR LF counts once
    bool holdsNul = false;
};

// Counts the line breaks of text, which ends just after a break (or holds
// none) and has no CR LF split at its end, so that a CR as its last byte is
// a break of its own. With kFindNul it also tells whether text holds a NUL
// byte, and the count is then of no use.
template <bool kFindNul>
LinesScan ScanLinesScalar(const unsigned char* p, std::size_t from, std::size_t n, LinesScan scan)
{
    for (std::size_t i = from; i < n; ++i) {
        if (kFindNul && p[i] == 0) {
            scan.holdsNul = true;
            return scan;
        }
        if (p[i] == '\n' || (p[i] == '\r' && (i + 1 == n || p[i + 1] != '\n')))
            ++scan.breaks;
    }
    return scan;
}

#ifdef FILSOK_SEARCH_AVX2
FILSOK_AVX2_BEGIN
// A byte is a break when it is an LF, or a CR not followed by an LF; the
// compare results (-1 each) are summed in byte lanes for up to 255 rounds at
// a time, then added up.
template <bool kFindNul>
LinesScan ScanLinesWide(const unsigned char* p, std::size_t n)
{
    LinesScan scan;
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i zero = _mm256_setzero_si256();
    std::size_t i = 0;
    while (i + 33 <= n) {
        __m256i counts = zero;
        __m256i nul = zero;
        const std::size_t rounds = std::min<std::size_t>(255, (n - 1 - i) / 32);
        for (std::size_t r = 0; r < rounds; ++r, i += 32) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
            const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 1));
            const __m256i lone = _mm256_andnot_si256(_mm256_cmpeq_epi8(next, lf), _mm256_cmpeq_epi8(v, cr));
            counts = _mm256_sub_epi8(counts, _mm256_or_si256(_mm256_cmpeq_epi8(v, lf), lone));
            if constexpr (kFindNul)
                nul = _mm256_or_si256(nul, _mm256_cmpeq_epi8(v, zero));
        }
        if (kFindNul && !_mm256_testz_si256(nul, nul)) {
            scan.holdsNul = true;
            return scan;
        }
        const __m256i sums = _mm256_sad_epu8(counts, zero);
        scan.breaks += _mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) +
                       _mm256_extract_epi64(sums, 2) + _mm256_extract_epi64(sums, 3);
    }
    return ScanLinesScalar<kFindNul>(p, i, n, scan);
}
FILSOK_AVX2_END
#endif

template <bool kFindNul>
LinesScan ScanLines(std::string_view text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
#ifdef FILSOK_SEARCH_AVX2
    if (HasAvx2())
        return ScanLinesWide<kFindNul>(p, n);
#endif
    LinesScan scan;
    std::size_t i = 0;
#ifdef FILSOK_SEARCH_SSE2
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (i + 17 <= n) {
        __m128i counts = zero;
        __m128i nul = zero;
        const std::size_t rounds = std::min<std::size_t>(255, (n - 1 - i) / 16);
        for (std::size_t r = 0; r < rounds; ++r, i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
            const __m128i lone = _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(v, cr));
            counts = _mm_sub_epi8(counts, _mm_or_si128(_mm_cmpeq_epi8(v, lf), lone));
            if constexpr (kFindNul)
                nul = _mm_or_si128(nul, _mm_cmpeq_epi8(v, zero));
        }
        if (kFindNul && _mm_movemask_epi8(nul) != 0) {
            scan.holdsNul = true;
            return scan;
        }
        const __m128i sums = _mm_sad_epu8(counts, zero);
        scan.breaks += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums));
    }
#endif
    return ScanLinesScalar<kFindNul>(p, i, n, scan);
}

// The hits of bytes whose first line has the index firstLine, handed to sink
// in line order.
template <class Sink>
void ScanHits(const Matcher& matcher, std::string_view bytes, long long firstLine, Sink&& sink)
{
    // A line never holds a line break, and the text before the NUL never
    // holds a NUL, so such search texts find nothing.
    if (matcher.IsEmpty() || matcher.HasLineBreak() || matcher.HasNul())
        return;
    // The first scan goes over the raw bytes. No candidate there means none
    // before the NUL either; one past the NUL means the text before it has
    // none, since the scan would have met that one first. What a candidate
    // holds has no NUL, so one that starts before the NUL ends before it.
    std::size_t at = matcher.FindCandidate(bytes);
    if (at == Matcher::npos)
        return;
    const std::string_view text = TextBeforeNul(bytes);
    const bool candidatesAreHits = matcher.CandidatesAreHits();
    // From one hit to the next, the lines between are only counted; a
    // candidate holds no line break, so it lies inside one line.
    std::size_t counted = 0;  // the start of the line with index lineIndex
    long long lineIndex = firstLine;
    while (at < text.size()) {
        const std::size_t start = LineStart(text, counted, at);
        const std::size_t end = FindBreak(text, at);
        const std::string_view line = text.substr(start, end - start);
        if (candidatesAreHits || matcher.LineHolds(line)) {
            lineIndex += ScanLines<false>(text.substr(counted, start - counted)).breaks;
            sink(LineHit{lineIndex, TrimLine(line)});
            counted = AfterBreak(text, end);
            ++lineIndex;
        }
        at = matcher.FindCandidate(text, AfterBreak(text, end));
    }
}

// The end of the last whole line of a block that is not the file's end: just
// after its last line break, or 0 when it holds none. A CR as the very last
// byte is not taken as a break yet, since an LF in the next block may belong
// to it.
std::size_t EndOfWholeLines(std::string_view bytes)
{
    std::size_t end = bytes.size();
    if (end > 0 && bytes[end - 1] == '\r')
        --end;
    const std::size_t start = LineStart(bytes, 0, end);
    return start;
}

// Hands on the hits of the text bytes a read left in the buffer. True when
// the file's text is done: at its end, or at a NUL. Otherwise only the whole
// lines are searched; end tells where they end, and firstLine moves on past
// them. carried is how many bytes at the start were there before the read.
bool TakeBlock(const Matcher& matcher, std::string_view bytes, bool atEnd, std::size_t carried,
               long long& firstLine, std::size_t& end, const HitSink& onHit)
{
    if (atEnd) {
        ScanHits(matcher, bytes, firstLine, onHit);
        return true;
    }
    end = EndOfWholeLines(bytes);
    const LinesScan lines = ScanLines<true>(bytes.substr(0, end));
    const std::size_t newFrom = std::max(end, carried);
    const bool nulInNewBytes =
        newFrom < bytes.size() && std::memchr(bytes.data() + newFrom, 0, bytes.size() - newFrom);
    if (lines.holdsNul || nulInNewBytes) {
        // The text ends at the NUL: nothing after it is searched.
        ScanHits(matcher, bytes, firstLine, onHit);
        return true;
    }
    ScanHits(matcher, bytes.substr(0, end), firstLine, onHit);
    firstLine += lines.breaks;
    return false;
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
    const void* nul = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size());
    return nul ? bytes.substr(0, std::size_t(static_cast<const char*>(nul) - bytes.data())) : bytes;
}

std::vector<TextHit> FindHitLines(const Matcher& matcher, std::string_view fileBytes)
{
    platform::TextBytesReader reader;
    std::vector<TextHit> hits;
    ScanHits(matcher, reader.Add(fileBytes, true), 0,
             [&](const LineHit& hit) { hits.push_back({hit.index, platform::LineText(hit.text)}); });
    return hits;
}

FileBuffer::FileBuffer(std::size_t blockSize)
    : blockSize_(std::max<std::size_t>(blockSize, 1)),
      alignment_(std::clamp<std::size_t>(std::bit_floor(blockSize_ / 2), 1, platform::kPageSize))
{
}

// Keeps the bytes at [from, from + keep) where they are in the larger buffer.
void FileBuffer::Grow(std::size_t from, std::size_t keep)
{
    const std::size_t capacity = std::max(blockSize_, capacity_ * 2);
    platform::PageBuffer data = platform::NewPageBuffer(capacity);
    if (keep > 0)
        std::memcpy(data.get() + from, data_.get() + from, keep);
    data_ = std::move(data);
    capacity_ = capacity;
}

bool FileBuffer::Search(const QString& path, const Matcher& matcher, const HitSink& onHit,
                        const std::atomic<bool>* stop)
{
    platform::TextReader reader(path);
    return reader.IsOpen() && Search(reader, matcher, onHit, stop);
}

bool FileBuffer::Search(platform::TextReader& reader, const Matcher& matcher, const HitSink& onHit,
                        const std::atomic<bool>* stop)
{
    // A line longer than a block made the buffer grow; the next file starts
    // with one block again.
    if (capacity_ != blockSize_) {
        capacity_ = 0;
        Grow(0, 0);
    }
    std::size_t lead = 0;     // where in the buffer the bytes start
    std::size_t carried = 0;  // the start of a line, kept from the block before
    long long firstLine = 0;  // the index of the line the buffer starts with
    for (;;) {
        if (stop && stop->load(std::memory_order_relaxed))
            return false;
        if (lead + carried >= capacity_)
            Grow(lead, carried);
        char* const to = data_.get() + lead + carried;
        const std::optional<platform::TextReader::Piece> piece = reader.Next(to, capacity_ - lead - carried);
        if (!piece)
            return false;
        // Text that was turned into UTF-8 lies in the reader's memory: it
        // joins the carried line here. Text read in place is there already.
        const std::string_view text = piece->text;
        std::string_view bytes = text;
        if (carried > 0) {
            if (!text.empty() && text.data() != to) {
                while (lead + carried + text.size() > capacity_)
                    Grow(lead, carried);
                std::memcpy(data_.get() + lead + carried, text.data(), text.size());
            }
            bytes = std::string_view(data_.get() + lead, carried + text.size());
        }
        std::size_t end = 0;
        if (TakeBlock(matcher, bytes, piece->last, carried, firstLine, end, onHit))
            return true;
        carried = bytes.size() - end;
        // The carried line ends at the file position read up to; the next
        // read then lands at the same place within a page as its bytes in
        // the file. A line of nearly a block leaves no room: the buffer
        // grows at the next read.
        std::size_t nextLead = (reader.Position() - carried) & (alignment_ - 1);
        if (nextLead + carried >= capacity_)
            nextLead = 0;
        // A line carried from the reader's memory may be longer than the
        // buffer; the buffer holds nothing else to keep.
        const bool inBuffer = !std::less<>()(bytes.data(), data_.get()) && std::less<>()(bytes.data(), data_.get() + capacity_);
        while (!inBuffer && carried > capacity_)
            Grow(0, 0);
        if (carried > 0 && bytes.data() + end != data_.get() + nextLead)
            std::memmove(data_.get() + nextLead, bytes.data() + end, carried);
        lead = nextLead;
    }
}

}  // namespace search
