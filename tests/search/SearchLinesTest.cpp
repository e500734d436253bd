// SPDX-License-Identifier: GPL-3.0-or-later
// The line search of one file's bytes: line ends, the NUL cut, trimming, the
// case rule, and the file buffer.
#include "search/FileSearch.h"
#include "search/SearchPipeline.h"
#include "platform/CodePage.h"
#include "platform/FileText.h"

#include "support/TestFiles.h"
#include "support/TestTexts.h"
#include "support/TStringList.h"

#include <QDir>
#include <QStringDecoder>
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

using namespace std::string_literals;
using Hits = std::vector<std::pair<int, std::string>>;

// The hits of a whole file's bytes, each with its text in UTF-8.
Hits Search(const QString& needle, const std::string& bytes, bool ignoreCase)
{
    Hits hits;
    for (const auto& hit : search::FindHitLines(search::Matcher(needle, ignoreCase), bytes))
        hits.emplace_back(int(hit.index), hit.text.toStdString());
    return hits;
}

// A text as UTF-16 bytes with its mark.
std::string Utf16(const QString& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF"s : "\xFF\xFE"s;
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8), low = static_cast<char>(c.unicode() & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// A text as UTF-32 bytes with its mark.
std::string Utf32(const QString& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\0\0\xFE\xFF"s : "\xFF\xFE\0\0"s;
    for (const char32_t c : text.toUcs4()) {
        const char b[4] = {char(c >> 24), char(c >> 16), char(c >> 8), char(c)};
        bytes += bigEndian ? std::string(b, 4) : std::string{b[3], b[2], b[1], b[0]};
    }
    return bytes;
}

struct LinesCase {
    const char* name;
    std::string bytes;
    QString needle;
    bool ignoreCase;
    Hits expected;
};

void PrintTo(const LinesCase& c, std::ostream* os) { *os << c.name; }

class HitLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(HitLines, IndexAndText)
{
    const LinesCase& c = GetParam();
    EXPECT_EQ(Search(c.needle, c.bytes, c.ignoreCase), c.expected);
}

const std::string& kBom = testfiles::kUtf8Mark;
const QString kWelcome = QStringLiteral("<p>Välkommen till vår sida</p>");
const std::string kWelcomeUtf8 = kWelcome.toStdString();
const std::string kWelcomeAnsi = "<p>V\xE4lkommen till v\xE5r sida</p>";

INSTANTIATE_TEST_SUITE_P(
    Lines, HitLines,
    ::testing::Values(
        LinesCase{"Lf", "a\nconn.x\nb\nconn.", "conn.", false, {{1, "conn.x"}, {3, "conn."}}},
        LinesCase{"CrLf", "conn.\r\nx\r\n  conn. y \r\n", "conn.", false, {{0, "conn."}, {2, "conn. y"}}},
        LinesCase{"CrOnly", "x\rconn.\r\r\tconn.\r", "conn.", false, {{1, "conn."}, {3, "conn."}}},
        LinesCase{"Mixed", "a\r\n\nconn.\rb\n\r\nconn.", "conn.", false, {{2, "conn."}, {5, "conn."}}},
        LinesCase{"LastLineWithoutBreak", "x\ny conn.", "conn.", false, {{1, "y conn."}}},
        LinesCase{"FirstLineIsZero", "conn.\n", "conn.", false, {{0, "conn."}}},
        LinesCase{"NulEndsText", "conn.\nab\0conn.\n"s, "conn.", false, {{0, "conn."}}},
        LinesCase{"OnlyAfterNul", "ab\0conn."s, "conn.", false, {}},
        LinesCase{"NulInFirstLine", "a\0b\nconn."s, "conn.", false, {}},
        LinesCase{"TrimEndsOnly", " \t conn.\t x  \x01\x1F\t", "conn.", false, {{0, "conn.\t x"}}},
        // No-break space is a character above 32: it stays.
        LinesCase{"HighBytesNotTrimmed", "\xA0" "conn.\xA0", "conn.", false, {{0, "\u00A0conn.\u00A0"}}},
        LinesCase{"SeveralOnOneLine", "conn.conn. conn.\nconn.", "conn.", false, {{0, "conn.conn. conn."}, {1, "conn."}}},
        LinesCase{"CaseExactMisses", "Conn.Open", "conn.", false, {}},
        LinesCase{"CaseIgnored", "x\nConn.Open", "conn.", true, {{1, "Conn.Open"}}},
        LinesCase{"EmptySearchText", "conn.\n", "", false, {}},
        // The joined text would hold it, a single line never does.
        LinesCase{"SearchTextWithCrLf", "a\r\nb\r\n", "a\r\nb", false, {}},
        LinesCase{"SearchTextWithLf", "a\nb\n", "a\nb", true, {}},
        LinesCase{"NoSpanOverBreak", "conn\n.x", "conn.", false, {}},
        LinesCase{"OnlyBlanksAroundHit", "   conn.   ", "conn.", false, {{0, "conn."}}},
        LinesCase{"LongLines", std::string(70, 'x') + "\n" + std::string(33, ' ') + "conn." + std::string(50, 'y'),
                  "conn.", false, {{1, "conn." + std::string(50, 'y')}}}));

// The same line in every encoding a file may use, under both case rules.
INSTANTIATE_TEST_SUITE_P(
    Encodings, HitLines,
    ::testing::Values(
        LinesCase{"Utf8", "x\n" + kWelcomeUtf8, "välkommen", true, {{1, kWelcomeUtf8}}},
        LinesCase{"Utf8Exact", "x\n" + kWelcomeUtf8, "välkommen", false, {}},
        LinesCase{"Ansi", "x\r\n" + kWelcomeAnsi, "VÄLKOMMEN", true, {{1, kWelcomeUtf8}}},
        LinesCase{"AnsiExact", kWelcomeAnsi, "Välkommen", false, {{0, kWelcomeUtf8}}},
        LinesCase{"AsciiWordInUtf8Line", kWelcomeUtf8, "sida", false, {{0, kWelcomeUtf8}}},
        // The mark is no part of the text.
        LinesCase{"Utf8Mark", kBom + "conn.Open\r\n" + kWelcomeUtf8, "Vår", true,
                  {{1, kWelcomeUtf8}}},
        LinesCase{"Utf8MarkAsciiSearch", kBom + "conn.Open\r\n", "conn.", false, {{0, "conn.Open"}}},
        LinesCase{"Utf16LE", Utf16("a\r\n" + kWelcome + "\r\n", false), "vår", true, {{1, kWelcomeUtf8}}},
        LinesCase{"Utf16BE", Utf16(kWelcome + "\nx", true), "SIDA", true, {{0, kWelcomeUtf8}}},
        LinesCase{"Utf16Exact", Utf16(kWelcome, false), "vÅr", false, {}},
        LinesCase{"Utf32LE", Utf32("a\r\n" + kWelcome + "\r\n😀", false), "vår", true, {{1, kWelcomeUtf8}}},
        LinesCase{"Utf32BE", Utf32(kWelcome + "\n😀 x", true), "😀", false, {{1, "😀 x"}}},
        // The UTF-16 mark and U+0000 are the bytes of the UTF-32 mark.
        LinesCase{"Utf16MarkThenNulIsUtf32", "\xFF\xFE\0\0s\0\0\0"s, "s", false, {{0, "s"}}},
        LinesCase{"Utf32BeyondUnicode", Utf32("x ", false) + "\0\0\x11\0"s, "x", false, {{0, "x \uFFFD"}}},
        // Only the first mark is the file's; one after it is the character
        // U+FEFF, above 32, so no trim takes it.
        LinesCase{"Utf16SecondMarkIsText", Utf16(QChar(0xFEFF) + QStringLiteral("sida"), false), "sida", false,
                  {{0, "\uFEFFsida"}}},
        LinesCase{"Utf8SecondMarkIsText", kBom + kBom + "sida", "sida", false, {{0, "\uFEFFsida"}}},
        // The first U+0000 ends the text; a 0 byte of a character does not.
        LinesCase{"Utf16NulCharacter", Utf16(QStringLiteral("sida\nx") + QChar(0) + QStringLiteral("sida"), false),
                  "sida", false, {{0, "sida"}}},
        LinesCase{"Utf16SurrogatePair", Utf16(QStringLiteral("a 😀 b"), false), "😀", false, {{0, "a 😀 b"}}},
        LinesCase{"Utf16LoneSurrogate", Utf16(QStringLiteral("x") + QChar(0xD800) + QStringLiteral(" sida"), false),
                  "sida", false, {{0, "x\uFFFD sida"}}},
        // Each line of a file without a mark on its own.
        LinesCase{"MixedLines", "\xC3\xA5r\n\xE5r\n\xC5R\n\xC3\x85R", "år", true,
                  {{0, "år"}, {1, "år"}, {2, "ÅR"}, {3, "ÅR"}}},
        LinesCase{"MixedLinesExact", "\xC3\xA5r\n\xE5r\n\xC5R\n\xC3\x85R", "ÅR", false, {{2, "ÅR"}, {3, "ÅR"}}},
        LinesCase{"BrokenLineKeepsOthers", "\xC3\xA4 ok\n\xC3\xA4 \xE4 \xC3\n", "ä", true,
                  {{0, "ä ok"}, {1, "Ã¤ ä Ã"}}},
        // Characters the code page lacks are found only as themselves.
        LinesCase{"AlphaIsNoQuestionMark", "what?\n\xCE\xB1\xCE\xB2\n", "α", false, {{1, "αβ"}}},
        LinesCase{"PolishL", "\xC5\x81\xC3\xB3" "d\xC5\xBA\n?\n", "ł", true, {{0, "Łódź"}}},
        LinesCase{"CjkInUtf8NotInAnsiBytes", "\xE4\xB8\xAD\n\xE4\xB8\xAD", "中", false, {{0, "中"}, {1, "中"}}},
        LinesCase{"SigmaForms", "\xCE\xA3\n\xCF\x83\n\xCF\x82\ns\n", "σ", true, {{0, "Σ"}, {1, "σ"}, {2, "ς"}}},
        LinesCase{"KelvinSignIsK", "\xE2\x84\xAA" "elvin\nkelvin\nKELVIN\n", "kelvin", true,
                  {{0, "\u212Aelvin"}, {1, "kelvin"}, {2, "KELVIN"}}},
        LinesCase{"KelvinSignExact", "\xE2\x84\xAA" "elvin\nkelvin\n", "kelvin", false, {{1, "kelvin"}}},
        LinesCase{"AngstromSign", "\xE2\x84\xAB\n\xE5\n", "Å", true, {{0, "\u212B"}, {1, "å"}}},
        LinesCase{"AnsiUndefinedBytes", "\x81\x8D\x8F\x90\x9D x", "x", false, {{0, "\u0081\u008D\u008F\u0090\u009D x"}}},
        LinesCase{"AnsiEuro", "5 \x80\n", "€", false, {{0, "5 €"}}}));

TEST(TrimLine, RemovesBytesUpToBlankAtBothEnds)
{
    EXPECT_EQ(search::TrimLine(""), "");
    EXPECT_EQ(search::TrimLine(" \t\r\n\x01 "), "");
    EXPECT_EQ(search::TrimLine(std::string("\0a b\0", 5)), "a b");
    EXPECT_EQ(search::TrimLine("!x!"), "!x!");
}

// The plain way: the file's text by the rule (decoded by Qt's own decoders),
// split into lines by the text list, each decoded and compared as a QString.
Hits ReferenceHits(const QString& needle, const std::string& bytes, bool ignoreCase)
{
    std::string text = bytes;
    if (bytes.rfind(kBom, 0) == 0) {
        text = bytes.substr(3);
    } else if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) {
        QStringDecoder decode(bytes[0] == '\xFF' ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        text = QString(decode(QByteArray::fromStdString(bytes.substr(2)))).toStdString();
    }
    // A line is UTF-8 when Qt's decoder finds no fault in it.
    auto lineText = [](const std::string& raw) {
        QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
        const QString text = utf8.decode(QByteArray::fromStdString(raw));
        return utf8.hasError() ? platform::AnsiToQString(raw) : text;
    };
    TStringList list;
    list.SetText(text);
    Hits hits;
    const QString wanted = ignoreCase ? needle.toCaseFolded() : needle;
    for (int j = 0; j < list.Count(); ++j) {
        const QString line = lineText(list[j]);
        if (!wanted.isEmpty() && (ignoreCase ? line.toCaseFolded() : line).contains(wanted))
            hits.emplace_back(j, lineText(std::string(search::TrimLine(list[j]))).toStdString());
    }
    return hits;
}

TEST(HitLines, AgreeWithLineByLineDecodingOnRandomFiles)
{
    std::mt19937 random(77);
    // Pieces of UTF-8 and Windows-1252 text, breaks, and now and then a NUL.
    const std::vector<std::string> pieces = {"a", "A", "k", "b", " ", "\t", "\r", "\n", "\xC3\xA5", "\xC3\x85",
                                             "\xE5", "\xC5", "\xE2\x84\xAA", "\xCF\x83", "\xCF\x82", "\xCE\xA3",
                                             "\x80", "\xC3", "\0"s};
    const std::vector<QString> needles = {"a", "A", "å", "Å", "k", "K", "σ", "aå", "å a", "ka", "Σk", "\u212A"};
    auto make = [&](size_t count, size_t kinds) {
        std::string s;
        for (size_t i = 0; i < count; ++i)
            s += pieces[random() % kinds];
        return s;
    };
    for (int round = 0; round < 4000; ++round) {
        QString needle = needles[random() % needles.size()];
        if (random() % 3 == 0)
            needle += needles[random() % needles.size()];
        std::string bytes = make(random() % 60, round % 3 == 0 ? pieces.size() : pieces.size() - 1);
        if (round % 7 == 0)
            bytes = kBom + bytes;
        else if (round % 7 == 1)
            bytes = Utf16(QString::fromUtf8(QByteArray::fromStdString(bytes)), round % 2 == 0);
        const bool ignoreCase = random() % 2 == 0;
        ASSERT_EQ(Search(needle, bytes, ignoreCase), ReferenceHits(needle, bytes, ignoreCase))
            << "round " << round << " nocase " << ignoreCase << " needle " << needle.toStdString();
    }
}

// What the block reading passes on, with each hit's text copied.
Hits SearchFile(search::FileBuffer& buffer, const QString& path, const search::Matcher& matcher, bool* searched = nullptr)
{
    Hits hits;
    const bool ok = buffer.Search(path, matcher, [&](const search::LineHit& hit) {
        hits.emplace_back(int(hit.index), platform::LineText(hit.text).toStdString());
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

// The search of many files at a time hands each file's hits over in list
// order, whatever order the threads finish in; the first file that cannot
// be read is taken at its turn, with the readable files after it searched
// perhaps but never taken; and no descriptor stays open, also under a limit
// on open files lower than the threads would take.
TEST(SearchPipeline, TakesFilesInListOrderAndStopsAtTheFirstUnreadable)
{
    testfiles::Folder folder;
    QStringList paths;
    std::vector<int> expectedHits;
    for (int i = 0; i < 300; ++i) {
        // Files of very different sizes finish out of order.
        const std::string filler(i % 7 == 0 ? 300000 : 10, 'x');
        paths << folder.Put(QStringLiteral("f%1.asp").arg(i), QByteArray::fromStdString(filler + "\nconn. " + std::to_string(i)));
        expectedHits.push_back(1);
    }
    paths[3] = paths[2];  // the same file twice
    paths.insert(250, folder("missing.asp"));
    const int openBefore = testfiles::OpenDescriptors();
#ifndef _WIN32
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = rlim_t(openBefore) + 3;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
#endif
    for (const int workers : {1, 8}) {
        SCOPED_TRACE(workers);
        search::SearchPipeline pipeline(paths, search::Matcher("conn.", false), {workers, workers, 16, std::size_t(1) << 20});
        for (int i = 0; i < 250; ++i) {
            search::FileHits hits;
            ASSERT_TRUE(pipeline.TakeNext(hits)) << i;
            ASSERT_TRUE(hits.searched) << i;
            const int number = i == 3 ? 2 : i;
            EXPECT_EQ(hits.lines, QStringLiteral("\n%1 Rad:1 | conn. %2").arg(paths[i]).arg(number)) << i;
        }
        search::FileHits missing;
        ASSERT_TRUE(pipeline.TakeNext(missing));
        EXPECT_FALSE(missing.searched);
        EXPECT_EQ(missing.hits, 0);
        pipeline.Stop();
        search::FileHits after;
        EXPECT_FALSE(pipeline.TakeNext(after));
    }
#ifndef _WIN32
    ::setrlimit(RLIMIT_NOFILE, &saved);
#endif
    EXPECT_EQ(testfiles::OpenDescriptors(), openBefore);
}

// A file's size as the open reported it may be out of date by its read: a
// file that shrank is read to its new end, one that grew to its new end
// where a read finds more than was reported.
TEST(FileBuffer, ReadsAFileThatChangedSizeAfterItsOpen)
{
    testfiles::Folder folder;
    const QString path = folder.Put("f.asp", "conn. a\r\nconn. b\r\nconn. c");
    const search::Matcher matcher("conn.", false);
    for (const std::size_t block : {std::size_t(1), std::size_t(5), search::FileBuffer::kBlockSize}) {
        SCOPED_TRACE(block);
        search::FileBuffer buffer(block);
        auto searchOpened = [&](const QByteArray& newBytes) {
            testfiles::Write(path, "conn. a\r\nconn. b\r\nconn. c");
            platform::TextReader reader(path);
            testfiles::Write(path, newBytes);
            Hits hits;
            EXPECT_TRUE(buffer.Search(reader, matcher, [&](const search::LineHit& hit) {
                hits.emplace_back(int(hit.index), std::string(hit.text));
            }));
            return hits;
        };
        EXPECT_EQ(searchOpened("conn. a\r\nco"), (Hits{{0, "conn. a"}}));
        EXPECT_EQ(searchOpened(""), Hits{});
        if (block > 30) {
            EXPECT_EQ(searchOpened("conn. a\r\nconn. b\r\nconn. c\r\nconn. d"),
                      (Hits{{0, "conn. a"}, {1, "conn. b"}, {2, "conn. c"}, {3, "conn. d"}}));
        }
    }
}

// A file read in blocks gives the same hits as the whole file read at once,
// wherever the block edges fall: every block size from 1 byte up is tried,
// so each break, CR LF, NUL and hit of a row lies across an edge for some
// of them.
struct BlockCase {
    const char* name;
    std::string bytes;
    QString needle;
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
        BlockCase{"LettersBeyondAscii", "\xC5ngstr\xF6m\r\n\xE5r\r\n\xC3\xA5r", "å", true},
        BlockCase{"Utf8Mark", kBom + "\xC3\x85r\r\nconn.\r\n", "år", true},
        BlockCase{"Utf8MarkOnly", kBom, "x", false},
        BlockCase{"Utf16LE", Utf16(QStringLiteral("a\r\nvår 😀\r\n\rVÅR"), false), "vår", true},
        BlockCase{"Utf16BE", Utf16(QStringLiteral("x\nconn.\ny") + QChar(0) + "conn.", true), "conn.", false},
        BlockCase{"Utf16OddByteAtEnd", Utf16(QStringLiteral("sida\nsida"), false) + "\x41", "sida", false},
        BlockCase{"Utf32", Utf32(QStringLiteral("x\r\nvår 😀\r\rVÅR"), true) + "\0\0", "vår", true}));

}  // namespace
