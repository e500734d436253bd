// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The event and value types the window's components are described in.
#include <QObject>
#include <cstdint>
#include <functional>

using Word = std::uint16_t;

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;  // a set of TShiftFlag

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TKeyEvent = std::function<void(QObject* Sender, Word& Key, TShiftState Shift)>;
using TCloseQueryEvent = std::function<void(QObject* Sender, bool& CanClose)>;

enum class TAlign { alNone, alTop, alBottom, alClient };

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;  // a set of TAnchorKind

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
