#pragma once
// The registry store: a key path under a registry root, with sections as
// subkeys and values as string values.
//
// On Windows it is the registry itself, through QSettings' native format.
// On Linux the root HKEY_CURRENT_USER is the user's settings folder
// ($XDG_CONFIG_HOME, else ~/.config) and the key Software\<path> is the INI
// file <path>.ini in it (Software\filsok is ~/.config/filsok.ini); a section
// such as "Setup" is a group of that file. Other roots are the system-wide
// settings folder (the first of $XDG_CONFIG_DIRS, else /etc/xdg), which a
// user cannot write to, as on Windows.
//
// A section that begins with a backslash is a path from the root. One that
// lies under the store's key is a group of the store's file; any other is
// taken as the group below the application key Software\<first part> (file
// <first part>.ini).
//
// Opening the store creates the application key (the empty file) unless the
// store is read-only under a root other than the current user's. When the
// key cannot be made, there is no current key: reading gives the defaults and
// writing fails with "Failed to create key %s" rather than writing elsewhere.
#include "settings/PlacementTypes.h"
#include "settings/SettingsFileStore.h"

class TRegIniFile : public TSettingsFileStore {
public:
    TRegIniFile(const QString& keyPath, TPlacementRegRoot root = prCurrentUser, bool readOnly = false);

    const QString& KeyPath() const { return keyPath_; }
    TPlacementRegRoot Root() const { return root_; }
    // Whether the application key exists (it was there or could be made).
    bool HasCurrentKey() const { return hasCurrentKey_; }

    // The settings folder that stands for a registry root on Linux.
    static QString RootFolder(TPlacementRegRoot root);
    // The INI file of an application key: Software\a\b is <root>/a/b.ini.
    static QString FileForKey(TPlacementRegRoot root, const QString& keyPath);

protected:
    Place Locate(const QString& section) const override;

private:
    QString keyPath_;
    TPlacementRegRoot root_;
    bool hasCurrentKey_ = false;
};
