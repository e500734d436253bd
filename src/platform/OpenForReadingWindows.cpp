// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a file for reading through the system's wide call, in binary mode
// (the C library would otherwise turn CR LF into LF), and only when it is a
// file on a disk: a console, a pipe, a serial port or any other device is
// refused before a byte is read from it, so nothing waits on one.
#include "platform/OpenForReading.h"

#include "platform/FileName.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>

#include <windows.h>

namespace platform {
namespace {

int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return ENOENT;
    case ERROR_PATH_NOT_FOUND: return ENOTDIR;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE: return EINVAL;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    default: return EACCES;
    }
}

int OpenRegularFileWide(const QString& path, std::size_t* size)
{
    // The system would read the name only up to a NUL, and so open
    // another file than the one named.
    if (path.isEmpty() || path.contains(QChar(0))) {
        errno = path.isEmpty() ? ENOENT : EINVAL;
        return -1;
    }
    const std::wstring name = path.toStdWString();
    // Sequential reading tells the system to read ahead, the form the
    // read-ahead hint of Linux takes here.
    const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                        nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // A folder cannot be opened this way at all.
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        errno = folder ? EISDIR : ErrnoOf(error);
        return -1;
    }
    LARGE_INTEGER length{};
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileSizeEx(handle, &length)) {
        ::CloseHandle(handle);
        errno = EACCES;
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
        return -1;
    }
    if (size)
        *size = length.QuadPart > 0 ? std::size_t(length.QuadPart) : 0;
    return fd;
}

}  // namespace

int OpenRegularFile(const QByteArray& encodedPath, std::size_t* size)
{
    return OpenRegularFileWide(DecodeFileName(std::string_view(encodedPath.constData(), size_t(encodedPath.size()))),
                               size);
}

int OpenForReading(const QString& path, std::size_t& reportedSize)
{
    reportedSize = 0;
    return OpenRegularFileWide(path, &reportedSize);
}

}  // namespace platform
