// The file listing: btnHamtafilnamnClick, nizze, FolderWithBackslash, edWildKeyDown.
#include "uSok.h"

void TForm1::btnHamtafilnamnClick(QObject*) {}

bool TForm1::nizze(const QString&) { return false; }

void TForm1::edWildKeyDown(QObject*, Word&, TShiftState) {}

QString FolderWithBackslash(const QString& folder) { return folder; }
