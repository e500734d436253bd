// SPDX-License-Identifier: GPL-3.0-or-later
// The file-mask matcher on any mask and file name: it always ends, and for
// parts of up to 254 characters it gives the answer of a second, plain
// walk of the same rules kept here.
#include "listing/FileMask.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The rules walked literally with 1-based positions, as a user's mask is
// read: a star's segment locks onto its first occurrence in the whole name
// part, a "?" passes without looking, a literal at pattern position k needs a
// name part of at least k characters.
bool ReferencePart(const std::string& P, const std::string& N)
{
    const size_t lp = P.size();
    const size_t ln = N.size();
    size_t k = 1, m = 1;
    for (;;) {
        if (k > lp)
            return m > ln;
        if (P[k - 1] == '*') {
            if (k == lp)
                return true;
            size_t j = k + 1;
            while (!(j == lp || P[j] == '*'))  // P[j] is position j+1
                ++j;
            const std::string segment = P.substr(k, j - k);
            size_t found = std::string::npos;
            for (size_t s = 0; s + segment.size() <= ln && found == std::string::npos; ++s)
                if (N.compare(s, segment.size(), segment) == 0)
                    found = s;
            if (found == std::string::npos)
                return false;
            m = found + 1;
            k = k + 1;
            continue;
        }
        if (P[k - 1] == '?') {
            ++k;
            ++m;
            continue;
        }
        if (ln < k)
            return false;
        // After a star's jump m may lie past the end even though ln >= k; a
        // name byte that is not there differs from every pattern byte.
        if (m > ln || P[k - 1] != N[m - 1])
            return false;
        ++k;
        ++m;
    }
}

bool ReferenceMask(const std::string& mask, const std::string& file)
{
    std::string namePattern = mask, extPattern = "*";
    const size_t d = mask.find('.');
    if (d != std::string::npos) {
        namePattern = mask.substr(0, d);
        extPattern = mask.substr(d + 1);
    }
    std::string namePart = file, extPart;
    const size_t e = file.find('.');
    if (e != std::string::npos) {
        namePart = file.substr(0, e);
        extPart = file.substr(e + 1);
    }
    return ReferencePart(namePattern, namePart) && ReferencePart(extPattern, extPart);
}

// Each byte as the character of that code, as the matcher takes them.
std::u32string Characters(const std::string& bytes)
{
    std::u32string characters;
    for (const char c : bytes)
        characters.push_back(static_cast<unsigned char>(c));
    return characters;
}

bool PartsInRange(const std::string& text)
{
    const size_t d = text.find('.');
    if (d == std::string::npos)
        return text.size() <= 254;
    return d <= 254 && text.size() - d - 1 <= 254;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The mask ends at the first NUL byte; the rest is the file name.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\0');
    const std::string mask(input.substr(0, cut));
    const std::string file(cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1));

    const bool result = MatchFileMask(Characters(mask), Characters(file));
    if (PartsInRange(mask) && PartsInRange(file) && result != ReferenceMask(mask, file)) {
        std::fprintf(stderr, "mask matcher differs: mask [%s] name [%s] gave %d\n", mask.c_str(),
                     file.c_str(), int(result));
        std::abort();
    }
    // The single-part routine on the raw halves, too.
    const bool part = MatchMaskPart(Characters(mask), Characters(file));
    if (mask.size() <= 254 && file.size() <= 254 && part != ReferencePart(mask, file)) {
        std::fprintf(stderr, "part matcher differs: pattern [%s] name [%s] gave %d\n", mask.c_str(),
                     file.c_str(), int(part));
        std::abort();
    }
    return 0;
}
