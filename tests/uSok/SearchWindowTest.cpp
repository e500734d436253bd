// SPDX-License-Identifier: GPL-3.0-or-later
// The search as the window runs it, on real files: the report in the result
// memo, the progress bar, the focus, the error that stops a run, and Enter in
// the search box.
#include "uSok/uSok.h"

#include "support/TestFiles.h"
#include "support/TestTexts.h"
#include "desktop/KeyEvents.h"
#include "platform/TickCount.h"
#include "search/SearchPipeline.h"
#include "settings/StoreName.h"
#include "support/SettingsPlace.h"
#include "toolkit/Exceptions.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"
#include "toolkit/TProgressBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <utility>
#include <vector>
#include <gtest/gtest.h>

namespace {

const QString& kDashes = testfiles::kDashLine;

// Hands out the start and end tick in turn, so that every run takes a known time.
class FixedTicks {
public:
    FixedTicks(std::uint32_t start, std::uint32_t end)
    {
        platform::SetTickSource([start, end, calls = 0]() mutable { return ++calls % 2 == 1 ? start : end; });
    }
    ~FixedTicks() { platform::SetTickSource({}); }
};

class SearchWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        // A start folder without files, so that a fetch lists nothing.
        form.Edit1->SetText(folder("no-such-folder"));
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    void List(const QStringList& paths) { form.Memofil->SetText(paths.join("\r\n") + "\r\n"); }
    QString Search()
    {
        form.btnSokClick(nullptr);
        return form.MemoResult->Text();
    }
    static QString Report(const QString& text, const QStringList& hits, const QString& summary,
                          const QString& timing = QStringLiteral("Tidsåtgång 47 ms"))
    {
        QStringList lines{QStringLiteral("Sökt text :") + text, kDashes};
        lines += hits;
        lines << kDashes << summary << timing;
        return lines.join("\r\n");
    }

    testfiles::Folder folder;
    TForm1 form;
    FixedTicks ticks{5000, 5047};
};

TEST_F(SearchWindow, ReportsEveryMatchingLineInListOrder)
{
    const QString a = folder.Put("a.asp", "<%\n\tconn.Open x\nset rs = Conn.Execute\n%>");
    const QString b = folder.Put("b.asp", "nothing here\r\n");
    const QString c = folder.Put("c.asp", "x\r\n  conn.Close  \r\n");
    List({a, b, c});
    form.edSoktxt->SetText("conn.");
    form.cbNocase->SetChecked(true);
    EXPECT_EQ(Search(), Report("conn.",
                               {a + " Rad:1 | conn.Open x", a + " Rad:2 | set rs = Conn.Execute",
                                c + " Rad:1 | conn.Close"},
                               QStringLiteral("3 förekomster av \"conn.\" i 3 genomsökta filer")));
    EXPECT_EQ(form.p1->Max(), 3);
    EXPECT_EQ(form.p1->Position(), 0);
}

// The files are searched by several threads at a time; the report is the
// one a single thread gives, byte for byte, for lists with the same file
// twice, edited lines, a file of many hits among small ones, odd encodings,
// and a file that stops the run with readable files after it.
TEST_F(SearchWindow, ReportIsTheSameWithOneThreadAndWithMany)
{
    QStringList files;
    for (int i = 0; i < 200; ++i)
        files << folder.Put(QStringLiteral("p%1.asp").arg(i), QByteArray(i % 9 == 0 ? 50000 : 3, 'x') + "\nconn." +
                                                                  QByteArray::number(i) + "\r\nCONN. b");
    files << folder.Put("many.asp", QByteArray("conn. a\n").repeated(3000));
    files << folder.Put("u16.asp", QByteArray("\xFF\xFE" "c\0o\0n\0n\0.\0", 12)) << files[3] << files[3];
    const QStringList lists[] = {files, files + QStringList{folder("gone.asp")} + files};
    for (const QStringList& list : lists) {
        for (const bool nocase : {false, true}) {
            QString reports[2];
            for (const int workers : {1, 6}) {
                search::SearchPipeline::SetWorkersForTesting(workers);
                List(list);
                form.edSoktxt->SetText("conn.");
                form.cbNocase->SetChecked(nocase);
                try {
                    form.btnSokClick(nullptr);
                } catch (const EFOpenError&) {
                }
                reports[workers == 1 ? 0 : 1] = form.MemoResult->Text();
            }
            search::SearchPipeline::SetWorkersForTesting(0);
            EXPECT_GT(reports[0].size(), 40000);
            EXPECT_EQ(reports[0], reports[1]) << "nocase " << nocase << ", " << list.size() << " files";
        }
    }
}

struct CaseRuleCase {
    const char* name;
    QByteArray file;
    QString searchText;
    bool nocase;
    QString hit;  // empty when nothing is found
};

void PrintTo(const CaseRuleCase& c, std::ostream* os) { *os << c.name; }

class SearchCaseRule : public SearchWindow, public ::testing::WithParamInterface<CaseRuleCase> {};

TEST_P(SearchCaseRule, FollowsTheCheckBox)
{
    const CaseRuleCase& c = GetParam();
    const QString path = folder.Put("f.asp", c.file);
    List({path});
    form.edSoktxt->SetText(c.searchText);
    form.cbNocase->SetChecked(c.nocase);
    const QStringList hits = c.hit.isEmpty() ? QStringList() : QStringList{path + " Rad:0 | " + c.hit};
    EXPECT_EQ(Search(), Report(c.searchText, hits,
                               QStringLiteral("%1 förekomster av \"%2\" i 1 genomsökta filer")
                                   .arg(hits.size())
                                   .arg(c.searchText)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchCaseRule,
    ::testing::Values(CaseRuleCase{"ConnNocase", "Conn.Open", "conn.", true, "Conn.Open"},
                      CaseRuleCase{"ConnExact", "Conn.Open", "conn.", false, ""},
                      CaseRuleCase{"RingANocase", "\xE5r och dag", QStringLiteral("År"), true, QStringLiteral("år och dag")},
                      CaseRuleCase{"RingAExact", "\xE5r och dag", QStringLiteral("År"), false, ""},
                      CaseRuleCase{"DiaeresisExact", "G\xD6TEBORG", QStringLiteral("GÖT"), false, QStringLiteral("GÖTEBORG")},
                      // The characters typed are found in any encoding of the file.
                      CaseRuleCase{"Utf8FileNocase", "\xC3\x85r", QStringLiteral("år"), true, QStringLiteral("År")},
                      CaseRuleCase{"Utf16FileExact", QByteArray("\xFF\xFE\xE5\0r\0", 6), QStringLiteral("år"), false,
                                   QStringLiteral("år")},
                      CaseRuleCase{"NotInTheCodePage", "? \xC5\x82\xC3\xB3" "d\xC5\xBA", QStringLiteral("Ł"), true,
                                   QStringLiteral("? łódź")},
                      CaseRuleCase{"NoQuestionMarkForAlpha", "what?", QStringLiteral("α"), true, ""},
                      // The mark is no part of the text.
                      CaseRuleCase{"MarkLeftOut", "\xEF\xBB\xBF conn.", "conn.", true, QStringLiteral("conn.")},
                      CaseRuleCase{"EmptySearchText", "conn.", "", true, ""}));

TEST_F(SearchWindow, EmptySearchTextCountsTheListedFiles)
{
    List({folder.Put("a.asp", "a"), folder.Put("b.asp", "b")});
    form.edSoktxt->SetText("");
    EXPECT_EQ(Search(), Report("", {}, QStringLiteral("0 förekomster av \"\" i 2 genomsökta filer")));
}

TEST_F(SearchWindow, FetchThatFindsNothingGivesAnEmptyReport)
{
    form.Memofil->SetText("");
    form.edSoktxt->SetText("conn.");
    EXPECT_EQ(Search(), Report("conn.", {}, QStringLiteral("0 förekomster av \"conn.\" i 0 genomsökta filer")));
    EXPECT_EQ(form.p1->Max(), 0);
    EXPECT_EQ(form.p1->Position(), 0);
}

TEST_F(SearchWindow, ListWithoutAPathIsFetchedFirst)
{
    form.Edit1->SetText(folder.Path());
    form.edWild->SetText("*.asp");
    form.edSoktxt->SetText("conn.");
    const QString a = folder.Put("a.asp", "x\nconn.Open");
    folder.Put("b.txt", "conn.");
    // The placeholder, an emptied list, and a name typed without a folder.
    const QString lists[] = {QStringLiteral("Filer"), QString(), QStringLiteral("a.asp\r\nb.txt")};
    for (const QString& list : lists) {
        form.Memofil->SetText(list);
        EXPECT_EQ(Search().toStdString(), Report("conn.", {a + " Rad:1 | conn.Open"},
                                                 QStringLiteral("1 förekomster av \"conn.\" i 1 genomsökta filer"))
                                              .toStdString())
            << list.toStdString();
        EXPECT_EQ(form.Memofil->Lines(), QStringList{a});
    }
}

TEST_F(SearchWindow, ListHoldingAPathIsSearchedWithoutAFetch)
{
    // The start folder holds a matching file too; a fetch would list it.
    form.Edit1->SetText(folder.Path());
    form.edWild->SetText("*.asp");
    folder.Put("listed.asp", "conn.");
    const QString typed = folder.Put("typed.txt", "conn.");
    form.Memofil->SetText(typed);
    form.edSoktxt->SetText("conn.");
    EXPECT_EQ(Search(), Report("conn.", {typed + " Rad:0 | conn."},
                               QStringLiteral("1 förekomster av \"conn.\" i 1 genomsökta filer")));
    EXPECT_EQ(form.Memofil->Text(), typed);
}

TEST_F(SearchWindow, ListHoldingAColonIsTakenAsFilled)
{
    form.Memofil->SetText("x:y");
    try {
        form.btnSokClick(nullptr);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot open file x:y"));
    }
}

struct OpenFailureCase {
    const char* name;
    QString middle;  // the second list line, relative to the folder or as it stands
    bool inFolder;
};

void PrintTo(const OpenFailureCase& c, std::ostream* os) { *os << c.name; }

class SearchOpenFailure : public SearchWindow, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(SearchOpenFailure, StopsTheRunAndKeepsThePartialReport)
{
    const OpenFailureCase& c = GetParam();
    folder.Put("sub/inner.asp", "conn.");
    folder.PutPipe("pipe.asp");
    const QString first = folder.Put("a.asp", "conn.1\nconn.2");
    const QString last = folder.Put("c.asp", "conn.3");
    const QString middle = c.inFolder ? folder(c.middle) : c.middle;
    form.Memofil->SetText(first + "\r\n" + middle + "\r\n" + last + "\r\n");
    form.edSoktxt->SetText("conn.");
    form.show();
    QApplication::setActiveWindow(&form);
    form.edSoktxt->setFocus();

    try {
        form.btnSokClick(nullptr);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot open file ") + middle);
    }
    EXPECT_EQ(form.MemoResult->Text(), QStringList({QStringLiteral("Sökt text :conn."), kDashes,
                                                    first + " Rad:0 | conn.1", first + " Rad:1 | conn.2"})
                                           .join("\r\n"));
    // The bar shows the file the run stopped at; the focus stays.
    EXPECT_EQ(form.p1->Max(), 3);
    EXPECT_EQ(form.p1->Position(), 2);
    EXPECT_FALSE(form.MemoResult->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Cases, SearchOpenFailure,
                         ::testing::Values(OpenFailureCase{"Missing", "missing.asp", true},
                                           OpenFailureCase{"Folder", "sub", true},
                                           OpenFailureCase{"Pipe", "pipe.asp", true},
                                           OpenFailureCase{"Device", "/dev/null", false},
                                           OpenFailureCase{"EmptyLine", "", false},
                                           OpenFailureCase{"TypedNonsense", "  not a path", false}));

TEST_F(SearchWindow, NextRunReplacesTheWholeReport)
{
    const QString a = folder.Put("a.asp", "conn.");
    List({a});
    form.edSoktxt->SetText("conn.");
    Search();
    platform::SetTickSource([] { return 7u; });
    form.edSoktxt->SetText("zzz");
    EXPECT_EQ(Search(), Report("zzz", {}, QStringLiteral("0 förekomster av \"zzz\" i 1 genomsökta filer"),
                               QStringLiteral("Tidsåtgång 0 ms")));
}

struct TimingCase {
    std::uint32_t start;
    std::uint32_t end;
    const char* line;
};

TEST_F(SearchWindow, TimingLineFromTheTicks)
{
    const TimingCase cases[] = {
        {100, 1100, "Tidsåtgång 1000 ms"},
        {100, 1101, "Tidsåtgång 1,001 sekunder"},
        {100, 1600, "Tidsåtgång 1,5 sekunder"},
        {100, 2100, "Tidsåtgång 2 sekunder"},
        {0xFFFFFFF0u, 37, "Tidsåtgång 53 ms"},
        {0xFFFFFC00u, 1000, "Tidsåtgång 2,024 sekunder"},
    };
    List({folder.Put("a.asp", "x")});
    for (const TimingCase& c : cases) {
        FixedTicks ticks(c.start, c.end);
        Search();
        EXPECT_EQ(form.MemoResult->Line(form.MemoResult->LineCount() - 1), QString::fromUtf8(c.line)) << c.start;
    }
}

TEST_F(SearchWindow, TimingLineCoversPuttingTheReportInTheMemo)
{
    // The clock moves on once the memo holds the summary, as if showing the
    // report took 600 ms.
    const TMemo* memo = form.MemoResult;
    platform::SetTickSource([memo] {
        const bool summaryShown = memo->Line(memo->LineCount() - 1).endsWith(QStringLiteral(" genomsökta filer"));
        return summaryShown ? 5600u : 5000u;
    });
    const QString a = folder.Put("a.asp", "conn.");
    List({a});
    form.edSoktxt->SetText("conn.");
    EXPECT_EQ(Search().toStdString(), Report("conn.", {a + " Rad:0 | conn."},
                                             QStringLiteral("1 förekomster av \"conn.\" i 1 genomsökta filer"),
                                             QStringLiteral("Tidsåtgång 600 ms"))
                                          .toStdString());
}

TEST_F(SearchWindow, EndsWithFocusAndCaretAtTheEndOfTheTimingLine)
{
    List({folder.Put("a.asp", "conn.\n")});
    form.show();
    QApplication::setActiveWindow(&form);
    form.edSoktxt->setFocus();
    Search();
    EXPECT_TRUE(form.MemoResult->hasFocus());
    const QTextCursor caret = form.MemoResult->textCursor();
    EXPECT_EQ(caret.block().text(), QStringLiteral("Tidsåtgång 47 ms"));
    EXPECT_TRUE(caret.atBlockEnd());
    EXPECT_TRUE(caret.atEnd());
}

// Home is pressed at a run's normal end, and only into this window: when
// another program is in front the caret is put where Home puts it.
TEST_F(SearchWindow, HomeIsPressedOnlyWhenTheRunEndsAndTheWindowIsInFront)
{
    std::vector<std::pair<int, std::uint32_t>> sent;
    const desktop::KeyEventSender before = desktop::SetKeyEventSender(
        [&](std::uint8_t key, std::uint8_t, std::uint32_t flags) { sent.emplace_back(key, flags); });
    const QString a = folder.Put("a.asp", "conn.");
    List({a});
    form.show();
    QApplication::setActiveWindow(&form);
    Search();
    EXPECT_EQ(sent, (std::vector<std::pair<int, std::uint32_t>>{{36, 0}, {36, desktop::KEYEVENTF_KEYUP}}));

    sent.clear();
    List({a, folder("missing.asp")});
    EXPECT_THROW(form.btnSokClick(nullptr), EFOpenError);
    EXPECT_TRUE(sent.empty());

    QApplication::setActiveWindow(nullptr);
    List({a});
    Search();
    EXPECT_TRUE(sent.empty());
    const QTextCursor caret = form.MemoResult->textCursor();
    EXPECT_TRUE(caret.block().text().startsWith(QStringLiteral("Tidsåtgång ")));
    EXPECT_EQ(caret.positionInBlock(), 0);
    desktop::SetKeyEventSender(before);
}

// Escape stops a run after the file at hand, with the report of the files
// searched so far; what is typed meanwhile lands after the run, and a close
// asked for during it closes the window after it.
TEST_F(SearchWindow, EscapeStopsTheRunAfterTheFileAtHand)
{
    const testfiles::SettingsPlace place{{DefaultRegistryKey()}};
    const QStringList files = {folder.Put("a.asp", "conn. a"), folder.Put("b.asp", "conn. b"),
                               folder.Put("c.asp", "conn. c")};
    List(files);
    form.show();
    // Waiting in the queue, they are seen as soon as the run first looks.
    QCoreApplication::postEvent(form.edSoktxt, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    QCoreApplication::postEvent(form.edSoktxt, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    QCoreApplication::postEvent(&form, new QCloseEvent);
    QStringList report = Report("conn.", {files[0] + " Rad:0 | conn. a"},
                                QStringLiteral("1 förekomster av \"conn.\" i 1 genomsökta filer"))
                             .split("\r\n");
    report.insert(report.size() - 1, QStringLiteral("Avbruten efter 1 av 3 filer"));
    EXPECT_EQ(Search(), report.join("\r\n"));
    EXPECT_EQ(form.edSoktxt->Text(), QStringLiteral("conn."));
    EXPECT_TRUE(form.isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(form.edSoktxt->Text(), QStringLiteral("conn.x"));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(place.Open(DefaultRegistryKey())->value("Setup/edSoktxt_Text").toString(), QStringLiteral("conn.x"));
}

TEST_F(SearchWindow, HomePressLeavesTheCaretAtTheStartOfTheTimingLine)
{
    List({folder.Put("a.asp", "conn. " + QByteArray(300, 'x'))});
    form.show();
    QApplication::setActiveWindow(&form);
    form.edSoktxt->setFocus();
    Search();
    QCoreApplication::processEvents();
    const QTextCursor caret = form.MemoResult->textCursor();
    EXPECT_EQ(caret.block().text(), QStringLiteral("Tidsåtgång 47 ms"));
    EXPECT_EQ(caret.positionInBlock(), 0);
}

struct KeyCase {
    const char* name;
    Word key;
    TShiftState shift;
    bool searches;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class SearchKey : public SearchWindow, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(SearchKey, EnterSearchesWhateverTheModifiers)
{
    const KeyCase& c = GetParam();
    List({folder.Put("a.asp", "conn.")});
    Word key = c.key;
    form.edSoktxtKeyDown(nullptr, key, c.shift);
    EXPECT_EQ(key, c.searches ? 0 : c.key);
    EXPECT_EQ(form.MemoResult->Text().startsWith(QStringLiteral("Sökt text :")), c.searches);
}

INSTANTIATE_TEST_SUITE_P(Cases, SearchKey,
                         ::testing::Values(KeyCase{"Enter", 13, 0, true}, KeyCase{"ShiftEnter", 13, ssShift, true},
                                           KeyCase{"CtrlAltEnter", 13, ssCtrl | ssAlt, true},
                                           KeyCase{"Letter", 'A', 0, false}, KeyCase{"Home", 36, 0, false}));

TEST_F(SearchWindow, EnterTypedInTheBoxIsSwallowed)
{
    List({folder.Put("a.asp", "conn.")});
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier};
    for (Qt::KeyboardModifiers modifier : modifiers) {
        form.MemoResult->SetText("Sökresultat");
        QSignalSpy returns(form.edSoktxt, &QLineEdit::returnPressed);
        QTest::keyClick(form.edSoktxt, Qt::Key_Return, modifier);
        EXPECT_EQ(returns.count(), 0) << int(modifier);
        EXPECT_TRUE(form.MemoResult->Text().startsWith(QStringLiteral("Sökt text :conn.\r\n"))) << int(modifier);
    }
}

TEST_F(SearchWindow, JmfrReadsTheCheckBoxAtEveryCall)
{
    form.cbNocase->SetChecked(true);
    EXPECT_TRUE(form.jmfr("conn.", "x Conn.Open"));
    EXPECT_TRUE(form.jmfr(QStringLiteral("Å"), QStringLiteral("å")));
    EXPECT_FALSE(form.jmfr("", "x"));
    form.cbNocase->SetChecked(false);
    EXPECT_FALSE(form.jmfr("conn.", "x Conn.Open"));
    EXPECT_TRUE(form.jmfr("Conn.", "x Conn.Open"));
    EXPECT_FALSE(form.jmfr(QStringLiteral("Å"), QStringLiteral("å")));
}

}  // namespace
