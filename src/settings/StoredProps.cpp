// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/StoredProps.h"

#include "settings/TPropInfoList.h"
#include "settings/TPropsStorage.h"
#include "settings/TStore.h"
#include "toolkit/TComponent.h"
#include "toolkit/TForm.h"

#include <map>
#include <memory>

TStoredItem SplitStoredItem(const QString& entry)
{
    TStoredItem item;
    const qsizetype dot = entry.indexOf(QLatin1Char('.'));
    if (entry.isEmpty() || dot < 0)
        return item;
    item.ComponentName = TrimStoredText(entry.left(dot));
    item.PropertyName = TrimStoredText(entry.mid(dot + 1));
    item.Valid = !item.ComponentName.isEmpty() && !item.PropertyName.isEmpty();
    return item;
}

void ResolveStoredProps(TForm* window, TStoredPropList& list)
{
    for (auto i = list.size(); i-- > 0;) {
        TStoredPropEntry& entry = list[i];
        const TStoredItem item = SplitStoredItem(entry.Text);
        QObject* component = item.Valid && window ? window->FindComponent(item.ComponentName) : nullptr;
        if (component) {
            entry.Component = component;
            entry.BoundTo = component;
            window->WatchComponent(component);
        } else {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

namespace {

bool LiesInside(const QObject* component, const TForm* window)
{
    for (const QObject* p = component ? component->parent() : nullptr; p; p = p->parent())
        if (p == window)
            return true;
    return false;
}

}  // namespace

void RefreshStoredProps(TForm* window, TStoredPropList& list)
{
    for (auto i = list.size(); i-- > 0;) {
        TStoredPropEntry& entry = list[i];
        const TStoredItem item = SplitStoredItem(entry.Text);
        // The window tells when a component leaves it; one that left inside
        // a holder the window does not watch is dropped here.
        if (item.Valid && entry.Component && (!window || LiesInside(entry.Component, window))) {
            const QString name = ComponentName(entry.Component);
            // An unnamed component cannot be stored; its entry goes at the
            // next refresh.
            entry.Text = name.isEmpty() ? QString() : name + QLatin1Char('.') + item.PropertyName;
        } else {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void ForgetStoredComponent(TStoredPropList& list, const QObject* component)
{
    if (!component)
        return;
    std::erase_if(list, [component](const TStoredPropEntry& entry) {
        return entry.BoundTo == component || entry.Component.data() == component;
    });
}

TStoredPropsAccess StoreAccess(TStore& store)
{
    return TStoredPropsAccess{
        [&store](const QString& section, const QString& name, const QString& defaultText) {
            return store.ReadStoreText(section, name, defaultText);
        },
        [&store](const QString& section, const QString& name, const QString& text) {
            store.WriteStoreText(section, name, text);
        },
        [&store](const QString& section) { store.EraseSection(section); },
    };
}

namespace {

struct TBoundComponent {
    const QObject* Component;
    std::unique_ptr<TPropInfoList> Props;
};

// One pass over the list with a converter that reads or writes each entry.
template <typename Step>
void RunStoredPropsPass(TForm* window, TStoredPropList& list, const TStoredPropsAccess& access, const QString& section,
                        Step step)
{
    RefreshStoredProps(window, list);

    // The bound components by name, each with its published properties;
    // freed at the end of the pass whatever happens.
    std::map<QString, TBoundComponent> components;
    for (const TStoredPropEntry& entry : list) {
        QObject* component = entry.Component;
        if (!component || component->objectName().isEmpty())
            continue;
        components.try_emplace(component->objectName(),
                               TBoundComponent{component, std::make_unique<TPropInfoList>(component)});
    }

    TPropsStorage storage;
    storage.OwnerWindow = window;
    storage.Section = section;
    storage.OnReadString = access.ReadString;
    storage.OnWriteString = access.WriteString;
    storage.OnEraseSection = access.EraseSection;

    // Entries are copied first: a step may run code that changes the list.
    const TStoredPropList entries = list;
    for (const TStoredPropEntry& entry : entries) {
        const TStoredItem item = SplitStoredItem(entry.Text);
        QObject* component = entry.Component;
        if (!item.Valid || !component)
            continue;
        const auto found = components.find(component->objectName());
        if (found == components.end())
            continue;
        // Two components with one name: each entry uses its own component's
        // properties.
        std::unique_ptr<TPropInfoList> own;
        const TPropInfoList* props = found->second.Props.get();
        if (found->second.Component != component) {
            own = std::make_unique<TPropInfoList>(component);
            props = own.get();
        }
        const TPropInfo* property = props->Find(item.PropertyName);
        if (!property)
            continue;
        storage.AObject = component;
        storage.Prefix = component->objectName() + QLatin1Char('_');
        step(storage, *property);
    }
}

}  // namespace

void WriteStoredProps(TForm* window, TStoredPropList& list, const TStoredPropsAccess& access, const QString& section)
{
    RunStoredPropsPass(window, list, access, section,
                       [](TPropsStorage& storage, const TPropInfo& property) { storage.WritePropertyValue(property); });
}

void ReadStoredProps(TForm* window, TStoredPropList& list, const TStoredPropsAccess& access, const QString& section)
{
    // A value that cannot be read is skipped where it is read
    // (TPropsStorage::ReadPropertyValue).
    RunStoredPropsPass(window, list, access, section,
                       [](TPropsStorage& storage, const TPropInfo& property) { storage.ReadPropertyValue(property); });
}
