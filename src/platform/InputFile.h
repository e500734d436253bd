// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file open for reading, closed when the object goes: the one way the
// program reads a file. Only a regular file counts as a file (on Windows a
// file on a disk); a folder, a named pipe, a device or a socket is refused
// without waiting on it, since a pipe without a writer would hold a plain
// open for ever. The path goes through the file-name encoding (FileName.h),
// and a read that a signal interrupts is made again, so callers see data,
// the end of the file, or a failure.
#include <QString>
#include <cstddef>
#include <cstdint>

namespace platform {

class InputFile {
public:
    InputFile() = default;
    // Opens the file at path; IsOpen() tells whether that worked, Error() why not.
    explicit InputFile(const QString& path);
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    bool IsOpen() const { return handle_ != kClosed; }
    // The system's number for what failed last (errno; GetLastError on
    // Windows), 0 while nothing has.
    int Error() const { return error_; }
    // True when the open failed only for want of a free descriptor.
    bool OutOfDescriptors() const;
    // The size the file system gave at the open, 0 when it gave none. The
    // file may grow or shrink while it is read.
    std::size_t ReportedSize() const { return size_; }

    // Reads up to room bytes into to: how many, 0 at the end, -1 on failure.
    std::ptrdiff_t Read(char* to, std::size_t room);
    // Reads until size bytes are there or the file ends: how many, -1 on failure.
    std::ptrdiff_t ReadFully(char* to, std::size_t size);
    // Closes the file at once; false when the system reports that the
    // close failed.
    bool Close();

private:
    void Open(const QString& path);

    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;  // a descriptor; on Windows a HANDLE
    std::size_t size_ = 0;
    int error_ = 0;
};

// The code the input/output error of a failed open or read of path shows
// ("File not found" is 2, "Invalid filename" 3, "Too many open files" 4,
// "File access denied" 5), from the system's error number. On Windows the
// system's numbers are these codes already.
int InOutErrorCode(int error, const QString& path);

}  // namespace platform
