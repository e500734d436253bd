// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The conversion of one file without the mark, read in blocks so that a file
// of any size takes bounded memory: a first pass tells how it is to be
// converted, a second writes it anew through WriteFileSafely.
#include <QString>
#include <cstddef>

enum class FileConversion {
    Converted,     // rewritten as UTF-8 with the mark (an empty file is left as it is)
    HoldsNul,      // holds a NUL byte: left alone
    CannotRead,    // cannot be opened or read; left alone
    CannotCreate,  // may not be written anew; left alone
    WriteFailed,   // the write failed part-way; the file keeps its old bytes
};

inline constexpr std::size_t kConversionBlockSize = std::size_t(1) << 20;

// Converts the file at path, which does not start with the mark. Its output
// is that of Utf8Output over the text list's joined text: encoded from
// Windows-1252, or only given the mark and CR LF line ends when it is UTF-8
// already. Tests read in small blocks to put sequences across block edges.
FileConversion ConvertUnmarkedFile(const QString& path, std::size_t blockSize = kConversionBlockSize);
