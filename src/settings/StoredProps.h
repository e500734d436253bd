// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored control values: entries "Component.Property", bound to the
// window's components, written and read as text values named
// "Component_Property" through the converter (settings/TPropsStorage.h,
// which also tells how each kind of property becomes text). Only the
// published properties count (settings/TPropInfoList.h): Edit1.Text is
// TEdit's Text, not QLineEdit's text.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class TForm;
class TStore;

struct TStoredPropEntry {
    QString Text;                 // "Edit1.Text"
    QPointer<QObject> Component;  // bound component, empty before binding
    // The bound component's identity, never dereferenced: while a component
    // is being destroyed its QPointer already reads empty, and this is what
    // still tells which entries were bound to it.
    const QObject* BoundTo = nullptr;
};
using TStoredPropList = std::vector<TStoredPropEntry>;

struct TStoredItem {
    QString ComponentName;
    QString PropertyName;
    bool Valid = false;
};
TStoredItem SplitStoredItem(const QString& entry);

// Binds each valid entry to the window's component of that name (without
// regard to case) and removes every other entry; last to first. The window
// tells when a bound component leaves it.
void ResolveStoredProps(TForm* window, TStoredPropList& list);
// Rewrites bound entries with the component's current name; removes the
// invalid and unbound ones, and those whose component has left the window.
void RefreshStoredProps(TForm* window, TStoredPropList& list);
// Removes the entries bound to a component that is going away (also while
// it is being destroyed).
void ForgetStoredComponent(TStoredPropList& list, const QObject* component);

// How a pass reaches the store: reading and writing one text value, and
// erasing a section (for list-valued properties).
struct TStoredPropsAccess {
    std::function<QString(const QString& section, const QString& name, const QString& defaultText)> ReadString;
    std::function<void(const QString& section, const QString& name, const QString& text)> WriteString;
    std::function<void(const QString& section)> EraseSection;
};
// Straight to an open store.
TStoredPropsAccess StoreAccess(TStore& store);

// The write pass: every entry's property as text into the section, in the
// list's order; errors end the pass. The read pass: every entry read back in
// the same order; errors are ignored and leave the property as it was.
// Before either, the list is refreshed; an entry whose property part names
// no published property of its component is skipped.
void WriteStoredProps(TForm* window, TStoredPropList& list, const TStoredPropsAccess& access, const QString& section);
void ReadStoredProps(TForm* window, TStoredPropList& list, const TStoredPropsAccess& access, const QString& section);
inline void WriteStoredProps(TForm* window, TStoredPropList& list, TStore& store, const QString& section)
{
    WriteStoredProps(window, list, StoreAccess(store), section);
}
inline void ReadStoredProps(TForm* window, TStoredPropList& list, TStore& store, const QString& section)
{
    ReadStoredProps(window, list, StoreAccess(store), section);
}
