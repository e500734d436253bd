// SPDX-License-Identifier: GPL-3.0-or-later
// LowerText lowers by the Windows-1252 case table, byte for byte.
#include "uXprocs/uXprocs.h"

#include <gtest/gtest.h>

namespace {

struct LowerRow {
    const char* label;
    std::string text;
    std::string lowered;
};

void PrintTo(const LowerRow& r, std::ostream* os) { *os << r.label; }

const LowerRow kLowerRows[] = {
    {"empty", "", ""},
    {"ascii", "C:\\TMP\\Index.ASP", "c:\\tmp\\index.asp"},
    {"swedish capitals", "\xc5\xc4\xd6 SM\xd6RG\xc5S", "\xe5\xe4\xf6 sm\xf6rg\xe5s"},
    {"already lower", "\xe5\xe4\xf6 abc", "\xe5\xe4\xf6 abc"},
    {"latin-1 capitals", "\xc0\xc9\xce\xd1\xd8\xdc\xdd\xde", "\xe0\xe9\xee\xf1\xf8\xfc\xfd\xfe"},
    {"code page extras", "\x8a\x8c\x8e\x9f", "\x9a\x9c\x9e\xff"},
    {"multiplication sign stays", "\xd7", "\xd7"},
    {"sharp s and lower y stay", "\xdf\xff", "\xdf\xff"},
    {"digits and punctuation stay", "0123 .-_/\\:*?", "0123 .-_/\\:*?"},
    {"NUL inside", std::string("A\0B", 3), std::string("a\0b", 3)},
};

class LowerTextRows : public ::testing::TestWithParam<LowerRow> {};

TEST_P(LowerTextRows, LowersEveryCapitalAndKeepsTheLength)
{
    const LowerRow& row = GetParam();
    const std::string lowered = LowerText(row.text);
    EXPECT_EQ(lowered, row.lowered) << row.label;
    EXPECT_EQ(lowered.size(), row.text.size()) << row.label;
}

INSTANTIATE_TEST_SUITE_P(Texts, LowerTextRows, ::testing::ValuesIn(kLowerRows));

TEST(LowerText, EveryByteMapsToItsLowerCaseAndOnlyCapitalsChange)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string lowered = LowerText(all);
    ASSERT_EQ(lowered.size(), 256u);
    int changed = 0;
    for (int b = 0; b < 256; ++b)
        if (lowered[size_t(b)] != all[size_t(b)])
            ++changed;
    // A-Z, 0xC0-0xDE without 0xD7, and Š Œ Ž Ÿ.
    EXPECT_EQ(changed, 26 + 30 + 4);
    // Lowering twice changes nothing more.
    EXPECT_EQ(LowerText(lowered), lowered);
}

}  // namespace
