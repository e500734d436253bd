// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InputFile.h"

#include "platform/FileName.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

void InputFile::Open(const QString& path)
{
    const QByteArray name = NativePath(path);
    // An empty path names nothing; one with a NUL would be read by the
    // system only up to it, and so open another file than the one named.
    if (name.isEmpty()) {
        error_ = path.isEmpty() ? ENOENT : EINVAL;
        return;
    }
    // Without O_NONBLOCK the open of a pipe that has no writer waits for
    // one; with it, the open returns at once and fstat tells what it is. A
    // regular file always has its bytes ready, so reading it is the same
    // with the flag as without. (A stat before the open would spare a
    // device even being opened, but costs a second path look-up for every
    // file of every search.)
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    struct stat st{};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        error_ = !known ? errno : S_ISDIR(st.st_mode) ? EISDIR : EACCES;
        ::close(fd);
        return;
    }
    handle_ = fd;
    size_ = st.st_size > 0 ? std::size_t(st.st_size) : 0;
}

bool InputFile::OutOfDescriptors() const
{
    return error_ == EMFILE || error_ == ENFILE;
}

std::ptrdiff_t InputFile::Read(char* to, std::size_t room)
{
    for (;;) {
        const ssize_t got = ::read(int(handle_), to, room);
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            error_ = errno;
            return -1;
        }
    }
}

bool InputFile::Close()
{
    if (handle_ == kClosed)
        return true;
    // Linux frees the descriptor even when close reports a failure, so it
    // is never closed twice.
    if (::close(int(std::exchange(handle_, kClosed))) != 0) {
        error_ = errno;
        return false;
    }
    return true;
}

namespace {

// Whether the folder part of a path names an existing folder: a path with
// no folder part stands in the current one.
bool FolderOfPathExists(const QString& path)
{
    const QByteArray name = EncodeFileName(path);
    const qsizetype slash = name.lastIndexOf('/');
    if (slash < 0)
        return true;
    const QByteArray folder = slash == 0 ? QByteArray("/") : name.left(slash);
    struct stat st{};
    return ::stat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

int InOutErrorCode(int error, const QString& path)
{
    // A missing file in an existing folder is "File not found", a path
    // whose folder is missing "Invalid filename", as the system the
    // messages were written for tells them apart.
    switch (error) {
    case ENOENT: return FolderOfPathExists(path) ? 2 : 3;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EISDIR: return 5;
    case EIO: return 30;  // the read fault; errno 5 itself would read "File access denied"
    // Every other number is shown as it is; none of them is 2 to 5 (ESRCH
    // and EINTR never come from an open or a read that is retried).
    default: return error;
    }
}

}  // namespace platform
