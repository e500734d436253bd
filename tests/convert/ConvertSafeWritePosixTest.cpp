// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file's new content, where the runs on files do not reach: mode
// bits the system clears on a write, refusals, a real write failure from the
// system, and another user's file.
#include "convert/SafeFileWrite.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testfiles::StatOf;

void Chmod(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

TEST(SafeWrite, KeepsEveryModeBit)
{
    // Set-user-ID is cleared by the system when a user writes a file; it is
    // put back, for a replaced file and for one rewritten in place.
    testfiles::Folder dir;
    for (bool hardLinked : {false, true}) {
        const QString path = dir.Put(hardLinked ? "linked" : "single", "old content that is longer");
        if (hardLinked) {
            ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir("other")).constData()), 0);
        }
        Chmod(path, 04750);
        ASSERT_EQ(WriteFileSafely(path, "new"), SafeWriteResult::Written);
        EXPECT_EQ(testfiles::Read(path), QByteArray("new"));
        EXPECT_EQ(StatOf(path).st_mode & 07777, mode_t(04750)) << hardLinked;
    }
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST(SafeWrite, RefusesWhatItMayNotWrite)
{
    testfiles::Folder dir;
    for (mode_t mode : {0444, 0400, 0000, 0044, 0555}) {
        const QString path = dir.Put(QString("ro%1").arg(mode, 0, 8), "old");
        Chmod(path, mode);
        EXPECT_EQ(WriteFileSafely(path, "new"), SafeWriteResult::CannotCreate) << std::oct << mode;
        EXPECT_EQ(StatOf(path).st_mode & 07777, mode);
        Chmod(path, 0600);  // to read it back as any user
        EXPECT_EQ(testfiles::Read(path), QByteArray("old"));
    }
    ASSERT_TRUE(QDir().mkpath(dir("folder")));
    EXPECT_EQ(WriteFileSafely(dir("folder"), "new"), SafeWriteResult::CannotCreate);
    EXPECT_EQ(WriteFileSafely(QString(), "new"), SafeWriteResult::CannotCreate);
    EXPECT_EQ(WriteFileSafely(dir("no-such-folder/a.asp"), "new"), SafeWriteResult::CannotCreate);
}

TEST(SafeWrite, FileSizeLimitOfTheSystemIsAWriteError)
{
    // The kernel refuses every byte past the process's file-size limit, as a
    // full disk would: the original stays whole, nothing is left beside it.
    testfiles::Folder dir;
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
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList({"a.asp"}));
}

TEST(SafeWrite, KeepsAnotherUsersOwnership)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can hand a file to another user";
    testfiles::Folder dir;
    const QString path = dir.Put("theirs.asp", "old");
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    ASSERT_EQ(WriteFileSafely(path, "new"), SafeWriteResult::Written);
    EXPECT_EQ(testfiles::Read(path), QByteArray("new"));
    EXPECT_EQ(StatOf(path).st_uid, uid_t(65534));
    EXPECT_EQ(StatOf(path).st_gid, gid_t(65534));
}

}  // namespace
