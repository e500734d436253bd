// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every component of a window has beside its Qt object: a loading state,
// the end-of-loading step and the removal notification. A component's Name is
// its objectName(); its owner is the window it belongs to.
#include <QObject>
#include <QString>

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
    virtual ~TComponent() = default;

    // Called once by the owning window when all its components exist.
    virtual void Loaded() { state_ = State::Loaded; }
    // Called by the owning window when another of its components goes away:
    // destroyed, or moved out of the window.
    virtual void Notification(QObject* /*component*/, TOperation /*operation*/) {}

    // Only a component made while its window is being loaded is loading, and
    // only until the window's end of loading; one made by code afterwards,
    // or without a window, never is.
    bool IsLoading() const;
    bool IsDestroying() const { return destroying_; }

protected:
    void SetDestroying() { destroying_ = true; }
    // A window is loading from its construction until its end of loading.
    void BeginLoading() { state_ = State::Loading; }

private:
    enum class State { AsOwner, Loading, Loaded };
    State state_ = State::AsOwner;
    bool destroying_ = false;
};

// Name of a component, as the toolkit calls it.
inline QString ComponentName(const QObject* component) { return component ? component->objectName() : QString(); }
