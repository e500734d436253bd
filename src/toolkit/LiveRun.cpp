// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/LiveRun.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>
#include <exception>

namespace toolkit {
namespace {

enum class Input { None, Held, Dropped };

// What a run does with an event: user input is held back, except the
// pointer's moves, which mean nothing once the run is over.
Input InputKind(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return Input::Held;
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return Input::Dropped;
    default:
        return Input::None;
    }
}

bool IsEscape(const QEvent* event)
{
    return (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
           static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

}  // namespace

LiveRun::LiveRun(QWidget* window) : window_(window), exceptionsAtStart_(std::uncaught_exceptions())
{
    QCoreApplication::instance()->installEventFilter(this);
#ifndef QT_NO_SESSIONMANAGER
    // The end of the desktop session closes the window as a close does.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this] { stopAsked_ = closeAsked_ = true; });
#endif
}

LiveRun::~LiveRun()
{
    End();
}

void LiveRun::KeepAlive()
{
    if (ended_ || (sinceEvents_.isValid() && sinceEvents_.elapsed() < kInterval.count()))
        return;
    QCoreApplication::processEvents();
    sinceEvents_.start();
}

bool LiveRun::eventFilter(QObject* receiver, QEvent* event)
{
    if (event->type() == QEvent::Close && window_ &&
        (receiver == window_ || receiver == window_->windowHandle())) {
        stopAsked_ = closeAsked_ = true;
        event->ignore();
        return true;
    }
    if (IsEscape(event)) {
        stopAsked_ = stopAsked_ || event->type() == QEvent::KeyPress;
        return true;
    }
    switch (InputKind(event)) {
    case Input::None: return false;
    case Input::Dropped: return true;
    case Input::Held:
        held_.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
        return true;
    }
    return false;
}

void LiveRun::End()
{
    if (ended_)
        return;
    ended_ = true;
    QCoreApplication::instance()->removeEventFilter(this);
    if (std::uncaught_exceptions() == exceptionsAtStart_) {
        for (Held& held : held_)
            if (held.receiver)
                QCoreApplication::postEvent(held.receiver, held.event.release());
    }
    held_.clear();
    if (closeAsked_ && window_)
        QMetaObject::invokeMethod(window_, &QWidget::close, Qt::QueuedConnection);
}

}  // namespace toolkit
