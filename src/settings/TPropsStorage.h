// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The property converter of one pass: turns the published properties of its
// current object into text values of a section and back.
//
// Value names are the prefix followed by the property's declared name, so
// the property Text of Edit1 with prefix "Edit1_" is "Edit1_Text".
//
// The kinds, as text:
// - long string (QString) as it stands; short string (QByteArray) as its
//   ANSI bytes;
// - enumerations by the name of the value: bool as "False"/"True", Q_ENUMs
//   by their key; reading takes the first value, lowest to highest, whose
//   name matches without regard to case, and changes nothing when none does;
// - integers and 64-bit integers as decimal text; a text that is no number
//   (or does not fit the type) reads as 0;
// - characters (char, QChar) as a one-character text; reading takes the
//   first character and leaves the value alone when the text is empty;
// - floating point in general format, shortest exact form, "." as decimal
//   point whatever the locale; a text that is no number changes nothing;
// - sets (Q_FLAGs) as "[a,b]" with the names of the single-bit keys that are
//   set; reading accepts the names in any case, with or without brackets,
//   and changes nothing on an unknown name;
// - variants as their text (read back as a text variant);
// - string lists (QStringList) in their own subsection, named section + "\"
//   + value name (a subkey of the section), erased before every write, with
//   "Count" and "Item0", "Item1", ... values; a missing or bad count leaves
//   the list as it is, and a missing item ends the list early;
// - collections (TCollection) in the same kind of subsection: "Count", then
//   the published properties of each item i with the prefix "Item<i>_";
// - object references to components by the component's name, "(null)" for
//   none; reading looks the name up among the owning window's components
//   (the window itself by its own name) and changes nothing when it is not
//   found;
// - other objects (a QObject that is no component, such as a sub-object a
//   component owns) by their own published properties through a nested
//   converter with the prefix value name + "_" (Edit1_Font_Size); an object
//   already being stored further up is not entered again.
#include "settings/TPropInfoList.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QObject;
class TForm;

// Removes every character with a code from 0 to 32 from both ends.
QString TrimStoredText(const QString& text);

class TPropsStorage {
public:
    using TReadStringEvent = std::function<QString(const QString& section, const QString& name, const QString& defaultText)>;
    using TWriteStringEvent = std::function<void(const QString& section, const QString& name, const QString& text)>;
    using TEraseSectionEvent = std::function<void(const QString& section)>;

    TPropsStorage() = default;
    virtual ~TPropsStorage() = default;
    TPropsStorage(const TPropsStorage&) = delete;
    TPropsStorage& operator=(const TPropsStorage&) = delete;

    QObject* AObject = nullptr;  // the current object
    QString Prefix;              // "Edit1_"
    QString Section;             // "Setup"
    TForm* OwnerWindow = nullptr;  // where component references are looked up
    TReadStringEvent OnReadString;
    TWriteStringEvent OnWriteString;
    TEraseSectionEvent OnEraseSection;

    // One property of the current object. Writing lets every error through;
    // reading catches and ignores them, and the property keeps its value.
    void WritePropertyValue(const TPropInfo& property);
    void ReadPropertyValue(const TPropInfo& property);
    // Every published property of the current object.
    void StoreObjectProperties();
    void LoadObjectProperties();

    // The property's current value as text (the structured class kinds,
    // which have no single text, give the empty text).
    QString PropertyText(const TPropInfo& property) const;
    // Puts a text into the property by its kind.
    void SetPropertyText(const TPropInfo& property, const QString& text);

protected:
    // The overridable steps, in this order.
    virtual QString ReadString(const QString& section, const QString& name, const QString& defaultText);
    virtual void WriteString(const QString& section, const QString& name, const QString& text);
    virtual void EraseSection(const QString& section);
    virtual QString GetItemName(const QString& propertyName) const;
    virtual std::unique_ptr<TPropsStorage> CreateStorage() const;

private:
    std::unique_ptr<TPropsStorage> MakeNested(QObject* object, const QString& prefix, const QString& section) const;
    bool IsComponentReference(const TPropInfo& property) const;
    bool IsBeingStored(const QObject* object) const;
    QString SubSection(const TPropInfo& property) const;

    void WriteStrings(const TPropInfo& property);
    void ReadStrings(const TPropInfo& property);
    void WriteCollection(const TPropInfo& property);
    void ReadCollection(const TPropInfo& property);
    void WriteNestedObject(const TPropInfo& property);
    void ReadNestedObject(const TPropInfo& property);

    // The objects whose converters made this one, outermost first.
    std::vector<const QObject*> outer_;
};
