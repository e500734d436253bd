// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OpenForReading.h"

#include "platform/FileName.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int OpenRegularFile(const QByteArray& encodedPath, std::size_t* size)
{
    // The system would read the name only up to a NUL, and so open
    // another file than the one named.
    if (encodedPath.isEmpty() || encodedPath.contains('\0')) {
        errno = encodedPath.isEmpty() ? ENOENT : EINVAL;
        return -1;
    }
    // Without O_NONBLOCK the open of a pipe that has no writer waits for
    // one; with it, the open returns at once and fstat tells what it is.
    // A regular file always has its bytes ready, so reading it is the same
    // with the flag as without. (A stat before the open would spare a
    // device even being opened, but costs a second path look-up for every
    // file of every search.)
    const int fd = ::open(encodedPath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat st{};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        const int error = !known ? errno : S_ISDIR(st.st_mode) ? EISDIR : EACCES;
        ::close(fd);
        errno = error;
        return -1;
    }
    if (size)
        *size = st.st_size > 0 ? std::size_t(st.st_size) : 0;
    return fd;
}

int OpenForReading(const QString& path, std::size_t& reportedSize)
{
    reportedSize = 0;
    return OpenRegularFile(EncodeFileName(path), &reportedSize);
}

}  // namespace platform
