// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/SizeLimits.h"

#include "desktop/PlacementRecord.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace desktop {

namespace {

const char* const kLimiterName = "filsok_size_limits";

class SizeLimiter : public QObject {
public:
    explicit SizeLimiter(QWidget* window)
        : QObject(window), window_(window), ownMinimum_(window->minimumSize()), ownMaximum_(window->maximumSize())
    {
        setObjectName(QString::fromLatin1(kLimiterName));
        window->installEventFilter(this);
    }

    static SizeLimiter* Of(const QWidget* window)
    {
        return dynamic_cast<SizeLimiter*>(
            window->findChild<QObject*>(QString::fromLatin1(kLimiterName), Qt::FindDirectChildrenOnly));
    }

    void Set(const MinMaxInfo& info, bool fixedSize)
    {
        info_ = info;
        fixed_ = fixedSize ? window_->size() : QSize();
        maximizedAsked_ = false;
        Apply();
    }

    // Gives the window its own sizes back; the limiter goes with it.
    void Release()
    {
        window_->removeEventFilter(this);
        window_->setMinimumSize(ownMinimum_);
        window_->setMaximumSize(ownMaximum_);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_ && watched != handle_)
            return false;
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
        case QEvent::WindowStateChange:
            Apply();
            break;
        default:
            break;
        }
        return false;
    }

private:
    static int Limit(int outer, int frame, int own) { return outer > 0 ? std::max(0, outer - frame) : own; }

    void Apply()
    {
        if (QWindow* handle = window_->windowHandle(); handle && handle != handle_) {
            handle_ = handle;
            handle->installEventFilter(this);
        }
        const QMargins frame = KnownFrameMargins(window_);
        const int frameWidth = frame.left() + frame.right();
        const int frameHeight = frame.top() + frame.bottom();
        QSize minimum(Limit(info_.ptMinTrackSize.width(), frameWidth, ownMinimum_.width()),
                      Limit(info_.ptMinTrackSize.height(), frameHeight, ownMinimum_.height()));
        QSize maximum(Limit(info_.ptMaxTrackSize.width(), frameWidth, ownMaximum_.width()),
                      Limit(info_.ptMaxTrackSize.height(), frameHeight, ownMaximum_.height()));
        if (fixed_.isValid())
            minimum = maximum = fixed_;
        if (window_->minimumSize() != minimum)
            window_->setMinimumSize(minimum);
        if (window_->maximumSize() != maximum)
            window_->setMaximumSize(maximum.expandedTo(minimum));
        ApplyMaximized(frame);
    }

    // Asked once each time the window is maximized, so that a window manager
    // that will not have it is not asked again and again.
    void ApplyMaximized(const QMargins& frame)
    {
        if (!(window_->windowState() & Qt::WindowMaximized) || window_->isMinimized()) {
            maximizedAsked_ = false;
            return;
        }
        const bool sized = info_.ptMaxSize.width() > 0 || info_.ptMaxSize.height() > 0;
        const bool placed = info_.ptMaxPosition.x() != 0 || info_.ptMaxPosition.y() != 0;
        if (maximizedAsked_ || (!sized && !placed) || !IsWindowVisible(window_))
            return;
        const QRect outer = window_->geometry().marginsAdded(frame);
        QRect wanted(QPoint(info_.ptMaxPosition.x() != 0 ? info_.ptMaxPosition.x() : outer.x(),
                            info_.ptMaxPosition.y() != 0 ? info_.ptMaxPosition.y() : outer.y()),
                     QSize(info_.ptMaxSize.width() > 0 ? info_.ptMaxSize.width() : outer.width(),
                           info_.ptMaxSize.height() > 0 ? info_.ptMaxSize.height() : outer.height()));
        // Wait for the desktop's own maximized geometry before asking.
        if (outer == wanted || window_->geometry() == window_->normalGeometry())
            return;
        maximizedAsked_ = true;
        window_->setGeometry(wanted.marginsRemoved(frame));
    }

    QWidget* window_;
    QWindow* handle_ = nullptr;
    QSize ownMinimum_;
    QSize ownMaximum_;
    MinMaxInfo info_;
    QSize fixed_;
    bool maximizedAsked_ = false;
};

}  // namespace

void SetSizeLimits(QWidget* window, const MinMaxInfo& info, bool fixedSize)
{
    if (!window)
        return;
    SizeLimiter* limiter = SizeLimiter::Of(window);
    if (!limiter)
        limiter = new SizeLimiter(window);
    limiter->Set(info, fixedSize);
}

void ClearSizeLimits(QWidget* window)
{
    if (!window)
        return;
    if (SizeLimiter* limiter = SizeLimiter::Of(window)) {
        limiter->Release();
        delete limiter;
    }
}

}  // namespace desktop
