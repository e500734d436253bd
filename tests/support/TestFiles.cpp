// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace testfiles {

void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool HardLink(const QString& existing, const QString& name)
{
#ifdef _WIN32
    return ::CreateHardLinkW(name.toStdWString().c_str(), existing.toStdWString().c_str(), nullptr);
#else
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(name).constData()) == 0;
#endif
}

Folder::Folder()
{
    EXPECT_TRUE(dir_.isValid());
}

QString Folder::Put(const QString& name, const QByteArray& bytes) const
{
    const QString path = (*this)(name);
    Write(path, bytes);
    return path;
}

#ifdef _WIN32
// Windows keeps named pipes out of the folders: the pipe gets a name of its
// own, with a server that never writes, held open until the program ends.
QString Folder::PutPipe(const QString& name) const
{
    static int count = 0;
    const QString path = QStringLiteral("\\\\.\\pipe\\filsok-test-%1-%2-%3")
                             .arg(::GetCurrentProcessId())
                             .arg(++count)
                             .arg(name);
    const HANDLE server = ::CreateNamedPipeW(reinterpret_cast<const wchar_t*>(path.utf16()), PIPE_ACCESS_DUPLEX,
                                             PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
    EXPECT_NE(server, INVALID_HANDLE_VALUE) << path.toStdString();
    return path;
}
#else
QString Folder::PutPipe(const QString& name) const
{
    const QString path = (*this)(name);
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0) << path.toStdString();
    return path;
}
#endif

#ifndef _WIN32
struct stat StatOf(const QString& path)
{
    struct stat st{};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st;
}
#endif

int OpenDescriptors()
{
#ifdef _WIN32
    int open = 0;
    for (int fd = 0; fd < 2048; ++fd)
        open += _get_osfhandle(fd) != -1 ? 1 : 0;
    return open;
#else
    return int(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size());
#endif
}

}  // namespace testfiles
