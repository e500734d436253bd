// SPDX-License-Identifier: GPL-3.0-or-later
// The file-name decoding reads UTF-8 as characters, keeps every other byte,
// and gives back exactly the bytes it read.
#include "platform/FileName.h"

#include <gtest/gtest.h>

namespace {

using platform::DecodeFileName;
using platform::EncodeFileName;

QString Escaped(std::initializer_list<char16_t> units)
{
    QString text;
    for (const char16_t unit : units)
        text.append(QChar(unit));
    return text;
}

TEST(FileName, DecodesUtf8AsCharactersAndEveryOtherByteAsItsOwnMarkAndBack)
{
    const struct {
        const char* label;
        std::string_view bytes;
        QString text;
    } rows[] = {
        {"empty", "", ""},
        {"ascii", "a b.asp", "a b.asp"},
        {"utf-8", "r\xc3\xa4ksm\xc3\xb6rg\xc3\xa5s.asp", QString::fromUtf8("räksmörgås.asp")},
        {"four-byte character", "\xf0\x9f\x98\x80.txt", QString::fromUtf8("\xf0\x9f\x98\x80.txt")},
        {"latin-1", "r\xe4ksm\xf6rg\xe5s", "r" + Escaped({0xDCE4}) + "ksm" + Escaped({0xDCF6}) + "rg" + Escaped({0xDCE5}) + "s"},
        {"cut sequence inside utf-8", "k\xc3\xa4ll\xe2\x82-\xc3\xb6", QString::fromUtf8("käll") + Escaped({0xDCE2, 0xDC82}) + QString::fromUtf8("-ö")},
        {"cut sequence at the end", "a\xc3", "a" + Escaped({0xDCC3})},
        {"overlong slash", "\xc0\xaf", Escaped({0xDCC0, 0xDCAF})},
        {"encoded surrogate", "\xed\xa0\x80", Escaped({0xDCED, 0xDCA0, 0xDC80})},
        {"beyond U+10FFFF", "\xf4\x90\x80\x80", Escaped({0xDCF4, 0xDC90, 0xDC80, 0xDC80})},
        {"lone continuation and FF", "\x80\xff", Escaped({0xDC80, 0xDCFF})},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DecodeFileName(row.bytes), row.text) << row.label;
        EXPECT_EQ(EncodeFileName(row.text), QByteArray(row.bytes.data(), qsizetype(row.bytes.size()))) << row.label;
    }
    // Every name of one or two bytes comes back as it was.
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            QByteArray bytes(1, char(first));
            if (second >= 0)
                bytes.append(char(second));
            ASSERT_EQ(EncodeFileName(DecodeFileName(bytes.toStdString())), bytes) << first << " " << second;
        }
    }
    // Text that names no bytes: a lone surrogate of no byte, a NUL.
    EXPECT_EQ(EncodeFileName(Escaped({0xDC00, 0xD800})), QByteArray("\xef\xbf\xbd\xef\xbf\xbd"));
    EXPECT_EQ(platform::NativePath(QString("a") + QChar(0) + "b"), QByteArray());
}

}  // namespace
