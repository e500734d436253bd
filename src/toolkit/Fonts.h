// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's fonts: Tahoma for the window and its controls, Lucida Console
// for the memos. Where they are missing, Liberation Sans and Liberation Mono
// stand in, which keep the designed widths and line height.
#include <QFont>

namespace toolkit {

void InstallFontSubstitutions();
QFont WindowFont();   // Tahoma, 12 px
QFont ControlFont();  // Tahoma, 11 px
QFont MemoFont();     // Lucida Console, 11 px

}  // namespace toolkit
