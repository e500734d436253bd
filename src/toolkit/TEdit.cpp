#include "toolkit/TEdit.h"

#include "desktop/VirtualKeys.h"

#include <QKeyEvent>

TEdit::TEdit(QWidget* parent) : QLineEdit(parent), TControl(this)
{
    setFrame(true);
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
