// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/SearchMatcher.h"

#include "platform/CaseFolding.h"
#include "platform/CodePage.h"
#include "platform/Utf8.h"

#include <QList>
#include <algorithm>
#include <vector>

namespace search {
namespace {

// What one character of the search text may be in a file.
struct CharForms {
    std::vector<char32_t> chars;       // the characters it matches
    std::vector<std::string> encoded;  // their bytes in UTF-8 and in the code page, each once
    bool asciiOnly = true;             // every one of them is ASCII
    int asciiForm = -1;                // one that is ASCII, if any
};

CharForms FormsOf(char32_t c, bool ignoreCase)
{
    CharForms forms;
    forms.chars = ignoreCase ? platform::CaseForms(c) : std::vector<char32_t>{c};
    for (const char32_t form : forms.chars) {
        if (form < 0x80) {
            if (forms.asciiForm < 0)
                forms.asciiForm = int(form);
        } else {
            forms.asciiOnly = false;
        }
        std::string utf8;
        platform::AppendUtf8(utf8, form);
        forms.encoded.push_back(utf8);
        const int ansi = platform::AnsiByteOf(form);
        if (ansi >= 0x80)
            forms.encoded.push_back(std::string(1, static_cast<char>(ansi)));
    }
    std::sort(forms.encoded.begin(), forms.encoded.end());
    forms.encoded.erase(std::unique(forms.encoded.begin(), forms.encoded.end()), forms.encoded.end());
    return forms;
}

// How well the forms of a character pick out candidates, lower is better:
// few first bytes, none of them ASCII.
int Spread(const CharForms& forms)
{
    std::vector<char> leads;
    bool asciiLead = false;
    for (const std::string& bytes : forms.encoded) {
        leads.push_back(bytes.front());
        asciiLead = asciiLead || static_cast<unsigned char>(bytes.front()) < 0x80;
    }
    std::sort(leads.begin(), leads.end());
    const auto distinct = std::unique(leads.begin(), leads.end()) - leads.begin();
    return int(distinct) + (asciiLead ? 16 : 0);
}

}  // namespace

Matcher::Matcher(const QString& searchText, bool ignoreCase) : ignoreCase_(ignoreCase)
{
    for (const char32_t c : searchText.toUcs4()) {
        hasLineBreak_ = hasLineBreak_ || c == '\r' || c == '\n';
        hasNul_ = hasNul_ || c == 0;
        needle_.push_back(ignoreCase ? platform::FoldCase(c) : c);
    }
    if (needle_.empty())
        return;

    std::vector<CharForms> forms;
    std::string ascii;  // each character's ASCII form, where it has one
    bool allAsciiOnly = true;
    bool allHaveAscii = true;
    for (const char32_t c : needle_) {
        forms.push_back(FormsOf(c, ignoreCase));
        allAsciiOnly = allAsciiOnly && forms.back().asciiOnly;
        allHaveAscii = allHaveAscii && forms.back().asciiForm >= 0;
        ascii.push_back(static_cast<char>(std::max(forms.back().asciiForm, 0)));
    }
    if (allHaveAscii)
        ascii_.emplace(ascii, ignoreCase);
    if (allAsciiOnly) {
        // The bytes are the search text in both encodings: a byte match is a hit.
        anchor_.emplace(ascii, ignoreCase);
        return;
    }
    verify_ = true;

    // The longest run of characters with ASCII forms only.
    std::size_t runStart = 0, runSize = 0;
    for (std::size_t i = 0; i < forms.size();) {
        std::size_t j = i;
        while (j < forms.size() && forms[j].asciiOnly)
            ++j;
        if (j - i > runSize) {
            runStart = i;
            runSize = j - i;
        }
        i = j + 1;
    }
    // The character whose forms pick out the fewest places.
    std::size_t best = 0;
    for (std::size_t i = 1; i < forms.size(); ++i)
        if (Spread(forms[i]) < Spread(forms[best]))
            best = i;
    const bool runIsBetter = runSize >= 3 || (runSize > 0 && Spread(forms[best]) >= 16);
    if (runIsBetter) {
        anchor_.emplace(std::string_view(ascii).substr(runStart, runSize), ignoreCase);
    } else if (forms[best].encoded.size() == 1) {
        anchor_.emplace(forms[best].encoded.front(), false);
    } else {
        alternatives_.emplace(forms[best].encoded);
    }
}

std::size_t Matcher::FindCandidate(std::string_view bytes, std::size_t from) const
{
    if (needle_.empty() || from > bytes.size())
        return npos;
    if (anchor_)
        return anchor_->Find(bytes, from);
    return alternatives_->Find(bytes, from);
}

bool Matcher::DecodedLineHolds(std::string_view line) const
{
    // Each thread decodes into a buffer of its own, kept for its memory.
    thread_local std::u32string decoded;
    decoded.clear();
    auto put = [this](char32_t c) { decoded.push_back(ignoreCase_ ? platform::FoldCase(c) : c); };
    if (platform::IsValidUtf8(line)) {
        platform::ForEachUtf8Char(line, put);
    } else {
        for (const char byte : line)
            put(platform::AnsiToUnicode(static_cast<unsigned char>(byte)));
    }
    return std::u32string_view(decoded).find(needle_) != std::u32string_view::npos;
}

bool Matcher::LineHolds(std::string_view line) const
{
    if (needle_.empty())
        return false;
    if (!verify_)
        return anchor_->Contains(line);
    if (platform::IsAscii(line))
        return ascii_ && ascii_->Contains(line);
    return DecodedLineHolds(line);
}

bool Matcher::Contains(std::string_view text) const
{
    return FindCandidate(text) != npos && LineHolds(text);
}

}  // namespace search
