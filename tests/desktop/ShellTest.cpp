// SPDX-License-Identifier: GPL-3.0-or-later
// The file URL the desktop is given for a path, and the replaceable opener.
#include "desktop/Shell.h"

#include "platform/FileName.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(ShellUrl, NamesTheSameFileAgain)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows opens a path with the shell, not through a URL";
#endif
    const QString paths[] = {
        QStringLiteral("/tmp/a.asp"),
        QStringLiteral("/tmp/åäö/Tidsåtgång.txt"),
        QStringLiteral("/tmp/a#b?c%20d.asp"),  // URL syntax in a file name stays part of the name
        QStringLiteral("/tmp/med blank.asp"),
        platform::DecodeFileName("/tmp/r\xe4ksm\xf6rg\xe5s.asp"),  // a name that is no UTF-8
    };
    for (const QString& path : paths) {
        const QUrl url = desktop::ShellUrlForPath(path);
        EXPECT_TRUE(url.isLocalFile()) << path.toStdString();
        // What the launcher is handed leads back to exactly the name's bytes.
        const QByteArray encoded = url.toEncoded();
        ASSERT_TRUE(encoded.startsWith("file:///")) << encoded.constData();
        EXPECT_EQ(QByteArray::fromPercentEncoding(encoded.mid(7)), platform::EncodeFileName(path)) << encoded.constData();
        if (!path.contains(QChar(0xDCE4))) {
            EXPECT_EQ(url.toLocalFile(), path);
        }
    }
}

TEST(ShellUrl, RelativeNameIsTakenFromTheCurrentFolder)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows opens a path with the shell, not through a URL";
#endif
    const QUrl url = desktop::ShellUrlForPath(QStringLiteral("sub/a.asp"));
    EXPECT_EQ(url.toLocalFile(), QDir::currentPath() + QStringLiteral("/sub/a.asp"));
}

TEST(ShellOpener, ReplacedOpenerGetsThePathAndCanBeRestored)
{
    QStringList first, second;
    const desktop::ShellOpener original = desktop::SetShellOpener([&](const QString& p) { first.append(p); });
    desktop::OpenPathWithDesktop(QStringLiteral("/tmp/x.asp"));
    const desktop::ShellOpener firstBack = desktop::SetShellOpener([&](const QString& p) { second.append(p); });
    desktop::OpenPathWithDesktop(QStringLiteral("/tmp/y.asp"));
    desktop::SetShellOpener(firstBack);
    desktop::OpenPathWithDesktop(QStringLiteral("/tmp/z.asp"));
    desktop::SetShellOpener(original);

    EXPECT_EQ(first, (QStringList{QStringLiteral("/tmp/x.asp"), QStringLiteral("/tmp/z.asp")}));
    EXPECT_EQ(second, QStringList{QStringLiteral("/tmp/y.asp")});
}

}  // namespace
