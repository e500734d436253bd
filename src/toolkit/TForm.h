// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A top-level window that owns its components: assignable show, close-query
// and destroy events, the border between frame and content, the Align/Anchors
// layout of its children, the end-of-loading step and the removal
// notification of its components.
#include "toolkit/TComponent.h"
#include "toolkit/Types.h"

#include <QList>
#include <QMetaObject>
#include <QPoint>
#include <QWidget>
#include <utility>
#include <vector>

class TForm : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);
    ~TForm() override;

    TNotifyEvent OnShow;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnDestroy;

    // Every component the window owns (its descendants that are components),
    // and the first whose Name equals name without regard to case.
    QList<QObject*> Components() const;
    QObject* FindComponent(const QString& name) const;

    // Ends loading: every owned component gets its end-of-loading step, and
    // from now on the components hear when one of them is removed.
    void FinishLoading();
    // The components hear when this one leaves the window, destroyed or
    // moved out of it; for a component made after the end of loading.
    void WatchComponent(QObject* component);

    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    // The area inside the border, where the children are placed.
    QRect ContentArea() const;
    // Sets the client size so that the content area is width x height.
    void SetContentSize(int width, int height);

    // Scales every control for the screen's density: the window font by the
    // logical dots per inch over 96, then everything by the measured line
    // height over designLineHeight when they differ.
    void ScaleToScreen(int designLineHeight);
    // Runs the layout again, for instance after a control was resized by code.
    void Realign();

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style) { borderStyle_ = style; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    // Where the window goes when minimized and maximized; kept by the window,
    // as the desktop does not report them.
    QPoint MinimizedPosition() const { return minPosition_; }
    void SetMinimizedPosition(QPoint p) { minPosition_ = p; }
    QPoint MaximizedPosition() const { return maxPosition_; }
    void SetMaximizedPosition(QPoint p) { maxPosition_ = p; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DoDestroy();
    void ComponentRemoved(QObject* component);
    // Tells of every watched component that no longer lies inside the window.
    void CheckWatchedComponents();

    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    QPoint minPosition_{-1, -1};
    QPoint maxPosition_{-1, -1};
    bool destroyed_ = false;
    bool checkQueued_ = false;
    // The components whose leaving is told, each with its destroy connection.
    std::vector<std::pair<QObject*, QMetaObject::Connection>> watched_;
};

// The window a component belongs to: the nearest TForm among its ancestors.
TForm* OwnerForm(const QObject* component);
