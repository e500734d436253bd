// SPDX-License-Identifier: GPL-3.0-or-later
// The words of a stored position text and their numbers.
#include "settings/PositionText.h"

#include <gtest/gtest.h>

namespace {

struct WordsRow {
    const char* text;
    QStringList words;
};

TEST(PositionWordsTest, SplitsAtBlanksAndCommas)
{
    const WordsRow rows[] = {
        {"10,20,30,40", {"10", "20", "30", "40"}},
        {"10, 20, 30, 40", {"10", "20", "30", "40"}},
        {"10,,20,30,40", {"10", "20", "30", "40"}},
        {" ,, 10 20", {"10", "20"}},
        {"10,20,", {"10", "20"}},
        {"a b,c", {"a", "b", "c"}},
        {"-5,+6", {"-5", "+6"}},
        {"1\t2,3", {"1\t2", "3"}},
        {"", {}},
        {" , ,", {}},
    };
    for (const WordsRow& row : rows)
        EXPECT_EQ(settings::PositionWords(QString::fromUtf8(row.text)), row.words) << row.text;
}

struct FieldRow {
    const char* text;
    int wordNumber;
    int expected;  // with the default 77
};

TEST(PositionFieldTest, ParsesTheWordOrGivesTheDefault)
{
    const FieldRow rows[] = {
        {"10,20,30,40", 1, 10},
        {"10,20,30,40", 4, 40},
        {"10,20,30,40", 5, 77},
        {"10,20,30,40,50", 5, 50},
        {"10,,20", 2, 20},
        {",,,10", 1, 10},
        {"10,20", 3, 77},
        {"-12,20", 1, -12},
        {"+12", 1, 12},
        {"- 12", 1, 77},
        {"-", 1, 77},
        {"12-", 1, 77},
        {"x,20", 1, 77},
        {"1x,20", 1, 77},
        {"0x10", 1, 77},
        {"2147483647", 1, 2147483647},
        {"-2147483648", 1, -2147483647 - 1},
        {"2147483648", 1, 77},
        {"99999999999999999999", 1, 77},
        {"", 1, 77},
        {"10", 0, 77},
        {"10", -1, 77},
    };
    for (const FieldRow& row : rows)
        EXPECT_EQ(settings::PositionField(QString::fromUtf8(row.text), row.wordNumber, 77), row.expected)
            << row.text << " word " << row.wordNumber;
}

}  // namespace
