// SPDX-License-Identifier: GPL-3.0-or-later
// The system's own ANSI code page (GetACP): its characters through
// MultiByteToWideChar and WideCharToMultiByte, its lower case through
// CharLowerBuffA. The functions that take one byte at a time serve the
// single-byte code pages; a lead byte of a double-byte code page stands for
// itself there.
#include "platform/CodePage.h"

#include <unordered_map>

#include <windows.h>
// windows.h's old name for CharLowerA would rename ours.
#undef AnsiLower

namespace platform {
namespace {

struct SystemCodePage {
    char16_t unicode[256];
    unsigned char lower[256];
    std::unordered_map<char16_t, unsigned char> byteOf;  // the first byte of each character

    SystemCodePage()
    {
        for (int value = 0; value < 256; ++value) {
            char byte = static_cast<char>(value);
            wchar_t wide = 0;
            const bool one = ::MultiByteToWideChar(CP_ACP, 0, &byte, 1, &wide, 1) == 1;
            unicode[value] = one ? char16_t(wide) : char16_t(value);
            ::CharLowerBuffA(&byte, 1);
            lower[value] = static_cast<unsigned char>(byte);
            byteOf.emplace(unicode[value], static_cast<unsigned char>(value));
        }
    }
};

const SystemCodePage& Page()
{
    static const SystemCodePage page;
    return page;
}

}  // namespace

char16_t AnsiToUnicode(unsigned char byte)
{
    return Page().unicode[byte];
}

void AnsiToUnicode(std::string_view text, char16_t* out)
{
    const SystemCodePage& page = Page();
    for (const char c : text)
        *out++ = page.unicode[static_cast<unsigned char>(c)];
}

QString AnsiToQString(std::string_view text)
{
    if (text.empty())
        return QString();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    QString result(length, Qt::Uninitialized);
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), reinterpret_cast<wchar_t*>(result.data()),
                          length);
    return result;
}

std::string QStringToAnsi(const QString& text)
{
    if (text.isEmpty())
        return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    // No flags: a character the code page lacks becomes its best fit or "?".
    const int size = ::WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(size_t(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

int AnsiByteOf(char32_t c)
{
    if (c > 0xFFFF)
        return -1;
    const SystemCodePage& page = Page();
    const auto found = page.byteOf.find(char16_t(c));
    return found == page.byteOf.end() ? -1 : int(found->second);
}

unsigned char AnsiLower(unsigned char byte)
{
    return Page().lower[byte];
}

char16_t AnsiLower(char16_t unit)
{
    const int byte = AnsiByteOf(unit);
    return byte < 0 ? unit : AnsiToUnicode(AnsiLower(static_cast<unsigned char>(byte)));
}

}  // namespace platform
