// The UTF-8 conversion: Button1Click, HasUtf8Bom, SaveTextAsUtf8.
#include "uSok.h"

void TForm1::Button1Click(QObject*) {}

bool HasUtf8Bom(const QString&) { return false; }

void SaveTextAsUtf8(const QString&, std::string_view, bool) {}
