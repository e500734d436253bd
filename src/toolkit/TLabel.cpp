// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TLabel.h"

TLabel::TLabel(QWidget* parent) : QLabel(parent), TControl(this)
{
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
}

void TLabel::SetCaption(const QString& caption)
{
    setText(caption);
    resize(sizeHint().width(), height());
}

void TLabel::SetFontColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}
