// The text search and its report: btnSokClick, jmfr, edSoktxtKeyDown.
#include "uSok.h"

void TForm1::btnSokClick(QObject*) {}

bool TForm1::jmfr(std::string_view, std::string_view) { return false; }

void TForm1::edSoktxtKeyDown(QObject*, Word&, TShiftState) {}
