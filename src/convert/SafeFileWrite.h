// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a file's new content so that it is never left half-written: the
// file ends up holding either its old bytes or all of the new ones.
#include <QString>
#include <QtGlobal>
#include <functional>
#include <string_view>

enum class SafeWriteResult {
    Written,
    // Nothing was written: the file is read-only (no owner write bit, or not
    // writable by this user, root included), not a plain file, or its
    // folder does not let the new content be created beside it.
    CannotCreate,
    // Writing the new content failed part-way; the file keeps its old bytes.
    WriteFailed,
    // The content could not be made to the end (see ContentSource); the
    // file keeps its old bytes.
    ContentFailed,
};

// Makes the new content of a file and hands it to put piece by piece, in
// order; false when it cannot make all of it, or when put returns false
// (the write failed: the source stops at once).
using ContentSource = std::function<bool(const std::function<bool(std::string_view)>& put)>;

// Replaces the content of the file at path (creating it when it does not
// exist) by bytes.
//
// A file with one name gets its new content in a temporary file beside it
// (a dot-name, which no listing shows), which replaces it only once
// completely written; its permission bits, owner and group are kept, and a
// symbolic link is written through to its target. The path goes to the
// system as its own bytes (platform/FileName.h), whatever they are.
// A file with more than one hard link is rewritten in place, so that every
// name sees the new content; its old bytes are kept in memory and written
// back when the write fails.
SafeWriteResult WriteFileSafely(const QString& path, std::string_view bytes);

// The same with the content made piece by piece while it is written, so
// that a file of any size passes through the temporary file in bounded
// memory. A file rewritten in place (hard-linked, or whose owner cannot be
// kept) has its new content gathered in memory first, beside its old bytes:
// those must be at hand to be put back if the write fails, and a full disk,
// the usual cause of that, leaves no room for a copy of them on the disk.
SafeWriteResult WriteFileSafely(const QString& path, const ContentSource& content);

// Lets tests make a write fail as on a full disk: every later write of new
// content stops after `bytes` bytes and fails. A negative value removes it.
void SetWriteLimitForTesting(qint64 bytes);
