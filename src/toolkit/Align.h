// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Align/Anchors layout: top-aligned controls stack from the top in their
// designed order, bottom-aligned ones from the bottom, the client-aligned one
// takes the rest; anchored controls keep their distance to the anchored
// edges, so right-anchored ones move with the right edge and may slide over
// left-anchored ones.
#include <QRect>

class QWidget;

// alignArea: where aligned controls go. clientArea: what anchored controls'
// designed positions are measured from (a window's area inside its border;
// for a panel, the whole panel, its bevel included).
void AlignControls(QWidget* parent, const QRect& alignArea, const QRect& clientArea);
