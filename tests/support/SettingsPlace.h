// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's settings go during one test, fresh for it: on Linux a
// temporary settings folder (each key an INI file in it); on Windows the
// keys themselves under HKEY_CURRENT_USER\Software, emptied before the test
// and after it. Header only: the tests that use it link the settings.
#include "settings/TRegIniFile.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

namespace testfiles {

class SettingsPlace {
public:
    // keys: the key paths a test writes ("Software\\filsok"), which on
    // Windows are removed before and after it.
    explicit SettingsPlace(QStringList keys = {}) : keys_(std::move(keys)), old_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", folder_.Path().toLocal8Bit());
        RemoveKeys();
    }
    ~SettingsPlace()
    {
        RemoveKeys();
        qputenv("XDG_CONFIG_HOME", old_);
    }
    SettingsPlace(const SettingsPlace&) = delete;
    SettingsPlace& operator=(const SettingsPlace&) = delete;

    // The values stored under a key ("Software\\filsok"), sections as groups.
    std::unique_ptr<QSettings> Open(const QString& key) const
    {
#ifdef _WIN32
        return std::make_unique<QSettings>("HKEY_CURRENT_USER\\" + key, QSettings::NativeFormat);
#else
        return std::make_unique<QSettings>(TRegIniFile::FileForKey(prCurrentUser, key), QSettings::IniFormat);
#endif
    }
    // Whether the key exists: its INI file, or the registry key.
    bool Exists(const QString& key) const
    {
#ifdef _WIN32
        const qsizetype cut = key.lastIndexOf('\\');
        return QSettings("HKEY_CURRENT_USER\\" + key.left(cut), QSettings::NativeFormat)
            .childGroups()
            .contains(key.mid(cut + 1), Qt::CaseInsensitive);
#else
        return QFileInfo(TRegIniFile::FileForKey(prCurrentUser, key)).isFile();
#endif
    }
    // The settings folder (Linux).
    QString Folder() const { return folder_.Path(); }
    QString operator()(const QString& name) const { return folder_(name); }

private:
    void RemoveKeys() const
    {
#ifdef _WIN32
        for (const QString& key : keys_) {
            const qsizetype cut = key.lastIndexOf('\\');
            QSettings parent("HKEY_CURRENT_USER\\" + key.left(cut), QSettings::NativeFormat);
            parent.remove(key.mid(cut + 1));
        }
#endif
    }

    testfiles::Folder folder_;
    QStringList keys_;
    QByteArray old_;
};

}  // namespace testfiles
