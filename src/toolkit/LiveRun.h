// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A long run of the window (a listing, a search, a conversion) that keeps
// the window alive: while it lasts, the window system's events that are not
// user input (paints, exposes, the window manager's and the system's
// liveness pings) are handled every so often, so that the progress bar shows
// and the window is never taken for hung. User input is held back, so that
// nothing the user does changes what the run works on, and handed on as it
// came once the run ends; except Escape, which asks the run to stop, and a
// close of the window, which asks it to stop and closes the window after it.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <memory>
#include <vector>

class QEvent;

namespace toolkit {

class LiveRun : public QObject {
public:
    // How often the window's events are handled at most.
    static constexpr std::chrono::milliseconds kInterval{50};

    explicit LiveRun(QWidget* window);
    ~LiveRun() override;
    LiveRun(const LiveRun&) = delete;
    LiveRun& operator=(const LiveRun&) = delete;

    // Handles the events waiting, the first time it is called and then once
    // kInterval has passed since it last did.
    void KeepAlive();
    // True once Escape was pressed or the window was asked to close.
    bool StopAsked() const { return stopAsked_; }

    // Ends the run: the input held back is handed on in the order it came,
    // and a close asked for goes through. A run that ends by an error (an
    // exception leaves it) drops the input: the error box comes first.
    void End();

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };

    QPointer<QWidget> window_;
    std::vector<Held> held_;
    QElapsedTimer sinceEvents_;
    int exceptionsAtStart_;
    bool stopAsked_ = false;
    bool closeAsked_ = false;
    bool ended_ = false;
};

}  // namespace toolkit
