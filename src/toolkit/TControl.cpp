// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TControl.h"

#include <QWidget>

void TControl::SetDesignBounds(int left, int top, int width, int height, QSize parentDesignSize)
{
    design_ = QRect(left, top, width, height);
    parentDesign_ = parentDesignSize;
    self_->setGeometry(design_);
}

void TControl::ScaleDesign(int num, int den)
{
    auto s = [&](int v) { return v * num / den; };
    design_ = QRect(s(design_.left()), s(design_.top()), s(design_.width()), s(design_.height()));
    parentDesign_ = QSize(s(parentDesign_.width()), s(parentDesign_.height()));
    self_->setGeometry(design_);
}

TControl* AsControl(QWidget* widget)
{
    return dynamic_cast<TControl*>(widget);
}
