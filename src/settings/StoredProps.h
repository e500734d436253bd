#pragma once
// The stored control values: entries "Component.Property", bound to the
// window's components, written and read as text values named
// "Component_Property" through the converter.
#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class TForm;
class TStore;

struct TStoredPropEntry {
    QString Text;                 // "Edit1.Text"
    QPointer<QObject> Component;  // bound component, empty before binding
};
using TStoredPropList = std::vector<TStoredPropEntry>;

struct TStoredItem {
    QString ComponentName;
    QString PropertyName;
    bool Valid = false;
};
TStoredItem SplitStoredItem(const QString& entry);

// Binds each valid entry to the window's component of that name (without
// regard to case) and removes every other entry; last to first.
void ResolveStoredProps(TForm* window, TStoredPropList& list);
// Rewrites bound entries with the component's current name; removes the
// invalid and unbound ones.
void RefreshStoredProps(TForm* window, TStoredPropList& list);
// Removes the entries bound to a component that is going away.
void ForgetStoredComponent(TStoredPropList& list, const QObject* component);

// The write pass: every entry's property as text into the section; errors
// end the pass. The read pass: every entry read back; errors are ignored.
void WriteStoredProps(TForm* window, TStoredPropList& list, TStore& store, const QString& section);
void ReadStoredProps(TForm* window, TStoredPropList& list, TStore& store, const QString& section);
