// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TButton.h"

TButton::TButton(QWidget* parent) : QPushButton(parent), TControl(this)
{
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, this, [this] { Click(); });
}

void TButton::Click()
{
    if (OnClick)
        OnClick(this);
}
