// The synthetic key press and opening a path with the desktop.
#include "uXprocs.h"

void SendKeyEvent(std::uint16_t, bool) {}

bool PressKey(std::uint16_t) { return true; }

void OpenWithShell(const QString&) {}
