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
    virtual void Loaded() { loading_ = false; }
    // Called by the owning window when another of its components goes away.
    virtual void Notification(QObject* /*component*/, TOperation /*operation*/) {}

    bool IsLoading() const { return loading_; }
    bool IsDestroying() const { return destroying_; }

protected:
    void SetDestroying() { destroying_ = true; }

private:
    bool loading_ = true;
    bool destroying_ = false;
};

// Name of a component, as the toolkit calls it.
inline QString ComponentName(const QObject* component) { return component ? component->objectName() : QString(); }
