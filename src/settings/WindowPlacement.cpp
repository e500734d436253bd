// Placeholder until the window placement lands.
#include "settings/WindowPlacement.h"

void WriteWindowPlacement(TForm*, TStore&, const QString&) {}
void ReadWindowPlacement(TForm*, TStore&, const QString&, bool, bool) {}
void WriteRectValue(TStore&, const QString&, const QString&, const QString&) {}
QString ReadRectValue(TStore&, const QString&, const QString&) { return {}; }
QString ScreenSuffix() { return {}; }
void FixWindowMaxPosition(TForm*) {}
