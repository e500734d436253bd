// SPDX-License-Identifier: GPL-3.0-or-later
// The line search of one file's bytes: line ends, the NUL cut, trimming, the
// case rule, and the file buffer.
#include "search/FileSearch.h"
#include "search/ReadAhead.h"

#include "support/TestFiles.h"
#include "toolkit/TStringList.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>
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

// What the block reading passes on, with each hit's text copied.
Hits SearchFile(search::FileBuffer& buffer, const QString& path, const search::Matcher& matcher, bool* searched = nullptr)
{
    Hits hits;
    const bool ok = buffer.Search(path, matcher, [&](const search::LineHit& hit) {
        hits.emplace_back(int(hit.index), std::string(hit.text));
    });
    if (searched)
        *searched = ok;
    return hits;
}

TEST(FileBuffer, ReadsWholeFilesAndReusesItself)
{
    testfiles::Folder folder;
    const std::string big(200000, 'z');
    const QString bigPath = folder.Put("big.txt", QByteArray::fromStdString(big + "\nend"));
    const QString smallPath = folder.Put("small.txt", QByteArray("end\0b", 5));
    const QString emptyPath = folder.Put("empty.txt", QByteArray());

    const search::Matcher matcher("end", false);
    search::FileBuffer buffer;
    EXPECT_EQ(SearchFile(buffer, bigPath, matcher), (Hits{{1, "end"}}));
    EXPECT_EQ(SearchFile(buffer, smallPath, matcher), (Hits{{0, "end"}}));
    bool searched = false;
    EXPECT_EQ(SearchFile(buffer, emptyPath, matcher, &searched), Hits{});
    EXPECT_TRUE(searched);
}

TEST(FileBuffer, RefusesWhatIsNoReadableFile)
{
    testfiles::Folder folder;
    folder.Put("sub/x.txt", "x");
    const search::Matcher matcher("x", false);
    search::FileBuffer buffer;
    for (const QString& path : {folder("missing.txt"), folder("sub"), QString()}) {
        bool searched = true;
        EXPECT_EQ(SearchFile(buffer, path, matcher, &searched), Hits{});
        EXPECT_FALSE(searched) << path.toStdString();
    }
}

TEST(FileBuffer, OpensNamesWithNordicLetters)
{
    testfiles::Folder folder;
    const QString path = folder.Put(QStringLiteral("räksmörgås.asp"), "conn.");
    search::FileBuffer buffer;
    EXPECT_EQ(SearchFile(buffer, path, search::Matcher("conn.", false)), (Hits{{0, "conn."}}));
}

// Files asked for ahead are searched through the descriptors opened for
// asking, each its own file; one that could not be opened fails at its turn,
// and the descriptors of a run that stops early are all closed.
TEST(ReadAhead, SearchesEachFileItAskedForAndLeavesNoDescriptorOpen)
{
    testfiles::Folder folder;
    const QStringList paths = {folder.Put("a.asp", "conn. a"), folder("missing.asp"), folder.Put("c.asp", "x\nconn. c"),
                               folder.Put("d.asp", "conn. d")};
    const qsizetype openBefore = QDir("/proc/self/fd").count();
    const search::Matcher matcher("conn.", false);
    search::FileBuffer buffer;
    {
        search::ReadAhead readAhead(paths);
        readAhead.After(-1);
        std::vector<Hits> found;
        for (int i = 0; i < 3; ++i) {
            Hits hits;
            const bool searched = readAhead.Search(i, buffer, matcher, [&](const search::LineHit& hit) {
                hits.emplace_back(int(hit.index), std::string(hit.text));
            });
            EXPECT_EQ(searched, i != 1) << i;
            found.push_back(hits);
        }
        EXPECT_EQ(found, (std::vector<Hits>{{{0, "conn. a"}}, {}, {{1, "conn. c"}}}));
    }
    EXPECT_EQ(QDir("/proc/self/fd").count(), openBefore);
}

// Under a low limit on open files the files held open ahead leave the
// search descriptors enough to open every file itself.
TEST(ReadAhead, LeavesTheSearchDescriptorsUnderALowLimit)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no limit on open files that a program can lower";
#else
    testfiles::Folder folder;
    QStringList paths;
    for (int i = 0; i < 60; ++i)
        paths << folder.Put(QStringLiteral("f%1.asp").arg(i), "conn.");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = rlim_t(QDir("/proc/self/fd").count()) + 24;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    const search::Matcher matcher("conn.", false);
    search::FileBuffer buffer;
    int searched = 0;
    {
        search::ReadAhead readAhead(paths);
        for (int i = 0; i < int(paths.size()); ++i) {
            readAhead.After(i);
            searched += readAhead.Search(i, buffer, matcher, [](const search::LineHit&) {}) ? 1 : 0;
        }
    }
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(searched, int(paths.size()));
#endif
}

// A file read in blocks gives the same hits as the whole file read at once,
// wherever the block edges fall: every block size from 1 byte up is tried,
// so each break, CR LF, NUL and hit of a row lies across an edge for some
// of them. The size the file system reports may also be none, or out of
// date because the file grew or shrank after it was asked for.
struct BlockCase {
    const char* name;
    std::string bytes;
    std::string needle;
    bool ignoreCase;
};

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

class BlockEdges : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockEdges, SameHitsAsWholeFile)
{
    const BlockCase& c = GetParam();
    testfiles::Folder folder;
    const QString path = folder.Put("f.txt", QByteArray::fromStdString(c.bytes));
    const search::Matcher matcher(c.needle, c.ignoreCase);
    const Hits whole = Search(c.needle, c.bytes, c.ignoreCase);
    for (std::size_t block = 1; block <= c.bytes.size() + 1; ++block) {
        search::FileBuffer buffer(block);
        EXPECT_EQ(SearchFile(buffer, path, matcher), whole) << "block size " << block;
        for (std::size_t reported : {std::size_t(0), c.bytes.size() / 2, c.bytes.size() + 7}) {
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
            ASSERT_GE(fd, 0);
            Hits hits;
            EXPECT_TRUE(buffer.Search(fd, reported, matcher, [&](const search::LineHit& hit) {
                hits.emplace_back(int(hit.index), std::string(hit.text));
            }));
            ::close(fd);
            EXPECT_EQ(hits, whole) << "block size " << block << ", reported size " << reported;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockEdges,
    ::testing::Values(
        BlockCase{"LfBreaks", "ab\nconn.\n\nx conn.\ny\nconn.", "conn.", false},
        BlockCase{"CrLfBreaks", "a\r\nconn.\r\n\r\n  conn. \r\nz\r\n", "conn.", false},
        BlockCase{"CrOnlyBreaks", "\r\rconn.\rq\r\rConn.\r", "conn.", true},
        BlockCase{"MixedBreaks", "a\r\n\nconn.\rb\n\r\n\r\rconn.\r\n\n", "conn.", false},
        BlockCase{"NulEndsText", std::string("conn.\r\nab\0conn.\nconn.", 22), "conn.", false},
        BlockCase{"NulOnFirstLine", std::string("xy\0\nconn.\n", 11), "conn.", false},
        BlockCase{"HitOnLastLineWithoutBreak", "a\r\nb\r\nc\r\nthe conn.Open", "conn.Open", false},
        BlockCase{"LongLineWithHit", std::string(40, 'x') + " conn. " + std::string(40, 'y') + "\r\nconn.", "conn.",
                  false},
        BlockCase{"ManyEmptyLines", "\r\n\r\n\n\n\r\r\r\n\n\rconn.\r\n\r\n\nCONN.", "conn.", true},
        BlockCase{"EndsInCr", "conn.\r\r\nconn.\r", "conn.", false},
        BlockCase{"LettersBeyondAscii", "\xC5ngstr\xF6m\r\n\xE5r\r\n", "\xE5", true}));

}  // namespace
