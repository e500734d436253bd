// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TComponent.h"

#include "toolkit/TForm.h"

bool TComponent::IsLoading() const
{
    switch (state_) {
    case State::Loading: return true;
    case State::Loaded: return false;
    case State::AsOwner: break;
    }
    // Every component is a Qt object; its window is the nearest one above.
    const TForm* window = OwnerForm(dynamic_cast<const QObject*>(this));
    return window && window->IsLoading();
}
