// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ByteMatcher.h"

#include "search/Simd.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace search {
namespace {

struct CaseTable {
    std::array<unsigned char, 256> lower{};
    // The one other byte that lowers to the same byte, or the byte itself.
    std::array<unsigned char, 256> other{};
    CaseTable()
    {
        for (int b = 0; b < 256; ++b) {
            lower[size_t(b)] = static_cast<unsigned char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
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

#ifdef FILSOK_SEARCH_AVX2
FILSOK_AVX2_BEGIN

// The bytes of one probe position that count as a fit, tested with one
// compare: a byte fits when (byte | fold) == want. With case ignored the
// two forms of a letter differ in one bit, which fold sets.
template <bool kFold>
inline __m256i Fits(__m256i bytes, __m256i fold, __m256i want)
{
    if constexpr (kFold)
        bytes = _mm256_or_si256(bytes, fold);
    return _mm256_cmpeq_epi8(bytes, want);
}

struct WideProbe {
    std::size_t offset;  // in the search text
    unsigned char fold;
    unsigned char want;
};

// The scan of ByteMatcher::Find with 64 starts at a time, then 32: every start
// from pos on where both probes fit goes to verify, until one holds. pos is
// left where the wide steps end.
template <bool kFold, class Verify>
std::size_t FindWide(const unsigned char* text, std::size_t& pos, std::size_t last, WideProbe probe1,
                     WideProbe probe2, const Verify& verify)
{
    const __m256i fold1 = _mm256_set1_epi8(static_cast<char>(probe1.fold));
    const __m256i fold2 = _mm256_set1_epi8(static_cast<char>(probe2.fold));
    const __m256i want1 = _mm256_set1_epi8(static_cast<char>(probe1.want));
    const __m256i want2 = _mm256_set1_epi8(static_cast<char>(probe2.want));
    const unsigned char* at1 = text + probe1.offset;
    const unsigned char* at2 = text + probe2.offset;
    // (A lambda would not be compiled for AVX2, hence the macro.)
#define FILSOK_CANDIDATES(from)                                                                        \
    _mm256_and_si256(                                                                                  \
        Fits<kFold>(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at1 + (from))), fold1, want1), \
        Fits<kFold>(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at2 + (from))), fold2, want2))
    for (; pos + 64 <= last + 1; pos += 64) {
        const __m256i low = FILSOK_CANDIDATES(pos);
        const __m256i high = FILSOK_CANDIDATES(pos + 32);
        const __m256i any = _mm256_or_si256(low, high);
        if (_mm256_testz_si256(any, any))
            continue;
        std::uint64_t mask = std::uint64_t(std::uint32_t(_mm256_movemask_epi8(low))) |
                             std::uint64_t(std::uint32_t(_mm256_movemask_epi8(high))) << 32;
        for (; mask != 0; mask &= mask - 1) {
            const std::size_t at = pos + std::size_t(std::countr_zero(mask));
            if (verify(at))
                return at;
        }
    }
    for (; pos + 32 <= last + 1; pos += 32) {
        for (unsigned mask = unsigned(_mm256_movemask_epi8(FILSOK_CANDIDATES(pos))); mask != 0; mask &= mask - 1) {
            const std::size_t at = pos + std::size_t(std::countr_zero(mask));
            if (verify(at))
                return at;
        }
    }
#undef FILSOK_CANDIDATES
    return ByteMatcher::npos;
}

FILSOK_AVX2_END
#endif

}  // namespace

ByteMatcher::ByteMatcher(std::string_view bytes, bool ignoreAsciiCase)
    : needle_(bytes), ignoreCase_(ignoreAsciiCase)
{
    if (ignoreCase_)
        for (char& c : needle_)
            c = static_cast<char>(Case().lower[static_cast<unsigned char>(c)]);
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
    foldable_ = std::popcount(unsigned(p1a_ ^ p1b_)) <= 1 && std::popcount(unsigned(p2a_ ^ p2b_)) <= 1;
}

bool ByteMatcher::MatchesAt(const unsigned char* at) const
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
std::size_t ByteMatcher::FindScalar(const unsigned char* text, std::size_t from, std::size_t last) const
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

std::size_t ByteMatcher::Find(std::string_view haystack, std::size_t from) const
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
#ifdef FILSOK_SEARCH_AVX2
    if (foldable_ && HasAvx2()) {
        const WideProbe probe1{probe1_, static_cast<unsigned char>(p1a_ ^ p1b_), static_cast<unsigned char>(p1a_ | p1b_)};
        const WideProbe probe2{probe2_, static_cast<unsigned char>(p2a_ ^ p2b_), static_cast<unsigned char>(p2a_ | p2b_)};
        auto verify = [this, text](std::size_t at) { return MatchesAt(text + at); };
        const std::size_t found = ignoreCase_ ? FindWide<true>(text, pos, last, probe1, probe2, verify)
                                              : FindWide<false>(text, pos, last, probe1, probe2, verify);
        return found != npos ? found : FindScalar(text, pos, last);
    }
#endif
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
