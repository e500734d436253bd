// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Utf8.h"

#include <cstdint>
#include <cstring>

namespace platform {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

bool IsContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The length of the run of ASCII bytes at the start of p[0, n).
std::size_t AsciiRun(const unsigned char* p, std::size_t n)
{
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & kHighBits)
            break;
    }
    while (i < n && p[i] < 0x80)
        ++i;
    return i;
}

}  // namespace

bool IsAscii(std::string_view bytes)
{
    return AsciiRun(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) == bytes.size();
}

bool IsValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        i += AsciiRun(p + i, n - i);
        if (i == n)
            break;
        const unsigned char b = p[i];
        std::size_t length;
        unsigned char low = 0x80;  // allowed range of the second byte
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;  // shorter forms
            else if (b == 0xED)
                high = 0x9F;  // surrogate halves
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;  // above U+10FFFF
        } else {
            return false;  // a continuation byte first, C0, C1 or F5 and above
        }
        if (n - i < length)
            return false;
        if (p[i + 1] < low || p[i + 1] > high)
            return false;
        for (std::size_t k = 2; k < length; ++k)
            if (!IsContinuation(p[i + k]))
                return false;
        i += length;
    }
    return true;
}

char16_t* DecodeUtf8(std::string_view valid, char16_t* out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(valid.data());
    const std::size_t n = valid.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = AsciiRun(p + i, n - i);
        for (std::size_t k = 0; k < run; ++k)
            out[k] = char16_t(p[i + k]);
        out += run;
        i += run;
        // The characters beyond ASCII up to the next ASCII byte.
        while (i < n && p[i] >= 0x80) {
            const unsigned char b = p[i];
            if (b < 0xE0) {
                *out++ = char16_t((b & 0x1F) << 6 | (p[i + 1] & 0x3F));
                i += 2;
            } else if (b < 0xF0) {
                *out++ = char16_t((b & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F));
                i += 3;
            } else {
                const char32_t c = char32_t((b & 0x07) << 18 | (p[i + 1] & 0x3F) << 12 | (p[i + 2] & 0x3F) << 6 |
                                            (p[i + 3] & 0x3F));
                *out++ = char16_t(0xD800 + ((c - 0x10000) >> 10));
                *out++ = char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
                i += 4;
            }
        }
    }
    return out;
}

char* EncodeUtf8(char32_t c, char* out)
{
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        c = 0xFFFD;
    if (c < 0x80) {
        *out++ = char(c);
    } else if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    } else {
        *out++ = char(0xF0 | (c >> 18));
        *out++ = char(0x80 | ((c >> 12) & 0x3F));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c)
{
    char bytes[4];
    out.append(bytes, std::size_t(EncodeUtf8(c, bytes) - bytes));
}

}  // namespace platform
