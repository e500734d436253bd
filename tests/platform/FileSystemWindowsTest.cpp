// SPDX-License-Identifier: GPL-3.0-or-later
// Attribute words and enumerations as Windows gives them, and folder
// readers that close what they open.
#include "platform/FileSystem.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QMap>
#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace platform;

void SetAttributes(const QString& path, DWORD attributes)
{
    ASSERT_TRUE(::SetFileAttributesW(path.toStdWString().c_str(), attributes)) << path.toStdString();
}

// Wine reports the archive bit of every file, whatever was set; the other
// bits are compared as they stand.
std::uint32_t WithoutArchive(std::uint32_t attributes)
{
    return attributes == kInvalidAttributes ? attributes : attributes & ~kAttrArchive;
}

class FileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Put("page.asp", "x");
        SetAttributes(dir.Put("hidden.asp", "x"), FILE_ATTRIBUTE_HIDDEN);
        SetAttributes(dir.Put("system.asp", "x"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
        SetAttributes(dir.Put("readonly.txt", "x"), FILE_ATTRIBUTE_READONLY);
        ASSERT_TRUE(QDir().mkpath(dir("inc")));
        dir.Put(QString::fromUtf8("inc/ψ.asp"), "x");  // outside every ANSI code page
    }

    void TearDown() override { SetAttributes(dir("readonly.txt"), FILE_ATTRIBUTE_NORMAL); }

    testfiles::Folder dir;
};

TEST_F(FileSystem, AttributeWordsAreTheSystemsOwn)
{
    const struct {
        const char* name;
        std::uint32_t attributes;
    } rows[] = {
        {"page.asp", kAttrArchive},
        {"hidden.asp", kAttrHidden},
        {"system.asp", kAttrSystem | kAttrArchive},
        {"readonly.txt", kAttrReadOnly},
        {"inc", kAttrDirectory},
        {"inc\\", kAttrDirectory},
        {"missing", kInvalidAttributes},
        {"page.asp\\below", kInvalidAttributes},
    };
    for (const auto& row : rows)
        EXPECT_EQ(WithoutArchive(FileAttributes(dir(row.name))), WithoutArchive(row.attributes)) << row.name;
    EXPECT_EQ(FileAttributes(QString()), kInvalidAttributes);
}

TEST_F(FileSystem, EnumerationYieldsEveryEntryWithItsWord)
{
    QMap<QString, std::uint32_t> seen;
    FolderReader reader(dir.Path());
    ASSERT_TRUE(reader.IsOpen());
    while (reader.Next())
        seen.insert(reader.DisplayName(), reader.Attributes());
    EXPECT_EQ(seen.keys(), QStringList({".", "..", "hidden.asp", "inc", "page.asp", "readonly.txt", "system.asp"}));
    EXPECT_EQ(WithoutArchive(seen.value("hidden.asp")), kAttrHidden);
    EXPECT_EQ(seen.value("system.asp"), kAttrSystem | kAttrArchive);

    FolderReader inc(dir("inc"));
    QStringList names;
    while (inc.Next())
        if (inc.Kind() == EntryKind::File)
            names.append(inc.DisplayName());
    EXPECT_EQ(names, QStringList({QString::fromUtf8("ψ.asp")}));
}

TEST_F(FileSystem, ReadersCloseTheirFolderWhenTheyGo)
{
    DWORD before = 0;
    DWORD now = 0;
    ASSERT_TRUE(::GetProcessHandleCount(::GetCurrentProcess(), &before));
    if (before == 0)
        GTEST_SKIP() << "the system does not count the process's handles (Wine)";
    {
        FolderReader a(dir.Path());
        FolderReader moved = std::move(a);
        EXPECT_FALSE(a.IsOpen());
        ASSERT_TRUE(moved.IsOpen());
        moved.Next();
        FolderReader sub(dir("inc"));
        EXPECT_NE(sub.Id(), moved.Id());
        EXPECT_EQ(FolderReader(dir("inc") + "\\.").Id(), sub.Id());
        sub = std::move(moved);  // the folder sub held is closed here
        ASSERT_TRUE(::GetProcessHandleCount(::GetCurrentProcess(), &now));
        EXPECT_EQ(now, before + 1);
    }
    ASSERT_TRUE(::GetProcessHandleCount(::GetCurrentProcess(), &now));
    EXPECT_EQ(now, before);
}

}  // namespace
