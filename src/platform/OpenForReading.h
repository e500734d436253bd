#pragma once
// Opening a file whose bytes are to be read whole: the path goes through the
// file-system encoding, and a folder counts as no file.
#include <QString>
#include <cstddef>

namespace platform {

// A descriptor open for reading (the caller closes it), or -1. reportedSize
// is the size the file system gives, which may change while it is read.
int OpenForReading(const QString& path, std::size_t& reportedSize);

}  // namespace platform
