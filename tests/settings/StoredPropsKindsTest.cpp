// SPDX-License-Identifier: GPL-3.0-or-later
// Each kind of published property written as text and read back through a
// store, and what bad stored texts do to each kind.
#include "support/CaseNames.h"
#include "StoredPropsFixture.h"

#include "settings/TPropInfoList.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

const QString kSection = "Setup";

struct RoundTrip {
    const char* Name;
    std::function<void(TKindsWindow&)> Set;    // gives the property its value
    QString StoredText;                          // what the store then holds
    std::function<void(TKindsWindow&)> Clear;  // gives it another value
    std::function<bool(const TKindsWindow&)> Restored;
};

void PrintTo(const RoundTrip& r, std::ostream* os) { *os << r.Name << " " << casenames::Quoted(r.StoredText); }

class KindRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(KindRoundTrip, WritesTheTextAndReadsTheValueBack)
{
    const RoundTrip& row = GetParam();
    TKindsWindow w;
    TStoredPropList list = w.Bind({QString("All1.") + row.Name});
    TMemoryStore store;

    row.Set(w);
    WriteStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.Value(kSection, QString("All1_") + row.Name), row.StoredText);

    row.Clear(w);
    ReadStoredProps(&w.Window, list, store, kSection);
    EXPECT_TRUE(row.Restored(w));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KindRoundTrip,
    ::testing::Values(
        RoundTrip{"Text", [](auto& w) { w.All1->Text = "c:\\tmp å"; }, "c:\\tmp å",
                  [](auto& w) { w.All1->Text = "x"; }, [](auto& w) { return w.All1->Text == "c:\\tmp å"; }},
        RoundTrip{"Bytes", [](auto& w) { w.All1->Bytes = "caf\xe9"; }, "café", [](auto& w) { w.All1->Bytes = "x"; },
                  [](auto& w) { return w.All1->Bytes == QByteArray("caf\xe9"); }},
        RoundTrip{"Flag", [](auto& w) { w.All1->Flag = true; }, "True", [](auto& w) { w.All1->Flag = false; },
                  [](auto& w) { return w.All1->Flag; }},
        RoundTrip{"Mode", [](auto& w) { w.All1->Mode = TAllKinds::mdThird; }, "mdThird",
                  [](auto& w) { w.All1->Mode = TAllKinds::mdFirst; },
                  [](auto& w) { return w.All1->Mode == TAllKinds::mdThird; }},
        RoundTrip{"Count", [](auto& w) { w.All1->Count = -42; }, "-42", [](auto& w) { w.All1->Count = 7; },
                  [](auto& w) { return w.All1->Count == -42; }},
        RoundTrip{"Small", [](auto& w) { w.All1->Small = 1234; }, "1234", [](auto& w) { w.All1->Small = 7; },
                  [](auto& w) { return w.All1->Small == 1234; }},
        RoundTrip{"Letter", [](auto& w) { w.All1->Letter = '\xe4'; }, "ä", [](auto& w) { w.All1->Letter = 'z'; },
                  [](auto& w) { return w.All1->Letter == '\xe4'; }},
        RoundTrip{"Wide", [](auto& w) { w.All1->Wide = QChar(0x0151); }, QString(QChar(0x0151)),
                  [](auto& w) { w.All1->Wide = 'z'; }, [](auto& w) { return w.All1->Wide == QChar(0x0151); }},
        RoundTrip{"Ratio", [](auto& w) { w.All1->Ratio = 0.1; }, "0.1", [](auto& w) { w.All1->Ratio = 3; },
                  [](auto& w) { return w.All1->Ratio == 0.1; }},
        RoundTrip{"Ratio", [](auto& w) { w.All1->Ratio = -2.5e-300; }, "-2.5e-300", [](auto& w) { w.All1->Ratio = 3; },
                  [](auto& w) { return w.All1->Ratio == -2.5e-300; }},
        RoundTrip{"Options", [](auto& w) { w.All1->Options = TAllKinds::opBold | TAllKinds::opUnder; },
                  "[opBold,opUnder]", [](auto& w) { w.All1->Options = TAllKinds::opItalic; },
                  [](auto& w) { return w.All1->Options == (TAllKinds::opBold | TAllKinds::opUnder); }},
        RoundTrip{"Options", [](auto& w) { w.All1->Options = {}; }, "[]",
                  [](auto& w) { w.All1->Options = TAllKinds::opItalic; },
                  [](auto& w) { return w.All1->Options == TAllKinds::TOptions{}; }},
        RoundTrip{"Anything", [](auto& w) { w.All1->Anything = QString("abc"); }, "abc",
                  [](auto& w) { w.All1->Anything = 5; }, [](auto& w) { return w.All1->Anything == QVariant("abc"); }},
        RoundTrip{"Big", [](auto& w) { w.All1->Big = 9007199254740993LL; }, "9007199254740993",
                  [](auto& w) { w.All1->Big = 1; }, [](auto& w) { return w.All1->Big == 9007199254740993LL; }},
        RoundTrip{"Buddy", [](auto& w) { w.All1->Buddy = w.Edit1; }, "Edit1", [](auto& w) { w.All1->Buddy = nullptr; },
                  [](auto& w) { return w.All1->Buddy == w.Edit1; }},
        RoundTrip{"Buddy", [](auto& w) { w.All1->Buddy = nullptr; }, "(null)",
                  [](auto& w) { w.All1->Buddy = w.Edit1; }, [](auto& w) { return w.All1->Buddy == nullptr; }},
        RoundTrip{"Buddy", [](auto& w) { w.All1->Buddy = &w.Window; }, "Form9",
                  [](auto& w) { w.All1->Buddy = nullptr; }, [](auto& w) { return w.All1->Buddy == &w.Window; }},
        RoundTrip{"Partner", [](auto& w) { w.All1->Partner = w.Edit1; }, "Edit1",
                  [](auto& w) { w.All1->Partner = nullptr; }, [](auto& w) { return w.All1->Partner == w.Edit1; }}));

struct BadText {
    const char* Name;
    QString Stored;
    std::function<void(TKindsWindow&)> Set;  // the value before the read
    std::function<bool(const TKindsWindow&)> After;
};

void PrintTo(const BadText& r, std::ostream* os) { *os << r.Name << " " << casenames::Quoted(r.Stored); }

class KindBadText : public ::testing::TestWithParam<BadText> {};

TEST_P(KindBadText, ReadsAsTheKindPrescribes)
{
    const BadText& row = GetParam();
    TKindsWindow w;
    TStoredPropList list = w.Bind({QString("All1.") + row.Name});
    TMemoryStore store;
    store.Values[kSection][QString("All1_") + row.Name] = row.Stored;
    row.Set(w);
    ReadStoredProps(&w.Window, list, store, kSection);
    EXPECT_TRUE(row.After(w)) << row.Name << " <- \"" << row.Stored.toStdString() << "\"";
}

auto setCount = [](auto& w) { w.All1->Count = 7; };
auto setBig = [](auto& w) { w.All1->Big = 7; };
auto setFalse = [](auto& w) { w.All1->Flag = false; };
auto setTrue = [](auto& w) { w.All1->Flag = true; };
auto setThird = [](auto& w) { w.All1->Mode = TAllKinds::mdThird; };
auto setRatio = [](auto& w) { w.All1->Ratio = 0.5; };
auto setItalic = [](auto& w) { w.All1->Options = TAllKinds::opItalic; };
auto setBuddy = [](auto& w) { w.All1->Buddy = w.Edit1; };
auto setNone = [](auto&) {};

INSTANTIATE_TEST_SUITE_P(
    Kinds, KindBadText,
    ::testing::Values(
        BadText{"Count", "abc", setCount, [](auto& w) { return w.All1->Count == 0; }},
        BadText{"Count", "12x", setCount, [](auto& w) { return w.All1->Count == 0; }},
        BadText{"Count", "99999999999", setCount, [](auto& w) { return w.All1->Count == 0; }},
        BadText{"Count", "  31 ", setCount, [](auto& w) { return w.All1->Count == 31; }},
        BadText{"Small", "40000", [](auto& w) { w.All1->Small = 7; }, [](auto& w) { return w.All1->Small == 0; }},
        BadText{"Big", "zz", setBig, [](auto& w) { return w.All1->Big == 0; }},
        BadText{"Big", "-9223372036854775808", setBig,
                [](auto& w) { return w.All1->Big == std::numeric_limits<qlonglong>::min(); }},
        BadText{"Flag", "true", setFalse, [](auto& w) { return w.All1->Flag; }},
        BadText{"Flag", " True\t", setFalse, [](auto& w) { return w.All1->Flag; }},
        BadText{"Flag", "1", setFalse, [](auto& w) { return !w.All1->Flag; }},
        BadText{"Flag", "yes", setFalse, [](auto& w) { return !w.All1->Flag; }},
        BadText{"Flag", "0", setTrue, [](auto& w) { return w.All1->Flag; }},
        BadText{"Flag", "", setTrue, [](auto& w) { return w.All1->Flag; }},
        BadText{"Mode", "MDSECOND", setThird, [](auto& w) { return w.All1->Mode == TAllKinds::mdSecond; }},
        BadText{"Mode", "nosuch", setThird, [](auto& w) { return w.All1->Mode == TAllKinds::mdThird; }},
        BadText{"Mode", "2", setThird, [](auto& w) { return w.All1->Mode == TAllKinds::mdThird; }},
        BadText{"Ratio", "abc", setRatio, [](auto& w) { return w.All1->Ratio == 0.5; }},
        BadText{"Ratio", "1,5", setRatio, [](auto& w) { return w.All1->Ratio == 0.5; }},
        BadText{"Ratio", " 2.5 ", setRatio, [](auto& w) { return w.All1->Ratio == 2.5; }},
        BadText{"Options", "[opitalic,OPBOLD]", setItalic,
                [](auto& w) { return w.All1->Options == (TAllKinds::opBold | TAllKinds::opItalic); }},
        BadText{"Options", "opUnder", setItalic, [](auto& w) { return w.All1->Options == TAllKinds::opUnder; }},
        BadText{"Options", "[opBold,nosuch]", setItalic,
                [](auto& w) { return w.All1->Options == TAllKinds::opItalic; }},
        BadText{"Letter", "", [](auto& w) { w.All1->Letter = 'q'; }, [](auto& w) { return w.All1->Letter == 'q'; }},
        BadText{"Letter", "xyz", setNone, [](auto& w) { return w.All1->Letter == 'x'; }},
        BadText{"Wide", "", [](auto& w) { w.All1->Wide = 'q'; }, [](auto& w) { return w.All1->Wide == 'q'; }},
        BadText{"Wide", "öx", setNone, [](auto& w) { return w.All1->Wide == QChar(0xf6); }},
        BadText{"Text", "  padded \t", setNone, [](auto& w) { return w.All1->Text == "padded"; }},
        BadText{"Buddy", "NoSuch", setBuddy, [](auto& w) { return w.All1->Buddy == w.Edit1; }},
        BadText{"Buddy", "(NULL)", setBuddy, [](auto& w) { return w.All1->Buddy == nullptr; }},
        BadText{"Buddy", "", setBuddy, [](auto& w) { return w.All1->Buddy == w.Edit1; }},
        BadText{"Buddy", "edit1", setNone, [](auto& w) { return w.All1->Buddy == w.Edit1; }},
        // A component of the wrong class does not go into a typed reference.
        BadText{"Partner", "All1", setNone, [](auto& w) { return w.All1->Partner == nullptr; }}));

TEST(StoredPropsWrite, EmptyTextIsWrittenOnlyForStringKinds)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"All1.Text", "All1.Bytes", "All1.Anything", "All1.Mode"});
    w.All1->Text = " \t ";
    w.All1->Bytes = "";
    w.All1->Anything = QVariant();
    w.All1->Mode = static_cast<TAllKinds::TMode>(9);  // no name of its type
    TMemoryStore store;
    WriteStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.CallsOf("write"), QStringList({"Setup/All1_Text=", "Setup/All1_Bytes="}));
}

TEST(StoredPropsRead, AnEmptyDefaultOfANonStringKindReadsNothing)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"All1.Anything", "All1.Text"});
    TMemoryStore store;
    store.Values[kSection]["All1_Anything"] = "stored";
    ReadStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.CallsOf("read"), QStringList({"Setup/All1_Text"}));
    EXPECT_FALSE(w.All1->Anything.isValid());
}

TEST(StoredPropsStrings, ListGoesToItsOwnSubsectionUntrimmed)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"All1.Lines"});
    w.All1->Lines = {"first", "  second ", ""};
    TMemoryStore store;
    store.Values["Setup\\All1_Lines"]["Item7"] = "stale";
    WriteStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.Calls, QStringList({"erase Setup\\All1_Lines", "write Setup\\All1_Lines/Count=3",
                                        "write Setup\\All1_Lines/Item0=first",
                                        "write Setup\\All1_Lines/Item1=  second ",
                                        "write Setup\\All1_Lines/Item2="}));

    w.All1->Lines = {"other"};
    ReadStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(w.All1->Lines, QStringList({"first", "  second ", ""}));
}

TEST(StoredPropsStrings, DamagedListData)
{
    struct Row {
        std::map<QString, QString> Stored;
        QStringList Expected;
    };
    const QStringList designed = {"designed"};
    const std::vector<Row> rows = {
        {{}, designed},                                    // nothing stored
        {{{"Count", "many"}}, designed},                   // count no number
        {{{"Count", "-1"}}, designed},                     // negative count
        {{{"Count", "0"}}, {}},                            // stored empty
        {{{"Count", "2000000000"}, {"Item0", "a"}}, {"a"}},  // missing item ends it
        {{{"Count", "3"}, {"Item0", "a"}, {"Item2", "c"}}, {"a"}},
    };
    for (const Row& row : rows) {
        TKindsWindow w;
        TStoredPropList list = w.Bind({"All1.Lines"});
        w.All1->Lines = designed;
        TMemoryStore store;
        if (!row.Stored.empty())
            store.Values["Setup\\All1_Lines"] = row.Stored;
        ReadStoredProps(&w.Window, list, store, kSection);
        EXPECT_EQ(w.All1->Lines, row.Expected) << (row.Stored.empty() ? "" : row.Stored.begin()->second.toStdString());
    }
}

TEST(StoredPropsCollection, ItemsAreStoredByTheirPropertiesAndComeBack)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"All1.Items"});
    auto* a = static_cast<TNamedItem*>(w.All1->Items()->Add());
    a->Name = "alpha";
    a->Size = 3;
    auto* b = static_cast<TNamedItem*>(w.All1->Items()->Add());
    b->Name = "beta";
    b->Size = 4;
    TMemoryStore store;
    WriteStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.Calls, QStringList({"erase Setup\\All1_Items", "write Setup\\All1_Items/Count=2",
                                        "write Setup\\All1_Items/Item0_Name=alpha",
                                        "write Setup\\All1_Items/Item0_Size=3",
                                        "write Setup\\All1_Items/Item1_Name=beta",
                                        "write Setup\\All1_Items/Item1_Size=4"}));

    w.All1->Items()->Clear();
    ReadStoredProps(&w.Window, list, store, kSection);
    ASSERT_EQ(w.All1->Items()->Count(), 2);
    EXPECT_EQ(w.All1->Item(0)->Name, "alpha");
    EXPECT_EQ(w.All1->Item(1)->Size, 4);
}

TEST(StoredPropsCollection, ABadCountLeavesTheItems)
{
    for (const QString count : {"x", "-3", "100000000"}) {
        TKindsWindow w;
        TStoredPropList list = w.Bind({"All1.Items"});
        w.All1->Items()->Add();
        TMemoryStore store;
        store.Values["Setup\\All1_Items"]["Count"] = count;
        ReadStoredProps(&w.Window, list, store, kSection);
        EXPECT_EQ(w.All1->Items()->Count(), 1) << count.toStdString();
    }
}

TEST(StoredPropsObject, SubObjectIsStoredByItsOwnPropertiesOnce)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"All1.Font"});
    w.All1->Font()->Size = 11;
    w.All1->Font()->Face = "Tahoma";
    w.All1->Font()->Next = w.All1->Font();  // a loop back to itself
    TMemoryStore store;
    WriteStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.CallsOf("write"), QStringList({"Setup/All1_Font_Size=11", "Setup/All1_Font_Face=Tahoma"}));

    w.All1->Font()->Size = 8;
    w.All1->Font()->Face.clear();
    ReadStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(w.All1->Font()->Size, 11);
    EXPECT_EQ(w.All1->Font()->Face, "Tahoma");
}

TEST(StoredPropsObject, ChainOfSubObjectsNamesEachLevel)
{
    TKindsWindow w;
    TStoredPropList list = w.Bind({"All1.Font"});
    TFontInfo second;
    second.Size = 2;
    second.Next = w.All1->Font();  // back to the first: not entered again
    w.All1->Font()->Next = &second;
    TMemoryStore store;
    WriteStoredProps(&w.Window, list, store, kSection);
    EXPECT_EQ(store.CallsOf("write"),
              QStringList({"Setup/All1_Font_Size=0", "Setup/All1_Font_Face=", "Setup/All1_Font_Next_Size=2",
                           "Setup/All1_Font_Next_Face="}));
}

TEST(PropInfoList, ListsOnlyPropertiesOfOurClasses)
{
    TKindsWindow w;
    const TPropInfoList edit(w.Edit1);
    ASSERT_EQ(edit.Count(), 1);
    EXPECT_EQ(edit[0].Name, "Text");
    EXPECT_EQ(edit[0].Kind, TTypeKind::tkLString);
    ASSERT_NE(edit.Find("TEXT"), nullptr);
    EXPECT_EQ(edit.Find("tExT")->Name, "Text");
    for (const char* qtOwn : {"objectName", "geometry", "enabled", "readOnly", "maxLength"})
        EXPECT_EQ(edit.Find(qtOwn), nullptr) << qtOwn;

    const TPropInfoList all(w.All1);
    struct Row {
        const char* Name;
        TTypeKind Kind;
        TClassKind ClassKind;
    };
    const Row rows[] = {
        {"Text", TTypeKind::tkLString, TClassKind::ckNone},    {"Bytes", TTypeKind::tkString, TClassKind::ckNone},
        {"Flag", TTypeKind::tkEnumeration, TClassKind::ckNone}, {"Mode", TTypeKind::tkEnumeration, TClassKind::ckNone},
        {"Count", TTypeKind::tkInteger, TClassKind::ckNone},   {"Small", TTypeKind::tkInteger, TClassKind::ckNone},
        {"Letter", TTypeKind::tkChar, TClassKind::ckNone},     {"Wide", TTypeKind::tkWChar, TClassKind::ckNone},
        {"Ratio", TTypeKind::tkFloat, TClassKind::ckNone},     {"Options", TTypeKind::tkSet, TClassKind::ckNone},
        {"Anything", TTypeKind::tkVariant, TClassKind::ckNone}, {"Big", TTypeKind::tkInt64, TClassKind::ckNone},
        {"Lines", TTypeKind::tkClass, TClassKind::ckStrings},  {"Items", TTypeKind::tkClass, TClassKind::ckCollection},
        {"Buddy", TTypeKind::tkClass, TClassKind::ckObject},   {"Font", TTypeKind::tkClass, TClassKind::ckObject},
    };
    for (const Row& row : rows) {
        const TPropInfo* info = all.Find(row.Name);
        ASSERT_NE(info, nullptr) << row.Name;
        EXPECT_EQ(info->Kind, row.Kind) << row.Name;
        EXPECT_EQ(info->ClassKind, row.ClassKind) << row.Name;
    }
}

}  // namespace
