// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TSplitter.h"

#include "toolkit/TForm.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The line that shows where the edge will go while dragging.
class DragLine : public QWidget {
public:
    explicit DragLine(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
    }
};

}  // namespace

TSplitter::TSplitter(QWidget* parent) : QWidget(parent), TControl(this)
{
    setCursor(Qt::SplitVCursor);
    setFocusPolicy(Qt::NoFocus);
}

void TSplitter::SetColor(const QColor& color)
{
    color_ = color;
    update();
}

void TSplitter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
}

QWidget* TSplitter::ControlAbove() const
{
    QWidget* best = nullptr;
    for (QObject* child : parentWidget()->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        TControl* control = widget ? AsControl(widget) : nullptr;
        if (!control || widget == this || control->Align() != TAlign::alTop)
            continue;
        if (widget->geometry().bottom() + 1 == y() && (!best || widget->y() >= best->y()))
            best = widget;
    }
    return best;
}

int TSplitter::ContentHeight() const
{
    if (auto* form = qobject_cast<TForm*>(parentWidget()))
        return form->ContentArea().height();
    return parentWidget()->contentsRect().height();
}

void TSplitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || IsDragging())
        return;
    target_ = ControlAbove();
    if (!target_)
        return;
    int alignedHeights = 0;
    for (QObject* child : parentWidget()->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        TControl* control = widget ? AsControl(widget) : nullptr;
        if (control && (control->Align() == TAlign::alTop || control->Align() == TAlign::alBottom))
            alignedHeights += widget->height();
    }
    startY_ = event->globalPosition().toPoint().y();
    startHeight_ = target_->height();
    newHeight_ = startHeight_;
    maxHeight_ = ContentHeight() - MinSize - alignedHeights + startHeight_;
    line_ = new DragLine(parentWidget());
    line_->setGeometry(x(), y(), width(), height());
    line_->show();
    line_->raise();
    grabKeyboard();
}

void TSplitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!IsDragging())
        return;
    int wanted = startHeight_ + event->globalPosition().toPoint().y() - startY_;
    wanted = std::min(wanted, maxHeight_);
    if (wanted <= MinSize)
        wanted = 0;
    newHeight_ = wanted;
    line_->move(x(), target_->y() + newHeight_);
}

void TSplitter::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && IsDragging())
        EndDrag(true);
}

void TSplitter::keyPressEvent(QKeyEvent* event)
{
    if (IsDragging() && event->key() == Qt::Key_Escape) {
        EndDrag(false);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TSplitter::EndDrag(bool apply)
{
    releaseKeyboard();
    delete line_;
    line_ = nullptr;
    QWidget* target = target_;
    target_ = nullptr;
    if (!apply)
        return;
    target->resize(target->width(), newHeight_);
    if (auto* form = qobject_cast<TForm*>(parentWidget()))
        form->Realign();
}
