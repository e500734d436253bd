// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TIniFile.h"

#include "settings/TRegIniFile.h"

#include <QDir>

TIniFile::TIniFile(const QString& fileName, bool readOnly) : TSettingsFileStore(readOnly, true)
{
    const bool hasFolder = fileName.contains('/') || fileName.contains('\\');
    path_ = hasFolder ? fileName : TRegIniFile::RootFolder(prCurrentUser) + '/' + fileName;
}

TSettingsFileStore::Place TIniFile::Locate(const QString& section) const
{
    return Place{path_, SectionToGroup(section), true};
}
