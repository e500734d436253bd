// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small plain routines of the search window: the file-mask matcher, the
// locale lowercase, the synthetic key press and opening a path with the
// desktop. Texts are byte strings in the ANSI code page.
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

// True when the name part matches one pattern part of a mask.
bool MatchMaskPart(std::string_view pattern, std::string_view name);
// True when a file name (without folder) matches a mask; mask first.
bool MatchFileMask(std::string_view mask, std::string_view fileName);
// The text with every byte lowered by the Windows-1252 case table.
std::string LowerText(std::string_view text);

// One synthetic key event (down, or up when keyUp is true).
void SendKeyEvent(std::uint16_t virtualKey, bool keyUp);
// Key down, then key up; false when sending failed (the error is swallowed).
bool PressKey(std::uint16_t virtualKey);
// Opens a path with the desktop's default application; the result is not
// looked at.
void OpenWithShell(const QString& path);
