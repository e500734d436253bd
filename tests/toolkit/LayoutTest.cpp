// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's layout and controls: Align/Anchors, the memo's line count and
// text, the splitter's drag rules.
#include "toolkit/ErrorBox.h"
#include "toolkit/TForm.h"
#include "toolkit/TMemo.h"
#include "toolkit/TPanel.h"
#include "toolkit/TSplitter.h"

#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

// A window laid out like the search window: a top panel, the splitter, a
// second top-aligned strip and a client panel below.
struct SplitWindow {
    TForm form;
    TPanel* upper;
    TSplitter* splitter;
    TPanel* strip;
    TPanel* lower;

    SplitWindow()
    {
        form.SetBorderWidth(6);
        form.SetContentSize(400, 300);
        const QSize content(400, 300);
        splitter = Make<TSplitter>(TAlign::alTop, {0, 100, 400, 5}, content);
        strip = Make<TPanel>(TAlign::alTop, {0, 105, 400, 17}, content);
        upper = Make<TPanel>(TAlign::alTop, {0, 0, 400, 100}, content);
        lower = Make<TPanel>(TAlign::alClient, {0, 122, 400, 178}, content);
        form.Realign();
        form.show();
    }

    template <typename T>
    T* Make(TAlign align, QRect r, QSize content)
    {
        auto* c = new T(&form);
        c->SetAlign(align);
        c->SetDesignBounds(r.x(), r.y(), r.width(), r.height(), content);
        return c;
    }

    void Drag(int dy, bool escape = false)
    {
        const QPoint start(50, 2);
        QTest::mousePress(splitter, Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(0, dy)),
                         QPointF(splitter->mapToGlobal(start + QPoint(0, dy))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(splitter, &move);
        if (escape)
            QTest::keyClick(splitter, Qt::Key_Escape);
        QTest::mouseRelease(splitter, Qt::LeftButton, {}, start + QPoint(0, dy));
    }
};

TEST(Layout, TopAlignedControlsStackInDesignedOrderAndTheClientTakesTheRest)
{
    SplitWindow w;
    EXPECT_EQ(w.upper->geometry(), QRect(6, 6, 400, 100));
    EXPECT_EQ(w.splitter->geometry(), QRect(6, 106, 400, 5));
    EXPECT_EQ(w.strip->geometry(), QRect(6, 111, 400, 17));
    EXPECT_EQ(w.lower->geometry(), QRect(6, 128, 400, 178));
}

TEST(Splitter, DragFollowsTheThirtyPixelRules)
{
    struct Row {
        int dy;
        int height;
    } rows[] = {
        {25, 125},    // follows the mouse
        {-60, 40},    // still above the snap
        {-70, 0},     // 30 or less collapses the panel
        {-95, 0},
        {1000, 300 - 30 - (100 + 5 + 17) + 100},  // 30 pixels stay below the strip
    };
    for (const Row& row : rows) {
        SplitWindow w;
        w.Drag(row.dy);
        EXPECT_EQ(w.upper->height(), row.height) << "moved " << row.dy;
        EXPECT_EQ(w.splitter->y(), 6 + row.height) << "moved " << row.dy;
        EXPECT_EQ(w.lower->y() + w.lower->height(), 306);
    }
}

TEST(Splitter, EscapeCancelsTheDragAndACollapsedPanelOpensAgain)
{
    SplitWindow w;
    w.Drag(40, /*escape=*/true);
    EXPECT_EQ(w.upper->height(), 100);
    EXPECT_FALSE(w.splitter->IsDragging());

    w.Drag(-90);
    ASSERT_EQ(w.upper->height(), 0);
    EXPECT_EQ(w.splitter->y(), 6);
    w.Drag(80);
    EXPECT_EQ(w.upper->height(), 80);
}

TEST(Memo, LineCountLeavesOutALastEmptyLine)
{
    TMemo memo(nullptr);
    struct Row {
        const char* text;
        int count;
        const char* asText;
    } rows[] = {
        {"", 0, ""},
        {"Filer", 1, "Filer"},
        {"a\r\nb\r\n", 2, "a\r\nb\r\n"},
        {"a\nb", 2, "a\r\nb"},
        {"a\rb\r", 2, "a\r\nb\r\n"},
        {"a\r\n\r\nb", 3, "a\r\n\r\nb"},
    };
    for (const Row& row : rows) {
        memo.SetText(QString::fromLatin1(row.text));
        EXPECT_EQ(memo.LineCount(), row.count) << row.text;
        EXPECT_EQ(memo.Text(), QString::fromLatin1(row.asText)) << row.text;
    }
    memo.SetText(QStringLiteral("x\r\ny\r\n"));
    EXPECT_EQ(memo.Line(1), QStringLiteral("y"));
    EXPECT_EQ(memo.Lines(), QStringList({"x", "y"}));
}

TEST(Memo, AppendLinePutsTheCaretAtTheEndOfTheNewLine)
{
    TMemo memo(nullptr);
    memo.AppendLine(QStringLiteral("first"));
    memo.AppendLine(QStringLiteral("second"));
    EXPECT_EQ(memo.Text(), QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(memo.textCursor().block().text(), QStringLiteral("second"));
    EXPECT_TRUE(memo.textCursor().atBlockEnd());
    memo.SetText(QStringLiteral("a\r\n"));
    memo.AppendLine(QStringLiteral("b"));
    EXPECT_EQ(memo.LineCount(), 2);
}

TEST(Memo, DoubleClickSelectsTheRunOfNonBlankCharacters)
{
    TMemo memo(nullptr);
    memo.resize(600, 200);
    memo.SetText(QStringLiteral("Rad:3 /tmp/inc/a.asp Rad:3 | conn.Open\r\nnext"));
    memo.show();
    QString seen;
    memo.OnDblClick = [&](QObject*) { seen = memo.SelText(); };
    QTextCursor at(memo.document());
    at.setPosition(12);  // inside "/tmp/inc/a.asp"
    const QPoint pos = memo.cursorRect(at).center() + QPoint(2, 0);
    QTest::mouseDClick(memo.viewport(), Qt::LeftButton, {}, pos);
    EXPECT_EQ(seen, QStringLiteral("/tmp/inc/a.asp"));
}

}  // namespace

namespace {

TEST(Layout, AWindowFontOfAnotherLineHeightScalesEveryControl)
{
    TForm form;
    QFont big = form.font();
    big.setPixelSize(24);
    form.setFont(big);
    form.SetBorderWidth(6);
    form.SetContentSize(200, 100);
    auto* panel = new TPanel(&form);
    panel->SetAlign(TAlign::alNone);
    panel->SetDesignBounds(10, 20, 50, 30, QSize(200, 100));
    const int lineHeight = QFontMetrics(big).height();
    ASSERT_NE(lineHeight, 14);
    form.ScaleToScreen(14);
    EXPECT_EQ(panel->geometry(), QRect(6 + 10 * lineHeight / 14, 6 + 20 * lineHeight / 14, 50 * lineHeight / 14,
                                       30 * lineHeight / 14));
    EXPECT_EQ(form.ContentArea().width(), 200 * lineHeight / 14);
}

TEST(Layout, TheDesignedLineHeightLeavesTheWindowUnscaled)
{
    TForm form;
    form.SetContentSize(200, 100);
    auto* panel = new TPanel(&form);
    panel->SetDesignBounds(10, 20, 50, 30, QSize(200, 100));
    form.ScaleToScreen(QFontMetrics(form.font()).height());
    EXPECT_EQ(panel->geometry(), QRect(10, 20, 50, 30));
}

}  // namespace
