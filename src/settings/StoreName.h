// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the settings live: the registry key path of the running program and
// the store file of file mode, both made from the executable's name.
#include <QString>

// Process-wide switches of the default key; both off unless a program turns
// them on.
struct TDefaultKeyOptions {
    // Use the application's name instead of the file name when it is set.
    bool UseApplicationTitle = false;
    // Put this folder and a backslash between "Software\" and the name.
    QString Organisation;
};
TDefaultKeyOptions& DefaultKeyOptions();

// The program's name as a store name: the executable's file name without its
// folder. On Windows the extension (from the last dot) goes too: my.tool.exe
// is "my.tool". Linux executables carry no extension, so my.tool stays whole.
QString ExecutableBaseName(const QString& executablePath);

// "Software\" + the program's name (see the switches above).
QString RegistryKeyForExecutable(const QString& executablePath);
QString DefaultRegistryKey();

// The store file of file mode: the program's name with ".INI", no folder.
QString IniFileNameForExecutable(const QString& executablePath);
QString DefaultIniFileName();

// The running executable's path (the first argument when Qt cannot tell).
QString ExecutablePath();
