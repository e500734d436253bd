#pragma once
// Placeholder until the settings component lands.
#include "settings/TFormPlacement.h"

#include <QStringList>

class TFormStorage : public TFormPlacement {
    Q_OBJECT
public:
    explicit TFormStorage(QObject* owner) : TFormPlacement(owner) {}
    void SetStoredProps(const QStringList& props) { storedProps_ = props; }

private:
    QStringList storedProps_;
};
