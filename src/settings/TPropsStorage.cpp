// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TPropsStorage.h"

#include "platform/CodePage.h"
#include "settings/TCollection.h"
#include "toolkit/Exceptions.h"
#include "toolkit/TComponent.h"
#include "toolkit/TForm.h"

#include <QMetaEnum>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <charconv>
#include <limits>
#include <string>

namespace {

// No stored text can hold a NUL (a store's text ends at the first one), so
// this default tells a missing list item from an empty one.
const QString kMissingItem = QString(QChar(0));

// A damaged count must not make a restore create items without end.
constexpr int kMaxCollectionItems = 100000;

bool IsStringKind(TTypeKind kind)
{
    return kind == TTypeKind::tkString || kind == TTypeKind::tkLString || kind == TTypeKind::tkWChar;
}

template <typename Number>
QString ShortestText(Number value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

bool IsUnsignedInteger(int typeId)
{
    switch (typeId) {
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

// Whether a stored integer fits the property's type.
bool FitsInteger(int typeId, qlonglong value)
{
    auto within = [value](auto lowest, auto highest) {
        return value >= static_cast<qlonglong>(lowest) && value <= static_cast<qlonglong>(highest);
    };
    switch (typeId) {
    case QMetaType::Int:
        return within(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    case QMetaType::Short:
        return within(std::numeric_limits<short>::min(), std::numeric_limits<short>::max());
    case QMetaType::SChar:
        return within(std::numeric_limits<signed char>::min(), std::numeric_limits<signed char>::max());
    case QMetaType::Long:
        return within(std::numeric_limits<long>::min(), std::numeric_limits<long>::max());
    default:
        return true;
    }
}

bool FitsUnsigned(int typeId, qulonglong value)
{
    switch (typeId) {
    case QMetaType::UInt:
        return value <= std::numeric_limits<unsigned>::max();
    case QMetaType::UShort:
        return value <= std::numeric_limits<unsigned short>::max();
    case QMetaType::UChar:
        return value <= std::numeric_limits<unsigned char>::max();
    case QMetaType::ULong:
        return value <= std::numeric_limits<unsigned long>::max();
    default:
        return true;
    }
}

bool IsSingleBit(int value)
{
    const auto bits = static_cast<unsigned>(value);
    return bits != 0 && (bits & (bits - 1)) == 0;
}

QString SetText(const QMetaEnum& type, int value)
{
    QStringList names;
    for (int i = 0; i < type.keyCount(); ++i) {
        const int element = type.value(i);
        if (IsSingleBit(element) && (value & element) == element)
            names.append(QString::fromLatin1(type.key(i)));
    }
    return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
}

bool ParseSet(const QMetaEnum& type, const QString& text, int& value)
{
    QString inner = text.trimmed();
    if (inner.startsWith(QLatin1Char('[')) && inner.endsWith(QLatin1Char(']')))
        inner = inner.mid(1, inner.size() - 2);
    value = 0;
    for (const QString& part : inner.split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        bool found = false;
        for (int i = 0; i < type.keyCount() && !found; ++i) {
            if (IsSingleBit(type.value(i)) && name.compare(QLatin1String(type.key(i)), Qt::CaseInsensitive) == 0) {
                value |= type.value(i);
                found = true;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

int IntOf(const QVariant& value)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (ok)
        return number;
    return static_cast<int>(value.toUInt());
}

// A value of the property's own type holding the enumeration or set bits.
QVariant EnumValue(const QMetaProperty& property, int bits)
{
    QVariant value(bits);
    if (value.convert(property.metaType()))
        return value;
    return QVariant(bits);
}

QObject* ObjectOf(const QVariant& value)
{
    return value.value<QObject*>();
}

}  // namespace

QString TrimStoredText(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 32)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

QString TPropsStorage::ReadString(const QString& section, const QString& name, const QString& defaultText)
{
    return OnReadString ? OnReadString(section, name, defaultText) : QString();
}

void TPropsStorage::WriteString(const QString& section, const QString& name, const QString& text)
{
    if (OnWriteString)
        OnWriteString(section, name, text);
}

void TPropsStorage::EraseSection(const QString& section)
{
    if (OnEraseSection)
        OnEraseSection(section);
}

QString TPropsStorage::GetItemName(const QString& propertyName) const
{
    return Prefix + propertyName;
}

std::unique_ptr<TPropsStorage> TPropsStorage::CreateStorage() const
{
    return std::make_unique<TPropsStorage>();
}

std::unique_ptr<TPropsStorage> TPropsStorage::MakeNested(QObject* object, const QString& prefix,
                                                         const QString& section) const
{
    std::unique_ptr<TPropsStorage> nested = CreateStorage();
    nested->AObject = object;
    nested->Prefix = prefix;
    nested->Section = section;
    nested->OwnerWindow = OwnerWindow;
    nested->OnReadString = OnReadString;
    nested->OnWriteString = OnWriteString;
    nested->OnEraseSection = OnEraseSection;
    nested->outer_ = outer_;
    nested->outer_.push_back(AObject);
    return nested;
}

bool TPropsStorage::IsComponentReference(const TPropInfo& property) const
{
    if (property.ClassKind != TClassKind::ckObject)
        return false;
    QObject* object = ObjectOf(property.Property.read(AObject));
    return !object || dynamic_cast<TComponent*>(object) != nullptr;
}

bool TPropsStorage::IsBeingStored(const QObject* object) const
{
    if (object == AObject)
        return true;
    for (const QObject* outer : outer_)
        if (outer == object)
            return true;
    return false;
}

QString TPropsStorage::SubSection(const TPropInfo& property) const
{
    return Section + QLatin1Char('\\') + GetItemName(property.Name);
}

QString TPropsStorage::PropertyText(const TPropInfo& property) const
{
    if (!AObject)
        return QString();
    const QVariant value = property.Property.read(AObject);
    const int typeId = property.Property.metaType().id();
    switch (property.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64:
        return IsUnsignedInteger(typeId) ? QString::number(value.toULongLong()) : QString::number(value.toLongLong());
    case TTypeKind::tkChar: {
        const char c = static_cast<char>(value.toInt());
        return platform::AnsiToQString(std::string_view(&c, 1));
    }
    case TTypeKind::tkWChar:
        return QString(value.value<QChar>());
    case TTypeKind::tkEnumeration: {
        if (typeId == QMetaType::Bool)
            return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        const char* key = property.Property.enumerator().valueToKey(IntOf(value));
        return key ? QString::fromLatin1(key) : QString();
    }
    case TTypeKind::tkFloat:
        return typeId == QMetaType::Float ? ShortestText(value.toFloat()) : ShortestText(value.toDouble());
    case TTypeKind::tkString: {
        const QByteArray bytes = value.toByteArray();
        return platform::AnsiToQString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    case TTypeKind::tkLString:
        return value.toString();
    case TTypeKind::tkSet:
        return SetText(property.Property.enumerator(), IntOf(value));
    case TTypeKind::tkVariant:
        return value.toString();
    case TTypeKind::tkClass:
        if (IsComponentReference(property)) {
            QObject* object = ObjectOf(value);
            return object ? object->objectName() : QStringLiteral("(null)");
        }
        return QString();
    case TTypeKind::tkUnknown:
        break;
    }
    return QString();
}

void TPropsStorage::SetPropertyText(const TPropInfo& property, const QString& text)
{
    if (!AObject)
        return;
    const QMetaProperty& meta = property.Property;
    const int typeId = meta.metaType().id();
    switch (property.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64: {
        bool ok = false;
        if (IsUnsignedInteger(typeId)) {
            qulonglong number = text.toULongLong(&ok, 10);
            if (!ok || !FitsUnsigned(typeId, number))
                number = 0;
            meta.write(AObject, QVariant(number));
        } else {
            qlonglong number = text.toLongLong(&ok, 10);
            if (!ok || !FitsInteger(typeId, number))
                number = 0;
            meta.write(AObject, QVariant(number));
        }
        return;
    }
    case TTypeKind::tkChar: {
        if (text.isEmpty())
            return;
        const std::string bytes = platform::QStringToAnsi(text.left(1));
        meta.write(AObject, QVariant::fromValue(bytes.empty() ? '\0' : bytes[0]));
        return;
    }
    case TTypeKind::tkWChar:
        if (!text.isEmpty())
            meta.write(AObject, QVariant::fromValue(text.at(0)));
        return;
    case TTypeKind::tkEnumeration: {
        if (typeId == QMetaType::Bool) {
            if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                meta.write(AObject, QVariant(false));
            else if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                meta.write(AObject, QVariant(true));
            return;
        }
        const QMetaEnum type = meta.enumerator();
        bool found = false;
        int best = 0;
        for (int i = 0; i < type.keyCount(); ++i) {
            if (text.compare(QLatin1String(type.key(i)), Qt::CaseInsensitive) != 0)
                continue;
            if (!found || type.value(i) < best)
                best = type.value(i);
            found = true;
        }
        if (found)
            meta.write(AObject, EnumValue(meta, best));
        return;
    }
    case TTypeKind::tkFloat: {
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (ok)
            meta.write(AObject, typeId == QMetaType::Float ? QVariant(static_cast<float>(number)) : QVariant(number));
        return;
    }
    case TTypeKind::tkString: {
        const std::string bytes = platform::QStringToAnsi(text);
        meta.write(AObject, QVariant(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))));
        return;
    }
    case TTypeKind::tkLString:
        meta.write(AObject, QVariant(text));
        return;
    case TTypeKind::tkSet: {
        int bits = 0;
        if (ParseSet(meta.enumerator(), text, bits))
            meta.write(AObject, EnumValue(meta, bits));
        return;
    }
    case TTypeKind::tkVariant:
        meta.write(AObject, QVariant(text));
        return;
    case TTypeKind::tkClass: {
        if (!IsComponentReference(property))
            return;
        QObject* target = nullptr;
        if (text.compare(QLatin1String("(null)"), Qt::CaseInsensitive) != 0) {
            if (OwnerWindow && !text.isEmpty() && text.compare(OwnerWindow->objectName(), Qt::CaseInsensitive) == 0)
                target = OwnerWindow;
            else if (OwnerWindow)
                target = OwnerWindow->FindComponent(text);
            if (!target)
                return;
            const QMetaObject* wanted = meta.metaType().metaObject();
            if (wanted && !target->metaObject()->inherits(wanted))
                return;
        }
        // QObject comes first in every QObject class, so the pointer is the
        // same for the property's own pointer type.
        meta.write(AObject, QVariant(meta.metaType(), &target));
        return;
    }
    case TTypeKind::tkUnknown:
        return;
    }
}

void TPropsStorage::WritePropertyValue(const TPropInfo& property)
{
    if (!AObject)
        return;
    switch (property.ClassKind) {
    case TClassKind::ckStrings:
        WriteStrings(property);
        return;
    case TClassKind::ckCollection:
        WriteCollection(property);
        return;
    case TClassKind::ckObject:
        if (!IsComponentReference(property)) {
            WriteNestedObject(property);
            return;
        }
        break;
    case TClassKind::ckNone:
        break;
    }
    if (property.Kind == TTypeKind::tkUnknown)
        return;
    const QString text = PropertyText(property);
    if (text.isEmpty() && !IsStringKind(property.Kind))
        return;
    WriteString(Section, GetItemName(property.Name), TrimStoredText(text));
}

void TPropsStorage::ReadPropertyValue(const TPropInfo& property)
{
    if (!AObject)
        return;
    try {
        switch (property.ClassKind) {
        case TClassKind::ckStrings:
            ReadStrings(property);
            return;
        case TClassKind::ckCollection:
            ReadCollection(property);
            return;
        case TClassKind::ckObject:
            if (!IsComponentReference(property)) {
                ReadNestedObject(property);
                return;
            }
            break;
        case TClassKind::ckNone:
            break;
        }
        if (property.Kind == TTypeKind::tkUnknown)
            return;
        const QString defaultText = PropertyText(property);
        if (defaultText.isEmpty() && !IsStringKind(property.Kind) && property.Kind != TTypeKind::tkClass)
            return;
        SetPropertyText(property, TrimStoredText(ReadString(Section, GetItemName(property.Name), defaultText)));
    } catch (const Exception&) {
        // A value that cannot be read (of the wrong type, or no text the
        // property takes) leaves the property as it was; any other failure
        // is no stored value's and goes on.
    }
}

void TPropsStorage::StoreObjectProperties()
{
    const TPropInfoList list(AObject);
    for (const TPropInfo& property : list)
        WritePropertyValue(property);
}

void TPropsStorage::LoadObjectProperties()
{
    const TPropInfoList list(AObject);
    for (const TPropInfo& property : list)
        ReadPropertyValue(property);
}

void TPropsStorage::WriteStrings(const TPropInfo& property)
{
    const QStringList lines = property.Property.read(AObject).toStringList();
    const QString section = SubSection(property);
    EraseSection(section);
    WriteString(section, QStringLiteral("Count"), QString::number(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        WriteString(section, QStringLiteral("Item%1").arg(i), lines.at(i));
}

void TPropsStorage::ReadStrings(const TPropInfo& property)
{
    const QString section = SubSection(property);
    bool ok = false;
    const int count = TrimStoredText(ReadString(section, QStringLiteral("Count"), QString())).toInt(&ok, 10);
    if (!ok || count < 0)
        return;
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const QString line = ReadString(section, QStringLiteral("Item%1").arg(i), kMissingItem);
        if (line == kMissingItem)
            break;
        lines.append(line);
    }
    property.Property.write(AObject, QVariant(lines));
}

void TPropsStorage::WriteCollection(const TPropInfo& property)
{
    auto* collection = qobject_cast<TCollection*>(ObjectOf(property.Property.read(AObject)));
    if (!collection || IsBeingStored(collection))
        return;
    const QString section = SubSection(property);
    EraseSection(section);
    WriteString(section, QStringLiteral("Count"), QString::number(collection->Count()));
    for (int i = 0; i < collection->Count(); ++i)
        MakeNested(collection->Item(i), QStringLiteral("Item%1_").arg(i), section)->StoreObjectProperties();
}

void TPropsStorage::ReadCollection(const TPropInfo& property)
{
    auto* collection = qobject_cast<TCollection*>(ObjectOf(property.Property.read(AObject)));
    if (!collection || IsBeingStored(collection))
        return;
    const QString section = SubSection(property);
    bool ok = false;
    const int count = TrimStoredText(ReadString(section, QStringLiteral("Count"), QString())).toInt(&ok, 10);
    if (!ok || count < 0 || count > kMaxCollectionItems)
        return;
    collection->SetCount(count);
    for (int i = 0; i < count; ++i)
        MakeNested(collection->Item(i), QStringLiteral("Item%1_").arg(i), section)->LoadObjectProperties();
}

void TPropsStorage::WriteNestedObject(const TPropInfo& property)
{
    QObject* object = ObjectOf(property.Property.read(AObject));
    if (!object || IsBeingStored(object))
        return;
    MakeNested(object, GetItemName(property.Name) + QLatin1Char('_'), Section)->StoreObjectProperties();
}

void TPropsStorage::ReadNestedObject(const TPropInfo& property)
{
    QObject* object = ObjectOf(property.Property.read(AObject));
    if (!object || IsBeingStored(object))
        return;
    MakeNested(object, GetItemName(property.Name) + QLatin1Char('_'), Section)->LoadObjectProperties();
}
