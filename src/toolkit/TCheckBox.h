// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A check box with its caption to the right of the box, in the flat look:
// the box is a single-line square, not a raised or shaded one. The whole
// control takes the click and is what a screen reader is told it covers,
// not just the box and the caption's text.
#include "toolkit/TControl.h"

#include <QCheckBox>

class TCheckBox : public QCheckBox, public TControl {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TCheckBox(QWidget* parent);

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

    // Where the box is drawn, in the control's own coordinates.
    QRect BoxRect() const;
};
