// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a file whose bytes are to be read whole: the path goes through the
// file-name encoding (FileName.h), and only a regular file counts as a
// file. A folder, a named pipe, a device or a socket is refused without
// waiting on it.
#include <QByteArray>
#include <QString>
#include <cstddef>

namespace platform {

// A descriptor open for reading (the caller closes it), or -1. reportedSize
// is the size the file system gives, which may change while it is read.
int OpenForReading(const QString& path, std::size_t& reportedSize);

// Opens path for reading and keeps it only if it is a regular file (links
// followed), never waiting on the way: a pipe without a writer would hold a
// plain open for ever. Returns the descriptor, or -1 with errno set (EISDIR
// for a folder, EACCES for anything else that is no regular file, EINVAL
// for a name that holds a NUL, ENOENT for an empty one). size, when given,
// gets the size the file system reports.
int OpenRegularFile(const QByteArray& encodedPath, std::size_t* size = nullptr);

}  // namespace platform
