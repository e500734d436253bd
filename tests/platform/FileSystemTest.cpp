// Attribute words and folder enumeration on real files.
#include "platform/FileSystem.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <map>
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
        ASSERT_EQ(::mkfifo(Native(dir("pipe")).constData(), 0644), 0);
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

TEST_F(FileSystem, EnumerationYieldsEveryEntryWithItsKind)
{
    FolderReader reader(dir.Path());
    ASSERT_TRUE(reader.IsOpen());
    std::map<std::string, EntryKind> kinds;
    std::map<std::string, std::uint32_t> attributes;
    while (reader.Next()) {
        const std::string name(reader.Name());
        kinds[name] = reader.Kind();
        attributes[name] = reader.Attributes();
    }
    const std::map<std::string, EntryKind> expected = {
        {".", EntryKind::Directory},       {"..", EntryKind::Directory},   {"page.asp", EntryKind::File},
        {".htaccess", EntryKind::File},    {"readonly.txt", EntryKind::File}, {"inc", EntryKind::Directory},
        {".git", EntryKind::Directory},    {"incLink", EntryKind::Directory}, {"pageLink", EntryKind::File},
        {"dead", EntryKind::Other},        {"pipe", EntryKind::Other},
    };
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(attributes["inc"], kAttrDirectory);
    EXPECT_EQ(attributes[".htaccess"], kAttrArchive | kAttrHidden);
    EXPECT_EQ(attributes["pipe"] & (kAttrDirectory | kAttrArchive), 0u);
    EXPECT_EQ(attributes["dead"] & (kAttrDirectory | kAttrArchive), 0u);
    EXPECT_FALSE(reader.Next());
}

TEST_F(FileSystem, OpeningEntriesFollowsLinksAndKnowsTheFolder)
{
    FolderReader start(dir.Path());
    ASSERT_TRUE(start.IsOpen());
    std::map<std::string, FileId> ids;
    std::map<std::string, bool> opened;
    while (start.Next()) {
        FolderReader sub = start.OpenEntry();
        opened[std::string(start.Name())] = sub.IsOpen();
        if (sub.IsOpen())
            ids[std::string(start.Name())] = sub.Id();
    }
    EXPECT_TRUE(opened["inc"]);
    EXPECT_TRUE(opened["incLink"]);
    EXPECT_FALSE(opened["page.asp"]);
    EXPECT_FALSE(opened["pageLink"]);
    EXPECT_FALSE(opened["dead"]);
    EXPECT_FALSE(opened["pipe"]);
    EXPECT_EQ(ids["inc"], ids["incLink"]);
    EXPECT_EQ(ids["."], start.Id());
    EXPECT_FALSE(ids["inc"] == start.Id());
}

TEST_F(FileSystem, ReadersOfWhatIsNoFolderAreClosedAndYieldNothing)
{
    for (const char* name : {"missing", "page.asp", "dead", "pipe", ""}) {
        FolderReader reader(*name ? dir(name) : QString());
        EXPECT_FALSE(reader.IsOpen()) << name;
        EXPECT_FALSE(reader.Next()) << name;
    }
}

int OpenDescriptors()
{
    return int(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size());
}

TEST_F(FileSystem, ReadersCloseTheirFolderWhenTheyGo)
{
    const int before = OpenDescriptors();
    {
        FolderReader a(dir.Path());
        FolderReader moved = std::move(a);
        EXPECT_FALSE(a.IsOpen());
        ASSERT_TRUE(moved.IsOpen());
        moved.Next();
        FolderReader sub(dir("inc"));
        sub = std::move(moved);  // the folder sub held is closed here
        EXPECT_EQ(OpenDescriptors(), before + 1);
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
