// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TWinXP.h"

#include "toolkit/Exceptions.h"
#include "toolkit/TForm.h"

TWinXP::TWinXP(QObject* owner) : QObject(owner)
{
    auto* form = qobject_cast<TForm*>(owner);
    if (!form)
        throw EComponentError(QStringLiteral("Control parent must be a form!"));
    int count = 0;
    for (QObject* child : form->children())
        if (qobject_cast<TWinXP*>(child))
            ++count;
    if (count > 1)
        throw EComponentError(QStringLiteral("Only one instance of TWinXP allowed on form"));
}
