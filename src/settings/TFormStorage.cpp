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
    // A control value that cannot be read keeps what the control shows.
    try {
        ReadStoredProps();
    } catch (...) {
    }
    storedValues_->RestoreValues(OpenedStore(), StoreSection());
}

void TFormStorage::WriteStoredProps()
{
    if (Form())
        ::WriteStoredProps(Form(), storedProps_, OpenedStore(), StoreSection());
}

void TFormStorage::ReadStoredProps()
{
    if (Form())
        ::ReadStoredProps(Form(), storedProps_, OpenedStore(), StoreSection());
}
