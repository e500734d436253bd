#pragma once
// Writing a file's new content so that it is never left half-written: the
// file ends up holding either its old bytes or all of the new ones.
#include <QString>
#include <QtGlobal>
#include <string_view>

enum class SafeWriteResult {
    Written,
    // Nothing was written: the file is read-only (no owner write bit, or not
    // writable by this user, root included), not a plain file, or its
    // folder does not let the new content be created beside it.
    CannotCreate,
    // Writing the new content failed part-way; the file keeps its old bytes.
    WriteFailed,
};

// Replaces the content of the file at path (creating it when it does not
// exist) by bytes.
//
// A file with one name gets its new content in a temporary file beside it,
// which replaces it only once completely written; its permission bits, owner
// and group are kept, and a symbolic link is written through to its target.
// A file with more than one hard link is rewritten in place, so that every
// name sees the new content; its old bytes are kept in memory and written
// back when the write fails.
SafeWriteResult WriteFileSafely(const QString& path, std::string_view bytes);

// Lets tests make a write fail as on a full disk: every later write of new
// content stops after `bytes` bytes and fails. A negative value removes it.
void SetWriteLimitForTesting(qint64 bytes);
