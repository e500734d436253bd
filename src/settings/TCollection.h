// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list of items that belongs to a component, such as a list of named
// values. Items are QObjects of our own classes; their published properties
// are what gets stored of them. The collection owns its items.
#include <QObject>
#include <functional>
#include <vector>

class TCollectionItem : public QObject {
    Q_OBJECT
public:
    explicit TCollectionItem(QObject* parent = nullptr) : QObject(parent) {}
};

class TCollection : public QObject {
    Q_OBJECT
public:
    // Makes a new, empty item of the collection's item class.
    using TItemFactory = std::function<TCollectionItem*()>;

    explicit TCollection(TItemFactory makeItem, QObject* parent = nullptr);
    ~TCollection() override;

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Item(int index) const;
    // Appends a new item and returns it.
    TCollectionItem* Add();
    void Clear();
    // Adds or removes items at the end until there are count of them.
    void SetCount(int count);

private:
    TItemFactory makeItem_;
    std::vector<TCollectionItem*> items_;
};
