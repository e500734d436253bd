// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File names between the file system and the window. On Linux a name is
// bytes, mostly UTF-8 but not always (an old archive unpacks Latin-1
// names); the window shows text. The decoding is reversible, so that a path
// shown in the file list leads back to exactly the file it came from:
// valid UTF-8 reads as its characters, and every other byte becomes the
// lone surrogate U+DC80 + byte (as Python's "surrogateescape" does), which
// the window shows as a replacement mark and the encoding turns back into
// that byte. Every path that goes from text to the system passes through
// EncodeFileName, and every name that comes from it through
// DecodeFileName.
//
// On Windows, where a path is UTF-16 and QString is the native path, these
// functions have a Windows implementation of their own behind the same
// declarations.
#include <QByteArray>
#include <QString>
#include <QUrl>
#include <string_view>

namespace platform {

// The text of a name or path as the file system holds it.
QString DecodeFileName(std::string_view bytes);

// The bytes of a path for the file system: the inverse of DecodeFileName,
// so EncodeFileName(DecodeFileName(b)) == b for any bytes b. A lone
// surrogate that stands for no byte (none comes from a decoded name)
// becomes the UTF-8 of U+FFFD.
QByteArray EncodeFileName(const QString& path);

// The same bytes, or an empty array when path cannot name a file: it is
// empty, or holds a NUL, at which the system would cut it and so reach
// another file than the one named.
QByteArray NativePath(const QString& path);

// The file URL that names exactly the file at path, every byte of its name
// kept (percent-encoded); a relative path is taken from the current folder.
QUrl FileUrl(const QString& path);

}  // namespace platform
