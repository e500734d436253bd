// SPDX-License-Identifier: GPL-3.0-or-later
// The order of the file list: the user's collation with case ignored.
#include "platform/Collation.h"

#include <gtest/gtest.h>

namespace {

using platform::SortIgnoringCase;

struct SortCase {
    const char* label;
    const char* locale;
    QStringList input;
    QStringList sorted;
};

void PrintTo(const SortCase& c, std::ostream* os) { *os << c.label; }

class Collation : public ::testing::TestWithParam<SortCase> {};

TEST_P(Collation, SortsIgnoringCase)
{
    const SortCase& c = GetParam();
    QStringList texts = c.input;
    SortIgnoringCase(texts, QLocale(QString::fromLatin1(c.locale)));
    EXPECT_EQ(texts, c.sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, Collation,
    ::testing::Values(
        SortCase{"cCase", "C", {"/t/B.asp", "/t/a.asp", "/t/C.asp"}, {"/t/a.asp", "/t/B.asp", "/t/C.asp"}},
        SortCase{"svCase", "sv_SE", {"/t/B.asp", "/t/a.asp", "/t/C.asp"}, {"/t/a.asp", "/t/B.asp", "/t/C.asp"}},
        SortCase{"enCase", "en_US", {"Zeta", "alpha", "Beta", "ALPHA2"}, {"alpha", "ALPHA2", "Beta", "Zeta"}},
        // Swedish puts å, ä, ö after z, in that order.
        SortCase{"svLetters",
                 "sv_SE",
                 {QString::fromUtf8("ö"), QString::fromUtf8("Ä"), "z", QString::fromUtf8("å"), "a"},
                 {"a", "z", QString::fromUtf8("å"), QString::fromUtf8("Ä"), QString::fromUtf8("ö")}},
        // Texts equal but for case come out in one fixed order.
        SortCase{"cTies", "C", {"a.asp", "A.asp", "a.asp"}, {"A.asp", "a.asp", "a.asp"}},
        SortCase{"svTies", "sv_SE", {"a.asp", "A.asp", "b", "a.asp"}, {"A.asp", "a.asp", "a.asp", "b"}},
        SortCase{"empty", "sv_SE", {}, {}},
        SortCase{"one", "C", {"B"}, {"B"}}));

}  // namespace
