#pragma once
// A check box with its caption to the right of the box.
#include "toolkit/TControl.h"

#include <QCheckBox>

class TCheckBox : public QCheckBox, public TControl {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TCheckBox(QWidget* parent);

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
};
