// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ANSI code page. Linux has none, so the program uses Windows-1252, with
// its five undefined bytes mapped to U+0081, U+008D, U+008F, U+0090 and
// U+009D as the Windows conversion does; on Windows it is the system's own
// (CodePageWindows.cpp).
#include <QString>
#include <string>
#include <string_view>

namespace platform {

// The UTF-16 unit of one Windows-1252 byte.
char16_t AnsiToUnicode(unsigned char byte);
// The whole text as a QString (for widgets).
QString AnsiToQString(std::string_view text);
// Writes the UTF-16 units of the text to out, one per byte.
void AnsiToUnicode(std::string_view text, char16_t* out);
// The Windows-1252 byte of a character, or -1 when the code page lacks it.
int AnsiByteOf(char32_t c);
// A widget text as Windows-1252 bytes; characters outside the code page
// become "?", as the Windows conversion without flags does.
std::string QStringToAnsi(const QString& text);
// The Windows-1252 lower case of one byte: A-Z, À-Þ except ×, and Š, Œ, Ž, Ÿ.
unsigned char AnsiLower(unsigned char byte);
// The same case table for one UTF-16 unit; a unit outside the code page
// stays as it is.
char16_t AnsiLower(char16_t unit);

}  // namespace platform
