// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The containment test of the search: does a line's text hold the search
// text, exactly or with case ignored by Unicode simple case folding. Lines
// come as their bytes, read by the file-text rule (UTF-8 when valid, the
// ANSI code page otherwise).
//
// A search text whose characters have only ASCII forms (the usual case) is
// found by a byte scan alone: its bytes are the same in both encodings and
// occur in UTF-8 only as those characters. Any other search text is found in
// two steps: a byte scan for something every occurrence must hold (a run of
// such characters, or the forms of one character), then the text of each
// line where that occurs is decoded and compared.
//
// A matcher does not change once made, so the threads of a search share one.
#include "search/AlternativesScan.h"
#include "search/ByteMatcher.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace search {

class Matcher {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    Matcher(const QString& searchText, bool ignoreCase);

    // An empty search text occurs nowhere.
    bool IsEmpty() const { return needle_.empty(); }
    bool IgnoresCase() const { return ignoreCase_; }
    // True when the search text holds CR or LF: no single line can hold it.
    bool HasLineBreak() const { return hasLineBreak_; }
    // True when the search text holds a NUL character, which no text holds.
    bool HasNul() const { return hasNul_; }

    // A place in bytes at or after from that the line holding it must be
    // checked for, or npos when no line after from holds the search text.
    std::size_t FindCandidate(std::string_view bytes, std::size_t from = 0) const;
    // True when every candidate is an occurrence, so no line needs a check.
    bool CandidatesAreHits() const { return !verify_; }
    // True when the line's text holds the search text.
    bool LineHolds(std::string_view line) const;
    // The same for any text, line breaks and all, read as one line.
    bool Contains(std::string_view text) const;

private:
    bool DecodedLineHolds(std::string_view line) const;

    std::u32string needle_;  // folded when case is ignored
    bool ignoreCase_;
    bool hasLineBreak_ = false;
    bool hasNul_ = false;
    bool verify_ = false;
    // The candidates: a byte string every occurrence holds, or the forms of
    // one of its characters.
    std::optional<ByteMatcher> anchor_;
    std::optional<AlternativesScan> alternatives_;
    // The search text in ASCII, for lines of ASCII only; none when one of
    // its characters has no ASCII form.
    std::optional<ByteMatcher> ascii_;
};

}  // namespace search
