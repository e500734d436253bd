// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One open settings store: a key of the registry (on Linux an INI file in the
// user's settings folder) or an INI file. A section is a subkey or an INI
// group, a value a string value under it. A section that begins with a
// backslash is taken from the root instead of the store's own key.
#include <QString>

class TStore {
public:
    virtual ~TStore() = default;

    virtual QString ReadStoreText(const QString& section, const QString& name, const QString& defaultText) = 0;
    // A present value that is no whole integer reads as the default.
    virtual int ReadStoreInt(const QString& section, const QString& name, int defaultValue);
    virtual void WriteStoreText(const QString& section, const QString& name, const QString& text) = 0;
    // Decimal text, a minus sign for negative numbers.
    virtual void WriteStoreInt(const QString& section, const QString& name, int value);
    // "1" for true, "0" for false.
    virtual void WriteStoreFlag(const QString& section, const QString& name, bool value);
    virtual void EraseSection(const QString& section) = 0;

    // Puts what was written on disk. Called once when a save ends; raises
    // ERegistryException when the values could not be written.
    virtual void Close() {}
};

// The store's error texts; the placeholder is the value or key name.
QString InvalidDataTypeMessage(const QString& name);  // "Invalid data type for '%s'"
QString GetDataFailedMessage(const QString& name);    // "Failed to get data for '%s'"
QString CreateKeyFailedMessage(const QString& key);   // "Failed to create key %s"
QString SetDataFailedMessage(const QString& name);    // "Failed to set data for '%s'"
