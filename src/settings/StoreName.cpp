// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/StoreName.h"

#include <QCoreApplication>
#include <QFileInfo>

TDefaultKeyOptions& DefaultKeyOptions()
{
    static TDefaultKeyOptions options;
    return options;
}

QString ExecutablePath()
{
    QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty() && !QCoreApplication::arguments().isEmpty())
        path = QCoreApplication::arguments().first();
    return path;
}

QString ExecutableBaseName(const QString& executablePath)
{
    QString name = executablePath;
    const qsizetype slash = qMax(name.lastIndexOf('/'), name.lastIndexOf('\\'));
    if (slash >= 0)
        name = name.mid(slash + 1);
#ifdef Q_OS_WIN
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0)
        name.truncate(dot);
#endif
    return name;
}

QString RegistryKeyForExecutable(const QString& executablePath)
{
    const TDefaultKeyOptions& options = DefaultKeyOptions();
    QString name = ExecutableBaseName(executablePath);
    if (options.UseApplicationTitle && !QCoreApplication::applicationName().isEmpty())
        name = QCoreApplication::applicationName();
    QString key = QStringLiteral("Software\\");
    if (!options.Organisation.isEmpty())
        key += options.Organisation + '\\';
    return key + name;
}

QString DefaultRegistryKey()
{
    return RegistryKeyForExecutable(ExecutablePath());
}

QString IniFileNameForExecutable(const QString& executablePath)
{
    return ExecutableBaseName(executablePath) + QStringLiteral(".INI");
}

QString DefaultIniFileName()
{
    return IniFileNameForExecutable(ExecutablePath());
}
