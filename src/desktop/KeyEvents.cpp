// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/KeyEvents.h"

#include "desktop/VirtualKeys.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <stdexcept>
#include <utility>

namespace desktop {
namespace {

// The text a key types when no modifier is held, as the keyboard gives it.
QString KeyText(std::uint8_t virtualKey)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return QString(QChar(virtualKey - 'A' + 'a'));
    if (virtualKey >= '0' && virtualKey <= '9')
        return QString(QChar(virtualKey));
    switch (virtualKey) {
    case 8: return QStringLiteral("\b");
    case 9: return QStringLiteral("\t");
    case 13: return QStringLiteral("\r");
    case 27: return QStringLiteral("\x1b");
    case 32: return QStringLiteral(" ");
    default: return {};
    }
}

// A key event waiting in the queue. The receiver is looked up only when the
// loop delivers it, so the key goes where the focus is then, not where it
// was when the key was sent.
class PendingKeyEvent : public QEvent {
public:
    static QEvent::Type Kind()
    {
        static const int kind = QEvent::registerEventType();
        return static_cast<QEvent::Type>(kind);
    }

    PendingKeyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags)
        : QEvent(Kind()), virtualKey_(virtualKey), scanCode_(scanCode), flags_(flags)
    {
    }

    void Deliver() const
    {
        QWidget* target = QApplication::focusWidget();
        const int qtKey = QtKeyFromVirtualKey(virtualKey_);
        if (!target || qtKey == 0)
            return;
        const bool up = (flags_ & KEYEVENTF_KEYUP) != 0;
        QKeyEvent key(up ? QEvent::KeyRelease : QEvent::KeyPress, qtKey, Qt::NoModifier, scanCode_, virtualKey_, 0,
                      KeyText(virtualKey_));
        QApplication::sendEvent(target, &key);
    }

private:
    std::uint8_t virtualKey_;
    std::uint8_t scanCode_;
    std::uint32_t flags_;
};

// Lives with the application and hands each pending key to the focus.
class KeyDispatcher : public QObject {
public:
    using QObject::QObject;

    bool event(QEvent* e) override
    {
        if (e->type() != PendingKeyEvent::Kind())
            return QObject::event(e);
        static_cast<PendingKeyEvent*>(e)->Deliver();
        return true;
    }
};

KeyDispatcher* Dispatcher()
{
    static QPointer<KeyDispatcher> dispatcher;
    if (!dispatcher) {
        auto* app = QCoreApplication::instance();
        if (!app)
            throw std::runtime_error("No application to deliver key events to");
        dispatcher = new KeyDispatcher(app);
    }
    return dispatcher;
}

KeyEventSender& CurrentSender()
{
    static KeyEventSender sender = SendThroughSystem;
    return sender;
}

}  // namespace

void PostToEventQueue(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags)
{
    QCoreApplication::postEvent(Dispatcher(), new PendingKeyEvent(virtualKey, scanCode, flags));
}

void SendKeyboardEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags)
{
    const KeyEventSender sender = CurrentSender();
    sender(virtualKey, scanCode, flags);
}

KeyEventSender SetKeyEventSender(KeyEventSender sender)
{
    return std::exchange(CurrentSender(), sender ? std::move(sender) : KeyEventSender(SendThroughSystem));
}

}  // namespace desktop
