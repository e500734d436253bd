// Placeholder until the property converter lands.
#include "settings/StoredProps.h"

TStoredItem SplitStoredItem(const QString&) { return {}; }
void ResolveStoredProps(TForm*, TStoredPropList&) {}
void RefreshStoredProps(TForm*, TStoredPropList&) {}
void ForgetStoredComponent(TStoredPropList&, const QObject*) {}
void WriteStoredProps(TForm*, TStoredPropList&, TStore&, const QString&) {}
void ReadStoredProps(TForm*, TStoredPropList&, TStore&, const QString&) {}
