// Writing a file's new content: the file holds either its old bytes or all
// of the new ones, keeps its mode and owner, and links stay links.
#include "SafeFileWrite.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct stat StatOf(const QString& path)
{
    struct stat st{};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st;
}

struct stat LstatOf(const QString& path)
{
    struct stat st{};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st;
}

void Chmod(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

QStringList Names(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Removes the write limit whatever way a test ends.
struct WriteLimit {
    explicit WriteLimit(qint64 bytes) { SetWriteLimitForTesting(bytes); }
    ~WriteLimit() { SetWriteLimitForTesting(-1); }
};

class SafeWrite : public ::testing::Test {
protected:
    testfiles::Folder dir;
};

TEST_F(SafeWrite, ReplacesContentAndKeepsModeBits)
{
    for (mode_t mode : {0600, 0640, 0644, 0755, 0700, 04755}) {
        const QString path = dir.Put(QString("f%1").arg(mode, 0, 8), "old content that is longer");
        Chmod(path, mode);
        ASSERT_EQ(WriteFileSafely(path, "new"), SafeWriteResult::Written);
        EXPECT_EQ(testfiles::Read(path), QByteArray("new"));
        EXPECT_EQ(StatOf(path).st_mode & 07777, mode) << std::oct << mode;
    }
    // No temporary file is left beside them.
    EXPECT_EQ(Names(dir.Path()).size(), 6);
}

TEST_F(SafeWrite, CreatesAMissingFile)
{
    const QString path = dir("new.asp");
    ASSERT_EQ(WriteFileSafely(path, "abc"), SafeWriteResult::Written);
    EXPECT_EQ(testfiles::Read(path), QByteArray("abc"));
}

TEST_F(SafeWrite, WritesThroughASymbolicLink)
{
    const QString target = dir.Put("target.asp", "old");
    const QString link = dir("link.asp");
    ASSERT_EQ(::symlink("target.asp", QFile::encodeName(link).constData()), 0);
    ASSERT_EQ(WriteFileSafely(link, "new"), SafeWriteResult::Written);
    EXPECT_TRUE(S_ISLNK(LstatOf(link).st_mode));
    EXPECT_EQ(testfiles::Read(target), QByteArray("new"));
    EXPECT_EQ(Names(dir.Path()), QStringList({"link.asp", "target.asp"}));
}

TEST_F(SafeWrite, RewritesAHardLinkedFileInPlace)
{
    const QString first = dir.Put("a.asp", "old content, longer than the new");
    const QString second = dir("b.asp");
    ASSERT_EQ(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()), 0);
    Chmod(first, 04750);
    const ino_t inode = StatOf(first).st_ino;
    ASSERT_EQ(WriteFileSafely(first, "new"), SafeWriteResult::Written);
    EXPECT_EQ(StatOf(first).st_mode & 07777, mode_t(04750));
    EXPECT_EQ(testfiles::Read(first), QByteArray("new"));
    EXPECT_EQ(testfiles::Read(second), QByteArray("new"));
    EXPECT_EQ(StatOf(first).st_ino, inode);
    EXPECT_EQ(StatOf(second).st_nlink, nlink_t(2));
}

TEST_F(SafeWrite, RefusesReadOnlyFilesAlsoForRoot)
{
    for (mode_t mode : {0444, 0400, 0000, 0044, 0555}) {
        const QString path = dir.Put(QString("ro%1").arg(mode, 0, 8), "old");
        Chmod(path, mode);
        EXPECT_EQ(WriteFileSafely(path, "new"), SafeWriteResult::CannotCreate) << std::oct << mode;
        Chmod(path, 0600);  // to read it back as any user
        EXPECT_EQ(testfiles::Read(path), QByteArray("old"));
    }
    const QString linked = dir.Put("linked", "old");
    ASSERT_EQ(::link(QFile::encodeName(linked).constData(), QFile::encodeName(dir("linked2")).constData()), 0);
    Chmod(linked, 0444);
    EXPECT_EQ(WriteFileSafely(linked, "new"), SafeWriteResult::CannotCreate);
    EXPECT_EQ(StatOf(linked).st_mode & 07777, mode_t(0444));
    EXPECT_EQ(testfiles::Read(linked), QByteArray("old"));
}

TEST_F(SafeWrite, RefusesWhatIsNoPlainFile)
{
    ASSERT_TRUE(QDir().mkpath(dir("folder")));
    EXPECT_EQ(WriteFileSafely(dir("folder"), "new"), SafeWriteResult::CannotCreate);
    EXPECT_EQ(WriteFileSafely(QString(), "new"), SafeWriteResult::CannotCreate);
    EXPECT_EQ(WriteFileSafely(dir("no-such-folder/a.asp"), "new"), SafeWriteResult::CannotCreate);
}

TEST_F(SafeWrite, FolderWithoutWriteRightKeepsTheFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write in any folder";
    const QString path = dir.Put("locked/a.asp", "old");
    Chmod(dir("locked"), 0555);
    EXPECT_EQ(WriteFileSafely(path, "new"), SafeWriteResult::CannotCreate);
    EXPECT_EQ(testfiles::Read(path), QByteArray("old"));
    EXPECT_EQ(Names(dir("locked")), QStringList({"a.asp"}));
    Chmod(dir("locked"), 0755);
}

TEST_F(SafeWrite, FailedWriteLeavesOldBytes)
{
    // A single-name file (temporary file beside it) and a hard-linked one
    // (rewritten in place, old bytes written back).
    for (bool hardLinked : {false, true}) {
        SCOPED_TRACE(hardLinked ? "hard-linked" : "single name");
        testfiles::Folder here;
        const QByteArray old(5000, 'o');
        const QString path = here.Put("a.asp", old);
        if (hardLinked) {
            ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(here("b.asp")).constData()), 0);
        }
        const std::string fresh(8000, 'n');
        {
            WriteLimit limit(3000);
            EXPECT_EQ(WriteFileSafely(path, fresh), SafeWriteResult::WriteFailed);
        }
        EXPECT_EQ(testfiles::Read(path), old);
        EXPECT_EQ(Names(here.Path()).size(), hardLinked ? 2 : 1);
        // Content within the limit is written whole.
        WriteLimit limit(3000);
        EXPECT_EQ(WriteFileSafely(path, "short"), SafeWriteResult::Written);
        EXPECT_EQ(testfiles::Read(path), QByteArray("short"));
    }
}

TEST_F(SafeWrite, FileSizeLimitOfTheSystemIsAWriteError)
{
    // The kernel refuses every byte past the process's file-size limit, as a
    // full disk would: the original stays whole.
    const QByteArray old(2000, 'o');
    const QString path = dir.Put("a.asp", old);
    struct rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const SafeWriteResult result = WriteFileSafely(path, std::string(100000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, SafeWriteResult::WriteFailed);
    EXPECT_EQ(testfiles::Read(path), old);
    EXPECT_EQ(Names(dir.Path()), QStringList({"a.asp"}));
}

TEST_F(SafeWrite, KeepsAnotherUsersOwnership)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can hand a file to another user";
    const QString path = dir.Put("theirs.asp", "old");
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    ASSERT_EQ(WriteFileSafely(path, "new"), SafeWriteResult::Written);
    EXPECT_EQ(testfiles::Read(path), QByteArray("new"));
    EXPECT_EQ(StatOf(path).st_uid, uid_t(65534));
    EXPECT_EQ(StatOf(path).st_gid, gid_t(65534));
}

}  // namespace
