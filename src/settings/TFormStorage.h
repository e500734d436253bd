// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings component with stored control values: StoredProps names
// "Component.Property" entries of the window, written as the text values
// "Component_Property" after the placement; StoredValues are named values
// written after them.
#include "settings/StoredProps.h"
#include "settings/TFormPlacement.h"
#include "settings/TStoredValue.h"

#include <QStringList>

class TFormStorage : public TFormPlacement {
    Q_OBJECT
    Q_PROPERTY(QStringList StoredProps READ StoredProps WRITE SetStoredProps)
    Q_PROPERTY(TStoredValues* StoredValues READ StoredValues)
public:
    explicit TFormStorage(QObject* owner);

    QStringList StoredProps() const;
    void SetStoredProps(const QStringList& props);
    // The entries with the components they are bound to.
    TStoredPropList& StoredPropList() { return storedProps_; }
    TStoredValues* StoredValues() const { return storedValues_; }

    void Loaded() override;
    void Notification(QObject* component, TOperation operation) override;

protected:
    void WritePlacementValues() override;
    void ReadPlacementValues() override;
    virtual void WriteStoredProps();
    virtual void ReadStoredProps();

private:
    TStoredPropsAccess OwnAccess();

    TStoredPropList storedProps_;
    TStoredValues* storedValues_;  // child of this object
};
