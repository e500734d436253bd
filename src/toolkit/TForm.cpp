// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TForm.h"

#include "toolkit/Align.h"
#include "toolkit/TControl.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    BeginLoading();
    installEventFilter(this);
}

TForm::~TForm()
{
    DoDestroy();
    // The children die after this point; nobody may be told about it through
    // a window that is already half gone.
    removeEventFilter(this);
    for (auto& [component, connection] : watched_) {
        disconnect(connection);
        component->removeEventFilter(this);
    }
    watched_.clear();
}

void TForm::DoDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    SetDestroying();
    if (OnDestroy)
        OnDestroy(this);
}

QList<QObject*> TForm::Components() const
{
    QList<QObject*> result;
    for (QObject* child : findChildren<QObject*>())
        if (dynamic_cast<TComponent*>(child))
            result.append(child);
    return result;
}

QObject* TForm::FindComponent(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    for (QObject* component : Components())
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

void TForm::FinishLoading()
{
    const QList<QObject*> components = Components();
    for (QObject* component : components)
        WatchComponent(component);
    for (QObject* component : components)
        dynamic_cast<TComponent*>(component)->Loaded();
    Loaded();
}

void TForm::WatchComponent(QObject* component)
{
    if (!component || component == this || destroyed_)
        return;
    for (const auto& entry : watched_)
        if (entry.first == component)
            return;
    const auto connection = connect(component, &QObject::destroyed, this, [this](QObject* gone) {
        std::erase_if(watched_, [gone](const auto& entry) { return entry.first == gone; });
        ComponentRemoved(gone);
    });
    watched_.emplace_back(component, connection);
    // A moved widget hears of it itself; a component that is no widget is
    // seen leaving its parent, which is the window or another component.
    component->installEventFilter(this);
}

void TForm::ComponentRemoved(QObject* component)
{
    for (QObject* other : Components())
        if (other != component)
            dynamic_cast<TComponent*>(other)->Notification(component, TOperation::opRemove);
}

void TForm::CheckWatchedComponents()
{
    std::vector<QObject*> gone;
    for (const auto& [component, connection] : watched_) {
        const QObject* p = component->parent();
        while (p && p != this)
            p = p->parent();
        if (!p)
            gone.push_back(component);
    }
    for (QObject* component : gone) {
        std::erase_if(watched_, [this, component](auto& entry) {
            if (entry.first != component)
                return false;
            disconnect(entry.second);
            component->removeEventFilter(this);
            return true;
        });
        ComponentRemoved(component);
    }
}

bool TForm::eventFilter(QObject* watched, QEvent* event)
{
    if (destroyed_)
        return false;
    if (event->type() == QEvent::ParentChange && watched != this) {
        // Sent once the widget stands under its new parent.
        CheckWatchedComponents();
    } else if (event->type() == QEvent::ChildRemoved) {
        // Sent before the child has its new parent, so the check waits for
        // the event loop; a widget is checked at its ParentChange instead.
        QObject* child = static_cast<QChildEvent*>(event)->child();
        const bool isWatched =
            std::any_of(watched_.begin(), watched_.end(), [child](const auto& entry) { return entry.first == child; });
        if (isWatched && !child->isWidgetType() && !checkQueued_) {
            checkQueued_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    checkQueued_ = false;
                    CheckWatchedComponents();
                },
                Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm::SetBorderWidth(int width)
{
    borderWidth_ = width;
    Realign();
}

QRect TForm::ContentArea() const
{
    return rect().adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
}

void TForm::SetContentSize(int width, int height)
{
    resize(width + 2 * borderWidth_, height + 2 * borderWidth_);
    // A hidden window gets its resize event only when shown; lay out now.
    Realign();
}

void TForm::ScaleToScreen(int designLineHeight)
{
    QFont windowFont = font();
    const qreal dpi = screen() ? screen()->logicalDotsPerInchY() : 96.0;
    if (qRound(dpi) != 96 && windowFont.pixelSize() > 0) {
        windowFont.setPixelSize(qRound(windowFont.pixelSize() * dpi / 96.0));
        setFont(windowFont);
    }
    const int lineHeight = QFontMetrics(windowFont).height();
    if (lineHeight == designLineHeight || lineHeight <= 0)
        return;
    const QSize content = ContentArea().size();
    for (QWidget* child : findChildren<QWidget*>()) {
        TControl* control = AsControl(child);
        if (!control)
            continue;
        control->ScaleDesign(lineHeight, designLineHeight);
        QFont f = child->font();
        if (f.pixelSize() > 0) {
            f.setPixelSize(f.pixelSize() * lineHeight / designLineHeight);
            child->setFont(f);
        }
    }
    SetContentSize(content.width() * lineHeight / designLineHeight, content.height() * lineHeight / designLineHeight);
    Realign();
}

void TForm::Realign()
{
    AlignControls(this, ContentArea(), ContentArea());
    for (QWidget* child : findChildren<QWidget*>())
        if (AsControl(child) && !child->isWindow())
            AlignControls(child, child->contentsRect(), child->rect());
}

void TForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous() && OnShow)
        OnShow(this);
    QWidget::showEvent(event);
}

void TForm::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    AlignControls(this, ContentArea(), ContentArea());
}

TForm* OwnerForm(const QObject* component)
{
    for (QObject* p = component ? component->parent() : nullptr; p; p = p->parent())
        if (auto* form = qobject_cast<TForm*>(p))
            return form;
    return nullptr;
}
