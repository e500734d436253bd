// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SafeFileWrite.h"

#include "platform/FileName.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

// Where a write to name lands: the end of its chain of symbolic links, or
// name itself when it is no link. False when the chain does not end.
bool FollowLinks(QByteArray& name)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st{};
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        QByteArray target(st.st_size > 0 ? qsizetype(st.st_size) + 1 : 256, Qt::Uninitialized);
        ssize_t got = 0;
        while ((got = ::readlink(name.constData(), target.data(), size_t(target.size()))) == ssize_t(target.size()))
            target.resize(target.size() * 2);
        if (got < 0)
            return false;
        target.truncate(qsizetype(got));
        // A relative target is read from the link's own folder.
        const qsizetype slash = name.lastIndexOf('/');
        if (!target.startsWith('/') && slash >= 0)
            target.prepend(name.left(slash + 1));
        name = target;
    }
    return false;
}

// The new content on its way: a file beside the one it replaces, created
// with the mode a new file gets, and removed again unless it took the
// other's place. Its name begins with a dot, so that one a crash left
// behind is never listed.
class TempFile {
public:
    explicit TempFile(const QByteArray& beside)
    {
        const qsizetype slash = beside.lastIndexOf('/');
        const QByteArray folder = slash < 0 ? QByteArray() : beside.left(slash + 1);
        // The name's own length leaves room for the dot and the tail.
        const QByteArray base = beside.mid(slash + 1).left(200);
        static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            QByteArray tail(6, 'x');
            for (char& c : tail)
                c = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
            name_ = folder + '.' + base + '.' + tail;
            fd_ = ::open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() { Discard(); }

    int Fd() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }

    // Closes the file and puts it in target's place; false when either fails.
    bool ReplaceWith(const QByteArray& target)
    {
        const int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0 || ::rename(name_.constData(), target.constData()) != 0)
            return false;
        name_.clear();
        return true;
    }

    void Discard()
    {
        if (fd_ >= 0)
            ::close(std::exchange(fd_, -1));
        if (!name_.isEmpty())
            ::unlink(name_.constData());
        name_.clear();
    }

private:
    QByteArray name_;
    int fd_ = -1;
};

SafeWriteResult WriteReplacing(const QByteArray& name, const ContentSource& content, const struct stat* existing)
{
    // A symbolic link stays a link: the new content goes to its target.
    QByteArray target = name;
    if (!FollowLinks(target))
        return SafeWriteResult::CannotCreate;
    // A folder we may not write in refuses the write; the file is never cut
    // and rewritten directly.
    TempFile file(target);
    if (!file.IsOpen())
        return SafeWriteResult::CannotCreate;
    const int fd = file.Fd();
    if (existing) {
        struct stat made{};
        if (::fstat(fd, &made) != 0)
            return SafeWriteResult::CannotCreate;
        if (made.st_uid != existing->st_uid || made.st_gid != existing->st_gid) {
            // A file of another owner (converted by root, say) stays theirs;
            // where the owner cannot be kept, the file is rewritten in place.
            if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
                file.Discard();
                return WriteGatheredInPlace(name, content, existing->st_mode & 07777);
            }
        }
    }
    qint64 written = 0;
    bool writeFailed = false;
    const bool made = content([&](std::string_view piece) {
        const qint64 size = qint64(piece.size());
        const qint64 allowed = AllowedBytes(written + size) - written;
        if (allowed < 0 || !WriteAt(fd, piece.data(), size_t(allowed), off_t(written)) || allowed != size) {
            writeFailed = true;
            return false;
        }
        written += size;
        return true;
    });
    // The content is on the disk before it takes the old one's place.
    if (writeFailed || (made && ::fsync(fd) != 0 && errno != EINVAL))
        return SafeWriteResult::WriteFailed;
    if (!made)
        return SafeWriteResult::ContentFailed;
    // Exactly the old mode bits, set-user-ID included, which the system
    // clears on a change of owner or a write.
    if (existing && ::fchmod(fd, existing->st_mode & 07777) != 0)
        return SafeWriteResult::CannotCreate;
    if (!file.ReplaceWith(target))
        return SafeWriteResult::CannotCreate;
    return SafeWriteResult::Written;
}

}  // namespace

SafeWriteResult WriteFileSafely(const QString& path, std::string_view bytes)
{
    return WriteFileSafely(path, [bytes](const std::function<bool(std::string_view)>& put) { return put(bytes); });
}

SafeWriteResult WriteFileSafely(const QString& path, const ContentSource& content)
{
    // The path's own bytes, never a lossy re-encoding of its text.
    const QByteArray name = platform::NativePath(path);
    if (name.isEmpty())
        return SafeWriteResult::CannotCreate;
    struct stat st{};
    if (::stat(name.constData(), &st) != 0) {
        if (errno != ENOENT)
            return SafeWriteResult::CannotCreate;
        return WriteReplacing(name, content, nullptr);
    }
    if (!S_ISREG(st.st_mode))
        return SafeWriteResult::CannotCreate;
    // Root passes access() for any file, so the owner write bit is looked at
    // too: a file the user made read-only stays as it is.
    if ((st.st_mode & S_IWUSR) == 0 || ::access(name.constData(), W_OK) != 0)
        return SafeWriteResult::CannotCreate;
    if (st.st_nlink > 1)
        return WriteGatheredInPlace(name, content, st.st_mode & 07777);
    return WriteReplacing(name, content, &st);
}

void SetWriteLimitForTesting(qint64 bytes)
{
    writeLimit = bytes;
}
