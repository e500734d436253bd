// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFileStore.h"

#include "toolkit/Exceptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

namespace {

bool IsQuoteChar(QChar c)
{
    return c == '"' || c == '\'';
}

bool IsQuotedText(const QString& text)
{
    return text.size() >= 2 && IsQuoteChar(text.front()) && text.back() == text.front();
}

}  // namespace

QString IniQuoted(const QString& text)
{
    return IsQuotedText(text) ? '"' + text + '"' : text;
}

QString IniUnquoted(const QString& text)
{
    return IsQuotedText(text) ? text.mid(1, text.size() - 2) : text;
}

QString SectionToGroup(const QString& section)
{
    QStringList parts = section.split('\\', Qt::SkipEmptyParts);
    return parts.join('/');
}

TSettingsFileStore::TSettingsFileStore(bool readOnly, bool quoteRule) : readOnly_(readOnly), quoteRule_(quoteRule) {}

TSettingsFileStore::~TSettingsFileStore() = default;

bool TSettingsFileStore::EnsureFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.isFile();
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    // Append mode, so that a file another instance made meanwhile is kept.
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

QSettings& TSettingsFileStore::Settings(const Place& place)
{
    OpenFile& open = open_[place.Path];
    if (!open.Settings) {
        // A fresh QSettings per open store: what another instance wrote since
        // the last save or restore is read anew.
        open.Settings = std::make_unique<QSettings>(place.Path, place.IsFile ? QSettings::IniFormat
                                                                              : QSettings::NativeFormat);
        open.Settings->setFallbacksEnabled(false);
    }
    return *open.Settings;
}

QString TSettingsFileStore::Key(const Place& place, const QString& name)
{
    return place.Group.isEmpty() ? name : place.Group + '/' + name;
}

QString TSettingsFileStore::ReadStoreText(const QString& section, const QString& name, const QString& defaultText)
{
    const Place place = Locate(section);
    if (place.Unopened)
        return defaultText;
    if (place.IsFile) {
        const QFileInfo info(place.Path);
        if (!info.exists())
            return defaultText;
        if (!info.isFile() || !info.isReadable())
            throw ERegistryException(GetDataFailedMessage(name));
    }
    QSettings& settings = Settings(place);
    if (settings.status() == QSettings::AccessError)
        throw ERegistryException(GetDataFailedMessage(name));
    const QString key = Key(place, name);
    if (!settings.contains(key))
        return defaultText;
    const QVariant value = settings.value(key);
    QString text;
    switch (value.typeId()) {
    case QMetaType::QString: text = value.toString(); break;
    case QMetaType::QStringList: text = value.toStringList().join(','); break;
    default: throw ERegistryException(InvalidDataTypeMessage(name));
    }
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return quoteRule_ ? IniUnquoted(text) : text;
}

void TSettingsFileStore::CheckWritable(const Place& place, const QString& section, const QString& name)
{
    if (!place.IsFile)
        return;
    if (!EnsureFile(place.Path)) {
        if (QFileInfo::exists(place.Path))
            throw ERegistryException(SetDataFailedMessage(name));
        throw ERegistryException(CreateKeyFailedMessage(section));
    }
    if (!QFileInfo(place.Path).isWritable())
        throw ERegistryException(SetDataFailedMessage(name));
}

void TSettingsFileStore::WriteStoreText(const QString& section, const QString& name, const QString& text)
{
    const Place place = Locate(section);
    if (readOnly_)
        throw ERegistryException(SetDataFailedMessage(name));
    if (place.Unopened)
        return;
    CheckWritable(place, section, name);
    QSettings& settings = Settings(place);
    settings.setValue(Key(place, name), quoteRule_ ? IniQuoted(text) : text);
    OpenFile& open = open_[place.Path];
    if (open.FirstUnsynced.isEmpty())
        open.FirstUnsynced = name;
}

void TSettingsFileStore::EraseSection(const QString& section)
{
    const Place place = Locate(section);
    if (readOnly_)
        throw ERegistryException(SetDataFailedMessage(section));
    if (place.Unopened || (place.IsFile && !QFileInfo::exists(place.Path)))
        return;
    CheckWritable(place, section, section);
    QSettings& settings = Settings(place);
    if (place.Group.isEmpty())
        settings.clear();
    else
        settings.remove(place.Group);
    OpenFile& open = open_[place.Path];
    if (open.FirstUnsynced.isEmpty())
        open.FirstUnsynced = section;
}

void TSettingsFileStore::Close()
{
    QString failed;
    for (auto& [path, open] : open_) {
        if (!open.Settings || open.FirstUnsynced.isEmpty())
            continue;
        open.Settings->sync();
        // A format error means Qt could not parse all of the old file; it
        // still wrote the new one, so only an access error is a failure.
        if (open.Settings->status() == QSettings::AccessError && failed.isEmpty())
            failed = open.FirstUnsynced;
        open.FirstUnsynced.clear();
    }
    open_.clear();
    if (!failed.isEmpty())
        throw ERegistryException(SetDataFailedMessage(failed));
}
