// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TEdit.h"

#include "desktop/VirtualKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <limits>

TEdit::TEdit(QWidget* parent) : QLineEdit(parent), TControl(this)
{
    // The border is drawn by paintEvent; the text keeps clear of it.
    setFrame(false);
    setTextMargins(1, 1, 1, 1);
    setMaxLength(std::numeric_limits<int>::max());
    setFocusPolicy(Qt::StrongFocus);
}

void TEdit::keyPressEvent(QKeyEvent* event)
{
    Word key = desktop::VirtualKeyFromQtKey(event->key());
    if (key != 0 && OnKeyDown) {
        OnKeyDown(this, key, ShiftStateOf(event->modifiers()));
        if (key == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A click places the caret where it points. Every other way in (Tab,
    // the window coming back to the front, the focus returning after an
    // error box, a call from code) selects the whole text, so that typing
    // replaces it. Closing the edit's own context menu is no new focus.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason)
        selectAll();
}

void TEdit::paintEvent(QPaintEvent* event)
{
    // The style rounds the corners of the background it fills; the square
    // border needs the whole field filled under it.
    QPainter(this).fillRect(rect(), palette().color(QPalette::Base));
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers)
{
    TShiftState state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ssShift;
    if (modifiers & Qt::AltModifier)
        state |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        state |= ssCtrl;
    return state;
}
