// SPDX-License-Identifier: GPL-3.0-or-later
// The memo with texts long enough to be held in blocks of many lines: it
// reads, edits, scrolls, selects and copies them as it does short ones.
#include "toolkit/TMemo.h"

#include "support/CaseNames.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

// Lines as a report holds them: a path, a blank, more text; every tenth one
// (4, 14, ...) empty.
QStringList Numbered(int count)
{
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(i % 10 == 4 ? QString() : QStringLiteral("/tmp/inc/f%1.asp Rad:%2 | x\ty").arg(i % 7).arg(i));
    return lines;
}

// The text of the line at a point of the memo's viewport, as shown.
QString ShownLineAt(TMemo& memo, QPoint point)
{
    QTextCursor cursor = memo.cursorForPosition(point);
    cursor.movePosition(QTextCursor::StartOfLine);
    cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

struct LongTextCase {
    const char* name;
    int lines;
    QStringList breaks;  // used in turn between the lines
    bool breakAtEnd;
    QString inLine;      // put into line 5, when not empty
};

void PrintTo(const LongTextCase& c, std::ostream* os) { *os << c.name; }

class MemoLongText : public ::testing::TestWithParam<LongTextCase> {};

TEST_P(MemoLongText, ReadsBackTheLinesItWasGiven)
{
    const LongTextCase& c = GetParam();
    QStringList lines = Numbered(c.lines);
    if (!c.inLine.isEmpty())
        lines[5] = c.inLine;
    QString text;
    for (int i = 0; i < c.lines; ++i) {
        text += lines[i];
        if (i + 1 < c.lines || c.breakAtEnd)
            text += c.breaks[i % c.breaks.size()];
    }
    TMemo memo(nullptr);
    memo.SetText(text);

    EXPECT_EQ(memo.LineCount(), c.lines);
    EXPECT_TRUE(memo.Lines() == lines);
    for (int i : {0, 5, 127, 128, 129, c.lines - 1})
        EXPECT_EQ(memo.Line(i).toStdString(), lines[i].toStdString()) << i;
    EXPECT_TRUE(memo.Line(c.lines).isEmpty());
    if (c.inLine.isEmpty()) {
        EXPECT_TRUE(memo.Text() == lines.join("\r\n") + (c.breakAtEnd ? "\r\n" : ""));
    }

    memo.AppendLine(QStringLiteral("appended"));
    EXPECT_EQ(memo.LineCount(), c.lines + 1);
    EXPECT_EQ(memo.Line(c.lines), QStringLiteral("appended"));
    EXPECT_EQ(memo.Line(c.lines - 1).toStdString(), lines.last().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MemoLongText,
    ::testing::Values(LongTextCase{"CrLf", 20000, {"\r\n"}, true, {}},
                      LongTextCase{"LfWithoutALastBreak", 12346, {"\n"}, false, {}},
                      LongTextCase{"LoneCr", 10301, {"\r"}, true, {}},
                      // Never a lone CR just before a lone LF, which would read as one break.
                      LongTextCase{"MixedBreaks", 15000, {"\r", "\r\n", "\n"}, false, {}},
                      LongTextCase{"AtTheLimit", 10000, {"\r\n"}, false, {}},
                      LongTextCase{"JustAboveTheLimit", 10001, {"\r\n"}, false, {}},
                      // A line separator of its own stays inside its line.
                      LongTextCase{"LineSeparatorInALine", 20000, {"\r\n"}, true, QStringLiteral("a\u2028b")}));

class MemoLongTextShown : public ::testing::Test {
protected:
    void SetUp() override
    {
        memo.resize(400, 200);
        memo.show();
        memo.SetText(lines.join("\r\n"));
    }

    QStringList lines = Numbered(30000);
    TMemo memo{nullptr};
};

TEST_F(MemoLongTextShown, KeepsItsScrollRangeAndPlaceWhenItsWidthChanges)
{
    QScrollBar* bar = memo.verticalScrollBar();
    const int range = bar->maximum();
    EXPECT_GT(range, 29900);
    bar->setValue(15000);
    for (int width : {600, 300}) {
        memo.resize(width, 200);
        EXPECT_EQ(bar->maximum(), range) << width;
        EXPECT_EQ(bar->value(), 15000) << width;
        EXPECT_EQ(ShownLineAt(memo, QPoint(8, 8)), lines[15000]) << width;
    }
}

TEST_F(MemoLongTextShown, ReadsALineTypedInTheMiddle)
{
    QTextCursor cursor(memo.document());
    cursor.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, 5000);
    memo.setTextCursor(cursor);
    QTest::keyClicks(&memo, QStringLiteral("new"));
    QTest::keyClick(&memo, Qt::Key_Return);
    lines.insert(5000, QStringLiteral("new"));
    EXPECT_EQ(memo.LineCount(), 30001);
    EXPECT_EQ(memo.Line(5000), QStringLiteral("new"));
    EXPECT_EQ(memo.Line(5001), lines[5001]);
    EXPECT_TRUE(memo.Lines() == lines);
}

TEST_F(MemoLongTextShown, DoubleClickStopsAtTheEndOfTheLine)
{
    QString seen;
    memo.OnDblClick = [&](QObject*) { seen = memo.SelText(); };
    QTextCursor at(memo.document());
    at.setPosition(3);  // inside the path of line 0
    QTest::mouseDClick(memo.viewport(), Qt::LeftButton, {}, memo.cursorRect(at).center());
    EXPECT_EQ(seen, QStringLiteral("/tmp/inc/f0.asp"));
    at.setPosition(lines[0].size() - 1);  // on the "y" that ends line 0
    QTest::mouseDClick(memo.viewport(), Qt::LeftButton, {}, memo.cursorRect(at).center() + QPoint(2, 0));
    EXPECT_EQ(seen, QStringLiteral("y"));
}

TEST_F(MemoLongTextShown, SelectAllCopiesAndScreenReadersReadEveryLine)
{
    QTest::keyClick(&memo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(memo.SelText() == lines.join("\r\n"));
    QTest::keyClick(&memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->text() == lines.join("\n"));

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&memo);
    ASSERT_NE(accessible, nullptr);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    // Lines within a block reach the reader parted by U+2028, as the line
    // breaks of Shift+Enter do in any text box of the toolkit.
    EXPECT_TRUE(text->text(0, text->characterCount()).replace(QChar(0x2028), QChar('\n')) == lines.join("\n"));
    const int line300 = int(lines.mid(0, 300).join("\n").size()) + 1;
    int start = 0;
    int end = 0;
    EXPECT_EQ(text->textAtOffset(line300 + 4, QAccessible::LineBoundary, &start, &end).trimmed(), lines[300]);
    EXPECT_EQ(start, line300);
}

}  // namespace
