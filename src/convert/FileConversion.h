// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The conversion of one file without the mark, read in blocks so that a file
// of any size takes bounded memory: a first pass tells how it is to be
// converted, a second writes it anew through WriteFileSafely.
#include <QString>
#include <cstddef>
#include <functional>
#include <optional>

enum class FileConversion {
    Converted,     // rewritten as UTF-8 with the mark (an empty file is left as it is)
    HoldsNul,      // holds a NUL character: left alone
    BrokenUtf16,   // UTF-16 with a surrogate half or an odd byte: left alone
    BrokenUtf32,   // UTF-32 with a value that is no character, or an unfinished unit
    CannotRead,    // cannot be opened or read; left alone
    CannotCreate,  // may not be written anew; left alone
    WriteFailed,   // the write failed part-way; the file keeps its old bytes
};

// Whether the file at path starts with the UTF-8 mark; nothing when it cannot
// be opened or read, and error then holds the system's number for why. A
// pipe, a device or a socket is refused as a folder is, without waiting on it.
std::optional<bool> StartsWithUtf8Mark(const QString& path, int& error);

inline constexpr std::size_t kConversionBlockSize = std::size_t(1) << 20;

// Converts the file at path, which does not start with the mark. Its output
// is that of Utf8Output over the file's bytes: each line UTF-8 as it is or
// encoded from the code page, UTF-16 and UTF-32 turned into UTF-8, every line ending in
// CR LF. Tests read in small blocks to put sequences across block edges.
// betweenBlocks, when given, runs after each block read, so that the
// caller's window stays alive during a large file.
FileConversion ConvertUnmarkedFile(const QString& path, std::size_t blockSize = kConversionBlockSize,
                                   const std::function<void()>& betweenBlocks = {});
