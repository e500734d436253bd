// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A horizontal splitter band that resizes the top-aligned control above it.
// While dragging, a patterned line shows where the edge will go; the new
// height is applied on release. The height is held at most so that 30 pixels
// stay below the aligned controls, and 30 or less snaps to 0. Escape cancels.
#include "toolkit/TControl.h"

#include <QColor>
#include <QWidget>

class TSplitter : public QWidget, public TControl {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
public:
    explicit TSplitter(QWidget* parent);

    static constexpr int MinSize = 30;

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    bool IsDragging() const { return target_ != nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* ControlAbove() const;
    int ContentHeight() const;
    void EndDrag(bool apply);

    QColor color_{255, 255, 168};
    QWidget* target_ = nullptr;
    QWidget* line_ = nullptr;
    int startY_ = 0;
    int startHeight_ = 0;
    int maxHeight_ = 0;
    int newHeight_ = 0;
};
