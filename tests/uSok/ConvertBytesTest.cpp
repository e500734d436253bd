// The byte-level side of the conversion: the mark, the UTF-8 test and the
// Windows-1252 encoding, without files.
#include "Utf8Conversion.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace std::string_literals;

struct Utf8Case {
    const char* name;
    std::string bytes;
    bool valid;
};

TEST(ConvertBytes, ValidUtf8)
{
    const Utf8Case cases[] = {
        {"empty", ""s, true},
        {"ascii", "plain <b>text</b>\r\n"s, true},
        {"two-byte ä", "k\xC3\xA4r"s, true},
        {"three-byte euro", "\xE2\x82\xAC"s, true},
        {"four-byte emoji", "\xF0\x9F\x98\x80"s, true},
        {"highest code point", "\xF4\x8F\xBF\xBF"s, true},
        {"mark alone", "\xEF\xBB\xBF"s, true},
        {"ansi ä", "k\xE4r"s, false},
        {"lone continuation", "\x80"s, false},
        {"overlong slash C0", "\xC0\xAF"s, false},
        {"overlong C1", "\xC1\xBF"s, false},
        {"overlong three-byte", "\xE0\x80\xAF"s, false},
        {"overlong four-byte", "\xF0\x80\x80\xAF"s, false},
        {"surrogate half", "\xED\xA0\x80"s, false},
        {"above U+10FFFF", "\xF4\x90\x80\x80"s, false},
        {"F5 lead", "\xF5\x80\x80\x80"s, false},
        {"cut short at end", "ab\xC3"s, false},
        {"cut short three-byte", "\xE2\x82"s, false},
        {"continuation missing", "\xC3\x41"s, false},
        {"third byte not continuation", "\xE2\x82\x41"s, false},
        {"two ansi bytes", "\xEF\xBB"s, false},
        {"undefined ansi bytes", "\x81\x8D\x8F\x90\x9D"s, false},
    };
    for (const Utf8Case& c : cases)
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.name;
}

TEST(ConvertBytes, ClassifiesFilesWithoutTheMark)
{
    const struct {
        const char* name;
        std::string bytes;
        UnmarkedContent kind;
    } cases[] = {
        {"empty", ""s, UnmarkedContent::Ansi},
        {"ascii is encoded (same bytes)", "abc\n"s, UnmarkedContent::Ansi},
        {"utf-8 with ä", "k\xC3\xA4r\n"s, UnmarkedContent::Utf8},
        {"ansi with ä", "k\xE4r\n"s, UnmarkedContent::Ansi},
        {"nul first", "\0abc"s, UnmarkedContent::HoldsNul},
        {"nul in the middle", "ab\0cd"s, UnmarkedContent::HoldsNul},
        {"nul at the end", "abcd\0"s, UnmarkedContent::HoldsNul},
        {"nul in utf-8", "k\xC3\xA4r\0"s, UnmarkedContent::HoldsNul},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyUnmarked(c.bytes), c.kind) << c.name;
}

TEST(ConvertBytes, MarkAtTheStartOnly)
{
    EXPECT_TRUE(StartsWithUtf8Bom("\xEF\xBB\xBF"s));
    EXPECT_TRUE(StartsWithUtf8Bom("\xEF\xBB\xBF\0x"s));
    EXPECT_FALSE(StartsWithUtf8Bom("\xEF\xBB"s));
    EXPECT_FALSE(StartsWithUtf8Bom(""s));
    EXPECT_FALSE(StartsWithUtf8Bom("x\xEF\xBB\xBF"s));
    EXPECT_FALSE(StartsWithUtf8Bom("\xBF\xBB\xEF"s));
}

TEST(ConvertBytes, AnsiToUtf8ByteForByte)
{
    const struct {
        std::string ansi;
        std::string utf8;
    } cases[] = {
        {""s, ""s},
        {"abc\r\n"s, "abc\r\n"s},
        {"\x7F"s, "\x7F"s},
        {"\xE4"s, "\xC3\xA4"s},                   // ä
        {"\xC5\xC4\xD6"s, "\xC3\x85\xC3\x84\xC3\x96"s},  // ÅÄÖ
        {"\xA0"s, "\xC2\xA0"s},
        {"\xFF"s, "\xC3\xBF"s},
        {"\x80"s, "\xE2\x82\xAC"s},  // euro sign, three bytes
        {"\x8A"s, "\xC5\xA0"s},      // Š
        {"\x99"s, "\xE2\x84\xA2"s},  // trade mark sign
        {"\x9F"s, "\xC5\xB8"s},      // Ÿ
        // The five bytes the code page leaves undefined.
        {"\x81\x8D\x8F\x90\x9D"s, "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"s},
        // Bytes that look like UTF-8 are still taken as ANSI characters.
        {"\xC3\xA4"s, "\xC3\x83\xC2\xA4"s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8) << c.ansi;
}

TEST(ConvertBytes, EveryAnsiByteEncodesAsItsCodePageCharacter)
{
    // Decoding the output as UTF-8 gives back the code-page character of
    // each byte, one character per byte.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(char(b));
    const std::string utf8 = AnsiToUtf8(all);
    ASSERT_TRUE(IsValidUtf8(utf8));
    const QString decoded = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    ASSERT_EQ(decoded.size(), 255);
    EXPECT_EQ(decoded[0xE4 - 1], QChar(0x00E4));
    EXPECT_EQ(decoded[0x80 - 1], QChar(0x20AC));
    EXPECT_EQ(decoded[0x8D - 1], QChar(0x008D));
}

TEST(ConvertBytes, OutputWithAndWithoutMark)
{
    EXPECT_EQ(Utf8Output("\xE4\r\n"s, true, false), "\xEF\xBB\xBF\xC3\xA4\r\n"s);
    EXPECT_EQ(Utf8Output("\xE4\r\n"s, false, false), "\xC3\xA4\r\n"s);
    // Text that is UTF-8 already goes out unchanged after the mark.
    EXPECT_EQ(Utf8Output("\xC3\xA4\r\n"s, true, true), "\xEF\xBB\xBF\xC3\xA4\r\n"s);
    EXPECT_EQ(Utf8Output(""s, true, false), "\xEF\xBB\xBF"s);
}

}  // namespace
