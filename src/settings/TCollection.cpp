// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TCollection.h"

#include <utility>

TCollection::TCollection(TItemFactory makeItem, QObject* parent) : QObject(parent), makeItem_(std::move(makeItem)) {}

TCollection::~TCollection()
{
    Clear();
}

TCollectionItem* TCollection::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = makeItem_ ? makeItem_() : new TCollectionItem;
    item->setParent(this);
    items_.push_back(item);
    return item;
}

void TCollection::Clear()
{
    SetCount(0);
}

void TCollection::SetCount(int count)
{
    while (Count() > count && !items_.empty()) {
        delete items_.back();
        items_.pop_back();
    }
    while (Count() < count)
        Add();
}
