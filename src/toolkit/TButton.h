// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A push button with an assignable click event. No button is a default or
// cancel button.
#include "toolkit/TControl.h"

#include <QPushButton>

class TButton : public QPushButton, public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TButton(QWidget* parent);

    TNotifyEvent OnClick;

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    // Runs the click event as a click by the user would.
    void Click();
};
