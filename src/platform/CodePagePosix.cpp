// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage.h"

#include <array>

namespace platform {
namespace {

// 0x80..0x9F of Windows-1252; the rest of the code page equals Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<unsigned char, 256> MakeLowerTable()
{
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[size_t(i)] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[size_t(c)] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            t[size_t(c)] = static_cast<unsigned char>(c + 32);
    t[0x8A] = 0x9A;  // Š š
    t[0x8C] = 0x9C;  // Œ œ
    t[0x8E] = 0x9E;  // Ž ž
    t[0x9F] = 0xFF;  // Ÿ ÿ
    return t;
}

constexpr std::array<unsigned char, 256> kLower = MakeLowerTable();

}  // namespace

char16_t AnsiToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHigh[byte - 0x80];
    return char16_t(byte);
}

void AnsiToUnicode(std::string_view text, char16_t* out)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t(byte);
    }
}

QString AnsiToQString(std::string_view text)
{
    QString result(qsizetype(text.size()), Qt::Uninitialized);
    AnsiToUnicode(text, reinterpret_cast<char16_t*>(result.data()));
    return result;
}

int AnsiByteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

std::string QStringToAnsi(const QString& text)
{
    std::string result;
    result.reserve(size_t(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            result.push_back(static_cast<char>(u));
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] == u) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        result.push_back(mapped);
    }
    return result;
}

unsigned char AnsiLower(unsigned char byte)
{
    return kLower[byte];
}

char16_t AnsiLower(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return AnsiToUnicode(kLower[unit]);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == unit)
            return AnsiToUnicode(kLower[0x80 + i]);
    return unit;
}

}  // namespace platform
