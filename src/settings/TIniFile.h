// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The store of file mode: one INI file, sections as its groups. A file name
// without a folder lives in the user's settings folder ($XDG_CONFIG_HOME,
// else ~/.config). A leading backslash of a section is dropped. A text that
// begins and ends with the same quote character is kept with one more pair
// of double quotes, and reading takes one pair off, so such texts come back
// as they were written.
#include "settings/SettingsFileStore.h"

class TIniFile : public TSettingsFileStore {
public:
    explicit TIniFile(const QString& fileName, bool readOnly = false);
    const QString& FileName() const { return path_; }

protected:
    Place Locate(const QString& section) const override;

private:
    QString path_;
};
