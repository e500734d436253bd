// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small plain routines of the search window: the file-mask matcher, the
// locale lowercase, the synthetic key press and opening a path with the
// desktop. The mask matcher compares characters (code points) of the text
// the window shows; LowerText works on the ANSI code page's case table.
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

// True when the name part matches one pattern part of a mask.
bool MatchMaskPart(std::u32string_view pattern, std::u32string_view name);
// True when a file name (without folder) matches a mask; mask first.
bool MatchFileMask(std::u32string_view mask, std::u32string_view fileName);
// The characters of a text as the mask matcher compares them, appended to
// out: one code point per character, and a lone surrogate (a byte of a
// file name that is no UTF-8) as the replacement mark the window shows.
void AppendMaskCharacters(const QString& text, std::u32string& out);
// The text with every byte lowered by the Windows-1252 case table.
std::string LowerText(std::string_view text);
// The same for a widget text, character by character: a character outside
// the code page stays as it is (never "?").
QString LowerText(const QString& text);

// One synthetic key event (down, or up when keyUp is true).
void SendKeyEvent(std::uint16_t virtualKey, bool keyUp);
// Key down, then key up; false when sending failed (the error is swallowed).
bool PressKey(std::uint16_t virtualKey);
// Opens a path with the desktop's default application; the result is not
// looked at.
void OpenWithShell(const QString& path);
