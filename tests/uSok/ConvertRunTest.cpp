// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion run driven through the window, byte for byte on real files.
#include "uSok/uSok.h"

#include "convert/SafeFileWrite.h"
#include "support/TestFiles.h"
#include "support/TestTexts.h"
#include "support/WriteLimit.h"
#include "toolkit/Exceptions.h"
#include "toolkit/TButton.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"
#include "toolkit/TProgressBar.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTextBlock>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kBom = QByteArray::fromStdString(testfiles::kUtf8Mark);
const QString kHeader = QStringLiteral("Konvertera till UTF-8");
const QString& kDash = testfiles::kDashLine;
const QString kAlready = QStringLiteral(" är redan UTF-8 kodad");
const QString kConverted = QStringLiteral(" konverterades till UTF-8");
const QString kHoldsNul = QStringLiteral(" innehåller NUL-tecken och lämnades orörd");
const QString kBrokenUtf16 = QStringLiteral(" innehåller ogiltig UTF-16 och lämnades orörd");

QByteArray Bytes(const char* data, int size) { return QByteArray(data, size); }

#ifndef _WIN32
using testfiles::StatOf;
#endif

// Whether the tests run as root, who may read and write every file; there is
// no such user on Windows.
bool RunsAsRoot()
{
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

using testfiles::WriteLimit;

class ConvertRun : public ::testing::Test {
protected:
    // Puts the paths into the file list as a user would type them.
    void List(const QStringList& paths) { form.Memofil->SetText(paths.join("\r\n")); }

    void Run() { form.Button1Click(form.Button1); }

    // Runs and returns the message of the error that stopped the run.
    template <typename Error>
    QString RunExpecting()
    {
        try {
            Run();
        } catch (const Error& error) {
            return error.Message();
        } catch (const std::exception& other) {
            ADD_FAILURE() << "other error: " << other.what();
            return {};
        }
        ADD_FAILURE() << "the run raised no error";
        return {};
    }

    QStringList Report() const { return form.MemoResult->Lines(); }

    static QStringList Framed(const QStringList& lines)
    {
        return QStringList{kHeader, kDash} + lines + QStringList{kDash};
    }

    testfiles::Folder dir;
    TForm1 form;
};

struct FileCase {
    const char* name;
    QByteArray before;
    QByteArray after;
    const QString& report;
};

TEST_F(ConvertRun, EachKindOfFile)
{
    const FileCase cases[] = {
        {"mark-only.asp", kBom, kBom, kAlready},
        {"mark-then-ansi.asp", kBom + Bytes("a\nb\xE4\r\0z", 8), kBom + Bytes("a\nb\xE4\r\0z", 8), kAlready},
        {"one-byte.asp", "a", kBom + "a\r\n", kConverted},
        {"two-bytes.asp", "\xEF\xBB", kBom + "\xC3\xAF\xC2\xBB\r\n", kConverted},
        {"almost-mark.asp", "\xEF\xBB\xBE", kBom + "\xEF\xBB\xBE\r\n", kConverted},  // U+FEFE, UTF-8 already
        {"mark-later.asp", " \xEF\xBB\xBF", kBom + " \xEF\xBB\xBF\r\n", kConverted},
        {"empty.asp", "", "", kConverted},
        {"nul-first.asp", Bytes("\0abc\xE4\n", 6), Bytes("\0abc\xE4\n", 6), kHoldsNul},
        {"nul-middle.asp", Bytes("abc\n\0def\xE4", 9), Bytes("abc\n\0def\xE4", 9), kHoldsNul},
        {"lone-cr.asp", "a\rb\r", kBom + "a\r\nb\r\n", kConverted},
        {"lone-lf.asp", "a\nb\n", kBom + "a\r\nb\r\n", kConverted},
        {"no-last-break.asp", "a\r\nb", kBom + "a\r\nb\r\n", kConverted},
        {"blank-lines.asp", "\n\na\r\n\r\n", kBom + "\r\n\r\na\r\n\r\n", kConverted},
        {"ae.asp", "k\xE4r", kBom + "k\xC3\xA4r\r\n", kConverted},
        {"undefined.asp", "\x81\x8D\x8F\x90\x9D", kBom + "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\r\n", kConverted},
        {"euro.asp", "\x80 5", kBom + "\xE2\x82\xAC 5\r\n", kConverted},
        {"utf8-unmarked.asp", "k\xC3\xA4r\nfin", kBom + "k\xC3\xA4r\r\nfin\r\n", kConverted},
        {"mixed-line-is-ansi.asp", "\xC3\xA4 \xE4", kBom + "\xC3\x83\xC2\xA4 \xC3\xA4\r\n", kConverted},
        {"mixed-lines.asp", "\xC3\xA4\n\xE4", kBom + "\xC3\xA4\r\n\xC3\xA4\r\n", kConverted},
        {"utf16.asp", Bytes("\xFF\xFEk\0\xE4\0r\0\n\0", 10), kBom + "k\xC3\xA4r\r\n", kConverted},
        {"utf16-nul.asp", Bytes("\xFE\xFF\0a\0\0", 6), Bytes("\xFE\xFF\0a\0\0", 6), kHoldsNul},
        {"utf16-broken.asp", Bytes("\xFF\xFE\0\xD8", 4), Bytes("\xFF\xFE\0\xD8", 4), kBrokenUtf16},
        {"ascii.asp", "<%\n  x = 1\n%>\n", kBom + "<%\r\n  x = 1\r\n%>\r\n", kConverted},
    };
    QStringList paths;
    QStringList expected;
    for (const FileCase& c : cases) {
        paths.append(dir.Put(c.name, c.before));
        expected.append(paths.last() + c.report);
    }
    List(paths);
    Run();
    EXPECT_EQ(Report(), Framed(expected));
    for (const FileCase& c : cases)
        EXPECT_EQ(testfiles::Read(dir(c.name)), c.after) << c.name;
}

TEST_F(ConvertRun, SecondRunFindsEveryRewrittenFileMarked)
{
    const QString ansi = dir.Put("a.asp", "k\xE4r");
    const QString utf8 = dir.Put("b.asp", "k\xC3\xA4r");
    const QString empty = dir.Put("c.asp", "");
    const QString nul = dir.Put("d.asp", Bytes("x\0y", 3));
    List({ansi, utf8, empty, nul});
    Run();
    const QByteArray first = testfiles::Read(ansi);
    Run();
    EXPECT_EQ(Report(), Framed({ansi + kAlready, utf8 + kAlready, empty + kConverted, nul + kHoldsNul}));
    EXPECT_EQ(testfiles::Read(ansi), first);
    EXPECT_EQ(testfiles::Read(utf8), kBom + "k\xC3\xA4r\r\n");
}

TEST_F(ConvertRun, MarkedFileIsNeverRewritten)
{
#ifdef _WIN32
    GTEST_SKIP() << "times and inodes are looked at through POSIX calls; the content check runs in EachKindOfFile";
#else
    const QString path = dir.Put("marked.asp", kBom + "k\xE4r\n");
    const QByteArray name = QFile::encodeName(path);
    const struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), old, 0), 0);
    const ino_t inode = StatOf(path).st_ino;
    List({path});
    Run();
    EXPECT_EQ(Report(), Framed({path + kAlready}));
    EXPECT_EQ(testfiles::Read(path), kBom + "k\xE4r\n");
    EXPECT_EQ(StatOf(path).st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(StatOf(path).st_ino, inode);
#endif
}

TEST_F(ConvertRun, KeepsModeBitsAndLinks)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no mode bits, and making links needs a privilege (SafeWrite covers its attributes)";
#else
    const QString shared = dir.Put("shared.asp", "\xE4");
    const QString sharedToo = dir("shared2.asp");
    ASSERT_EQ(::link(QFile::encodeName(shared).constData(), QFile::encodeName(sharedToo).constData()), 0);
    const QString target = dir.Put("target.asp", "\xE4");
    const QString link = dir("link.asp");
    ASSERT_EQ(::symlink("target.asp", QFile::encodeName(link).constData()), 0);
    const QString script = dir.Put("run.sh", "echo \xE4");
    ASSERT_EQ(::chmod(QFile::encodeName(script).constData(), 0750), 0);

    List({shared, link, script});
    Run();
    EXPECT_EQ(Report(), Framed({shared + kConverted, link + kConverted, script + kConverted}));
    const QByteArray converted = kBom + "\xC3\xA4\r\n";
    EXPECT_EQ(testfiles::Read(shared), converted);
    EXPECT_EQ(testfiles::Read(sharedToo), converted);
    EXPECT_EQ(StatOf(shared).st_nlink, nlink_t(2));
    struct stat linkStat{};
    ASSERT_EQ(::lstat(QFile::encodeName(link).constData(), &linkStat), 0);
    EXPECT_TRUE(S_ISLNK(linkStat.st_mode));
    EXPECT_EQ(testfiles::Read(target), converted);
    EXPECT_EQ(testfiles::Read(script), kBom + "echo \xC3\xA4\r\n");
    EXPECT_EQ(StatOf(script).st_mode & 07777, mode_t(0750));
#endif
}

TEST_F(ConvertRun, NormalEndResetsBarAndPutsCaretOnLastLine)
{
    const QString a = dir.Put("a.asp", "a");
    const QString b = dir.Put("b.asp", kBom);
    form.show();
    form.Edit1->setFocus();
    form.p1->SetPosition(7);  // as a run stopped by an error leaves it
    List({a, b});
    Run();
    EXPECT_EQ(form.p1->Max(), 2);
    EXPECT_EQ(form.p1->Position(), 0);
    EXPECT_EQ(form.focusWidget(), form.MemoResult);
    const QTextCursor caret = form.MemoResult->textCursor();
    EXPECT_TRUE(caret.atEnd());
    EXPECT_EQ(caret.block().text(), kDash);
}

// Escape stops a conversion between files: the files before converted, those
// after untouched.
TEST_F(ConvertRun, EscapeStopsBetweenFiles)
{
    const QStringList files = {dir.Put("a.asp", "\xE4"), dir.Put("b.asp", "\xE4"), dir.Put("c.asp", "\xE4")};
    List(files);
    QCoreApplication::postEvent(form.MemoResult, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    Run();
    EXPECT_EQ(Report(), Framed({files[0] + kConverted}) << QStringLiteral("Avbruten efter 1 av 3 filer"));
    EXPECT_EQ(testfiles::Read(files[0]), kBom + "\xC3\xA4\r\n");
    EXPECT_EQ(testfiles::Read(files[2]), QByteArray("\xE4"));
}

TEST_F(ConvertRun, ListWithPathsIsNotListedAgain)
{
    // The start folder holds another matching file; the typed list wins.
    dir.Put("other.asp", "x");
    const QString mine = dir.Put("sub/mine.asp", "x");
    form.Edit1->SetText(dir.Path());
    form.edWild->SetText("*.asp");
    List({mine});
    Run();
    EXPECT_EQ(Report(), Framed({mine + kConverted}));
    EXPECT_EQ(form.Memofil->Lines(), QStringList({mine}));
}

TEST_F(ConvertRun, ListWithoutPathsIsFilledFirst)
{
    const QString a = dir.Put("a.asp", "\xE4");
    dir.Put("b.txt", "\xE4");
    form.Edit1->SetText(dir.Path());
    form.edWild->SetText("*.asp");
    form.CheckBox1->SetChecked(false);
    form.Memofil->SetText("Filer");
    Run();
    EXPECT_EQ(form.Memofil->Lines(), QStringList({a}));
    EXPECT_EQ(Report(), Framed({a + kConverted}));
    EXPECT_EQ(testfiles::Read(a), kBom + "\xC3\xA4\r\n");
    EXPECT_EQ(testfiles::Read(dir("b.txt")), QByteArray("\xE4"));
}

// A run stopped by an error: the files before it converted, the file itself
// and those after it as they were, the report without its closing line.
class ConvertStops : public ConvertRun {
protected:
    void SetUp() override
    {
        before = dir.Put("1.asp", "f\xF6re");
        after = dir.Put("3.asp", "efter \xE4");
        form.show();
        form.Edit1->setFocus();
    }

    void ExpectStoppedAt(const QString& failing)
    {
        EXPECT_EQ(Report(), QStringList({kHeader, kDash, before + kConverted}));
        EXPECT_EQ(testfiles::Read(before), kBom + "f\xC3\xB6re\r\n");
        EXPECT_EQ(testfiles::Read(after), QByteArray("efter \xE4"));
        EXPECT_EQ(form.p1->Position(), 2) << failing.toStdString();
        EXPECT_NE(form.focusWidget(), form.MemoResult);
        // The last lines, next to the failing file, are in view.
        EXPECT_TRUE(form.MemoResult->textCursor().atEnd());
    }

    QString before;
    QString after;
};

TEST_F(ConvertStops, OnAPathThatCannotBeRead)
{
    const bool root = RunsAsRoot();
    dir.Put("plain.asp", "x");
    ASSERT_TRUE(QDir().mkpath(dir("folder.asp")));
    const QString secret = dir.Put("secret.asp", "\xE4");
    ASSERT_EQ(::chmod(QFile::encodeName(secret).constData(), 0200), 0);
    const struct {
        QString path;
        QString message;
        bool rootReadsIt;
    } cases[] = {
        {dir("missing.asp"), "File not found", false},
        {QString(), "File not found", false},  // an empty line in the list
        {dir("plain.asp/x.asp"), "Invalid filename", false},
        {dir("nowhere/x.asp"), "Invalid filename", false},
        {dir("folder.asp"), "File access denied", false},
        // Refused as a folder is, never waited on.
        {dir.PutPipe("pipe.asp"), "File access denied", false},
#ifdef _WIN32
        {QStringLiteral("NUL"), "File access denied", false},
#else
        {QStringLiteral("/dev/null"), "File access denied", false},
        // Windows cannot make a file unreadable by its mode bits.
        {secret, "File access denied", true},
#endif
    };
    for (const auto& c : cases) {
        if (root && c.rootReadsIt)
            continue;
        SCOPED_TRACE(c.path.toStdString());
        testfiles::Write(before, "f\xF6re");
        List({before, c.path, after});
        EXPECT_EQ(RunExpecting<EInOutError>(), c.message);
        ExpectStoppedAt(c.path);
    }
}

TEST_F(ConvertStops, OnAFileThatMayNotBeRewritten)
{
    // A read-only file is refused also for root, who could replace it; a
    // folder without write right stops only other users.
    const QString readOnly = dir.Put("2.asp", "k\xE4r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0444), 0);
    const QString locked = dir.Put("locked/2.asp", "k\xE4r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(dir("locked")).constData(), 0555), 0);
    for (const QString& path : {readOnly, locked}) {
        // A folder's mode bits mean nothing on Windows.
        if (path == locked && (RunsAsRoot() || QDir::separator() == QLatin1Char('\\')))
            continue;
        SCOPED_TRACE(path.toStdString());
        const QFile::Permissions mode = QFile::permissions(path);
        testfiles::Write(before, "f\xF6re");
        List({before, path, after});
        EXPECT_EQ(RunExpecting<EFCreateError>(), "Cannot create file " + path);
        ExpectStoppedAt(path);
        EXPECT_EQ(testfiles::Read(path), QByteArray("k\xE4r\n"));
        EXPECT_EQ(QFile::permissions(path), mode);
    }
    ::chmod(QFile::encodeName(dir("locked")).constData(), 0755);
}

TEST_F(ConvertStops, OnAWriteThatFails)
{
    // The disk fills up on the large file: the small ones fit.
    for (bool hardLinked : {false, true}) {
        SCOPED_TRACE(hardLinked ? "hard-linked" : "single name");
        testfiles::Write(before, "f\xF6re");
        const QByteArray large(20000, '\xE4');
        const QString failing = dir.Put(hardLinked ? "2-linked.asp" : "2.asp", large);
        if (hardLinked) {
            ASSERT_TRUE(testfiles::HardLink(failing, dir("2-other")));
        }
        List({before, failing, after});
        WriteLimit limit(10000);
        EXPECT_EQ(RunExpecting<EWriteError>(), "Stream write error");
        ExpectStoppedAt(failing);
        EXPECT_EQ(testfiles::Read(failing), large);
    }
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

TEST(ConvertWriterTest, WritesTheTextAsUtf8)
{
    testfiles::Folder dir;
    const QString kept = dir.Put("kept.asp", "old");
    SaveTextAsUtf8(kept, "", true);
    EXPECT_EQ(testfiles::Read(kept), QByteArray("old"));
    SaveTextAsUtf8(dir("never.asp"), "", true);
    EXPECT_FALSE(QFile::exists(dir("never.asp")));

    SaveTextAsUtf8(kept, "\xE4\r\n", false);
    EXPECT_EQ(testfiles::Read(kept), QByteArray("\xC3\xA4\r\n"));
    SaveTextAsUtf8(dir("new.asp"), "a\xE4\r\n", true);
    EXPECT_EQ(testfiles::Read(dir("new.asp")), kBom + "a\xC3\xA4\r\n");
    // The text goes out as given: no line ends are added or changed.
    SaveTextAsUtf8(kept, "a\nb", true);
    EXPECT_EQ(testfiles::Read(kept), kBom + "a\nb");
}

}  // namespace
