// SPDX-License-Identifier: GPL-3.0-or-later
// Attribute words of real paths, and folder readers that close what they open.
// What the enumeration yields is shown by the listing's own tests.
#include "platform/FileSystem.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace platform;

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

class FileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Put("page.asp", "x");
        dir.Put(".htaccess", "x");
        dir.Put("readonly.txt", "x");
        ASSERT_EQ(::chmod(Native(dir("readonly.txt")).constData(), 0444), 0);
        ASSERT_TRUE(QDir().mkpath(dir("inc")));
        ASSERT_TRUE(QDir().mkpath(dir(".git")));
        ASSERT_EQ(::symlink("inc", Native(dir("incLink")).constData()), 0);
        ASSERT_EQ(::symlink("page.asp", Native(dir("pageLink")).constData()), 0);
        ASSERT_EQ(::symlink("gone", Native(dir("dead")).constData()), 0);
    }

    testfiles::Folder dir;
};

TEST_F(FileSystem, AttributeWordsOfPaths)
{
    const bool root = ::geteuid() == 0;  // root may write a 0444 file
    const struct {
        const char* name;
        std::uint32_t attributes;
    } rows[] = {
        {"page.asp", kAttrArchive},
        {".htaccess", kAttrArchive | kAttrHidden},
        {"readonly.txt", kAttrArchive | (root ? 0u : kAttrReadOnly)},
        {"inc", kAttrDirectory},
        {"inc/", kAttrDirectory},
        {".git", kAttrDirectory | kAttrHidden},
        {"incLink", kAttrDirectory},
        {"pageLink", kAttrArchive},
        {"dead", kInvalidAttributes},
        {"missing", kInvalidAttributes},
        {"page.asp/below", kInvalidAttributes},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FileAttributes(dir(row.name)), row.attributes) << row.name;
    EXPECT_EQ(FileAttributes(QString()), kInvalidAttributes);
}

TEST_F(FileSystem, ReadersCloseTheirFolderWhenTheyGo)
{
    const int before = testfiles::OpenDescriptors();
    {
        FolderReader a(dir.Path());
        FolderReader moved = std::move(a);
        EXPECT_FALSE(a.IsOpen());
        ASSERT_TRUE(moved.IsOpen());
        moved.Next();
        FolderReader sub(dir("inc"));
        sub = std::move(moved);  // the folder sub held is closed here
        EXPECT_EQ(testfiles::OpenDescriptors(), before + 1);
    }
    EXPECT_EQ(testfiles::OpenDescriptors(), before);
}

}  // namespace
