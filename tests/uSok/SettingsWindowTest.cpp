// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with its settings component and the real store: what the
// first start makes, what a close and a destroy write, and how the window
// copes with a store file that is empty, garbage, unreadable or wrongly typed.
#include "uSok/uSok.h"

#include "settings/StoreName.h"
#include "settings/TFormStorage.h"
#include "settings/TRegIniFile.h"
#include "support/SettingsPlace.h"
#include "support/TestFiles.h"
#include "toolkit/ErrorBox.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// A fresh settings folder and recorded error boxes for one test.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        toolkit::SetMessageBoxHook([this](const QString&, const QString& text) { boxes_ << text; });
    }
    void TearDown() override { toolkit::SetMessageBoxHook({}); }
    // The program's store file: the key Software\<executable name>.
    QString StoreFile() const { return TRegIniFile::FileForKey(prCurrentUser, DefaultRegistryKey()); }
    QString Stored(const QString& name) const
    {
        return place_.Open(DefaultRegistryKey())->value("Setup/" + name, "(missing)").toString();
    }
    static void ExpectDesigned(TForm1& form)
    {
        EXPECT_EQ(form.Edit1->Text(), testfiles::DesignedStartFolder());
        EXPECT_EQ(form.edWild->Text(), "*.asp");
        EXPECT_EQ(form.edSoktxt->Text(), "conn.");
        EXPECT_TRUE(form.cbNocase->Checked());
        EXPECT_FALSE(form.CheckBox1->Checked());
    }

    testfiles::SettingsPlace place_{{DefaultRegistryKey()}};
    QStringList boxes_;
};

TEST_F(SettingsTest, FirstStartMakesTheKeyAndReadsNothing)
{
    TForm1 form;
    EXPECT_FALSE(place_.Exists(DefaultRegistryKey()));
    form.show();
    EXPECT_TRUE(place_.Exists(DefaultRegistryKey()));
    EXPECT_TRUE(place_.Open(DefaultRegistryKey())->allKeys().isEmpty());
    ExpectDesigned(form);
    EXPECT_TRUE(form.FormStorage1->Restored());
    EXPECT_TRUE(boxes_.isEmpty());
}

TEST_F(SettingsTest, CloseWritesTheVersionAndVisibleZero)
{
    {
        TForm1 form;
        form.show();
        EXPECT_TRUE(form.close());
        EXPECT_EQ(Stored("FormVersion"), "0");
        EXPECT_EQ(Stored("Visible"), "0");
    }
    // No second save at destruction.
    EXPECT_EQ(Stored("Visible"), "0");
    EXPECT_TRUE(boxes_.isEmpty());
}

TEST_F(SettingsTest, DestroyingAShownWindowWritesVisibleOne)
{
    {
        TForm1 form;
        form.show();
    }
    EXPECT_EQ(Stored("FormVersion"), "0");
    EXPECT_EQ(Stored("Visible"), "1");
}

TEST_F(SettingsTest, AnOlderStoredVersionIsNotReadButRewritten)
{
#ifdef _WIN32
    {
        const auto stored = place_.Open(DefaultRegistryKey());
        stored->setValue("Setup/FormVersion", "-1");
        stored->setValue("Setup/Visible", "1");
    }
#else
    testfiles::Write(StoreFile(), "[Setup]\nFormVersion=-1\nVisible=1\n");
#endif
    {
        TForm1 form;
        form.show();
        EXPECT_TRUE(form.FormStorage1->Restored());
        ExpectDesigned(form);
        form.close();
    }
    EXPECT_EQ(Stored("FormVersion"), "0");
    EXPECT_EQ(Stored("Visible"), "0");
    EXPECT_TRUE(boxes_.isEmpty());
}

TEST_F(SettingsTest, ControlValuesComeBackAtTheNextStart)
{
    {
        TForm1 form;
        form.show();
        form.Edit1->SetText("/srv/webb");
        form.edSoktxt->SetText("  sök  ");
        form.cbNocase->SetChecked(false);
        form.close();
    }
    EXPECT_EQ(Stored("Edit1_Text"), "/srv/webb");
    EXPECT_EQ(Stored("edSoktxt_Text"), "sök");
    EXPECT_EQ(Stored("cbNocase_Checked"), "False");
    TForm1 form;
    form.show();
    EXPECT_EQ(form.Edit1->Text(), "/srv/webb");
    EXPECT_EQ(form.edSoktxt->Text(), "sök");
    EXPECT_FALSE(form.cbNocase->Checked());
    EXPECT_EQ(form.edWild->Text(), "*.asp");
}

// Whatever the store file holds, the window opens as designed.
TEST_F(SettingsTest, EmptyOrGarbageStoreFilesGiveTheDesignedWindow)
{
#ifdef _WIN32
    GTEST_SKIP() << "the store is the registry on Windows: there is no file to garble";
#endif
    const std::pair<const char*, QByteArray> rows[] = {
        {"empty", QByteArray()},
        {"binary", QByteArray("\x00\x01\xff\xfe[[[=\n==\n\x00zz", 16)},
        {"broken header", "[Setup\nFormVersion=0\n"},
        {"open quote", "[Setup]\nFormVersion=\"0\nEdit1_Text=x\n"},
        {"only separators", "=\n=\n,,,\n[]\n"},
    };
    for (const auto& [label, bytes] : rows) {
        testfiles::Folder folder;
        qputenv("XDG_CONFIG_HOME", folder.Path().toLocal8Bit());
        testfiles::Write(StoreFile(), bytes);
        {
            TForm1 form;
            form.show();
            ExpectDesigned(form);
            form.close();
        }
        EXPECT_TRUE(boxes_.isEmpty()) << label << ": " << boxes_.join(" | ").toStdString();
        boxes_.clear();
        // The close left a whole store that reads back.
        EXPECT_EQ(Stored("FormVersion"), "0") << label;
        EXPECT_EQ(Stored("Visible"), "0") << label;
    }
}

// A store that cannot be read gives the designed window without a box; the
// close writes the settings only if the file can be written by then.
TEST_F(SettingsTest, AnUnreadableStoreIsSilentAndWrittenOnlyOnceItCanBe)
{
#ifdef _WIN32
    GTEST_SKIP() << "the store is the registry on Windows: no folder can stand in its place";
#endif
    for (const bool clearedBeforeClose : {false, true}) {
        boxes_.clear();
        // A folder where the file should be cannot be read, even by root.
        ASSERT_TRUE(QDir().mkpath(StoreFile() + "/kept"));
        {
            TForm1 form;
            form.show();
            EXPECT_TRUE(form.isVisible());
            ExpectDesigned(form);
            EXPECT_TRUE(form.FormStorage1->Restored());
            form.Edit1->SetText("/srv/typed");
            if (clearedBeforeClose) {
                ASSERT_TRUE(QDir(StoreFile()).removeRecursively());
            }
            EXPECT_TRUE(form.close());
        }
        EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join(" | ").toStdString();
        if (clearedBeforeClose) {
            EXPECT_EQ(Stored("FormVersion"), "0");
            EXPECT_EQ(Stored("Edit1_Text"), "/srv/typed");
            ASSERT_TRUE(QFile::remove(StoreFile()));
        } else {
            EXPECT_TRUE(QFileInfo(StoreFile() + "/kept").isDir());
            ASSERT_TRUE(QDir(StoreFile()).removeRecursively());
        }
    }
}

TEST_F(SettingsTest, ANonStringVersionIsShownAndTheStoreKeptAsItWas)
{
#ifdef _WIN32
    // In the registry: a number where a text belongs.
    place_.Open(DefaultRegistryKey())->setValue("Setup/FormVersion", 2);
    {
        TForm1 form;
        form.show();
        ExpectDesigned(form);
        form.close();
    }
    EXPECT_EQ(boxes_, QStringList{"Invalid data type for 'FormVersion'"});
    EXPECT_EQ(place_.Open(DefaultRegistryKey())->value("Setup/FormVersion"), QVariant(2));
    return;
#endif
    const QByteArray bytes = "[Setup]\n"
                             "FormVersion=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0)\n"
                             "Edit1_Text=/stored\n"
                             "Visible=0\n";
    testfiles::Write(StoreFile(), bytes);
    {
        TForm1 form;
        form.show();
        ExpectDesigned(form);
        form.close();
    }
    EXPECT_EQ(boxes_, QStringList{"Invalid data type for 'FormVersion'"});
    EXPECT_EQ(testfiles::Read(StoreFile()), bytes);
}

}  // namespace
