// SPDX-License-Identifier: GPL-3.0-or-later
// What an input file is on every system: moving one, closing it when it
// goes, and reading until a size is there. Opening, reading and closing are
// each system's own.
#include "platform/InputFile.h"

#include <utility>

namespace platform {

InputFile::InputFile(const QString& path)
{
    Open(path);
}

InputFile::InputFile(InputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kClosed)), size_(other.size_), error_(other.error_)
{
}

InputFile& InputFile::operator=(InputFile&& other) noexcept
{
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, kClosed);
        size_ = other.size_;
        error_ = other.error_;
    }
    return *this;
}

InputFile::~InputFile()
{
    Close();
}

std::ptrdiff_t InputFile::ReadFully(char* to, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const std::ptrdiff_t n = Read(to + got, size - got);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    return std::ptrdiff_t(got);
}

}  // namespace platform
