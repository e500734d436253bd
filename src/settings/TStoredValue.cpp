// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TStoredValue.h"

#include "settings/TStore.h"

#include <QByteArray>

namespace {

QByteArray XorWithKey(QByteArray bytes, const QByteArray& key)
{
    if (key.isEmpty())
        return bytes;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(bytes[i] ^ key[i % key.size()]);
    return bytes;
}

bool IsHexText(const QString& text)
{
    if (text.size() % 2 != 0)
        return false;
    for (QChar c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

}  // namespace

QString ScrambleText(const QString& key, const QString& text)
{
    return QString::fromLatin1(XorWithKey(text.toUtf8(), key.toUtf8()).toHex().toUpper());
}

std::optional<QString> UnscrambleText(const QString& key, const QString& scrambled)
{
    if (!IsHexText(scrambled))
        return std::nullopt;
    const QByteArray bytes = XorWithKey(QByteArray::fromHex(scrambled.toLatin1()), key.toUtf8());
    QString text = QString::fromUtf8(bytes);
    // A text that was not made by ScrambleText with this key rarely gives
    // valid UTF-8; such a text is refused rather than read as garbage.
    if (text.toUtf8() != bytes)
        return std::nullopt;
    return text;
}

void TStoredValue::Save(TStore& store, const QString& section)
{
    if (name_.isEmpty())
        return;
    QString value = value_;
    if (OnSave)
        OnSave(this, value);
    if (!keyString_.isEmpty())
        value = ScrambleText(keyString_, value);
    store.WriteStoreText(section, name_, value);
}

void TStoredValue::Restore(TStore& store, const QString& section)
{
    if (name_.isEmpty())
        return;
    QString value = value_;
    if (keyString_.isEmpty()) {
        value = store.ReadStoreText(section, name_, value_);
    } else {
        const QString stored = store.ReadStoreText(section, name_, ScrambleText(keyString_, value_));
        value = UnscrambleText(keyString_, stored).value_or(value_);
    }
    if (OnRestore)
        OnRestore(this, value);
    value_ = value;
}

TStoredValue* TStoredValues::Add()
{
    auto* item = new TStoredValue(this);
    items_.push_back(item);
    return item;
}

void TStoredValues::Clear()
{
    for (TStoredValue* item : items_)
        delete item;
    items_.clear();
}

TStoredValue* TStoredValues::ValueByName(const QString& name) const
{
    for (TStoredValue* item : items_)
        if (item->Name().compare(name, Qt::CaseInsensitive) == 0)
            return item;
    return nullptr;
}

void TStoredValues::SaveValues(TStore& store, const QString& section)
{
    for (TStoredValue* item : items_)
        item->Save(store, section);
}

void TStoredValues::RestoreValues(TStore& store, const QString& section)
{
    for (TStoredValue* item : items_)
        item->Restore(store, section);
}
