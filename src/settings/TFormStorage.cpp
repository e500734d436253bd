// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TFormStorage.h"

#include "settings/TStore.h"
#include "toolkit/TForm.h"

TFormStorage::TFormStorage(QObject* owner) : TFormPlacement(owner), storedValues_(new TStoredValues(this)) {}

QStringList TFormStorage::StoredProps() const
{
    QStringList props;
    for (const TStoredPropEntry& entry : storedProps_)
        props.append(entry.Text);
    return props;
}

void TFormStorage::SetStoredProps(const QStringList& props)
{
    storedProps_.clear();
    for (const QString& text : props)
        storedProps_.push_back(TStoredPropEntry{text, nullptr});
    // Entries given after loading are bound at once.
    if (!IsLoading() && Form())
        ResolveStoredProps(Form(), storedProps_);
}

void TFormStorage::Loaded()
{
    TFormPlacement::Loaded();
    if (Form())
        ResolveStoredProps(Form(), storedProps_);
}

void TFormStorage::Notification(QObject* component, TOperation operation)
{
    TFormPlacement::Notification(component, operation);
    if (operation == TOperation::opRemove && component && !IsDestroying())
        ForgetStoredComponent(storedProps_, component);
}

void TFormStorage::WritePlacementValues()
{
    TFormPlacement::WritePlacementValues();
    WriteStoredProps();
    storedValues_->SaveValues(OpenedStore(), StoreSection());
}

void TFormStorage::ReadPlacementValues()
{
    TFormPlacement::ReadPlacementValues();
    SetRestored();
    // A control value that cannot be read keeps what the control shows
    // (TPropsStorage::ReadPropertyValue skips it).
    ReadStoredProps();
    storedValues_->RestoreValues(OpenedStore(), StoreSection());
}

TStoredPropsAccess TFormStorage::OwnAccess()
{
    // Through the component's own text access, so that a derived component
    // sees (and may change) every value the pass reads and writes.
    return TStoredPropsAccess{
        [this](const QString& section, const QString& name, const QString& defaultText) {
            return ReadString(section, name, defaultText);
        },
        [this](const QString& section, const QString& name, const QString& text) { WriteString(section, name, text); },
        [this](const QString& section) { OpenedStore().EraseSection(section); },
    };
}

void TFormStorage::WriteStoredProps()
{
    if (Form())
        ::WriteStoredProps(Form(), storedProps_, OwnAccess(), StoreSection());
}

void TFormStorage::ReadStoredProps()
{
    if (Form())
        ::ReadStoredProps(Form(), storedProps_, OwnAccess(), StoreSection());
}
