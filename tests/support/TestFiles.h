// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers for tests that work on real files in a temporary folder.
#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace testfiles {

// Writes bytes to path (creating parent folders); fails the test on error.
void Write(const QString& path, const QByteArray& bytes);
QByteArray Read(const QString& path);

// The start folder the window is designed with, as its box shows it.
inline QString DesignedStartFolder()
{
#ifdef _WIN32
    return QStringLiteral("c:\\tmp");
#else
    return QStringLiteral("/tmp");
#endif
}

// How many file descriptors the process holds. On Windows these are the C
// library's own: under Wine the process's /proc folder would count Wine's
// descriptors too, which it opens and closes as it likes.
int OpenDescriptors();

#ifndef _WIN32
// The file's status (links followed); a failure fails the test.
struct stat StatOf(const QString& path);
#endif

// Gives the file existing a second name; false when that fails.
bool HardLink(const QString& existing, const QString& name);

// A temporary folder that is removed with the object.
class Folder {
public:
    Folder();
    // The folder as the system writes paths: on Windows with backslashes,
    // as the file list shows them.
    QString Path() const { return QDir::toNativeSeparators(dir_.path()); }
    // Path of name inside the folder, with the system's separator between
    // and in place of each "/" of name.
    QString operator()(const QString& name) const
    {
        return Path() + QDir::separator() + QDir::toNativeSeparators(name);
    }
    // Writes a file inside the folder and returns its full path.
    QString Put(const QString& name, const QByteArray& bytes) const;
    // Makes a named pipe inside the folder, with no writer, and returns its
    // full path: whoever opens it for reading in blocking mode waits for ever.
    // Windows keeps pipes out of folders: there the pipe has a name of the
    // system's pipes, \\.\pipe\..., and a server that never writes.
    QString PutPipe(const QString& name) const;

private:
    QTemporaryDir dir_;
};

}  // namespace testfiles
