// SPDX-License-Identifier: GPL-3.0-or-later
// The file-mask matcher on the masks users type and on the names they meet,
// including the places where its simple rules say no.
#include "support/CaseNames.h"
#include "listing/FileMask.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The rows are written as bytes, each standing for the character of that
// code (Latin-1), as a mask and a name reach the matcher.
std::u32string Characters(std::string_view bytes)
{
    std::u32string characters;
    for (const char c : bytes)
        characters.push_back(static_cast<unsigned char>(c));
    return characters;
}

struct MaskRow {
    const char* mask;
    const char* name;
    bool matches;
};

void PrintTo(const MaskRow& r, std::ostream* os)
{
    *os << casenames::Quoted(std::string_view(r.mask)) << " " << casenames::Quoted(std::string_view(r.name)) << " " << (r.matches ? "matches" : "does not match");
}

// Mask and name as the listing hands them over, already lowered.
const MaskRow kMaskRows[] = {
    {"*.asp", "index.asp", true},
    {"*.asp", "index.aspx", false},
    {"*.asp", "asp", false},
    {"*.asp", "page.min.asp", false},
    {"*.*asp", "page.min.asp", true},
    {"*.gz", "archive.tar.gz", false},
    {"*.tar.gz", "archive.tar.gz", true},
    {"*", "readme.txt", true},
    {"readme", "readme.txt", true},
    {"*.*", "makefile", true},
    {"*.", "makefile", true},
    {"*.", "a.txt", false},
    {"*.?", "makefile", true},
    {"*.?", "a.c", true},
    {"*.?", "a.cc", false},
    {"?.txt", "ab.txt", false},
    {"??.txt", "a.txt", true},
    {"????.txt", "abcd.txt", true},
    {"????.txt", "abcde.txt", false},
    {"a?c.txt", "ac.txt", false},
    {"a?c.txt", "abc.txt", true},
    {"*.asp?", "x.asp", true},
    {"a*c.txt", "abc.txt", true},
    {"a*c.txt", "axxc.txt", true},
    {"a*c.txt", "acbc.txt", false},
    {"*c.txt", "cac.txt", false},
    {"*c.txt", "c.txt", false},
    {"*c.txt", "abc.txt", true},
    {"*ab.txt", "abab.txt", false},
    {"a*bc.txt", "abc.txt", false},
    {"a*bc.txt", "abbc.txt", true},
    {"ab*b.txt", "abb.txt", false},
    {"ab*b.txt", "abxb.txt", false},
    {"*b*.txt", "abc.txt", true},
    {"*b*.txt", "b.txt", false},
    {"*.h*", "x.htm", true},
    {"*.h*", "x.h", true},
    {"**.txt", "a.txt", false},
    {"*?.txt", "abc.txt", false},
    {"*a?c", "xabc", false},
    {"a?c*", "abcd", true},
    {"", "a.txt", false},
    {".asp", "x.asp", false},
    {"test*.asp", "test1.asp", true},
    {"*test.asp", "test.asp", false},
    {"*test.asp", "mytest.asp", true},
    // Names that hold the wildcard characters themselves (Linux allows
    // them): the segment after a star is searched for literally.
    {"*?.txt", "a?.txt", true},
    {"**.txt", "*.txt", true},
    {"a**b", "a*b", false},
    // Characters are compared as they are: no case folding in the matcher.
    {"*.ASP", "index.asp", false},
    {"\xc4*.txt", "\xe4pple.txt", false},
    {"\xe4*.txt", "\xe4pple.txt", true},
};

class MatchFileMaskRows : public ::testing::TestWithParam<MaskRow> {};

TEST_P(MatchFileMaskRows, GivesTheDesignedAnswer)
{
    const MaskRow& row = GetParam();
    EXPECT_EQ(MatchFileMask(Characters(row.mask), Characters(row.name)), row.matches) << "mask '" << row.mask << "' name '" << row.name << "'";
}

INSTANTIATE_TEST_SUITE_P(Masks, MatchFileMaskRows, ::testing::ValuesIn(kMaskRows));

struct LongRow {
    std::string label;
    std::string mask;
    std::string name;
    bool matches;
};

void PrintTo(const LongRow& r, std::ostream* os) { *os << r.label; }

// Parts far beyond 255 characters are walked to their end with the same
// rules as short ones.
std::vector<LongRow> LongRows()
{
    const std::string a300(300, 'a');
    const std::string a1000(1000, 'a');
    return {
        {"same 300-char name", a300 + ".txt", a300 + ".txt", true},
        {"one char short", a300 + ".txt", std::string(299, 'a') + ".txt", false},
        {"star before long name", "*.txt", a1000 + ".txt", true},
        {"long extension", "*." + a300, "x." + a300, true},
        {"300 question marks", std::string(300, '?') + ".txt", a300 + ".txt", true},
        {"300 question marks, longer name", std::string(300, '?') + ".txt", a300 + "a.txt", false},
        {"star then long segment at the end", "*" + a300 + "b", a1000 + "b", true},
        {"long segment locks onto its first place", "*" + a300 + "b", a300 + "b" + a300 + "b", false},
        {"many stars", std::string(600, '*'), a1000, false},
        {"alternating stars", [] {
             std::string s;
             for (int i = 0; i < 400; ++i)
                 s += "*a";
             return s;
         }(), a1000, false},
        {"literal at position 260", std::string(259, '?') + "b", std::string(259, 'a') + "b", true},
    };
}

class MatchFileMaskLong : public ::testing::TestWithParam<LongRow> {};

TEST_P(MatchFileMaskLong, EndsWithTheAnswerOfTheRules)
{
    const LongRow& row = GetParam();
    EXPECT_EQ(MatchFileMask(Characters(row.mask), Characters(row.name)), row.matches) << row.label;
}

INSTANTIATE_TEST_SUITE_P(LongParts, MatchFileMaskLong, ::testing::ValuesIn(LongRows()));

}  // namespace
