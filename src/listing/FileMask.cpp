// SPDX-License-Identifier: GPL-3.0-or-later
// The file-mask matcher.
//
// The mask language is deliberately simpler than a general wildcard matcher:
// the text after a star locks onto its first occurrence anywhere in the name
// part and is never retried, and a literal at pattern position k needs a name
// part of at least k characters. Users' masks have always listed exactly the
// files these rules give, so the rules are kept step by step. Positions are
// full-width, so parts of any length are walked to their end.
#include "listing/FileMask.h"

bool MatchMaskPart(std::u32string_view pattern, std::u32string_view name)
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
        const char32_t p = pattern[k - 1];
        if (p == U'*') {
            if (k == patternLength)
                return true;
            // The segment runs from k+1 up to the last position or the
            // position before the next star; its first character is taken
            // whatever it is, so "**" puts a literal star into it.
            size_t j = k + 1;
            while (j != patternLength && pattern[j] != U'*')
                ++j;
            const std::u32string_view segment = pattern.substr(k, j - k);
            const size_t found = name.find(segment);
            if (found == std::u32string_view::npos)
                return false;
            m = found + 1;
            ++k;
            continue;
        }
        if (p == U'?') {
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

bool MatchFileMask(std::u32string_view mask, std::u32string_view fileName)
{
    // Everything after the first dot is the extension, later dots included.
    std::u32string_view namePattern = mask;
    std::u32string_view extensionPattern = U"*";
    if (const size_t dot = mask.find(U'.'); dot != std::u32string_view::npos) {
        namePattern = mask.substr(0, dot);
        extensionPattern = mask.substr(dot + 1);
    }
    std::u32string_view namePart = fileName;
    std::u32string_view extensionPart;
    if (const size_t dot = fileName.find(U'.'); dot != std::u32string_view::npos) {
        namePart = fileName.substr(0, dot);
        extensionPart = fileName.substr(dot + 1);
    }
    return MatchMaskPart(namePattern, namePart) && MatchMaskPart(extensionPattern, extensionPart);
}

void AppendMaskCharacters(const QString& text, std::u32string& out)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(unit, text[i + 1]));
            ++i;
        } else if (unit.isSurrogate()) {
            out.push_back(QChar::ReplacementCharacter);
        } else {
            out.push_back(unit.unicode());
        }
    }
}
