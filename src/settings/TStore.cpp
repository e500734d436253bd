// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TStore.h"

int TStore::ReadStoreInt(const QString& section, const QString& name, int defaultValue)
{
    const QString text = ReadStoreText(section, name, QString());
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok && text == text.trimmed() ? value : defaultValue;
}

void TStore::WriteStoreInt(const QString& section, const QString& name, int value)
{
    WriteStoreText(section, name, QString::number(value));
}

void TStore::WriteStoreFlag(const QString& section, const QString& name, bool value)
{
    WriteStoreText(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString InvalidDataTypeMessage(const QString& name)
{
    return QStringLiteral("Invalid data type for '%1'").arg(name);
}

QString GetDataFailedMessage(const QString& name)
{
    return QStringLiteral("Failed to get data for '%1'").arg(name);
}

QString CreateKeyFailedMessage(const QString& key)
{
    return QStringLiteral("Failed to create key %1").arg(key);
}

QString SetDataFailedMessage(const QString& name)
{
    return QStringLiteral("Failed to set data for '%1'").arg(name);
}
