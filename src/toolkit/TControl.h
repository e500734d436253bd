// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The placement data of a visual control: Align, Anchors and the designed
// bounds, from which the parent's layout places it (see Align.h).
#include "toolkit/TComponent.h"
#include "toolkit/Types.h"

#include <QRect>
#include <QSize>

class QWidget;

class TControl : public TComponent {
public:
    explicit TControl(QWidget* self) : self_(self) {}

    QWidget* Widget() const { return self_; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align) { align_ = align; }
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors) { anchors_ = anchors; }

    // Designed bounds, relative to the parent's content area, and the size of
    // that content area at design, which the right anchor measures from.
    void SetDesignBounds(int left, int top, int width, int height, QSize parentDesignSize);
    QRect DesignBounds() const { return design_; }
    QSize ParentDesignSize() const { return parentDesign_; }
    // Scales the designed bounds (and the parent's designed size) by num/den.
    void ScaleDesign(int num, int den);

private:
    QWidget* self_;
    TAlign align_ = TAlign::alNone;
    TAnchors anchors_ = akLeft | akTop;
    QRect design_;
    QSize parentDesign_;
};

// The control of a widget, or null for a widget that is no toolkit control.
TControl* AsControl(QWidget* widget);
