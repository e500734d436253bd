// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte scan under the search: where a string of bytes occurs, exactly or
// with the case of A to Z ignored. It knows nothing of encodings; the text
// matcher gives it the bytes that every occurrence must hold.
#include <cstddef>
#include <string>
#include <string_view>

namespace search {

class ByteMatcher {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    ByteMatcher(std::string_view bytes, bool ignoreAsciiCase);

    bool IsEmpty() const { return needle_.empty(); }
    std::size_t Size() const { return needle_.size(); }

    // Position of the first occurrence in text at or after from, or npos.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;
    bool Contains(std::string_view text) const { return Find(text) != npos; }

private:
    bool MatchesAt(const unsigned char* at) const;
    std::size_t FindScalar(const unsigned char* text, std::size_t from, std::size_t last) const;

    std::string needle_;  // lowered when case is ignored
    bool ignoreCase_;
    // Two probe positions in the search bytes, chosen among the rarest; a
    // place in the text is verified only when both probes fit. Each probe
    // accepts two bytes: the byte and, with case ignored, its capital.
    std::size_t probe1_ = 0;
    std::size_t probe2_ = 0;
    unsigned char p1a_ = 0, p1b_ = 0, p2a_ = 0, p2b_ = 0;
    // True when each probe's two bytes differ in at most one bit, so one
    // compare tests both.
    bool foldable_ = false;
};

}  // namespace search
