// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SafeFileWrite.h"

// qsavefile.h must come before the system headers.
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

qint64 writeLimit = -1;

// How many of size bytes a write may put down before it fails.
qint64 AllowedBytes(qint64 size)
{
    return writeLimit < 0 ? size : std::min(size, writeLimit);
}

// Writes all of data at offset; false on any failure.
bool WriteAt(int fd, const char* data, size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t put = ::pwrite(fd, data, size, offset);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (put == 0)
            return false;
        data += put;
        size -= size_t(put);
        offset += put;
    }
    return true;
}

bool ReadAll(int fd, std::string& out)
{
    out.clear();
    char chunk[65536];
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(fd, chunk, sizeof chunk, offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        out.append(chunk, size_t(got));
        offset += got;
    }
}

// The new content over the old bytes of the same file, for hard-linked files.
// The old content is not cut away first, so its blocks stay the file's and
// writing it back cannot run out of room.
SafeWriteResult WriteInPlace(const QByteArray& name, std::string_view bytes, mode_t mode)
{
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return SafeWriteResult::CannotCreate;
    std::string old;
    if (!ReadAll(fd, old)) {
        ::close(fd);
        return SafeWriteResult::CannotCreate;
    }
    const qint64 allowed = AllowedBytes(qint64(bytes.size()));
    bool ok = WriteAt(fd, bytes.data(), size_t(allowed), 0) && allowed == qint64(bytes.size());
    ok = ok && ::ftruncate(fd, off_t(bytes.size())) == 0;
    ok = ok && ::fsync(fd) == 0;
    // A write clears the set-user-ID bits; the file keeps the mode it had.
    if (ok)
        (void)::fchmod(fd, mode);
    if (!ok) {
        // Put the old bytes back; if even that fails there is nothing better to do.
        WriteAt(fd, old.data(), old.size(), 0);
        (void)::ftruncate(fd, off_t(old.size()));
        (void)::fsync(fd);
    }
    if (::close(fd) != 0)
        ok = false;
    return ok ? SafeWriteResult::Written : SafeWriteResult::WriteFailed;
}

// The whole content in memory, for a rewrite in place.
bool Gather(const ContentSource& content, std::string& bytes)
{
    bytes.clear();
    return content([&](std::string_view piece) {
        bytes.append(piece);
        return true;
    });
}

SafeWriteResult WriteGatheredInPlace(const QByteArray& name, const ContentSource& content, mode_t mode)
{
    std::string bytes;
    if (!Gather(content, bytes))
        return SafeWriteResult::ContentFailed;
    return WriteInPlace(name, bytes, mode);
}

SafeWriteResult WriteReplacing(const QString& path, const QByteArray& name, const ContentSource& content,
                               const struct stat* existing)
{
    QSaveFile file(path);
    // A folder we may not write in must refuse the write, not have the file
    // cut and rewritten directly.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return SafeWriteResult::CannotCreate;
    if (existing) {
        const int fd = file.handle();
        struct stat made{};
        if (::fstat(fd, &made) != 0) {
            file.cancelWriting();
            return SafeWriteResult::CannotCreate;
        }
        if (made.st_uid != existing->st_uid || made.st_gid != existing->st_gid) {
            // A file of another owner (converted by root, say) stays theirs;
            // where the owner cannot be kept, the file is rewritten in place.
            if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
                file.cancelWriting();
                return WriteGatheredInPlace(name, content, existing->st_mode & 07777);
            }
        }
    }
    qint64 written = 0;
    bool writeFailed = false;
    const bool made = content([&](std::string_view piece) {
        const qint64 size = qint64(piece.size());
        const qint64 allowed = AllowedBytes(written + size) - written;
        if (allowed < 0 || file.write(piece.data(), allowed) != allowed || allowed != size) {
            writeFailed = true;
            return false;
        }
        written += size;
        return true;
    });
    if (writeFailed || (made && !file.flush())) {
        file.cancelWriting();
        return SafeWriteResult::WriteFailed;
    }
    if (!made) {
        file.cancelWriting();
        return SafeWriteResult::ContentFailed;
    }
    // Exactly the old mode bits, set-user-ID included, which the system
    // clears on a change of owner or a write.
    if (existing && ::fchmod(file.handle(), existing->st_mode & 07777) != 0) {
        file.cancelWriting();
        return SafeWriteResult::CannotCreate;
    }
    if (!file.commit())
        return file.error() == QFileDevice::RenameError ? SafeWriteResult::CannotCreate
                                                         : SafeWriteResult::WriteFailed;
    return SafeWriteResult::Written;
}

}  // namespace

SafeWriteResult WriteFileSafely(const QString& path, std::string_view bytes)
{
    return WriteFileSafely(path, [bytes](const std::function<bool(std::string_view)>& put) { return put(bytes); });
}

SafeWriteResult WriteFileSafely(const QString& path, const ContentSource& content)
{
    if (path.isEmpty())
        return SafeWriteResult::CannotCreate;
    const QByteArray name = QFile::encodeName(path);
    struct stat st{};
    if (::stat(name.constData(), &st) != 0) {
        if (errno != ENOENT)
            return SafeWriteResult::CannotCreate;
        return WriteReplacing(path, name, content, nullptr);
    }
    if (!S_ISREG(st.st_mode))
        return SafeWriteResult::CannotCreate;
    // Root passes access() for any file, so the owner write bit is looked at
    // too: a file the user made read-only stays as it is.
    if ((st.st_mode & S_IWUSR) == 0 || ::access(name.constData(), W_OK) != 0)
        return SafeWriteResult::CannotCreate;
    if (st.st_nlink > 1)
        return WriteGatheredInPlace(name, content, st.st_mode & 07777);
    return WriteReplacing(path, name, content, &st);
}

void SetWriteLimitForTesting(qint64 bytes)
{
    writeLimit = bytes;
}
