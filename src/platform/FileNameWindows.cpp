// SPDX-License-Identifier: GPL-3.0-or-later
// File names on Windows are UTF-16, as QString is: a path goes to the
// system's wide calls as it stands, and the bytes these functions deal in
// are UTF-8 (the folder reader hands names out that way).
#include "platform/FileName.h"

#include <QDir>

namespace platform {

QString DecodeFileName(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

QByteArray EncodeFileName(const QString& path)
{
    return path.toUtf8();
}

QByteArray NativePath(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return QByteArray();
    return path.toUtf8();
}

QUrl FileUrl(const QString& path)
{
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(path));
}

}  // namespace platform
