// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a file through the system's wide calls, and only a file on a disk:
// a console, a pipe, a serial port or any other device is refused before a
// byte is read from it, so nothing waits on one.
#include "platform/InputFile.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace platform {
namespace {

HANDLE HandleOf(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

void InputFile::Open(const QString& path)
{
    // An empty path names nothing; one with a NUL would be read by the
    // system only up to it, and so open another file than the one named.
    if (path.isEmpty() || path.contains(QChar(0))) {
        error_ = path.isEmpty() ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        return;
    }
    const std::wstring name = path.toStdWString();
    // Sequential reading tells the system to read ahead of the reads, the
    // form the read-ahead hint of Linux takes here.
    const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                        nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error_ = int(::GetLastError());
        return;
    }
    LARGE_INTEGER length{};
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileSizeEx(handle, &length)) {
        ::CloseHandle(handle);
        error_ = ERROR_ACCESS_DENIED;
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(handle);
    size_ = length.QuadPart > 0 ? std::size_t(length.QuadPart) : 0;
}

bool InputFile::OutOfDescriptors() const
{
    return error_ == ERROR_TOO_MANY_OPEN_FILES;
}

std::ptrdiff_t InputFile::Read(char* to, std::size_t room)
{
    // One call reads less than 2 GB.
    const DWORD want = DWORD(std::min<std::size_t>(room, 0x7FFFFFFF));
    DWORD got = 0;
    if (!::ReadFile(HandleOf(handle_), to, want, &got, nullptr)) {
        error_ = int(::GetLastError());
        return -1;
    }
    return std::ptrdiff_t(got);
}

bool InputFile::Close()
{
    if (handle_ == kClosed)
        return true;
    if (!::CloseHandle(HandleOf(std::exchange(handle_, kClosed)))) {
        error_ = int(::GetLastError());
        return false;
    }
    return true;
}

// The system's numbers are the codes the messages are written for.
int InOutErrorCode(int error, const QString&)
{
    return error;
}

}  // namespace platform
