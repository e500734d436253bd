// SPDX-License-Identifier: GPL-3.0-or-later
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
// key cannot be opened (the file cannot be made, something other than a file
// stands in its place, or the user may not read it, or for a writable store
// not write it), there is no current key: its sections read as the defaults
// and what is written to them is left out, so the store never touches what
// it cannot use. Nothing goes elsewhere instead.
#include "settings/PlacementTypes.h"
#include "settings/SettingsFileStore.h"

class TRegIniFile : public TSettingsFileStore {
public:
    TRegIniFile(const QString& keyPath, TPlacementRegRoot root = prCurrentUser, bool readOnly = false);

    const QString& KeyPath() const { return keyPath_; }
    TPlacementRegRoot Root() const { return root_; }
    // Whether the application key could be opened (it was there or could be
    // made, and may be read and, unless read-only, written).
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
