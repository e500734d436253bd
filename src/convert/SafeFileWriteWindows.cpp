// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file's new content on Windows: the same promises as on Linux,
// in the system's own terms. The read-only attribute refuses the write; a
// file with more than one hard link is rewritten in place; any other file
// is replaced through a temporary file beside it and keeps its hidden and
// system attributes. Windows has no owner or mode bits to keep.
#include "convert/SafeFileWrite.h"

#include <QSaveFile>

#include <algorithm>
#include <string>

#include <windows.h>

namespace {

qint64 writeLimit = -1;

// How many of size bytes a write may put down before it fails.
qint64 AllowedBytes(qint64 size)
{
    return writeLimit < 0 ? size : std::min(size, writeLimit);
}

bool WriteAll(HANDLE file, const char* data, std::size_t size)
{
    while (size > 0) {
        const DWORD piece = DWORD(std::min<std::size_t>(size, 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(file, data, piece, &put, nullptr) || put == 0)
            return false;
        data += put;
        size -= put;
    }
    return true;
}

bool ReadAll(HANDLE file, std::string& out)
{
    out.clear();
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, chunk, sizeof chunk, &got, nullptr))
            return false;
        if (got == 0)
            return true;
        out.append(chunk, got);
    }
}

bool WriteFrom(HANDLE file, std::string_view bytes, qint64 allowed)
{
    LARGE_INTEGER start{};
    return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && WriteAll(file, bytes.data(), std::size_t(allowed))
           && allowed == qint64(bytes.size()) && ::SetEndOfFile(file) && ::FlushFileBuffers(file);
}

// The new content over the old bytes of the same file, for hard-linked
// files; the old bytes are written back when that fails.
SafeWriteResult WriteInPlace(const std::wstring& name, const ContentSource& content)
{
    std::string bytes;
    if (!content([&](std::string_view piece) {
            bytes.append(piece);
            return true;
        }))
        return SafeWriteResult::ContentFailed;
    const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return SafeWriteResult::CannotCreate;
    std::string old;
    if (!ReadAll(file, old)) {
        ::CloseHandle(file);
        return SafeWriteResult::CannotCreate;
    }
    const bool ok = WriteFrom(file, bytes, AllowedBytes(qint64(bytes.size())));
    if (!ok)
        WriteFrom(file, old, qint64(old.size()));
    ::CloseHandle(file);
    return ok ? SafeWriteResult::Written : SafeWriteResult::WriteFailed;
}

SafeWriteResult WriteReplacing(const QString& path, const ContentSource& content)
{
    QSaveFile file(path);
    // A folder we may not write in must refuse the write, not have the file
    // cut and rewritten directly.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return SafeWriteResult::CannotCreate;
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
    // A path holding a NUL would reach another file than the one named.
    if (path.isEmpty() || path.contains(QChar(0)))
        return SafeWriteResult::CannotCreate;
    const std::wstring name = path.toStdWString();
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (::GetLastError() != ERROR_FILE_NOT_FOUND)
            return SafeWriteResult::CannotCreate;
        return WriteReplacing(path, content);
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        return SafeWriteResult::CannotCreate;
    // Only a file on a disk: a device name is refused without a byte
    // written to it.
    const HANDLE file = ::CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return SafeWriteResult::CannotCreate;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool onDisk = ::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    if (!onDisk)
        return SafeWriteResult::CannotCreate;
    if (info.nNumberOfLinks > 1)
        return WriteInPlace(name, content);
    const SafeWriteResult result = WriteReplacing(path, content);
    // The new file has the attributes of a new file; a hidden or system
    // file stays one.
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (result == SafeWriteResult::Written && kept != 0)
        ::SetFileAttributesW(name.c_str(), ::GetFileAttributesW(name.c_str()) | kept);
    return result;
}

void SetWriteLimitForTesting(qint64 bytes)
{
    writeLimit = bytes;
}
