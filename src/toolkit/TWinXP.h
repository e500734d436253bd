// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The visual-style marker: a window holds exactly one. On Windows its
// presence stands for the manifest that binds the program to version 6 of
// the common controls; on Linux it only enforces its rule.
#include "toolkit/TComponent.h"

#include <QObject>

class TWinXP : public QObject, public TComponent {
    Q_OBJECT
public:
    // Raises EComponentError "Control parent must be a form!" when owner is
    // no window, and "Only one instance of TWinXP allowed on form" when the
    // owner then holds more than one.
    explicit TWinXP(QObject* owner);
};
