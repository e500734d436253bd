// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the stored-value tests share: a window with a component that has
// one published property of each kind the converter knows.
#include "settings/MemoryStore.h"
#include "settings/StoredProps.h"
#include "settings/TCollection.h"
#include "settings/TStore.h"
#include "toolkit/Exceptions.h"
#include "toolkit/TComponent.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"

#include <QByteArray>
#include <QChar>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <map>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

// A sub-object of a component, stored by its own properties.
class TFontInfo : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Size MEMBER Size)
    Q_PROPERTY(QString Face MEMBER Face)
    Q_PROPERTY(TFontInfo* Next MEMBER Next)
public:
    using QObject::QObject;
    int Size = 0;
    QString Face;
    TFontInfo* Next = nullptr;
};

class TNamedItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Name MEMBER Name)
    Q_PROPERTY(int Size MEMBER Size)
public:
    using TCollectionItem::TCollectionItem;
    QString Name;
    int Size = 0;
};

class TAllKinds : public QObject, public TComponent {
    Q_OBJECT
public:
    // A fixed underlying type, so that a value without a name is still a value.
    enum TMode : int { mdFirst, mdSecond, mdThird };
    Q_ENUM(TMode)
    enum TOption { opBold = 1, opItalic = 2, opUnder = 4, opAll = 7 };
    Q_DECLARE_FLAGS(TOptions, TOption)
    Q_FLAG(TOptions)

private:
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(QByteArray Bytes MEMBER Bytes)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(TMode Mode MEMBER Mode)
    Q_PROPERTY(int Count MEMBER Count)
    Q_PROPERTY(short Small MEMBER Small)
    Q_PROPERTY(char Letter MEMBER Letter)
    Q_PROPERTY(QChar Wide MEMBER Wide)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(TOptions Options READ GetOptions WRITE SetOptions)
    Q_PROPERTY(QVariant Anything MEMBER Anything)
    Q_PROPERTY(qlonglong Big MEMBER Big)
    Q_PROPERTY(QStringList Lines MEMBER Lines)
    Q_PROPERTY(TCollection* Items READ Items)
    Q_PROPERTY(QObject* Buddy MEMBER Buddy)
    Q_PROPERTY(TEdit* Partner MEMBER Partner)
    Q_PROPERTY(TFontInfo* Font READ Font)

public:
    explicit TAllKinds(QObject* owner)
        : QObject(owner), items_(new TCollection([] { return new TNamedItem; }, this)), font_(new TFontInfo(this))
    {
    }

    TOptions GetOptions() const { return Options; }
    void SetOptions(TOptions options) { Options = options; }
    TCollection* Items() const { return items_; }
    TFontInfo* Font() const { return font_; }
    TNamedItem* Item(int i) const { return static_cast<TNamedItem*>(items_->Item(i)); }

    QString Text;
    QByteArray Bytes;
    bool Flag = false;
    TMode Mode = mdFirst;
    int Count = 0;
    short Small = 0;
    char Letter = 'a';
    QChar Wide = QLatin1Char('b');
    double Ratio = 0.5;
    TOptions Options;
    QVariant Anything;
    qlonglong Big = 0;
    QStringList Lines;
    QObject* Buddy = nullptr;
    TEdit* Partner = nullptr;

private:
    TCollection* items_;
    TFontInfo* font_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TAllKinds::TOptions)

// A window with the test component "All1" and an edit box "Edit1".
struct TKindsWindow {
    TKindsWindow() : All1(new TAllKinds(&Window)), Edit1(new TEdit(&Window))
    {
        Window.setObjectName("Form9");
        All1->setObjectName("All1");
        Edit1->setObjectName("Edit1");
    }
    // A list with the given entries, bound to the window's components.
    TStoredPropList Bind(const QStringList& entries)
    {
        TStoredPropList list;
        for (const QString& entry : entries)
            list.push_back({entry, nullptr});
        ResolveStoredProps(&Window, list);
        return list;
    }

    TForm Window;
    TAllKinds* All1;
    TEdit* Edit1;
};
