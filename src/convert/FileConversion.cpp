// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FileConversion.h"

#include "convert/SafeFileWrite.h"
#include "convert/Utf8Conversion.h"
#include "platform/OpenForReading.h"
#include "platform/PageBuffer.h"

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// Reads the file at path a block at a time, handing each to onBlock until it
// returns false; false when the file cannot be opened or read.
bool ReadInBlocks(const QString& path, char* buffer, std::size_t blockSize,
                  const std::function<bool(std::string_view)>& onBlock)
{
    std::size_t reported = 0;
    const int fd = platform::OpenForReading(path, reported);
    if (fd < 0)
        return false;
    bool read = true;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, blockSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            read = false;
            break;
        }
        if (got == 0 || !onBlock(std::string_view(buffer, std::size_t(got))))
            break;
    }
    ::close(fd);
    return read;
}

// A file that another program changes between the two passes is looked at
// again, a few times at most.
constexpr int kAttempts = 3;

}  // namespace

FileConversion ConvertUnmarkedFile(const QString& path, std::size_t blockSize)
{
    blockSize = std::max<std::size_t>(blockSize, 1);
    const platform::PageBuffer buffer = platform::NewPageBuffer(blockSize);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        TextClassifier first;
        const bool read = ReadInBlocks(path, buffer.get(), blockSize, [&](std::string_view block) {
            first.Add(block);
            return !first.HoldsNul();  // a NUL settles it
        });
        if (!read)
            return FileConversion::CannotRead;
        first.Finish();
        switch (first.Result()) {
        case UnmarkedContent::HoldsNul: return FileConversion::HoldsNul;
        case UnmarkedContent::BrokenUtf16: return FileConversion::BrokenUtf16;
        case UnmarkedContent::Text: break;
        }
        // An empty text is not written: the file stays as it is, without the mark.
        if (first.Empty())
            return FileConversion::Converted;

        // The second pass checks the bytes again as it writes them, so that
        // what it writes is what the first pass found.
        bool readAgain = true;
        bool sameKind = true;
        const ContentSource content = [&](const std::function<bool(std::string_view)>& put) {
            Utf8Writer writer;
            TextClassifier second;
            std::string out;
            bool written = true;
            readAgain = ReadInBlocks(path, buffer.get(), blockSize, [&](std::string_view block) {
                second.Add(block);
                if (second.HoldsNul())
                    return false;
                out.clear();
                writer.Add(block, out);
                written = put(out);
                return written;
            });
            if (!readAgain || !written)
                return false;
            second.Finish();
            sameKind = second.Result() == UnmarkedContent::Text && !second.Empty() && second.Form() == first.Form();
            if (!sameKind)
                return false;
            out.clear();
            writer.Finish(out);
            return put(out);
        };
        switch (WriteFileSafely(path, content)) {
        case SafeWriteResult::Written: return FileConversion::Converted;
        case SafeWriteResult::CannotCreate: return FileConversion::CannotCreate;
        case SafeWriteResult::WriteFailed: return FileConversion::WriteFailed;
        case SafeWriteResult::ContentFailed:
            if (!readAgain)
                return FileConversion::CannotRead;
            break;  // changed under way: once more from the start
        }
    }
    return FileConversion::CannotRead;
}
