// The line search of one file's bytes: line ends, the NUL cut, trimming, the
// case rule, and the file buffer.
#include "search/FileSearch.h"

#include "support/TestFiles.h"
#include "toolkit/TStringList.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Hits = std::vector<std::pair<int, std::string>>;

Hits Search(const std::string& needle, const std::string& bytes, bool ignoreCase)
{
    std::vector<search::LineHit> found;
    search::FindHitLines(search::Matcher(needle, ignoreCase), bytes, found);
    Hits hits;
    for (const auto& hit : found)
        hits.emplace_back(hit.index, std::string(hit.text));
    return hits;
}

struct LinesCase {
    const char* name;
    std::string bytes;
    std::string needle;
    bool ignoreCase;
    Hits expected;
};

void PrintTo(const LinesCase& c, std::ostream* os) { *os << c.name; }

class HitLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(HitLines, IndexAndTrimmedText)
{
    const LinesCase& c = GetParam();
    EXPECT_EQ(Search(c.needle, c.bytes, c.ignoreCase), c.expected);
}

const std::string kBom = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Cases, HitLines,
    ::testing::Values(
        LinesCase{"Lf", "a\nconn.x\nb\nconn.", "conn.", false, {{1, "conn.x"}, {3, "conn."}}},
        LinesCase{"CrLf", "conn.\r\nx\r\n  conn. y \r\n", "conn.", false, {{0, "conn."}, {2, "conn. y"}}},
        LinesCase{"CrOnly", "x\rconn.\r\r\tconn.\r", "conn.", false, {{1, "conn."}, {3, "conn."}}},
        LinesCase{"Mixed", "a\r\n\nconn.\rb\n\r\nconn.", "conn.", false, {{2, "conn."}, {5, "conn."}}},
        LinesCase{"LastLineWithoutBreak", "x\ny conn.", "conn.", false, {{1, "y conn."}}},
        LinesCase{"FirstLineIsZero", "conn.\n", "conn.", false, {{0, "conn."}}},
        LinesCase{"NulEndsText", std::string("conn.\nab\0conn.\n", 15), "conn.", false, {{0, "conn."}}},
        LinesCase{"OnlyAfterNul", std::string("ab\0conn.", 8), "conn.", false, {}},
        LinesCase{"NulInFirstLine", std::string("a\0b\nconn.", 9), "conn.", false, {}},
        LinesCase{"BomStaysInLine0", kBom + "conn.Open\r\n", "conn.", false, {{0, kBom + "conn.Open"}}},
        LinesCase{"TrimEndsOnly", " \t conn.\t x  \x01\x1F\t", "conn.", false, {{0, "conn.\t x"}}},
        LinesCase{"HighBytesNotTrimmed", "\xA0" "conn.\xA0", "conn.", false, {{0, "\xA0" "conn.\xA0"}}},
        LinesCase{"SeveralOnOneLine", "conn.conn. conn.\nconn.", "conn.", false, {{0, "conn.conn. conn."}, {1, "conn."}}},
        LinesCase{"CaseExactMisses", "Conn.Open", "conn.", false, {}},
        LinesCase{"CaseIgnored", "x\nConn.Open", "conn.", true, {{1, "Conn.Open"}}},
        LinesCase{"RingAIgnored", "\xC5ngstr\xF6m\n\xE5r", "\xE5", true, {{0, "\xC5ngstr\xF6m"}, {1, "\xE5r"}}},
        LinesCase{"RingAExact", "\xC5ngstr\xF6m\n\xE5r", "\xE5", false, {{1, "\xE5r"}}},
        // å typed in the box is byte E5; a file in UTF-8 holds C3 A5.
        LinesCase{"Utf8IsNotAnsi", "\xC3\xA5r", "\xE5", true, {}},
        LinesCase{"EmptySearchText", "conn.\n", "", false, {}},
        // The joined text would hold it, a single line never does.
        LinesCase{"SearchTextWithCrLf", "a\r\nb\r\n", "a\r\nb", false, {}},
        LinesCase{"SearchTextWithLf", "a\nb\n", "a\nb", true, {}},
        LinesCase{"NoSpanOverBreak", "conn\n.x", "conn.", false, {}},
        LinesCase{"OnlyBlanksAroundHit", "   conn.   ", "conn.", false, {{0, "conn."}}},
        LinesCase{"LongLines", std::string(70, 'x') + "\n" + std::string(33, ' ') + "conn." + std::string(50, 'y'),
                  "conn.", false, {{1, "conn." + std::string(50, 'y')}}}));

TEST(TrimLine, RemovesBytesUpToBlankAtBothEnds)
{
    EXPECT_EQ(search::TrimLine(""), "");
    EXPECT_EQ(search::TrimLine(" \t\r\n\x01 "), "");
    EXPECT_EQ(search::TrimLine(std::string("\0a b\0", 5)), "a b");
    EXPECT_EQ(search::TrimLine("!x!"), "!x!");
}

// The plain way: load the text list, test the joined text, then every line.
std::vector<std::pair<int, std::string>> ReferenceHits(const std::string& needle, const std::string& bytes,
                                                       bool ignoreCase)
{
    auto holds = [&](const std::string& text) {
        if (needle.empty())
            return false;
        if (!ignoreCase)
            return text.find(needle) != std::string::npos;
        return search::LowerAnsi(text).find(search::LowerAnsi(needle)) != std::string::npos;
    };
    TStringList list;
    list.SetText(bytes);
    Hits hits;
    if (!holds(list.Text()))
        return hits;
    for (int j = 0; j < list.Count(); ++j)
        if (holds(list[j]))
            hits.emplace_back(j, std::string(search::TrimLine(list[j])));
    return hits;
}

TEST(HitLines, AgreeWithTextListOnRandomFiles)
{
    std::mt19937 random(77);
    const std::string alphabet = std::string("aAb \t\r\n\xC5\xE5", 9) + std::string(1, '\0');
    auto make = [&](size_t length, const std::string& from) {
        std::string s;
        for (size_t i = 0; i < length; ++i)
            s += from[random() % from.size()];
        return s;
    };
    for (int round = 0; round < 4000; ++round) {
        // Now and then a NUL, or a break inside the search text.
        const std::string needle = make(1 + random() % 3, round % 10 == 0 ? alphabet : "aAb \xC5\xE5");
        std::string bytes = make(random() % 120, round % 3 == 0 ? alphabet : alphabet.substr(0, 9));
        const bool ignoreCase = random() % 2 == 0;
        ASSERT_EQ(Search(needle, bytes, ignoreCase), ReferenceHits(needle, bytes, ignoreCase))
            << "round " << round << " nocase " << ignoreCase;
    }
}

TEST(FileBuffer, ReadsWholeFilesAndReusesItself)
{
    testfiles::Folder folder;
    const std::string big(200000, 'z');
    const QString bigPath = folder.Put("big.txt", QByteArray::fromStdString(big + "end"));
    const QString smallPath = folder.Put("small.txt", QByteArray("a\0b", 3));
    const QString emptyPath = folder.Put("empty.txt", QByteArray());

    search::FileBuffer buffer;
    ASSERT_TRUE(buffer.Load(bigPath));
    EXPECT_EQ(buffer.Bytes(), big + "end");
    ASSERT_TRUE(buffer.Load(smallPath));
    EXPECT_EQ(buffer.Bytes(), std::string("a\0b", 3));
    ASSERT_TRUE(buffer.Load(emptyPath));
    EXPECT_EQ(buffer.Bytes(), "");
}

TEST(FileBuffer, RefusesWhatIsNoReadableFile)
{
    testfiles::Folder folder;
    folder.Put("sub/x.txt", "x");
    search::FileBuffer buffer;
    EXPECT_FALSE(buffer.Load(folder("missing.txt")));
    EXPECT_FALSE(buffer.Load(folder("sub")));
    EXPECT_FALSE(buffer.Load(QString()));
    EXPECT_EQ(buffer.Bytes(), "");
}

TEST(FileBuffer, OpensNamesWithNordicLetters)
{
    testfiles::Folder folder;
    const QString path = folder.Put(QStringLiteral("räksmörgås.asp"), "conn.");
    search::FileBuffer buffer;
    ASSERT_TRUE(buffer.Load(path));
    EXPECT_EQ(buffer.Bytes(), "conn.");
}

}  // namespace
