#include "toolkit/TCheckBox.h"

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent), TControl(this)
{
    setFocusPolicy(Qt::StrongFocus);
}
