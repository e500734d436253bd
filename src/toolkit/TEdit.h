// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A single-line edit with an assignable key-down event that sees the
// virtual-key code; setting the code to 0 swallows the key. It has no length
// limit, selects all its text whenever it gains the focus other than by a
// mouse click, and has the flat look: a single-line border.
#include "toolkit/TControl.h"

#include <QLineEdit>

class TEdit : public QLineEdit, public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    explicit TEdit(QWidget* parent);

    TKeyEvent OnKeyDown;

    QString Text() const { return text(); }
    void SetText(const QString& text) { setText(text); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The shift state of a Qt key event.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);
