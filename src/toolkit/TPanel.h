// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A container control with an optional 1-px raised outer bevel.
#include "toolkit/TControl.h"

#include <QFrame>

class TPanel : public QFrame, public TControl {
    Q_OBJECT
    Q_PROPERTY(bool BevelRaised READ BevelRaised WRITE SetBevelRaised)
public:
    explicit TPanel(QWidget* parent);

    bool BevelRaised() const { return bevelRaised_; }
    void SetBevelRaised(bool raised);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool bevelRaised_ = false;
};
