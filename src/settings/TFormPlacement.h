#pragma once
// Placeholder until the settings component lands: the designed properties only.
#include "toolkit/TComponent.h"

#include <QObject>
#include <QString>

enum TPlacementOption : unsigned { fpState = 1, fpPosition = 2, fpActiveControl = 4 };
using TPlacementOptions = unsigned;

class TFormPlacement : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TFormPlacement(QObject* owner) : QObject(owner) {}

    void SetIniSection(const QString& section) { iniSection_ = section; }
    void SetUseRegistry(bool useRegistry) { useRegistry_ = useRegistry; }
    void SetOptions(TPlacementOptions options) { options_ = options; }

private:
    QString iniSection_;
    bool useRegistry_ = false;
    TPlacementOptions options_ = fpState | fpPosition;
};
