// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A buffer for reading files into that starts on a page boundary.
//
// The kernel copies a read out of the page cache fastest when the buffer lies
// at the same offset within a 4 KB page as the file position read from. A
// buffer a few bytes further on makes the copy's loads wait on its own stores
// (4 KB aliasing), and the read takes up to three times as long on some
// processors; a heap block of a megabyte starts 16 bytes past a page
// boundary, the worst case.
#include <cstddef>
#include <memory>
#include <new>

namespace platform {

inline constexpr std::size_t kPageSize = 4096;

struct PageBufferFree {
    void operator()(char* bytes) const { ::operator delete[](bytes, std::align_val_t(kPageSize)); }
};

using PageBuffer = std::unique_ptr<char[], PageBufferFree>;

inline PageBuffer NewPageBuffer(std::size_t size)
{
    return PageBuffer(static_cast<char*>(::operator new[](size, std::align_val_t(kPageSize))));
}

}  // namespace platform
