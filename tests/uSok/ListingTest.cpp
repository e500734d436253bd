// SPDX-License-Identifier: GPL-3.0-or-later
// The file listing on real folder trees, driven through the window.
#include "support/CaseNames.h"
#include "uSok/uSok.h"

#include "platform/FileSystem.h"
#include "support/TestFiles.h"
#include "toolkit/TButton.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"

#include <QDir>
#include <QKeyEvent>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <linux/magic.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Listing : public ::testing::Test {
protected:
    // Files and folders of a small web site, written below the temporary
    // folder; names ending in "/" are folders.
    void Make(const QStringList& names)
    {
        for (const QString& name : names) {
            if (name.endsWith('/'))
                ASSERT_TRUE(QDir().mkpath(dir(name))) << name.toStdString();
            else
                dir.Put(name, "x");
        }
    }

#ifndef _WIN32
    void Link(const QString& target, const QString& name)
    {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(dir(name)).constData()), 0);
    }
#endif

    // Runs the listing as the button does and returns the memo's lines.
    QStringList List(const QString& start, const QString& mask, bool subfolders)
    {
        form.Edit1->SetText(start);
        form.edWild->SetText(mask);
        form.CheckBox1->SetChecked(subfolders);
        form.btnHamtafilnamnClick(form.btnHamtafilnamn);
        return form.Memofil->Lines();
    }

    QStringList List(const QString& mask, bool subfolders) { return List(dir.Path(), mask, subfolders); }

    // The expected lines: the start folder, the separator, then the
    // relative name (with the system's separators).
    QStringList Under(const QStringList& relative) const
    {
        QStringList lines;
        for (const QString& name : relative)
            lines.append(dir(name));
        return lines;
    }

    testfiles::Folder dir;
    TForm1 form;
};

const QStringList kSite = {
    "a.asp",        "B.asp",           "index.asp",        "Page.ASP",     "readme.txt",   "makefile",
    ".htaccess",    ".hidden.asp",     "inc/b.asp",        "inc/deep/c.asp", "inc/notes.txt",
    ".git/x.asp",   ".git/sub/y.asp",  "match.asp/inner.asp", "empty/",
#ifndef _WIN32
    // A line break in a name (Windows allows none): never listed, never entered.
    "two\nlines.asp", "two\rlines.asp", "line\nbreak/d.asp",
#endif
    // The memo breaks lines at U+2028 and U+2029 as well.
    "two\u2028lines.asp", "line\u2029break/e.asp",
};

struct MaskCase {
    const char* mask;
    bool subfolders;
    QStringList expected;  // relative to the start folder, in list order
};

void PrintTo(const MaskCase& c, std::ostream* os)
{
    *os << casenames::Quoted(std::string_view(c.mask)) << (c.subfolders ? " with subfolders" : " in the start folder");
}

class ListingMasks : public Listing, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(ListingMasks, ListsTheMatchingFilesSorted)
{
    Make(kSite);
    const MaskCase& c = GetParam();
    EXPECT_EQ(List(c.mask, c.subfolders), Under(c.expected)) << "mask '" << c.mask << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Site, ListingMasks,
    ::testing::Values(
        // Only the start folder's own files; dot-files never.
        MaskCase{"*.asp", false, {"a.asp", "B.asp", "index.asp", "Page.ASP"}},
        // Below the start folder too, but nothing inside .git, and the
        // folder match.asp itself is no line.
        MaskCase{"*.asp", true,
                 {"a.asp", "B.asp", "inc/b.asp", "inc/deep/c.asp", "index.asp", "match.asp/inner.asp", "Page.ASP"}},
        // A to Z are lowered on both sides.
        MaskCase{"*.ASP", false, {"a.asp", "B.asp", "index.asp", "Page.ASP"}},
        MaskCase{"*", false, {"a.asp", "B.asp", "index.asp", "makefile", "Page.ASP", "readme.txt"}},
        MaskCase{"*.", true, {"makefile"}},
        MaskCase{"*.txt", true, {"inc/notes.txt", "readme.txt"}},
        MaskCase{"?.asp", true, {"a.asp", "B.asp", "inc/b.asp", "inc/deep/c.asp"}},
        // An empty mask and one that begins with a dot list nothing.
        MaskCase{"", true, {}},
        MaskCase{".asp", true, {}},
        MaskCase{".htaccess", true, {}}));

TEST_F(Listing, StartFolderWithOrWithoutTrailingSlashGivesTheSameList)
{
    Make({"a.asp", "inc/b.asp"});
    const QStringList plain = List(dir.Path(), "*.asp", true);
    EXPECT_EQ(plain, Under({"a.asp", "inc/b.asp"}));
    EXPECT_EQ(List(dir.Path() + QDir::separator(), "*.asp", true), plain);
    EXPECT_EQ(List(dir.Path() + QDir::separator(), "*.asp", false), Under({"a.asp"}));
}

TEST_F(Listing, SortIgnoresCase)
{
    Make({"C.asp", "b.asp", "B2.asp", "a.asp", "A1.asp"});
    EXPECT_EQ(List("*.asp", false), Under({"a.asp", "A1.asp", "b.asp", "B2.asp", "C.asp"}));
}

TEST_F(Listing, SwedishNamesAreListedAndMatchedCharacterForCharacter)
{
    Make({QString::fromUtf8("smörgås.asp"), QString::fromUtf8("äpple.asp"), QString::fromUtf8("Äpple.txt"),
          QString::fromUtf8("åäö/ö.asp")});
    // Where å, ä and ö sort depends on the user's language; which lines
    // there are does not.
    QStringList listed = List("*.asp", true);
    listed.sort();
    QStringList expected =
        Under({QString::fromUtf8("äpple.asp"), QString::fromUtf8("smörgås.asp"), QString::fromUtf8("åäö/ö.asp")});
    expected.sort();
    EXPECT_EQ(listed, expected);
    for (const QString& line : listed)
        EXPECT_TRUE(QFile::exists(line)) << line.toStdString();
    // Only A to Z are lowered for matching: Ä and ä are different letters.
    EXPECT_EQ(List(QString::fromUtf8("Ä*"), false), Under({QString::fromUtf8("Äpple.txt")}));
    EXPECT_EQ(List(QString::fromUtf8("ä*"), false), Under({QString::fromUtf8("äpple.asp")}));
}

TEST_F(Listing, EveryLineEndsInCrLfAndTheLineCountIsTheNumberOfFiles)
{
    Make({"a.asp", "b.asp", "c.asp"});
    List("*.asp", false);
    EXPECT_EQ(form.Memofil->LineCount(), 3);
    const QString p = dir.Path() + QDir::separator();
    EXPECT_EQ(form.Memofil->Text(), p + "a.asp\r\n" + p + "b.asp\r\n" + p + "c.asp\r\n");
}

TEST_F(Listing, ASecondListingReplacesTheFirstAndThePlaceholder)
{
    Make({"a.asp", "b.txt"});
    ASSERT_EQ(form.Memofil->Text(), QString("Filer"));
    EXPECT_EQ(List("*.asp", false), Under({"a.asp"}));
    form.Memofil->AppendLine("typed by the user");
    EXPECT_EQ(List("*.txt", false), Under({"b.txt"}));
    EXPECT_EQ(List("*.txt", false), Under({"b.txt"}));
}

struct NothingCase {
    const char* label;
    QString start;  // relative to the temporary folder; empty for an empty start
};

void PrintTo(const NothingCase& c, std::ostream* os) { *os << c.label; }

class ListingNothing : public Listing, public ::testing::WithParamInterface<NothingCase> {};

TEST_P(ListingNothing, LeavesAnEmptyMemoWithoutAMessage)
{
    Make({"a.asp", "file.asp"});
    const QString start = GetParam().start.isEmpty() ? QString() : dir(GetParam().start);
    EXPECT_EQ(List(start, "*", true), QStringList());
    EXPECT_EQ(form.Memofil->Text(), QString());
    EXPECT_EQ(form.Memofil->LineCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Starts, ListingNothing,
                         ::testing::Values(NothingCase{"missing", "nowhere"}, NothingCase{"file", "file.asp"},
                                           NothingCase{"missingBelowFile", "file.asp/x"}, NothingCase{"empty", ""}));

TEST_F(Listing, AnUnreadableFolderContributesNothingAndTheWalkGoesOn)
{
#ifdef _WIN32
    GTEST_SKIP() << "a folder is made unreadable by its access list on Windows, which Wine does not keep";
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    Make({"a.asp", "locked/x.asp", "open/y.asp"});
    const QByteArray locked = QFile::encodeName(dir("locked"));
    ASSERT_EQ(::chmod(locked.constData(), 0), 0);
    const QStringList lines = List("*.asp", true);
    ::chmod(locked.constData(), 0755);
    EXPECT_EQ(lines, Under({"a.asp", "open/y.asp"}));
#endif
}

TEST_F(Listing, EachFolderIsWalkedOnceWhateverLinksLeadToIt)
{
#ifdef _WIN32
    GTEST_SKIP() << "making links needs a privilege on Windows";
#else
    Make({"a.asp", "inc/b.asp", "other/c.asp"});
    testfiles::Folder outside;
    outside.Put("e.asp", "x");
    Link(dir.Path(), "inc/up");  // back to the start folder
    Link(dir("inc"), "inc/self");
    Link(dir("other"), "inc/side");  // a second way into the tree's own folder
    // Two links to one folder outside the tree, and a way back from there.
    Link(outside.Path(), "inc/out");
    Link(outside.Path(), "out2");
    ASSERT_EQ(::symlink(QFile::encodeName(dir.Path()).constData(), QFile::encodeName(outside("back")).constData()), 0);
    // The tree's own folders under their own paths; the outside folder
    // under the first of its links in path order.
    EXPECT_EQ(List("*.asp", true), Under({"a.asp", "inc/b.asp", "inc/out/e.asp", "other/c.asp"}));
#endif
}

// The kernel's pseudo file systems are told by their type, here a stand-in's
// answer for one folder of the tree.
TEST_F(Listing, FoldersOnAPseudoFileSystemAreNeverEntered)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no pseudo file systems in its folder tree";
#else
    Make({"a.asp", "inc/b.asp", "inc/deep/c.asp", "other/d.asp"});
    Link(dir("inc"), "other/toInc");
    const struct {
        const char* pseudo;  // the folder that stands on proc
        QStringList expected;
    } rows[] = {
        {"none", Under({"a.asp", "inc/b.asp", "inc/deep/c.asp", "other/d.asp"})},
        {"inc", Under({"a.asp", "other/d.asp"})},
        {"inc/deep", Under({"a.asp", "inc/b.asp", "other/d.asp"})},
        {"", {}},  // the start folder itself
    };
    for (const auto& row : rows) {
        struct stat pseudo{};
        ::stat(QFile::encodeName(dir(row.pseudo)).constData(), &pseudo);
        const platform::FileSystemTypeQuery previous = platform::SetFileSystemTypeQuery([&](int fd) {
            struct stat st{};
            ::fstat(fd, &st);
            return std::uint64_t(st.st_ino == pseudo.st_ino && st.st_dev == pseudo.st_dev ? PROC_SUPER_MAGIC
                                                                                          : EXT4_SUPER_MAGIC);
        });
        const QStringList listed = List("*.asp", true);
        platform::SetFileSystemTypeQuery(previous);
        EXPECT_EQ(listed, row.expected) << row.pseudo;
    }
#endif
}

TEST_F(Listing, FilesOfEveryPermissionAndLinksToThemAreListedButDeadLinksAndPipesAreNot)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows folders hold no pipes, and making links needs a privilege";
#else
    Make({"a.asp", "readonly.asp", "closed.asp"});
    ASSERT_EQ(::chmod(QFile::encodeName(dir("readonly.asp")).constData(), 0444), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir("closed.asp")).constData(), 0), 0);
    Link(dir("a.asp"), "link.asp");
    Link(dir("gone.asp"), "dead.asp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir("pipe.asp")).constData(), 0644), 0);
    EXPECT_EQ(List("*.asp", true), Under({"a.asp", "closed.asp", "link.asp", "readonly.asp"}));
#endif
}

// Escape stops a listing and leaves the list empty: a part of the list would
// make a later search miss files without a word.
TEST_F(Listing, EscapeStopsTheListingAndLeavesTheListEmpty)
{
    QStringList names;
    for (int i = 0; i < 300; ++i)
        names << QStringLiteral("d%1/f.asp").arg(i % 30) + QString::number(i);
    Make(names);
    QCoreApplication::postEvent(form.Memofil, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_EQ(List("*.asp*", true), QStringList());
    EXPECT_EQ(List("*.asp*", true).size(), 300);
}

#ifdef _WIN32
// A drive and its colon name the drive's current folder: the lines have no
// backslash between the colon and the name.
TEST_F(Listing, ADriveAndColonListTheDrivesCurrentFolder)
{
    Make({"a.asp", "inc/b.asp", "inc/c.txt"});
    const QString drive = dir.Path().left(2);
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.Path()));
    const QStringList lines = List(drive, "*.asp", true);
    QDir::setCurrent(before);
    EXPECT_EQ(lines, QStringList({drive + "a.asp", drive + "inc\\b.asp"}));
}
#endif

// Without subfolders only the start folder's own files count; a folder
// whose name differs in characters the code page lacks is another folder.
TEST_F(Listing, NizzeTellsTheStartFolderFromAnotherOfOtherLetters)
{
    Make({QString::fromUtf8("ψ/a.asp"), QString::fromUtf8("φ/b.asp")});
    form.Edit1->SetText(dir(QString::fromUtf8("ψ")));
    form.edWild->SetText("*.asp");
    form.CheckBox1->SetChecked(false);
    form.Memofil->SetText(QString());
    EXPECT_FALSE(form.nizze(dir(QString::fromUtf8("φ"))));
    EXPECT_EQ(form.Memofil->LineCount(), 0);
}

TEST_F(Listing, NizzeOnAMissingFolderIsFalseAndListsNothing)
{
    form.Memofil->SetText(QString());
    EXPECT_FALSE(form.nizze(dir("nowhere")));
    EXPECT_EQ(form.Memofil->LineCount(), 0);
}

struct KeyCase {
    const char* label;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.label; }

class ListingKeys : public Listing, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ListingKeys, EnterInTheMaskBoxListsAndIsSwallowed)
{
    Make({"a.asp", "b.txt"});
    form.Edit1->SetText(dir.Path());
    form.edWild->SetText("*.asp");
    form.edWild->setCursorPosition(2);
    int seenByTheEdit = 0;
    QObject::connect(form.edWild, &QLineEdit::returnPressed, [&] { ++seenByTheEdit; });
    QTest::keyClick(form.edWild, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(form.Memofil->Lines(), Under({"a.asp"}));
    EXPECT_EQ(form.edWild->Text(), QString("*.asp"));
    EXPECT_EQ(seenByTheEdit, 0);
}

INSTANTIATE_TEST_SUITE_P(Enter, ListingKeys,
                         ::testing::Values(KeyCase{"Return", Qt::Key_Return, Qt::NoModifier},
                                           KeyCase{"ShiftReturn", Qt::Key_Return, Qt::ShiftModifier},
                                           KeyCase{"CtrlAltReturn", Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier},
                                           KeyCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier}));

TEST_F(Listing, OtherKeysInTheMaskBoxTypeAndDoNotList)
{
    Make({"a.asp"});
    form.Edit1->SetText(dir.Path());
    form.edWild->SetText("*.as");
    form.edWild->setCursorPosition(4);
    QTest::keyClick(form.edWild, Qt::Key_P);
    EXPECT_EQ(form.edWild->Text(), QString("*.asp"));
    EXPECT_EQ(form.Memofil->Text(), QString("Filer"));
}

TEST(FolderWithBackslash, AddsOneSeparatorToANonEmptyFolder)
{
    const struct {
        const char* folder;
        const char* expected;
    } rows[] = {
#ifdef _WIN32
        // A colon ends a drive ("c:" is its current folder); a lone letter
        // is a drive's root; "/" is no separator to this rule.
        {"", ""}, {"c:\\tmp", "c:\\tmp\\"}, {"c:\\tmp\\", "c:\\tmp\\"}, {"c:", "c:"}, {"c", "c:\\"},
        {"Z", "Z:\\"}, {"\\", "\\"}, {"tmp", "tmp\\"}, {"1", "1\\"}, {"c:/tmp/", "c:/tmp/\\"},
#else
        {"", ""}, {"/tmp", "/tmp/"}, {"/tmp/", "/tmp/"}, {"/", "/"}, {"c", "c/"}, {"c:", "c:/"}, {"tmp//", "tmp//"},
#endif
    };
    for (const auto& row : rows)
        EXPECT_EQ(FolderWithBackslash(row.folder), QString(row.expected)) << row.folder;
}

}  // namespace
