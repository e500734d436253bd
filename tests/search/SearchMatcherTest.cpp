// SPDX-License-Identifier: GPL-3.0-or-later
// The byte scan under the search: positions, the ASCII case rule, and the
// vectorised scan checked against a plain byte-by-byte search.
#include "search/ByteMatcher.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using Matcher = search::ByteMatcher;

struct FindCase {
    const char* name;
    std::string needle;
    std::string text;
    bool ignoreCase;
    size_t expected;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class MatcherFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(MatcherFind, FirstOccurrence)
{
    const FindCase& c = GetParam();
    EXPECT_EQ(Matcher(c.needle, c.ignoreCase).Find(c.text), c.expected);
}

constexpr size_t npos = Matcher::npos;

INSTANTIATE_TEST_SUITE_P(
    Cases, MatcherFind,
    ::testing::Values(
        FindCase{"ExactAtStart", "conn.", "conn.Open", false, 0},
        FindCase{"ExactCaseDiffers", "conn.", "Conn.Open", false, npos},
        FindCase{"NocaseCapitalText", "conn.", "x Conn.Open", true, 2},
        FindCase{"NocaseCapitalSearch", "CONN.", "set conn.x", true, 4},
        // Only A to Z fold: bytes beyond ASCII belong to characters whose
        // case the text matcher decides.
        FindCase{"NocaseLeavesHighBytes", "\xC5", "\xE5ngstr\xF6m", true, npos},
        FindCase{"ExactHighBytes", "\xC3\xA5", "x\xC3\xA5", false, 1},
        FindCase{"EmptySearchText", "", "anything", false, npos},
        FindCase{"EmptySearchTextNocase", "", "", true, npos},
        FindCase{"LongerThanText", "conn.open", "conn.", true, npos},
        FindCase{"AtVeryEnd", "xyz", std::string(40, 'a') + "xyz", false, 40},
        FindCase{"PartialAtEnd", "xyz", std::string(40, 'a') + "xy", false, npos},
        FindCase{"OverlappingStart", "aab", "aaab", false, 1},
        FindCase{"SingleByte", "q", std::string(100, 'p') + "q", false, 100},
        FindCase{"SingleByteNocase", "Q", std::string(100, 'p') + "q", true, 100},
        FindCase{"NulInText", "b", std::string("a\0b", 3), false, 2}));

TEST(Matcher, FindFromPosition)
{
    const Matcher m("ab", false);
    const std::string text = "ab ab ab";
    EXPECT_EQ(m.Find(text, 0), 0u);
    EXPECT_EQ(m.Find(text, 1), 3u);
    EXPECT_EQ(m.Find(text, 6), 6u);
    EXPECT_EQ(m.Find(text, 7), npos);
    EXPECT_EQ(m.Find(text, 99), npos);
}

// Every start position and every length around the 16-, 32- and 64-byte
// steps of the scan, with the occurrence in varied case.
TEST(Matcher, FindsAtEveryPositionAcrossBlocks)
{
    for (size_t length = 40; length <= 140; ++length) {
        for (size_t at = 0; at + 5 <= length; ++at) {
            std::string text(length, 'c');
            text.replace(at, 5, "CoNn.");
            EXPECT_EQ(Matcher("conn.", true).Find(text), at) << length << " " << at;
            EXPECT_EQ(Matcher("conn.", false).Find(text), npos) << length << " " << at;
            EXPECT_EQ(Matcher("CoNn.", false).Find(text), at) << length << " " << at;
        }
    }
}

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return text;
}

// The plain definition: the lowered search bytes occur in the lowered text.
size_t ReferenceFind(const std::string& needle, const std::string& text, bool ignoreCase)
{
    if (needle.empty())
        return npos;
    if (!ignoreCase)
        return text.find(needle);
    return LowerAscii(text).find(LowerAscii(needle));
}

TEST(Matcher, AgreesWithPlainSearchOnRandomTexts)
{
    std::mt19937 random(20240611);
    // High bytes that differ from a letter in one bit, and from each other.
    const std::string alphabet = "aAbB \t\xC5\xE5\x8A\x9A\xD7\xF7\xFF\x9F";
    auto make = [&](size_t length) {
        std::string s;
        for (size_t i = 0; i < length; ++i)
            s += alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 4000; ++round) {
        const std::string needle = make(1 + random() % 4);
        const std::string text = make(random() % 200);
        const bool ignoreCase = random() % 2 == 0;
        ASSERT_EQ(Matcher(needle, ignoreCase).Find(text), ReferenceFind(needle, text, ignoreCase))
            << "needle '" << needle << "' text '" << text << "' nocase " << ignoreCase;
    }
}

}  // namespace
