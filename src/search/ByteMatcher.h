// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The containment test of the search: does a text hold the search text, byte
// for byte or with case ignored by the Windows-1252 case table. Texts are byte
// strings in the ANSI code page.
#include <cstddef>
#include <string>
#include <string_view>

namespace search {

// The text with every byte lowered by the Windows-1252 case table.
std::string LowerAnsi(std::string_view text);

class Matcher {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    Matcher(std::string_view searchText, bool ignoreCase);

    // An empty search text occurs nowhere.
    bool IsEmpty() const { return needle_.empty(); }
    std::size_t Size() const { return needle_.size(); }
    bool IgnoresCase() const { return ignoreCase_; }
    // True when the search text holds CR or LF: no single line can hold it.
    bool HasLineBreak() const { return hasLineBreak_; }
    // True when the search text holds a NUL byte, which no text holds.
    bool HasNul() const { return hasNul_; }

    // Position of the first occurrence in text at or after from, or npos.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;
    bool Contains(std::string_view text) const { return Find(text) != npos; }

private:
    bool MatchesAt(const unsigned char* at) const;
    std::size_t FindScalar(const unsigned char* text, std::size_t from, std::size_t last) const;

    std::string needle_;  // lowered when case is ignored
    bool ignoreCase_;
    bool hasLineBreak_ = false;
    bool hasNul_ = false;
    // Two probe positions in the search text, chosen among its rarest bytes;
    // a place in the text is verified only when both probes fit. Each probe
    // accepts two bytes: the byte and, with case ignored, its capital.
    std::size_t probe1_ = 0;
    std::size_t probe2_ = 0;
    unsigned char p1a_ = 0, p1b_ = 0, p2a_ = 0, p2b_ = 0;
    // True when each probe's two bytes differ in at most one bit (all
    // letters of the code page but ÿ and Ÿ), so one compare tests both.
    bool foldable_ = false;
};

}  // namespace search
