// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The published properties of one component.
//
// Published are the Q_PROPERTYs declared by our own toolkit and program
// classes, whose class names start with "T" (TEdit's Text, TCheckBox's
// Checked, TMemo's Lines, ...). Qt's classes in the same chain have
// lower-case properties of their own (QLineEdit's "text", QAbstractButton's
// "checked", QObject's "objectName", QWidget's "geometry"); they are not
// published, so that "Edit1.text" finds TEdit's Text and the value is named
// Edit1_Text. A property redeclared by a derived class replaces the base's.
// Event handlers are std::function members, never Q_PROPERTYs, so they are
// never listed and never stored.
#include <QMetaProperty>
#include <QString>
#include <vector>

class QObject;

// How a property's value becomes text.
enum class TTypeKind {
    tkUnknown,      // a type the converter does not store
    tkInteger,      // int, unsigned, short, ushort, signed/unsigned char
    tkChar,         // char: one ANSI character
    tkEnumeration,  // bool ("False"/"True") and Q_ENUMs
    tkFloat,        // double, float
    tkString,       // short string: QByteArray, ANSI bytes
    tkSet,          // Q_FLAGs
    tkClass,        // QStringList, collections, other objects
    tkWChar,        // QChar
    tkLString,      // long string: QString
    tkVariant,      // QVariant
    tkInt64,        // qlonglong, qulonglong, long, ulong
};

// What a class-typed property holds.
enum class TClassKind {
    ckNone,        // not a class-typed property
    ckStrings,     // a QStringList
    ckCollection,  // a TCollection (or a class derived from it)
    ckObject,      // any other QObject: a component reference or a sub-object
};

struct TPropInfo {
    QString Name;  // as declared
    TTypeKind Kind = TTypeKind::tkUnknown;
    TClassKind ClassKind = TClassKind::ckNone;
    QMetaProperty Property;
};

TTypeKind TypeKindOf(const QMetaProperty& property);
TClassKind ClassKindOf(const QMetaProperty& property);

class TPropInfoList {
public:
    explicit TPropInfoList(const QObject* object);

    const QObject* Object() const { return object_; }
    int Count() const { return static_cast<int>(props_.size()); }
    const TPropInfo& operator[](int index) const { return props_[static_cast<std::size_t>(index)]; }
    auto begin() const { return props_.begin(); }
    auto end() const { return props_.end(); }

    // The property of that name without regard to case, or null.
    const TPropInfo* Find(const QString& name) const;

private:
    const QObject* object_;
    std::vector<TPropInfo> props_;
};
