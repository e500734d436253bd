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
