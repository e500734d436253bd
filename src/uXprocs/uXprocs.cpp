// SPDX-License-Identifier: GPL-3.0-or-later
// The file-mask matcher and the locale lowercase.
//
// The mask language is deliberately simpler than a general wildcard matcher:
// the text after a star locks onto its first occurrence anywhere in the name
// part and is never retried, and a literal at pattern position k needs a name
// part of at least k characters. Users' masks have always listed exactly the
// files these rules give, so the rules are kept step by step. Positions are
// full-width, so parts of any length are walked to their end.
#include "uXprocs/uXprocs.h"

#include "platform/CodePage.h"

bool MatchMaskPart(std::string_view pattern, std::string_view name)
{
    // k and m are 1-based positions in pattern and name.
    const size_t patternLength = pattern.size();
    const size_t nameLength = name.size();
    size_t k = 1;
    size_t m = 1;
    // k grows by one in every round, so the loop ends after at most
    // patternLength + 1 rounds.
    for (;;) {
        if (k > patternLength)
            return m > nameLength;
        const char p = pattern[k - 1];
        if (p == '*') {
            if (k == patternLength)
                return true;
            // The segment runs from k+1 up to the last position or the
            // position before the next star; its first character is taken
            // whatever it is, so "**" puts a literal star into it.
            size_t j = k + 1;
            while (j != patternLength && pattern[j] != '*')
                ++j;
            const std::string_view segment = pattern.substr(k, j - k);
            const size_t found = name.find(segment);
            if (found == std::string_view::npos)
                return false;
            m = found + 1;
            ++k;
            continue;
        }
        if (p == '?') {
            ++k;
            ++m;
            continue;
        }
        // A literal: the name part's length is tested against the pattern
        // position. The name position is checked as well, so that no input
        // reads past the end of the name.
        if (nameLength < k || m > nameLength || p != name[m - 1])
            return false;
        ++k;
        ++m;
    }
}

bool MatchFileMask(std::string_view mask, std::string_view fileName)
{
    // Everything after the first dot is the extension, later dots included.
    std::string_view namePattern = mask;
    std::string_view extensionPattern = "*";
    if (const size_t dot = mask.find('.'); dot != std::string_view::npos) {
        namePattern = mask.substr(0, dot);
        extensionPattern = mask.substr(dot + 1);
    }
    std::string_view namePart = fileName;
    std::string_view extensionPart;
    if (const size_t dot = fileName.find('.'); dot != std::string_view::npos) {
        namePart = fileName.substr(0, dot);
        extensionPart = fileName.substr(dot + 1);
    }
    return MatchMaskPart(namePattern, namePart) && MatchMaskPart(extensionPattern, extensionPart);
}

std::string LowerText(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered)
        c = static_cast<char>(platform::AnsiLower(static_cast<unsigned char>(c)));
    return lowered;
}
