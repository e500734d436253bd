// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file's new content on Windows: the read-only attribute refuses
// it, hidden and system files stay so, a hard-linked file is rewritten in
// place, and a failed write leaves the old bytes.
#include "convert/SafeFileWrite.h"

#include "support/TestFiles.h"
#include "support/WriteLimit.h"

#include <QDir>
#include <gtest/gtest.h>

#include <windows.h>

namespace {

DWORD AttributesOf(const QString& path)
{
    return ::GetFileAttributesW(path.toStdWString().c_str());
}

void SetAttributes(const QString& path, DWORD attributes)
{
    ASSERT_TRUE(::SetFileAttributesW(path.toStdWString().c_str(), attributes)) << path.toStdString();
}

TEST(SafeWrite, KeepsAttributesAndLinksAndRefusesReadOnly)
{
    testfiles::Folder dir;
    const QString readOnly = dir.Put("readonly.asp", "old");
    SetAttributes(readOnly, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(WriteFileSafely(readOnly, "new"), SafeWriteResult::CannotCreate);
    EXPECT_EQ(testfiles::Read(readOnly), QByteArray("old"));
    SetAttributes(readOnly, FILE_ATTRIBUTE_NORMAL);

    const QString system = dir.Put("system.asp", "old");
    SetAttributes(system, FILE_ATTRIBUTE_SYSTEM);
    ASSERT_EQ(WriteFileSafely(system, "new"), SafeWriteResult::Written);
    EXPECT_EQ(testfiles::Read(system), QByteArray("new"));
    EXPECT_TRUE(AttributesOf(system) & FILE_ATTRIBUTE_SYSTEM);

    const QString linked = dir.Put("linked.asp", "old content that is longer");
    ASSERT_TRUE(testfiles::HardLink(linked, dir("other.asp")));
    ASSERT_EQ(WriteFileSafely(linked, "new"), SafeWriteResult::Written);
    EXPECT_EQ(testfiles::Read(linked), QByteArray("new"));
    EXPECT_EQ(testfiles::Read(dir("other.asp")), QByteArray("new"));

    ASSERT_TRUE(QDir().mkpath(dir("folder")));
    EXPECT_EQ(WriteFileSafely(dir("folder"), "new"), SafeWriteResult::CannotCreate);
    EXPECT_EQ(WriteFileSafely(QStringLiteral("NUL"), "new"), SafeWriteResult::CannotCreate);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 4);
}

TEST(SafeWrite, AFailedWriteLeavesTheOldBytes)
{
    testfiles::Folder dir;
    for (bool hardLinked : {false, true}) {
        const QByteArray old(2000, 'o');
        const QString path = dir.Put(hardLinked ? "linked.asp" : "single.asp", old);
        if (hardLinked) {
            ASSERT_TRUE(testfiles::HardLink(path, dir("other.asp")));
        }
        const testfiles::WriteLimit limit(1000);
        const SafeWriteResult result = WriteFileSafely(path, std::string(5000, 'n'));
        EXPECT_EQ(result, SafeWriteResult::WriteFailed) << hardLinked;
        EXPECT_EQ(testfiles::Read(path), old) << hardLinked;
    }
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

}  // namespace
