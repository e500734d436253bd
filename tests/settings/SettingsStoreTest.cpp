// SPDX-License-Identifier: GPL-3.0-or-later
// The stores over QSettings: where the values go, what reads back as a text,
// the error texts, and the INI quoting rule of file mode.
#include "settings/StoreName.h"
#include "settings/TIniFile.h"
#include "settings/TRegIniFile.h"
#include "settings/TStoredValue.h"
#include "support/SettingsPlace.h"
#include "support/TestFiles.h"
#include "toolkit/Exceptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

const QString kKey = QStringLiteral("Software\\filsok");

// Points the user's settings folder at a fresh temporary folder for one
// test; on Windows the keys the tests write are removed before and after.
class SettingsFolder : public testfiles::SettingsPlace {
public:
    SettingsFolder() : SettingsPlace({kKey, QStringLiteral("Software\\other")}) {}
    QString Path() const { return Folder(); }
};

// The tests that look at the INI file itself: on Windows the registry
// stands in its place.
#ifdef _WIN32
#define SKIP_ON_WINDOWS_FOR_THE_REGISTRY() GTEST_SKIP() << "the store is the registry on Windows, not an INI file"
#else
#define SKIP_ON_WINDOWS_FOR_THE_REGISTRY() (void)0
#endif

QString ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

TEST(StoreName, KeyAndFileFollowTheExecutableName)
{
    struct Row {
        const char* path;
        const char* key;
        const char* iniFile;
    };
    const Row rows[] = {
#ifdef Q_OS_WIN
        {"C:\\bin\\my.tool.exe", "Software\\my.tool", "my.tool.INI"},
        {"C:\\bin\\filsok.exe", "Software\\filsok", "filsok.INI"},
#else
        {"/usr/local/bin/my.tool", "Software\\my.tool", "my.tool.INI"},
        {"/usr/bin/filsok", "Software\\filsok", "filsok.INI"},
        {"filsok", "Software\\filsok", "filsok.INI"},
#endif
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RegistryKeyForExecutable(row.path), row.key) << row.path;
        EXPECT_EQ(IniFileNameForExecutable(row.path), row.iniFile) << row.path;
    }
}

TEST(StoreName, OrganisationSwitchPutsAFolderBeforeTheName)
{
    DefaultKeyOptions().Organisation = QStringLiteral("Verktyg");
    const QString key = RegistryKeyForExecutable(QStringLiteral("/usr/bin/filsok"));
    DefaultKeyOptions().Organisation.clear();
    EXPECT_EQ(key, "Software\\Verktyg\\filsok");
    EXPECT_EQ(RegistryKeyForExecutable(QStringLiteral("/usr/bin/filsok")), "Software\\filsok");
}

TEST(RegIniFile, KeyPathsMapToIniFilesInTheSettingsFolder)
{
    SKIP_ON_WINDOWS_FOR_THE_REGISTRY();
    SettingsFolder folder;
    EXPECT_EQ(TRegIniFile::FileForKey(prCurrentUser, kKey), folder("filsok.ini"));
    EXPECT_EQ(TRegIniFile::FileForKey(prCurrentUser, "Software\\Verktyg\\filsok"), folder("Verktyg/filsok.ini"));
    EXPECT_EQ(TRegIniFile::FileForKey(prCurrentUser, "\\Software\\filsok\\"), folder("filsok.ini"));
}

TEST(RegIniFile, OpeningCreatesTheApplicationKeyAndReadsDefaults)
{
    SettingsFolder folder;
    TRegIniFile store(kKey, prCurrentUser, true);
    EXPECT_TRUE(store.HasCurrentKey());
#ifndef _WIN32
    EXPECT_TRUE(QFileInfo(folder("filsok.ini")).isFile());
#endif
    EXPECT_EQ(store.ReadStoreText("Setup", "FormVersion", "dflt"), "dflt");
    EXPECT_EQ(store.ReadStoreInt("Setup", "FormVersion", 7), 7);
    store.Close();
    EXPECT_TRUE(folder.Open(kKey)->allKeys().isEmpty());
#ifndef _WIN32
    EXPECT_EQ(testfiles::Read(folder("filsok.ini")), QByteArray());
#endif
}

TEST(RegIniFile, TextsComeBackAsWritten)
{
    SettingsFolder folder;
    const QString texts[] = {"",       "plain",     "a,b, c",     "\"quoted\"", "'single'", "@at sign",
                             " blanks ", "åäö ÅÄÖ", "back\\slash", "semi;colon", "=equals", "#hash"};
    {
        TRegIniFile store(kKey);
        for (int i = 0; i < int(std::size(texts)); ++i)
            store.WriteStoreText("Setup", QStringLiteral("v%1").arg(i), texts[i]);
        store.Close();
    }
    TRegIniFile store(kKey, prCurrentUser, true);
    for (int i = 0; i < int(std::size(texts)); ++i)
        EXPECT_EQ(store.ReadStoreText("Setup", QStringLiteral("v%1").arg(i), "missing"), texts[i]) << i;
}

TEST(RegIniFile, IntegersAndFlagsAreDecimalTexts)
{
    SettingsFolder folder;
    {
        TRegIniFile store(kKey);
        store.WriteStoreInt("Setup", "neg", -42);
        store.WriteStoreInt("Setup", "zero", 0);
        store.WriteStoreFlag("Setup", "yes", true);
        store.WriteStoreFlag("Setup", "no", false);
        store.WriteStoreText("Setup", "word", "12x");
        store.WriteStoreText("Setup", "blank", "");
        store.Close();
    }
    TRegIniFile store(kKey, prCurrentUser, true);
    EXPECT_EQ(store.ReadStoreText("Setup", "neg", ""), "-42");
    EXPECT_EQ(store.ReadStoreText("Setup", "yes", ""), "1");
    EXPECT_EQ(store.ReadStoreText("Setup", "no", ""), "0");
    EXPECT_EQ(store.ReadStoreInt("Setup", "neg", 5), -42);
    EXPECT_EQ(store.ReadStoreInt("Setup", "zero", 5), 0);
    EXPECT_EQ(store.ReadStoreInt("Setup", "word", 5), 5);
    EXPECT_EQ(store.ReadStoreInt("Setup", "blank", 5), 5);
    EXPECT_EQ(store.ReadStoreInt("Setup", "missing", 5), 5);
}

// What a hand-edited store file holds, and what reading it as text gives.
TEST(RegIniFile, HandEditedValuesReadAsTextsOrFailAsNonStrings)
{
    SKIP_ON_WINDOWS_FOR_THE_REGISTRY();
    SettingsFolder folder;
    testfiles::Write(folder("filsok.ini"),
                     "[Setup]\n"
                     "point=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\aQPoint\\0\\0\\0\\0\\x1\\0\\0\\0\\x2)\n"
                     "invalid=@Invalid()\n"
                     "bytes=@ByteArray(xy)\n"
                     "rect=@Rect(1 2 3 4)\n"
                     "list=10,20,30,40\n"
                     "spaced=10, 20 ,30\n"
                     "nul=ab\\0cd\n"
                     "quoted=\"in quotes\"\n"
                     "number=12\n"
                     "empty=\n");
    struct Row {
        const char* name;
        const char* expected;  // the text, or the error
    };
    const Row rows[] = {
        {"point", "Invalid data type for 'point'"},
        {"invalid", "Invalid data type for 'invalid'"},
        {"bytes", "Invalid data type for 'bytes'"},
        {"rect", "Invalid data type for 'rect'"},
        {"list", "10,20,30,40"},
        {"spaced", "10,20,30"},
        {"nul", "ab"},
        {"quoted", "in quotes"},
        {"number", "12"},
        {"empty", ""},
        {"missing", "default"},
    };
    TRegIniFile store(kKey, prCurrentUser, true);
    for (const Row& row : rows) {
        QString got;
        const QString error = ErrorOf([&] { got = store.ReadStoreText("Setup", row.name, "default"); });
        EXPECT_EQ(error == "no error" ? got : error, row.expected) << row.name;
    }
}

TEST(RegIniFile, ATextWithANulIsCutThere)
{
    SettingsFolder folder;
    {
        TRegIniFile store(kKey);
        store.WriteStoreText("Setup", "v", QString::fromUtf16(u"ab\0cd", 5));
        store.Close();
    }
    EXPECT_EQ(TRegIniFile(kKey).ReadStoreText("Setup", "v", "x"), "ab");
}

TEST(RegIniFile, SectionsAreRelativeToTheKeyOrAbsoluteWithABackslash)
{
    SettingsFolder folder;
    {
        TRegIniFile store(kKey);
        store.WriteStoreText("\\Software\\filsok\\Setup", "a", "absolute");
        store.WriteStoreText("Setup\\Inner", "b", "nested");
        store.WriteStoreText("\\Software\\other\\Sec", "c", "elsewhere");
        store.Close();
    }
    TRegIniFile store(kKey);
    EXPECT_EQ(store.ReadStoreText("Setup", "a", ""), "absolute");
    EXPECT_EQ(store.ReadStoreText("\\Software\\filsok\\Setup\\Inner", "b", ""), "nested");
    EXPECT_EQ(store.ReadStoreText("\\Software\\other\\Sec", "c", ""), "elsewhere");
    EXPECT_EQ(store.ReadStoreText("Sec", "c", "not here"), "not here");
    EXPECT_EQ(folder.Open("Software\\other")->value("Sec/c").toString(), "elsewhere");
}

TEST(RegIniFile, EraseSectionRemovesOnlyThatSection)
{
    SettingsFolder folder;
    {
        TRegIniFile store(kKey);
        store.WriteStoreText("Setup", "a", "1");
        store.WriteStoreText("Setup\\List", "Count", "2");
        store.WriteStoreText("Other", "b", "2");
        store.Close();
    }
    {
        TRegIniFile store(kKey);
        store.EraseSection("Setup\\List");
        store.Close();
    }
    TRegIniFile store(kKey);
    EXPECT_EQ(store.ReadStoreText("Setup\\List", "Count", "gone"), "gone");
    EXPECT_EQ(store.ReadStoreText("Setup", "a", ""), "1");
    EXPECT_EQ(store.ReadStoreText("Other", "b", ""), "2");
}

// A key that cannot be opened reads as the defaults, silently, and takes no
// writes; what stands in the store file's place is left as it was.
TEST(RegIniFile, AKeyThatCannotBeOpenedReadsDefaultsAndIsLeftAlone)
{
    SKIP_ON_WINDOWS_FOR_THE_REGISTRY();
    for (const bool folderInPlace : {true, false}) {
        SettingsFolder folder;
        // A folder where the file should be, or a settings folder that
        // cannot be made because a plain file stands above it.
        const QString blocker = folderInPlace ? folder("filsok.ini") : folder("blocker");
        if (folderInPlace) {
            ASSERT_TRUE(QDir().mkpath(blocker + "/inner"));
        } else {
            testfiles::Write(blocker, "x");
            qputenv("XDG_CONFIG_HOME", folder("blocker/config").toLocal8Bit());
        }
        TRegIniFile reader(kKey, prCurrentUser, true);
        TRegIniFile writer(kKey);
        EXPECT_FALSE(reader.HasCurrentKey() || writer.HasCurrentKey()) << folderInPlace;
        QString text;
        EXPECT_EQ(ErrorOf([&] {
                      text = reader.ReadStoreText("Setup", "FormVersion", "dflt");
                      writer.WriteStoreText("Setup", "FormVersion", "0");
                      writer.EraseSection("Setup\\List");
                      writer.Close();
                  }),
                  "no error")
            << folderInPlace;
        EXPECT_EQ(text, "dflt") << folderInPlace;
        EXPECT_TRUE(folderInPlace ? QFileInfo(blocker + "/inner").isDir() : testfiles::Read(blocker) == "x")
            << folderInPlace;
    }
}

TEST(IniFile, QuotedTextsGetOneMorePairOfDoubleQuotes)
{
    SettingsFolder folder;
    struct Row {
        const char* text;
        const char* kept;  // what the file holds as the value's text
    };
    const Row rows[] = {
        {"\"abc\"", "\"\"abc\"\""}, {"'abc'", "\"'abc'\""}, {"\"\"", "\"\"\"\""}, {"\"abc", "\"abc"},
        {"'abc\"", "'abc\""},      {"\"", "\""},           {"a\"b\"", "a\"b\""}, {"plain", "plain"},
    };
    {
        TIniFile store(QStringLiteral("filsok.INI"));
        for (int i = 0; i < int(std::size(rows)); ++i)
            store.WriteStoreText("Setup", QStringLiteral("v%1").arg(i), rows[i].text);
        store.Close();
    }
    QSettings raw(folder("filsok.INI"), QSettings::IniFormat);
    TIniFile store(QStringLiteral("filsok.INI"));
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const QString name = QStringLiteral("v%1").arg(i);
        EXPECT_EQ(raw.value("Setup/" + name).toString(), rows[i].kept) << rows[i].text;
        EXPECT_EQ(store.ReadStoreText("Setup", name, "missing"), rows[i].text) << rows[i].text;
    }
}

TEST(IniFile, HandWrittenQuotesAreTakenOff)
{
    SettingsFolder folder;
    testfiles::Write(folder("app.ini"), "[S]\nsingle='abc'\ndouble=\"abc\"\n");
    TIniFile store(folder("app.ini"));
    EXPECT_EQ(store.ReadStoreText("S", "single", ""), "abc");
    EXPECT_EQ(store.ReadStoreText("\\S", "double", ""), "abc");
}

TEST(IniFile, MissingFileReadsDefaultsAndIsMadeByTheFirstWrite)
{
    SettingsFolder folder;
    const QString path = folder("sub/app.ini");
    {
        TIniFile store(path);
        EXPECT_EQ(store.ReadStoreText("S", "a", "d"), "d");
        EXPECT_FALSE(QFileInfo::exists(path));
        store.WriteStoreText("S", "a", "1");
        store.Close();
    }
    EXPECT_EQ(TIniFile(path).ReadStoreText("S", "a", ""), "1");
}

TEST(StoredValueText, ScramblingIsUndoneWithTheSameKey)
{
    const QString texts[] = {"", "hemligt", "åäö", "a=b;c"};
    for (const QString& text : texts) {
        const QString scrambled = ScrambleText("nyckel", text);
        if (!text.isEmpty()) {
            EXPECT_NE(scrambled, text);
        }
        EXPECT_EQ(UnscrambleText("nyckel", scrambled), text);
    }
    EXPECT_EQ(UnscrambleText("nyckel", "not hex"), std::nullopt);
    EXPECT_EQ(UnscrambleText("nyckel", "ABC"), std::nullopt);
}

TEST(StoredValueText, ValuesAreWrittenUnderTheirNameAndReadBack)
{
    SettingsFolder folder;
    TStoredValues values;
    TStoredValue* plain = values.Add();
    plain->SetName("Plain");
    plain->SetValue("open text");
    TStoredValue* secret = values.Add();
    secret->SetName("Secret");
    secret->SetValue("hidden");
    secret->SetKeyString("k");
    secret->OnSave = [](TStoredValue*, QString& value) { value += "!"; };
    {
        TRegIniFile store(kKey);
        values.SaveValues(store, "Setup");
        store.Close();
    }
    TRegIniFile store(kKey);
    EXPECT_EQ(store.ReadStoreText("Setup", "Plain", ""), "open text");
    EXPECT_EQ(store.ReadStoreText("Setup", "Secret", ""), ScrambleText("k", "hidden!"));

    plain->SetValue("changed");
    secret->SetValue("changed");
    QString restoredSeen;
    secret->OnRestore = [&](TStoredValue*, QString& value) { restoredSeen = value; };
    values.RestoreValues(store, "Setup");
    EXPECT_EQ(plain->Value(), "open text");
    EXPECT_EQ(secret->Value(), "hidden!");
    EXPECT_EQ(restoredSeen, "hidden!");
    EXPECT_EQ(values.ValueByName("secret"), secret);
}

}  // namespace
