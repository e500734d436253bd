// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Exceptions.h"

Exception::Exception(const QString& message)
    : message_(message), utf8_(message.toStdString()), address_(__builtin_return_address(0))
{
}

EInOutError::EInOutError(int errorCode) : Exception(MessageFor(errorCode)), errorCode_(errorCode) {}

QString EInOutError::MessageFor(int errorCode)
{
    switch (errorCode) {
    case 2: return QStringLiteral("File not found");
    case 3: return QStringLiteral("Invalid filename");
    case 4: return QStringLiteral("Too many open files");
    case 5: return QStringLiteral("File access denied");
    default: return QStringLiteral("I/O error %1").arg(errorCode);
    }
}

QString CannotOpenFileMessage(const QString& path)
{
    return QStringLiteral("Cannot open file %1").arg(path);
}

QString CannotCreateFileMessage(const QString& path)
{
    return QStringLiteral("Cannot create file %1").arg(path);
}
