// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UTF-8 as the file reading needs it: telling whether bytes are UTF-8,
// decoding them, encoding a character.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// True when every byte is below 0x80.
bool IsAscii(std::string_view bytes);

// True when bytes are well-formed UTF-8: shortest forms only, no surrogate
// halves, nothing above U+10FFFF. Plain ASCII (and an empty text) is valid.
bool IsValidUtf8(std::string_view bytes);

// Writes the UTF-16 units of valid UTF-8 bytes to out (never more units than
// bytes) and returns where it stopped.
char16_t* DecodeUtf8(std::string_view valid, char16_t* out);

// Calls onChar with each code point of valid UTF-8 bytes.
template <class OnChar>
void ForEachUtf8Char(std::string_view valid, OnChar&& onChar)
{
    const auto* p = reinterpret_cast<const unsigned char*>(valid.data());
    const auto* end = p + valid.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            onChar(char32_t(b));
            ++p;
        } else if (b < 0xE0) {
            onChar(char32_t((b & 0x1F) << 6 | (p[1] & 0x3F)));
            p += 2;
        } else if (b < 0xF0) {
            onChar(char32_t((b & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F)));
            p += 3;
        } else {
            onChar(char32_t((b & 0x07) << 18 | (p[1] & 0x3F) << 12 | (p[2] & 0x3F) << 6 | (p[3] & 0x3F)));
            p += 4;
        }
    }
}

// Appends the UTF-8 form of one code point (U+FFFD for a surrogate half or a
// value beyond U+10FFFF) to out and returns where it stopped; four bytes at
// most.
char* EncodeUtf8(char32_t c, char* out);
void AppendUtf8(std::string& out, char32_t c);

}  // namespace platform
