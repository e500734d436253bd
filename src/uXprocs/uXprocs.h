// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small plain routines of the search window: the locale lowercase, the
// synthetic key press and opening a path with the desktop (the file-mask
// matcher is the listing's, listing/FileMask.h). LowerText works on the ANSI
// code page's case table.
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

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
