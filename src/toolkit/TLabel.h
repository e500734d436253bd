// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A caption that sizes itself to its text.
#include "toolkit/TControl.h"

#include <QLabel>

class TLabel : public QLabel, public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TLabel(QWidget* parent);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    void SetFontColor(const QColor& color);
};
