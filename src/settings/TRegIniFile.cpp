// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TRegIniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

QString WithoutSoftware(const QString& keyPath)
{
    static const QString software = QStringLiteral("Software\\");
    return keyPath.startsWith(software, Qt::CaseInsensitive) ? keyPath.mid(software.size()) : keyPath;
}

QString CleanKeyPath(QString keyPath)
{
    while (keyPath.startsWith('\\'))
        keyPath.remove(0, 1);
    while (keyPath.endsWith('\\'))
        keyPath.chop(1);
    return keyPath;
}

#ifdef Q_OS_WIN
QString RootName(TPlacementRegRoot root)
{
    switch (root) {
    case prLocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case prCurrentConfig: return QStringLiteral("HKEY_CURRENT_CONFIG");
    case prClassesRoot: return QStringLiteral("HKEY_CLASSES_ROOT");
    case prUsers: return QStringLiteral("HKEY_USERS");
    case prDynData: return QStringLiteral("HKEY_DYN_DATA");
    case prCurrentUser: break;
    }
    return QStringLiteral("HKEY_CURRENT_USER");
}
#endif

}  // namespace

QString TRegIniFile::RootFolder(TPlacementRegRoot root)
{
    if (root == prCurrentUser) {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (!config.isEmpty())
            return config;
        return QDir::homePath() + QStringLiteral("/.config");
    }
    const QStringList dirs = qEnvironmentVariable("XDG_CONFIG_DIRS").split(':', Qt::SkipEmptyParts);
    return dirs.isEmpty() ? QStringLiteral("/etc/xdg") : dirs.first();
}

QString TRegIniFile::FileForKey(TPlacementRegRoot root, const QString& keyPath)
{
    QString relative = WithoutSoftware(CleanKeyPath(keyPath));
    relative.replace('\\', '/');
    return RootFolder(root) + '/' + relative + QStringLiteral(".ini");
}

TRegIniFile::TRegIniFile(const QString& keyPath, TPlacementRegRoot root, bool readOnly)
    : TSettingsFileStore(readOnly, false), keyPath_(CleanKeyPath(keyPath)), root_(root)
{
#ifdef Q_OS_WIN
    hasCurrentKey_ = true;
#else
    const QString file = FileForKey(root_, keyPath_);
    const bool there = readOnly && root_ != prCurrentUser ? QFileInfo(file).isFile() : EnsureFile(file);
    const QFileInfo info(file);
    hasCurrentKey_ = there && info.isReadable() && (readOnly || info.isWritable());
#endif
}

TSettingsFileStore::Place TRegIniFile::Locate(const QString& section) const
{
    QString full;
    if (section.startsWith('\\'))
        full = CleanKeyPath(section);
    else
        full = keyPath_ + '\\' + section;
#ifdef Q_OS_WIN
    // The registry path itself; the value name is looked up under it.
    return Place{RootName(root_) + '\\' + CleanKeyPath(full), QString(), false};
#else
    const QString own = keyPath_ + '\\';
    if (full.compare(keyPath_, Qt::CaseInsensitive) == 0)
        return Place{FileForKey(root_, keyPath_), QString(), true, !hasCurrentKey_};
    if (full.startsWith(own, Qt::CaseInsensitive))
        return Place{FileForKey(root_, keyPath_), SectionToGroup(full.mid(own.size())), true, !hasCurrentKey_};
    const QString rest = WithoutSoftware(CleanKeyPath(full));
    const qsizetype slash = rest.indexOf('\\');
    const QString app = slash < 0 ? rest : rest.left(slash);
    const QString group = slash < 0 ? QString() : SectionToGroup(rest.mid(slash + 1));
    return Place{FileForKey(root_, QStringLiteral("Software\\") + app), group, true};
#endif
}
