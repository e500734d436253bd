// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Align.h"

#include "toolkit/TControl.h"

#include <QWidget>
#include <algorithm>
#include <vector>

void AlignControls(QWidget* parent, const QRect& alignArea, const QRect& clientArea)
{
    std::vector<TControl*> tops, bottoms, clients, anchored;
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        TControl* control = AsControl(widget);
        if (!control)
            continue;
        switch (control->Align()) {
        case TAlign::alTop: tops.push_back(control); break;
        case TAlign::alBottom: bottoms.push_back(control); break;
        case TAlign::alClient: clients.push_back(control); break;
        case TAlign::alNone: anchored.push_back(control); break;
        }
    }
    // The stacking order is the designed one, so a collapsed control (height
    // 0) keeps its place above its neighbours.
    auto byDesignTop = [](TControl* a, TControl* b) { return a->DesignBounds().top() < b->DesignBounds().top(); };
    std::stable_sort(tops.begin(), tops.end(), byDesignTop);
    std::stable_sort(bottoms.begin(), bottoms.end(), [&](TControl* a, TControl* b) { return byDesignTop(b, a); });

    QRect rest = alignArea;
    for (TControl* c : tops) {
        const int h = c->Widget()->height();
        c->Widget()->setGeometry(rest.left(), rest.top(), rest.width(), h);
        rest.setTop(rest.top() + h);
    }
    for (TControl* c : bottoms) {
        const int h = c->Widget()->height();
        c->Widget()->setGeometry(rest.left(), rest.bottom() + 1 - h, rest.width(), h);
        rest.setBottom(rest.bottom() - h);
    }
    for (TControl* c : clients)
        c->Widget()->setGeometry(rest.left(), rest.top(), rest.width(), std::max(0, rest.height()));

    const QSize area = clientArea.size();
    for (TControl* c : anchored) {
        const QRect d = c->DesignBounds();
        const QSize pd = c->ParentDesignSize();
        const int width = c->Widget()->width();
        const int height = c->Widget()->height();
        int left = clientArea.left() + d.left();
        int top = clientArea.top() + d.top();
        if ((c->Anchors() & akRight) && !(c->Anchors() & akLeft))
            left = d.left() + (area.width() - pd.width());
        if ((c->Anchors() & akBottom) && !(c->Anchors() & akTop))
            top = d.top() + (area.height() - pd.height());
        c->Widget()->setGeometry(left, top, width, height);
    }
}
