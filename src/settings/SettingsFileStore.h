// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The store operations over QSettings, shared by the registry store and the
// INI-file store. Each section is looked up as a place: the settings file
// (or, on Windows, the registry path) and the group inside it.
//
// Values are written as strings and must read back as strings:
// - a text value reads as it stands, cut at an embedded NUL;
// - a list of texts (what QSettings makes of a hand-edited, unquoted value
//   with commas, such as NormPos=10,20,30,40) reads as its items joined by
//   "," so that hand-edited position texts still work; blanks next to the
//   commas are lost by the INI reader;
// - anything else ("@Variant(...)", "@ByteArray(...)", "@Rect(...)",
//   "@Invalid()", or on Windows a number or binary value) is
//   "Invalid data type for '%s'".
// A place of a key that could not be opened reads as the defaults and takes
// no writes. Otherwise, a store file that exists but cannot be read (no read
// permission, or a folder in its place) is "Failed to get data for '%s'"; a
// file that cannot be created is "Failed to create key %s"; one that cannot
// be written, now or when the store is closed, is "Failed to set data for
// '%s'".
#include "settings/TStore.h"

#include <QSettings>
#include <QString>
#include <map>
#include <memory>

class TSettingsFileStore : public TStore {
public:
    ~TSettingsFileStore() override;

    QString ReadStoreText(const QString& section, const QString& name, const QString& defaultText) override;
    void WriteStoreText(const QString& section, const QString& name, const QString& text) override;
    void EraseSection(const QString& section) override;
    // Syncs every file written to; raises for the first one that failed.
    void Close() override;

protected:
    struct Place {
        QString Path;   // file name, or registry path on Windows
        QString Group;  // "/"-separated group inside it; empty for the top
        bool IsFile = true;
        bool Unopened = false;  // its key could not be opened: left alone
    };
    TSettingsFileStore(bool readOnly, bool quoteRule);
    virtual Place Locate(const QString& section) const = 0;
    // Creates an empty store file (and its folders) when it is missing.
    static bool EnsureFile(const QString& path);
    bool ReadOnly() const { return readOnly_; }

private:
    QSettings& Settings(const Place& place);
    static QString Key(const Place& place, const QString& name);
    void CheckWritable(const Place& place, const QString& section, const QString& name);

    struct OpenFile {
        std::unique_ptr<QSettings> Settings;
        QString FirstUnsynced;  // first value name written since the last sync
    };
    std::map<QString, OpenFile> open_;
    bool readOnly_;
    bool quoteRule_;
};

// The text the INI store keeps for a value: a text that begins and ends with
// the same quote character (" or ') gets one more pair of double quotes, as
// reading takes one pair off.
QString IniQuoted(const QString& text);
QString IniUnquoted(const QString& text);

// Section paths use backslashes; groups use "/".
QString SectionToGroup(const QString& section);
