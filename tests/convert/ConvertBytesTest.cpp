// SPDX-License-Identifier: GPL-3.0-or-later
// The byte-level side of the conversion that the runs on files do not reach:
// which byte sequences count as UTF-8 already, the code-page characters,
// UTF-16, and that a search finds the same text before and after.
#include "convert/FileConversion.h"
#include "convert/Utf8Conversion.h"
#include "platform/Utf8.h"
#include "search/FileSearch.h"
#include "support/TestFiles.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using namespace std::string_literals;

const std::string& kBom = testfiles::kUtf8Mark;

TEST(ConvertBytes, ValidUtf8)
{
    const struct {
        const char* name;
        std::string bytes;
        bool valid;
    } cases[] = {
        {"empty", ""s, true},
        {"ascii", "plain <b>text</b>\r\n"s, true},
        {"two-byte ä", "k\xC3\xA4r"s, true},
        {"three-byte euro", "\xE2\x82\xAC"s, true},
        {"four-byte emoji", "\xF0\x9F\x98\x80"s, true},
        {"highest code point", "\xF4\x8F\xBF\xBF"s, true},
        {"after a long ascii run", std::string(37, 'a') + "\xC3\xA4"s, true},
        {"ansi ä", "k\xE4r"s, false},
        {"ansi ä after a long ascii run", std::string(37, 'a') + "\xE4"s, false},
        {"lone continuation", "\x80"s, false},
        {"overlong C0", "\xC0\xAF"s, false},
        {"overlong C1", "\xC1\xBF"s, false},
        {"overlong three-byte", "\xE0\x80\xAF"s, false},
        {"overlong four-byte", "\xF0\x80\x80\xAF"s, false},
        {"surrogate half", "\xED\xA0\x80"s, false},
        {"above U+10FFFF", "\xF4\x90\x80\x80"s, false},
        {"F5 lead", "\xF5\x80\x80\x80"s, false},
        {"cut short at end", "ab\xC3"s, false},
        {"cut short three-byte", "\xE2\x82"s, false},
        {"second byte not continuation", "\xC3\x41"s, false},
        {"third byte not continuation", "\xE2\x82\x41"s, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::IsValidUtf8(c.bytes), c.valid) << c.name;
}

// The conversion of a file read in blocks: each file's bytes in pieces of
// every size, and the file itself in blocks of two bytes, give the same
// output, however its marks, line breaks and characters fall across the
// edges. Lines are judged one by one: UTF-8 ones stay, others come from the
// code page.
TEST(ConvertBytes, SameOutputInAnyBlocks)
{
    const struct {
        const char* name;
        std::string bytes;
        std::string output;
    } cases[] = {
        {"crlf and lone breaks", "a\r\nb\rc\nd"s, kBom + "a\r\nb\r\nc\r\nd\r\n"},
        {"blank lines", "\n\r\r\n\r\n\n"s, kBom + "\r\n\r\n\r\n\r\n\r\n"},
        {"ends in cr", "x\r"s, kBom + "x\r\n"},
        {"ansi letters", "k\xE4r\r\n\x80\x99\x8A\x9F\xA0\xFF"s,
         kBom + "k\xC3\xA4r\r\n\xE2\x82\xAC\xE2\x84\xA2\xC5\xA0\xC5\xB8\xC2\xA0\xC3\xBF\r\n"},
        {"utf-8 kept", "k\xC3\xA4r\n\xF0\x9F\x98\x80\xE2\x82\xAC"s,
         kBom + "k\xC3\xA4r\r\n\xF0\x9F\x98\x80\xE2\x82\xAC\r\n"},
        {"utf-8 cut at the end is ansi", "\xC3\xA4\xC3"s, kBom + "\xC3\x83\xC2\xA4\xC3\x83\r\n"},
        {"mixed lines", "\xC3\xA4\r\n\xE4\n\xC3\xA4 \xE4"s, kBom + "\xC3\xA4\r\n\xC3\xA4\r\n\xC3\x83\xC2\xA4 \xC3\xA4\r\n"},
        {"utf-16le", "\xFF\xFE" "a\0\r\0\n\0\xE4\0\xAC\x20\x3D\xD8\x00\xDE\r\0"s,
         kBom + "a\r\n\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\r\n"},
        {"utf-16be", "\xFE\xFF\0a\0\n\0\xE5"s, kBom + "a\r\n\xC3\xA5\r\n"},
        {"utf-32le", "\xFF\xFE\0\0a\0\0\0\n\0\0\0\x00\xF6\x01\0"s, kBom + "a\r\n\xF0\x9F\x98\x80\r\n"},
        {"utf-32be", "\0\0\xFE\xFF\0\0\0\xE5"s, kBom + "\xC3\xA5\r\n"},
    };
    testfiles::Folder folder;
    for (const auto& c : cases) {
        for (size_t piece = 1; piece <= c.bytes.size(); ++piece) {
            platform::TextBytesReader reader;
            Utf8Writer writer;
            std::string out;
            for (size_t at = 0; at < c.bytes.size(); at += piece)
                writer.Add(reader.Add(std::string_view(c.bytes).substr(at, piece)), out);
            writer.Add(reader.Finish(), out);
            writer.Finish(out);
            EXPECT_EQ(out, c.output) << c.name << ", pieces of " << piece;
        }
        EXPECT_EQ(Utf8Output(c.bytes, true), c.output) << c.name;
        const QString path = folder.Put(c.name, QByteArray::fromStdString(c.bytes));
        EXPECT_EQ(ConvertUnmarkedFile(path, 2), FileConversion::Converted) << c.name;
        EXPECT_EQ(testfiles::Read(path).toStdString(), c.output) << c.name;
    }
}

// What is left alone: a NUL character ends a text, so a rewrite would lose
// the rest; a broken UTF-16 text would be written with replacement marks.
// A 0 byte that is half of a UTF-16 character is no NUL.
TEST(ConvertBytes, LeavesAloneWhatItCannotWriteWhole)
{
    const struct {
        const char* name;
        std::string bytes;
        UnmarkedContent kind;
    } cases[] = {
        {"nul byte", "ab\0c"s, UnmarkedContent::HoldsNul},
        {"utf-16 nul character", "\xFF\xFE" "a\0\0\0"s, UnmarkedContent::HoldsNul},
        {"utf-16 zero bytes of characters", "\xFF\xFE" "a\0b\0"s, UnmarkedContent::Text},
        {"utf-16 lone high surrogate", "\xFF\xFE\x3D\xD8" "a\0"s, UnmarkedContent::BrokenUtf16},
        {"utf-16 lone low surrogate", "\xFE\xFF\xDC\x00"s, UnmarkedContent::BrokenUtf16},
        {"utf-16 odd byte", "\xFF\xFE" "a\0b"s, UnmarkedContent::BrokenUtf16},
        {"utf-32 beyond unicode", "\0\0\xFE\xFF\0\x11\0\0"s, UnmarkedContent::BrokenUtf16},
        {"utf-32 unfinished unit", "\xFF\xFE\0\0a\0\0"s, UnmarkedContent::BrokenUtf16},
    };
    testfiles::Folder folder;
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyUnmarked(c.bytes), c.kind) << c.name;
        const QString path = folder.Put(c.name, QByteArray::fromStdString(c.bytes));
        const bool utf32 = c.bytes.starts_with("\xFF\xFE\0\0"s) || c.bytes.starts_with("\0\0\xFE\xFF"s);
        const FileConversion expected = c.kind == UnmarkedContent::HoldsNul ? FileConversion::HoldsNul
                                        : c.kind != UnmarkedContent::BrokenUtf16 ? FileConversion::Converted
                                        : utf32                                  ? FileConversion::BrokenUtf32
                                                                                 : FileConversion::BrokenUtf16;
        EXPECT_EQ(ConvertUnmarkedFile(path, 3), expected) << c.name;
        if (expected != FileConversion::Converted) {
            EXPECT_EQ(testfiles::Read(path).toStdString(), c.bytes) << c.name;
        }
    }
}

// For any file, a search reports the same lines with the same text before
// and after the conversion.
TEST(ConvertBytes, SearchFindsTheSameTextAfterwards)
{
    std::mt19937 random(2026);
    const std::vector<std::string> pieces = {"a", "S", "s", " ", "\t", "\r", "\n", "\r\n", "\xC3\xA5", "\xC3\x85",
                                             "\xE5", "\xC5", "\xC5\xBF", "\x80", "\xC3", "\xE2\x82", "\xF0\x9F\x98\x80"};
    const std::vector<QString> needles = {"a", "s", "å", "Å", "€", "sa", "å s", "😀", "\u00C3"};
    testfiles::Folder folder;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes;
        for (std::size_t n = random() % 40; n > 0; --n)
            bytes += pieces[random() % pieces.size()];
        if (round % 5 == 0) {
            const QString text = QString::fromUtf8(QByteArray::fromStdString(bytes));
            bytes = round % 2 ? "\xFF\xFE"s : "\xFE\xFF"s;
            for (const QChar c : text) {
                const char high = static_cast<char>(c.unicode() >> 8), low = static_cast<char>(c.unicode() & 0xFF);
                bytes += round % 2 ? std::string{low, high} : std::string{high, low};
            }
        }
        const QString path = folder.Put(QStringLiteral("f%1.txt").arg(round), QByteArray::fromStdString(bytes));
        std::vector<std::vector<search::TextHit>> before;
        for (const QString& needle : needles)
            for (const bool ignoreCase : {false, true})
                before.push_back(search::FindHitLines(search::Matcher(needle, ignoreCase), bytes));
        ASSERT_EQ(ConvertUnmarkedFile(path, 1 + random() % 7), FileConversion::Converted) << "round " << round;
        const std::string after = testfiles::Read(path).toStdString();
        std::size_t i = 0;
        for (const QString& needle : needles)
            for (const bool ignoreCase : {false, true})
                ASSERT_EQ(search::FindHitLines(search::Matcher(needle, ignoreCase), after), before[i++])
                    << "round " << round << " needle " << needle.toStdString() << " nocase " << ignoreCase;
    }
}

}  // namespace
