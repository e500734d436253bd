// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's five stored control values: their names, their order,
// trimming, emptied boxes, check-box texts, the first start, and a close and
// reopen through the real settings store.
#include "uSok/uSok.h"

#include "settings/MemoryStore.h"
#include "settings/StoreName.h"
#include "settings/StoredProps.h"
#include "settings/TFormStorage.h"
#include "settings/TRegIniFile.h"
#include "support/SettingsPlace.h"
#include "support/TestFiles.h"
#include "toolkit/ErrorBox.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

const QString kSection = "Setup";

const QStringList kValueNames = {"Edit1_Text", "edSoktxt_Text", "edWild_Text", "cbNocase_Checked",
                                 "CheckBox1_Checked"};

void Save(TForm1& form, TStore& store)
{
    WriteStoredProps(&form, form.FormStorage1->StoredPropList(), store, kSection);
}

void Restore(TForm1& form, TStore& store)
{
    ReadStoredProps(&form, form.FormStorage1->StoredPropList(), store, kSection);
}

QStringList Prefixed(const QString& prefix, const QStringList& names)
{
    QStringList result;
    for (const QString& name : names)
        result.append(prefix + name);
    return result;
}

TEST(StoredValues, TheFiveValuesAreWrittenInTheirOrderUnderTheirNames)
{
    TForm1 form;
    TMemoryStore store;
    Save(form, store);
    EXPECT_EQ(store.CallsOf("write"),
              QStringList({"Setup/Edit1_Text=" + testfiles::DesignedStartFolder(), "Setup/edSoktxt_Text=conn.",
                           "Setup/edWild_Text=*.asp", "Setup/cbNocase_Checked=True",
                           "Setup/CheckBox1_Checked=False"}));
}

TEST(StoredValues, FirstStartKeepsTheDesignedValues)
{
    TForm1 form;
    TMemoryStore store;
    Restore(form, store);
    EXPECT_EQ(store.CallsOf("read"), Prefixed("Setup/", kValueNames));
    EXPECT_EQ(form.Edit1->Text(), testfiles::DesignedStartFolder());
    EXPECT_EQ(form.edSoktxt->Text(), "conn.");
    EXPECT_EQ(form.edWild->Text(), "*.asp");
    EXPECT_TRUE(form.cbNocase->Checked());
    EXPECT_FALSE(form.CheckBox1->Checked());
}

TEST(StoredValues, TextsComeBackTrimmedAndEmptiedBoxesComeBackEmpty)
{
    TMemoryStore store;
    {
        TForm1 form;
        form.edSoktxt->SetText(" \t needle  ");
        form.edWild->SetText("");
        form.Edit1->SetText("  /srv/www");
        form.cbNocase->SetChecked(false);
        form.CheckBox1->SetChecked(true);
        Save(form, store);
    }
    EXPECT_EQ(store.Value(kSection, "edSoktxt_Text"), "needle");
    EXPECT_EQ(store.Value(kSection, "edWild_Text"), "");

    TForm1 form;
    Restore(form, store);
    EXPECT_EQ(form.edSoktxt->Text(), "needle");
    EXPECT_EQ(form.edWild->Text(), "");
    EXPECT_EQ(form.Edit1->Text(), "/srv/www");
    EXPECT_FALSE(form.cbNocase->Checked());
    EXPECT_TRUE(form.CheckBox1->Checked());
}

TEST(StoredValues, CheckBoxTexts)
{
    struct Row {
        QString Stored;
        bool NocaseAfter;     // designed: ticked
        bool SubfoldersAfter; // designed: not ticked
    };
    const Row rows[] = {
        {"true", true, true},   {"TRUE", true, true},   {"tRUe", true, true}, {"false", false, false},
        {"FALSE", false, false}, {"1", true, false},     {"yes", true, false}, {"0", true, false},
        {"", true, false},      {"Truely", true, false},
    };
    for (const Row& row : rows) {
        TForm1 form;
        TMemoryStore store;
        store.Values[kSection]["cbNocase_Checked"] = row.Stored;
        store.Values[kSection]["CheckBox1_Checked"] = row.Stored;
        Restore(form, store);
        EXPECT_EQ(form.cbNocase->Checked(), row.NocaseAfter) << row.Stored.toStdString();
        EXPECT_EQ(form.CheckBox1->Checked(), row.SubfoldersAfter) << row.Stored.toStdString();
    }
}

// The whole road: a close writes the values into the settings file, and the
// next window shows them again.
class StoredValuesOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        toolkit::SetMessageBoxHook([this](const QString&, const QString& text) { boxes_ << text; });
    }
    void TearDown() override { toolkit::SetMessageBoxHook({}); }

    testfiles::SettingsPlace place_{{DefaultRegistryKey()}};
    QStringList boxes_;
};

TEST_F(StoredValuesOnDisk, CloseAndReopenBringsTheValuesBack)
{
    {
        TForm1 form;
        form.show();
        form.Edit1->SetText("/var/www ");
        form.edSoktxt->SetText("  <%@ ");
        form.edWild->SetText("");
        form.cbNocase->SetChecked(false);
        form.CheckBox1->SetChecked(true);
        EXPECT_TRUE(form.close());
    }
#ifndef _WIN32
    const QString file = TRegIniFile::FileForKey(prCurrentUser, DefaultRegistryKey());
    EXPECT_TRUE(file.startsWith(place_.Folder() + "/")) << file.toStdString();
#endif
    const auto stored = place_.Open(DefaultRegistryKey());
    EXPECT_EQ(stored->value("Setup/Edit1_Text").toString(), "/var/www");
    EXPECT_EQ(stored->value("Setup/edSoktxt_Text").toString(), "<%@");
    EXPECT_EQ(stored->value("Setup/edWild_Text", "(missing)").toString(), "");
    EXPECT_EQ(stored->value("Setup/cbNocase_Checked").toString(), "False");
    EXPECT_EQ(stored->value("Setup/CheckBox1_Checked").toString(), "True");

    TForm1 form;
    form.show();
    EXPECT_EQ(form.Edit1->Text(), "/var/www");
    EXPECT_EQ(form.edSoktxt->Text(), "<%@");
    EXPECT_EQ(form.edWild->Text(), "");
    EXPECT_FALSE(form.cbNocase->Checked());
    EXPECT_TRUE(form.CheckBox1->Checked());
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join("; ").toStdString();
}

}  // namespace
