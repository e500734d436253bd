// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TPropInfoList.h"

#include "settings/TCollection.h"

#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QVariant>

TTypeKind TypeKindOf(const QMetaProperty& property)
{
    if (property.isFlagType())
        return TTypeKind::tkSet;
    if (property.isEnumType())
        return TTypeKind::tkEnumeration;
    const QMetaType type = property.metaType();
    if (type.flags().testFlag(QMetaType::PointerToQObject))
        return TTypeKind::tkClass;
    switch (type.id()) {
    case QMetaType::Bool:
        return TTypeKind::tkEnumeration;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return TTypeKind::tkInteger;
    case QMetaType::Char:
        return TTypeKind::tkChar;
    case QMetaType::Double:
    case QMetaType::Float:
        return TTypeKind::tkFloat;
    case QMetaType::QByteArray:
        return TTypeKind::tkString;
    case QMetaType::QStringList:
        return TTypeKind::tkClass;
    case QMetaType::QChar:
        return TTypeKind::tkWChar;
    case QMetaType::QString:
        return TTypeKind::tkLString;
    case QMetaType::QVariant:
        return TTypeKind::tkVariant;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
        return TTypeKind::tkInt64;
    default:
        return TTypeKind::tkUnknown;
    }
}

TClassKind ClassKindOf(const QMetaProperty& property)
{
    const QMetaType type = property.metaType();
    if (type.id() == QMetaType::QStringList)
        return TClassKind::ckStrings;
    if (!type.flags().testFlag(QMetaType::PointerToQObject))
        return TClassKind::ckNone;
    const QMetaObject* pointee = type.metaObject();
    if (pointee && pointee->inherits(&TCollection::staticMetaObject))
        return TClassKind::ckCollection;
    return TClassKind::ckObject;
}

namespace {

bool IsOurClass(const QMetaObject* meta)
{
    const char* name = meta->className();
    return name && name[0] == 'T';
}

}  // namespace

TPropInfoList::TPropInfoList(const QObject* object) : object_(object)
{
    if (!object)
        return;
    // Base classes first, so that a redeclaration further down replaces the
    // base's entry in place.
    std::vector<const QMetaObject*> chain;
    for (const QMetaObject* meta = object->metaObject(); meta; meta = meta->superClass())
        chain.insert(chain.begin(), meta);
    for (const QMetaObject* meta : chain) {
        if (!IsOurClass(meta))
            continue;
        const int first = meta->propertyOffset();
        const int last = meta->propertyCount();
        for (int index = first; index < last; ++index) {
            const QMetaProperty property = meta->property(index);
            if (!property.isReadable())
                continue;
            TPropInfo info;
            info.Name = QString::fromLatin1(property.name());
            info.Kind = TypeKindOf(property);
            info.ClassKind = ClassKindOf(property);
            info.Property = property;
            bool replaced = false;
            for (TPropInfo& existing : props_) {
                if (existing.Name.compare(info.Name, Qt::CaseInsensitive) == 0) {
                    existing = info;
                    replaced = true;
                    break;
                }
            }
            if (!replaced)
                props_.push_back(info);
        }
    }
}

const TPropInfo* TPropInfoList::Find(const QString& name) const
{
    for (const TPropInfo& info : props_)
        if (info.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &info;
    return nullptr;
}
