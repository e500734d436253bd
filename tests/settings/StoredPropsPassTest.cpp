// SPDX-License-Identifier: GPL-3.0-or-later
// Splitting entries, binding them to the window's components, keeping them
// current, and the write and read passes over a store.
#include "StoredPropsFixture.h"

#include "toolkit/TMemo.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kSection = "Setup";

QStringList Texts(const TStoredPropList& list)
{
    QStringList texts;
    for (const TStoredPropEntry& entry : list)
        texts.append(entry.Text);
    return texts;
}

TEST(SplitStoredItem, Table)
{
    struct Row {
        QString Entry;
        bool Valid;
        QString Component;
        QString Property;
    };
    const Row rows[] = {
        {"Edit1.Text", true, "Edit1", "Text"},
        {" Edit1 . Text\t", true, "Edit1", "Text"},
        {"edit1.text", true, "edit1", "text"},
        {"Panel1.Font.Size", true, "Panel1", "Font.Size"},  // split at the first dot
        {"", false, "", ""},
        {"Edit1", false, "", ""},
        {".Text", false, "", "Text"},
        {"Edit1.", false, "Edit1", ""},
        {"  .  ", false, "", ""},
        {QString("Edit1") + QChar(1) + "." + QChar(31) + "Text", true, "Edit1", "Text"},
    };
    for (const Row& row : rows) {
        const TStoredItem item = SplitStoredItem(row.Entry);
        EXPECT_EQ(item.Valid, row.Valid) << row.Entry.toStdString();
        if (row.Valid || !row.Entry.isEmpty()) {
            EXPECT_EQ(item.ComponentName, row.Component) << row.Entry.toStdString();
            EXPECT_EQ(item.PropertyName, row.Property) << row.Entry.toStdString();
        }
    }
}

TEST(ResolveStoredProps, BindsKnownComponentsWithoutRegardToCaseAndDropsTheRest)
{
    TKindsWindow w;
    TStoredPropList list;
    for (const char* entry : {"edit1.Text", "Nobody.Text", "Edit1", "", "ALL1.Count", " Edit1 .Text"})
        list.push_back({entry, nullptr});
    ResolveStoredProps(&w.Window, list);
    EXPECT_EQ(Texts(list), QStringList({"edit1.Text", "ALL1.Count", " Edit1 .Text"}));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Component, w.Edit1);
    EXPECT_EQ(list[1].Component, w.All1);
    EXPECT_EQ(list[2].Component, w.Edit1);
}

TEST(ResolveStoredProps, TheWindowItselfIsNoComponentOfItself)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"Form9.Text"});
    EXPECT_TRUE(list.empty());
}

TEST(RefreshStoredProps, FollowsRenamesAndDropsWhatCannotBeStored)
{
    TKindsWindow w;
    auto* other = new TEdit(&w.Window);
    other->setObjectName("Other");
    TStoredPropList list = w.Bind({"edit1. Text ", "All1.Count", "Other.Text"});
    list.push_back({"Loose.Text", nullptr});  // never bound

    w.Edit1->setObjectName("edFolder");
    w.All1->setObjectName("");
    delete other;
    RefreshStoredProps(&w.Window, list);
    EXPECT_EQ(Texts(list), QStringList({"edFolder.Text", ""}));

    // The entry of the unnamed component is gone at the next refresh, even
    // when the component has a name again by then.
    w.All1->setObjectName("All1");
    RefreshStoredProps(&w.Window, list);
    EXPECT_EQ(Texts(list), QStringList({"edFolder.Text"}));
}

TEST(ForgetStoredComponent, DropsTheEntriesOfAComponentBeingDestroyed)
{
    // A widget and a plain component: by the time the settings component
    // hears of the removal, the component is already half gone.
    for (const bool widget : {true, false}) {
        TKindsWindow w;
        TStoredPropList list = w.Bind({"Edit1.Text", "All1.Count", "edit1.Text", "all1.Flag"});
        QObject* doomed = widget ? static_cast<QObject*>(w.Edit1) : w.All1;
        TStoredPropList* watched = &list;
        QObject::connect(doomed, &QObject::destroyed,
                         [watched](QObject* gone) { ForgetStoredComponent(*watched, gone); });
        delete doomed;
        EXPECT_EQ(Texts(list), widget ? QStringList({"All1.Count", "all1.Flag"})
                                      : QStringList({"Edit1.Text", "edit1.Text"}));
    }
}

TEST(ForgetStoredComponent, LeavesTheOtherEntries)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"Edit1.Text", "All1.Count"});
    ForgetStoredComponent(list, w.All1);
    EXPECT_EQ(Texts(list), QStringList({"Edit1.Text"}));
    ForgetStoredComponent(list, nullptr);
    EXPECT_EQ(Texts(list), QStringList({"Edit1.Text"}));
}

TEST(StoredPropsPass, ValueNamesUseTheCurrentNameAndTheDeclaredPropertyName)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"edit1.TEXT", "all1.flag", "All1.count"});
    w.Edit1->setObjectName("edStart");
    w.Edit1->SetText("abc");
    TMemoryStore store;
    WriteStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.CallsOf("write"),
              QStringList({"Setup/edStart_Text=abc", "Setup/All1_Flag=False", "Setup/All1_Count=0"}));
    EXPECT_EQ(Texts(list), QStringList({"edStart.TEXT", "All1.flag", "All1.count"}));
}

TEST(StoredPropsPass, EntriesWithoutAPublishedPropertyAreSkipped)
{
    TKindsWindow w;
    // Qt's own properties are not published: nothing of them is stored.
    TStoredPropList list = w.Bind({"Edit1.objectName", "Edit1.geometry", "Edit1.Nothing", "Edit1.Text"});
    w.Edit1->SetText("kept");
    TMemoryStore store;
    WriteStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.CallsOf("write"), QStringList({"Setup/Edit1_Text=kept"}));

    store.Values[kSection]["Edit1_objectName"] = "renamed";
    store.Values[kSection]["Edit1_Text"] = "back";
    ReadStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.CallsOf("read"), QStringList({"Setup/Edit1_Text"}));
    EXPECT_EQ(w.Edit1->objectName(), "Edit1");
    EXPECT_EQ(w.Edit1->Text(), "back");
}

TEST(StoredPropsPass, AWriteErrorEndsThePass)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"All1.Count", "Edit1.Text", "All1.Flag"});
    TMemoryStore store;
    store.FailOn = "Edit1_Text";
    EXPECT_THROW(WriteStoredProps(&w.Window, list, store, kSection), ERegistryException);
    EXPECT_EQ(store.CallsOf("write"), QStringList({"Setup/All1_Count=0"}));
}

TEST(StoredPropsPass, AReadErrorLeavesThatValueAndTheOthersAreRead)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"All1.Count", "Edit1.Text", "All1.Flag", "All1.Lines"});
    w.Edit1->SetText("designed");
    TMemoryStore store;
    store.Values[kSection] = {{"All1_Count", "5"}, {"Edit1_Text", "stored"}, {"All1_Flag", "True"}};
    store.FailOn = "Edit1_Text";
    ReadStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(w.All1->Count, 5);
    EXPECT_EQ(w.Edit1->Text(), "designed");
    EXPECT_TRUE(w.All1->Flag);

    // Also inside a subsection.
    w.All1->Lines = {"designed"};
    store.FailOn = "Count";
    ReadStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(w.All1->Lines, QStringList({"designed"}));
}

TEST(StoredPropsPass, MemoLinesGoThroughTheirSubsection)
{
    TKindsWindow w;
    auto* memo = new TMemo(&w.Window);
    memo->setObjectName("Memofil");
    memo->SetText("/tmp/a.asp\r\n/tmp/b.asp\r\n");
    TStoredPropList list = w.Bind({"Memofil.Lines"});
    TMemoryStore store;
    WriteStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.Value("Setup\\Memofil_Lines", "Count"), "2");
    memo->SetText("");
    ReadStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(memo->Lines(), QStringList({"/tmp/a.asp", "/tmp/b.asp"}));
}

}  // namespace
