#include "search/SearchMatcher.h"

#include "platform/CodePage.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define FILSOK_SEARCH_SSE2 1
#endif

namespace search {
namespace {

struct CaseTable {
    std::array<unsigned char, 256> lower{};
    // The one other byte that lowers to the same byte, or the byte itself.
    std::array<unsigned char, 256> other{};
    CaseTable()
    {
        for (int b = 0; b < 256; ++b) {
            lower[size_t(b)] = platform::AnsiLower(static_cast<unsigned char>(b));
            other[size_t(b)] = static_cast<unsigned char>(b);
        }
        for (int b = 0; b < 256; ++b) {
            const unsigned char l = lower[size_t(b)];
            if (l != b)
                other[l] = static_cast<unsigned char>(b);
        }
    }
};

const CaseTable& Case()
{
    static const CaseTable table;
    return table;
}

// How common a byte is in web pages and scripts, higher is more common; the
// probes go to the rarest bytes of the search text so that few places need a
// closer look.
int Commonness(unsigned char b)
{
    static constexpr std::string_view kByFrequency =
        " e\tt\nao\rirsnlcdhu<>=\"/pm.f-_g(y)b;,w:v0k1'{}x2#&[]j3!zq5+*$?@|4%^~\\698";
    const std::size_t at = kByFrequency.find(static_cast<char>(b));
    if (at != std::string_view::npos)
        return int(kByFrequency.size() - at) + 8;
    if (b >= 'A' && b <= 'Z')
        return 6;
    return b < 0x80 ? 2 : 1;
}

}  // namespace

std::string LowerAnsi(std::string_view text)
{
    const auto& lower = Case().lower;
    std::string result(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        result[i] = static_cast<char>(lower[static_cast<unsigned char>(text[i])]);
    return result;
}

Matcher::Matcher(std::string_view searchText, bool ignoreCase)
    : needle_(ignoreCase ? LowerAnsi(searchText) : std::string(searchText)), ignoreCase_(ignoreCase)
{
    hasLineBreak_ = needle_.find_first_of("\r\n") != std::string::npos;
    hasNul_ = needle_.find('\0') != std::string::npos;
    if (needle_.empty())
        return;
    const auto& other = Case().other;
    auto weight = [&](std::size_t i) {
        const unsigned char b = static_cast<unsigned char>(needle_[i]);
        return ignoreCase_ ? Commonness(b) + Commonness(other[b]) : Commonness(b);
    };
    probe1_ = 0;
    for (std::size_t i = 1; i < needle_.size(); ++i)
        if (weight(i) < weight(probe1_))
            probe1_ = i;
    probe2_ = probe1_;
    for (std::size_t i = 0; i < needle_.size(); ++i)
        if (i != probe1_ && (probe2_ == probe1_ || weight(i) < weight(probe2_)))
            probe2_ = i;
    p1a_ = static_cast<unsigned char>(needle_[probe1_]);
    p2a_ = static_cast<unsigned char>(needle_[probe2_]);
    p1b_ = ignoreCase_ ? other[p1a_] : p1a_;
    p2b_ = ignoreCase_ ? other[p2a_] : p2a_;
}

bool Matcher::MatchesAt(const unsigned char* at) const
{
    const std::size_t n = needle_.size();
    if (!ignoreCase_)
        return std::memcmp(at, needle_.data(), n) == 0;
    const auto& lower = Case().lower;
    const unsigned char* needle = reinterpret_cast<const unsigned char*>(needle_.data());
    for (std::size_t i = 0; i < n; ++i)
        if (lower[at[i]] != needle[i])
            return false;
    return true;
}

// Tries every start from `from` up to and including `last`.
std::size_t Matcher::FindScalar(const unsigned char* text, std::size_t from, std::size_t last) const
{
    for (std::size_t pos = from; pos <= last; ++pos) {
        const unsigned char c1 = text[pos + probe1_];
        if (c1 != p1a_ && c1 != p1b_)
            continue;
        const unsigned char c2 = text[pos + probe2_];
        if (c2 != p2a_ && c2 != p2b_)
            continue;
        if (MatchesAt(text + pos))
            return pos;
    }
    return npos;
}

std::size_t Matcher::Find(std::string_view haystack, std::size_t from) const
{
    const std::size_t n = needle_.size();
    const std::size_t m = haystack.size();
    if (n == 0 || from > m || m - from < n)
        return npos;
    const auto* text = reinterpret_cast<const unsigned char*>(haystack.data());
    const std::size_t last = m - n;  // the last start that fits

    if (n == 1 && p1a_ == p1b_) {
        const void* hit = std::memchr(text + from, p1a_, m - from);
        return hit ? std::size_t(static_cast<const unsigned char*>(hit) - text) : npos;
    }

    std::size_t pos = from;
#ifdef FILSOK_SEARCH_SSE2
    // Sixteen starts at a time: a start is a candidate when the text holds an
    // accepted byte at both probe positions. Loads stay inside the text
    // because the probes lie within the search text.
    const __m128i a1 = _mm_set1_epi8(static_cast<char>(p1a_));
    const __m128i b1 = _mm_set1_epi8(static_cast<char>(p1b_));
    const __m128i a2 = _mm_set1_epi8(static_cast<char>(p2a_));
    const __m128i b2 = _mm_set1_epi8(static_cast<char>(p2b_));
    while (pos + 16 <= last + 1) {
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + pos + probe1_));
        const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + pos + probe2_));
        const __m128i eq1 = _mm_or_si128(_mm_cmpeq_epi8(v1, a1), _mm_cmpeq_epi8(v1, b1));
        const __m128i eq2 = _mm_or_si128(_mm_cmpeq_epi8(v2, a2), _mm_cmpeq_epi8(v2, b2));
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(eq1, eq2)));
        while (mask != 0) {
            const std::size_t at = pos + std::size_t(std::countr_zero(mask));
            if (MatchesAt(text + at))
                return at;
            mask &= mask - 1;
        }
        pos += 16;
    }
#endif
    return FindScalar(text, pos, last);
}

}  // namespace search
