// SPDX-License-Identifier: GPL-3.0-or-later
// The text list: loading a file as bytes, the line rules, the joined text.
#include "support/TStringList.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(TStringList, SplitsAtEveryKindOfBreak)
{
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\rb\r\nc\n", {"a", "b", "c"}},
        {"\r\n\r\n", {"", ""}},
        {"\n\r", {"", ""}},
        {std::string("a\nb\0c\nd", 7), {"a", "b"}},
        {std::string("\0a", 2), {}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetText(c.bytes);
        EXPECT_EQ(list.Strings(), c.lines) << c.bytes;
    }
}

TEST(TStringList, JoinsEveryLineWithCrLf)
{
    TStringList list;
    list.SetText("a\rb\n\nc");
    EXPECT_EQ(list.Text(), "a\r\nb\r\n\r\nc\r\n");
    list.Clear();
    EXPECT_EQ(list.Text(), "");
}

TEST(TStringList, LoadsFilesOfAnySizeAsBytes)
{
    testfiles::Folder folder;
    std::string big;
    for (int i = 0; i < 30000; ++i)
        big += "rad " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    const QString bigPath = folder.Put("big.asp", QByteArray::fromStdString(big));
    const QString smallPath = folder.Put("small.asp", "\xEF\xBB\xBF\xE5r\r\n");

    TStringList list;
    list.LoadFromFile(bigPath);
    ASSERT_EQ(list.Count(), 30000);
    EXPECT_EQ(list[29999], "rad 29999");
    list.LoadFromFile(smallPath);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], "\xEF\xBB\xBF\xE5r");

    std::string buffer = "left over";
    ASSERT_TRUE(ReadWholeFile(bigPath, buffer));
    EXPECT_EQ(buffer, big);
    ASSERT_TRUE(ReadWholeFile(folder.Put("empty.asp", QByteArray()), buffer));
    EXPECT_EQ(buffer, "");
}

TEST(TStringList, CannotOpenNamesThePathAsGiven)
{
    testfiles::Folder folder;
    folder.Put("sub/x.asp", "x");
    // Only a regular file is opened: a pipe or a device would hold the
    // window, or read as an empty file.
    const QString paths[] = {folder("missing.asp"), folder("sub"), QString(), folder.PutPipe("pipe.asp"),
                             QStringLiteral("/dev/null")};
    for (const QString& path : paths) {
        TStringList list;
        try {
            list.LoadFromFile(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), ("Cannot open file " + path).toStdString());
        }
        std::string buffer = "x";
        EXPECT_FALSE(ReadWholeFile(path, buffer));
        EXPECT_EQ(buffer, "");
    }
}

}  // namespace
