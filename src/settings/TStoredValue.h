// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Named values the settings component keeps beside the control values: each
// is written under its Name in the component's section after the control
// values, and read back the same way. With a KeyString the text is scrambled,
// so that it is not readable at a glance in the store (this is no
// encryption).
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class TStore;
class TStoredValue;

// The value as it is about to be written, or as it was just read.
using TStoredValueEvent = std::function<void(TStoredValue* Sender, QString& Value)>;

class TStoredValue : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Value READ Value WRITE SetValue)
    Q_PROPERTY(QString KeyString READ KeyString WRITE SetKeyString)
public:
    explicit TStoredValue(QObject* parent = nullptr) : QObject(parent) {}

    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    const QString& Value() const { return value_; }
    void SetValue(const QString& value) { value_ = value; }
    const QString& KeyString() const { return keyString_; }
    void SetKeyString(const QString& key) { keyString_ = key; }

    TStoredValueEvent OnSave;
    TStoredValueEvent OnRestore;

    // Writes the value (after OnSave) under Name; nothing when Name is empty.
    void Save(TStore& store, const QString& section);
    // Reads the value under Name, the current value being the default, then
    // OnRestore. A scrambled text that does not unscramble keeps the value.
    void Restore(TStore& store, const QString& section);

private:
    QString name_;
    QString value_;
    QString keyString_;
};

class TStoredValues : public QObject {
    Q_OBJECT
public:
    explicit TStoredValues(QObject* parent = nullptr) : QObject(parent) {}

    int Count() const { return static_cast<int>(items_.size()); }
    TStoredValue* Item(int index) const { return items_.at(static_cast<size_t>(index)); }
    TStoredValue* Add();
    void Clear();
    // The first item of that name, without regard to case.
    TStoredValue* ValueByName(const QString& name) const;

    void SaveValues(TStore& store, const QString& section);
    void RestoreValues(TStore& store, const QString& section);

private:
    std::vector<TStoredValue*> items_;  // children of this object
};

// XOR of the text's UTF-8 bytes with the key's bytes (repeated), as upper-case
// hexadecimal; Unscramble undoes it and gives nothing for a text that is not
// such a result.
QString ScrambleText(const QString& key, const QString& text);
std::optional<QString> UnscrambleText(const QString& key, const QString& scrambled);
