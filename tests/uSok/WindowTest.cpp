// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as designed: every control where the layout puts it, its
// texts and initial state, the keyboard cycle and the resizing rules.
#include "uSok/uSok.h"

#include "support/TestFiles.h"

#include "toolkit/TButton.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TLabel.h"
#include "toolkit/TMemo.h"
#include "toolkit/TPanel.h"
#include "toolkit/TProgressBar.h"
#include "toolkit/TSplitter.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>
#include <gmock/gmock.h>

namespace {

struct Placement {
    const char* name;
    const char* parent;
    QRect bounds;
};

// The designed bounds, relative to the parent's content area.
const Placement kDesigned[] = {
    {"Panel1", "Form1", {0, 0, 928, 273}},          {"Splitter1", "Form1", {0, 273, 928, 5}},
    {"p1", "Form1", {0, 278, 928, 17}},             {"Panel3", "Form1", {0, 295, 928, 209}},
    {"Memofil", "Panel1", {0, 0, 928, 232}},        {"Panel2", "Panel1", {0, 232, 928, 41}},
    {"Edit1", "Panel2", {117, 11, 316, 19}},        {"edWild", "Panel2", {721, 11, 104, 19}},
    {"btnHamtafilnamn", "Panel2", {831, 8, 82, 25}}, {"CheckBox1", "Panel2", {571, 12, 95, 17}},
    {"Button1", "Panel2", {439, 8, 120, 25}},       {"MemoResult", "Panel3", {0, 0, 928, 168}},
    {"Panel4", "Panel3", {0, 168, 928, 41}},        {"edSoktxt", "Panel4", {496, 7, 319, 19}},
    {"btnSok", "Panel4", {829, 4, 84, 25}},         {"cbNocase", "Panel4", {334, 8, 115, 17}},
};

QRect BoundsInParentContent(QWidget* w)
{
    QRect r = w->geometry();
    if (auto* form = qobject_cast<TForm*>(w->parentWidget()))
        r.translate(-form->ContentArea().topLeft());
    return r;
}

QWidget* Child(TForm1& form, const char* name)
{
    return form.findChild<QWidget*>(QString::fromLatin1(name));
}

// Every control of the table where it is designed. Where the window is
// shown, also as a screen reader reads it: the area the control's
// accessibility interface reports on the screen.
void ExpectTheControlTable(TForm1& form, bool shown)
{
    EXPECT_EQ(form.ContentArea().size(), QSize(928, 504));
    EXPECT_EQ(form.ContentArea().topLeft(), QPoint(6, 6));
    for (const Placement& p : kDesigned) {
        QWidget* w = Child(form, p.name);
        ASSERT_NE(w, nullptr) << p.name;
        EXPECT_EQ(w->parentWidget()->objectName().toStdString(), p.parent) << p.name;
        EXPECT_EQ(BoundsInParentContent(w), p.bounds) << p.name;
        if (!shown)
            continue;
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(reader, nullptr) << p.name;
        EXPECT_EQ(reader->rect(), QRect(w->mapToGlobal(QPoint(0, 0)), p.bounds.size())) << p.name;
    }
    // Labels size themselves to their text but keep their designed corner.
    EXPECT_EQ(form.Label2->pos(), QPoint(7, 14));
    EXPECT_EQ(form.Label4->pos(), QPoint(16, 16));
}

TEST(MainWindow, EveryControlStandsWhereDesigned)
{
    TForm1 form;
    EXPECT_EQ(form.pos(), QPoint(125, 249));
    ExpectTheControlTable(form, false);
}

// Also run by the end-to-end tests on a real X server with a window manager.
TEST(MainWindow, ShownWindowHoldsTheControlTable)
{
#ifdef _WIN32
    // tests/wine/window.sh checks the shown window under Wine.
    GTEST_SKIP() << "Qt on Windows keeps a shown window inside the offscreen platform's 800 x 600 screen";
#endif
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ExpectTheControlTable(form, true);
}

TEST(MainWindow, TextsAndInitialState)
{
    TForm1 form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Filsök - fritt verktyg 2026"));
    EXPECT_EQ(form.Memofil->Text(), QStringLiteral("Filer"));
    EXPECT_EQ(form.MemoResult->Text(), QStringLiteral("Sökresultat"));
    EXPECT_EQ(form.Edit1->Text(), testfiles::DesignedStartFolder());
    EXPECT_EQ(form.edWild->Text(), QStringLiteral("*.asp"));
    EXPECT_EQ(form.edSoktxt->Text(), QStringLiteral("conn."));
    EXPECT_FALSE(form.CheckBox1->Checked());
    EXPECT_TRUE(form.cbNocase->Checked());
    EXPECT_EQ(form.p1->Min(), 0);
    EXPECT_EQ(form.p1->Max(), 100);
    EXPECT_EQ(form.p1->Position(), 0);
    const std::pair<QWidget*, const char*> captions[] = {
        {form.Label2, "Starta sökning i mapp"}, {form.Label3, "Wildcard"},
        {form.Label1, "Sök text"},              {form.Label4, "Dubbelklicka på filnamn för att öppna"},
        {form.btnHamtafilnamn, "Hämta filnamn"}, {form.Button1, "Konvertera till UTF-8"},
        {form.btnSok, "Sök igenom filer"},      {form.CheckBox1, "Underkataloger"},
        {form.cbNocase, "Nocase sensivity"},
    };
    for (auto [widget, caption] : captions)
        EXPECT_EQ(widget->property("Caption").toString(), QString::fromUtf8(caption));
    // Screen readers name each edit box after its label.
    EXPECT_EQ(form.Label2->buddy(), form.Edit1);
    EXPECT_EQ(form.Label3->buddy(), form.edWild);
    EXPECT_EQ(form.Label1->buddy(), form.edSoktxt);
}

TEST(MainWindow, FontsAndColours)
{
    TForm1 form;
    EXPECT_EQ(form.font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(form.font().pixelSize(), 12);
    for (QWidget* w : std::initializer_list<QWidget*>{form.Label1, form.Edit1, form.btnSok, form.cbNocase}) {
        EXPECT_EQ(w->font().family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(w->font().pixelSize(), 11);
    }
    EXPECT_EQ(form.Memofil->font().family(), QStringLiteral("Lucida Console"));
    EXPECT_EQ(form.MemoResult->font().pixelSize(), 11);
    EXPECT_EQ(form.Label4->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_EQ(form.Splitter1->Color(), QColor(255, 255, 168));
    EXPECT_TRUE(form.Panel2->BevelRaised());
    EXPECT_TRUE(form.Panel4->BevelRaised());
    EXPECT_FALSE(form.Panel1->BevelRaised());
    EXPECT_FALSE(form.Panel3->BevelRaised());
    // Where Tahoma is missing, its stand-in keeps the designed line height,
    // so the window is not scaled.
    if (QFontInfo(form.font()).family() == QStringLiteral("Liberation Sans")) {
        EXPECT_EQ(QFontMetrics(form.font()).height(), 14);
    }
}

TEST(MainWindow, MemosDoNotWrapAndShowBothScrollBars)
{
    TForm1 form;
    for (TMemo* memo : {form.Memofil, form.MemoResult}) {
        EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_TRUE(memo->tabChangesFocus());
        EXPECT_FALSE(memo->isReadOnly());
    }
}

TEST(MainWindow, TabWalksTheCycleBothWays)
{
    TForm1 form;
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const std::vector<QWidget*> cycle = {form.Edit1,    form.edWild,     form.btnHamtafilnamn, form.CheckBox1,
                                         form.Button1,  form.Memofil,    form.MemoResult,      form.edSoktxt,
                                         form.btnSok,   form.cbNocase,   form.Edit1};
    EXPECT_EQ(QApplication::focusWidget(), form.Edit1);
    for (size_t i = 1; i < cycle.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), cycle[i]) << "after Tab number " << i;
    }
    for (size_t i = cycle.size() - 1; i > 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), cycle[i - 1]) << "after Shift+Tab number " << cycle.size() - i;
    }
}

TEST(MainWindow, WiderMovesOnlyRightAnchoredControlsTallerGrowsOnlyTheResultMemo)
{
    TForm1 form;
    form.SetContentSize(928 + 100, 504 + 60);
    // Right-anchored controls keep their distance to the bar's right edge.
    EXPECT_EQ(form.Label3->x(), 676 + 100);
    EXPECT_EQ(form.edWild->geometry(), QRect(721 + 100, 11, 104, 19));
    EXPECT_EQ(form.btnHamtafilnamn->geometry(), QRect(831 + 100, 8, 82, 25));
    EXPECT_EQ(form.Label1->x(), 452 + 100);
    EXPECT_EQ(form.edSoktxt->geometry(), QRect(496 + 100, 7, 319, 19));
    EXPECT_EQ(form.btnSok->geometry(), QRect(829 + 100, 4, 84, 25));
    // Left-anchored ones keep their place.
    EXPECT_EQ(form.Edit1->geometry(), QRect(117, 11, 316, 19));
    EXPECT_EQ(form.Button1->geometry(), QRect(439, 8, 120, 25));
    EXPECT_EQ(form.CheckBox1->geometry(), QRect(571, 12, 95, 17));
    EXPECT_EQ(form.cbNocase->geometry(), QRect(334, 8, 115, 17));
    // All extra height goes to the lower panel and its memo.
    EXPECT_EQ(form.Panel1->height(), 273);
    EXPECT_EQ(form.Memofil->height(), 232);
    EXPECT_EQ(form.Panel3->height(), 209 + 60);
    EXPECT_EQ(form.MemoResult->size(), QSize(928 + 100, 168 + 60));
    EXPECT_EQ(form.Panel4->height(), 41);

    // Narrower than designed: right-anchored controls slide over left ones.
    form.SetContentSize(928 - 50, 504);
    EXPECT_EQ(form.Label3->x(), 676 - 50);
    EXPECT_LT(form.Label3->x(), form.CheckBox1->geometry().right());
}

}  // namespace
