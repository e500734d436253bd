// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/AlternativesScan.h"

#include "search/Simd.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace search {

AlternativesScan::AlternativesScan(std::vector<std::string> forms) : forms_(std::move(forms))
{
    for (const std::string& form : forms_) {
        const auto lead = static_cast<unsigned char>(form.front());
        if (!isLead_[lead]) {
            isLead_[lead] = true;
            leads_.push_back(lead);
        }
    }
}

bool AlternativesScan::FormAt(std::string_view text, std::size_t at) const
{
    const std::string_view rest = text.substr(at);
    return std::any_of(forms_.begin(), forms_.end(),
                       [&](const std::string& form) { return rest.substr(0, form.size()) == form; });
}

std::size_t AlternativesScan::Find(std::string_view text, std::size_t from) const
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = from;
#ifdef FILSOK_SEARCH_SSE2
    // Sixteen bytes at a time against each first byte; a handful of them is
    // the usual case (a letter's two cases in two encodings).
    if (leads_.size() <= 8) {
        __m128i lead[8];
        for (std::size_t k = 0; k < leads_.size(); ++k)
            lead[k] = _mm_set1_epi8(static_cast<char>(leads_[k]));
        for (; i + 16 <= n; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            __m128i any = _mm_cmpeq_epi8(v, lead[0]);
            for (std::size_t k = 1; k < leads_.size(); ++k)
                any = _mm_or_si128(any, _mm_cmpeq_epi8(v, lead[k]));
            for (unsigned mask = unsigned(_mm_movemask_epi8(any)); mask != 0; mask &= mask - 1) {
                const std::size_t at = i + std::size_t(std::countr_zero(mask));
                if (FormAt(text, at))
                    return at;
            }
        }
    }
#endif
    for (; i < n; ++i)
        if (isLead_[p[i]] && FormAt(text, i))
            return i;
    return npos;
}

}  // namespace search
