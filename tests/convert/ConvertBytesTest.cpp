// SPDX-License-Identifier: GPL-3.0-or-later
// The byte-level side of the conversion that the runs on files do not reach:
// which byte sequences count as UTF-8 already, and the code-page characters
// beyond those the file tests use.
#include "convert/FileConversion.h"
#include "convert/Utf8Conversion.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using namespace std::string_literals;

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
        {"ansi ä", "k\xE4r"s, false},
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
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.name;
        // Read in pieces, one block of a file after the other, wherever
        // the pieces end the answer is that for the whole.
        for (size_t piece = 1; piece <= c.bytes.size(); ++piece) {
            UnmarkedClassifier classifier;
            for (size_t at = 0; at < c.bytes.size(); at += piece)
                classifier.Add(std::string_view(c.bytes).substr(at, piece));
            EXPECT_EQ(classifier.Result(), ClassifyUnmarked(c.bytes)) << c.name << ", pieces of " << piece;
        }
    }
    // Only text with a byte of 0x80 or above counts as unmarked UTF-8.
    EXPECT_FALSE(IsUnmarkedUtf8("abc"s));
    EXPECT_TRUE(IsUnmarkedUtf8("\xC3\xA4"s));
}

TEST(ConvertBytes, CodePageCharacters)
{
    const struct {
        std::string ansi;
        std::string utf8;
    } cases[] = {
        {"\x7F"s, "\x7F"s},
        {"\xC5\xC4\xD6"s, "\xC3\x85\xC3\x84\xC3\x96"s},  // ÅÄÖ
        {"\xA0\xFF"s, "\xC2\xA0\xC3\xBF"s},
        {"\x8A\x9F"s, "\xC5\xA0\xC5\xB8"s},  // Š Ÿ
        {"\x99"s, "\xE2\x84\xA2"s},          // trade mark sign
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.ansi;
}

// The conversion of a file read in blocks: each text in pieces of every
// size, and the file itself in blocks of two bytes, give the same output,
// however its line breaks and characters fall across the edges.
TEST(ConvertBytes, SameOutputInAnyBlocks)
{
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        const char* name;
        std::string bytes;
        std::string output;
    } cases[] = {
        {"crlf and lone breaks", "a\r\nb\rc\nd"s, bom + "a\r\nb\r\nc\r\nd\r\n"},
        {"blank lines", "\n\r\r\n\r\n\n"s, bom + "\r\n\r\n\r\n\r\n\r\n"},
        {"ends in cr", "x\r"s, bom + "x\r\n"},
        {"ansi letters", "k\xE4r\r\n\x80"s, bom + "k\xC3\xA4r\r\n\xE2\x82\xAC\r\n"},
        {"utf-8 kept", "k\xC3\xA4r\n\xF0\x9F\x98\x80\xE2\x82\xAC"s,
         bom + "k\xC3\xA4r\r\n\xF0\x9F\x98\x80\xE2\x82\xAC\r\n"},
        {"utf-8 cut at the end is ansi", "\xC3\xA4\xC3"s, bom + "\xC3\x83\xC2\xA4\xC3\x83\r\n"},
    };
    testfiles::Folder folder;
    for (const auto& c : cases) {
        const bool utf8 = ClassifyUnmarked(c.bytes) == UnmarkedContent::Utf8;
        for (size_t piece = 1; piece <= c.bytes.size(); ++piece) {
            Utf8Writer writer(utf8);
            std::string out;
            for (size_t at = 0; at < c.bytes.size(); at += piece)
                writer.Add(std::string_view(c.bytes).substr(at, piece), out);
            writer.Finish(out);
            EXPECT_EQ(out, c.output) << c.name << ", pieces of " << piece;
        }
        const QString path = folder.Put(c.name, QByteArray::fromStdString(c.bytes));
        EXPECT_EQ(ConvertUnmarkedFile(path, 2), FileConversion::Converted) << c.name;
        EXPECT_EQ(testfiles::Read(path).toStdString(), c.output) << c.name;
    }
}

}  // namespace
