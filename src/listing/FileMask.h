// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file-mask matcher of the listing. It compares characters (code points)
// of the text the window shows, exactly: the caller lowers what it wants
// matched without regard to case.
#include <QString>
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
