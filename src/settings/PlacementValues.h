// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's placement in the settings section: "Flags", "ShowCmd",
// "PixelsPerInch", "MinMaxPos" and "NormPos" (each position text written
// under a name with the screen suffix and under the plain name).
#include <QString>

class TForm;
class TStore;

void WriteWindowPlacement(TForm* window, TStore& store, const QString& section);
void ReadWindowPlacement(TForm* window, TStore& store, const QString& section, bool statePart, bool positionPart);
void WriteRectValue(TStore& store, const QString& section, const QString& name, const QString& text);
QString ReadRectValue(TStore& store, const QString& section, const QString& name);
// "(WxH)" of the primary screen.
QString ScreenSuffix();
// Sets the maximized position from the frame metrics of the window's border
// style and applies the placement (the caller checks when it may run).
void FixWindowMaxPosition(TForm* window);
