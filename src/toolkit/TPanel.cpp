// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TPanel.h"

#include "toolkit/Align.h"

#include <QPainter>

TPanel::TPanel(QWidget* parent) : QFrame(parent), TControl(this)
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
}

void TPanel::SetBevelRaised(bool raised)
{
    bevelRaised_ = raised;
    // The bevel is drawn inside the panel and takes one pixel of its content.
    setContentsMargins(raised ? QMargins(1, 1, 1, 1) : QMargins());
    update();
}

void TPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    AlignControls(this, contentsRect(), rect());
}

void TPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (!bevelRaised_)
        return;
    QPainter painter(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}
