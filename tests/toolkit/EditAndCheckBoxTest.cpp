// SPDX-License-Identifier: GPL-3.0-or-later
// The edits and check boxes: when an edit selects its text, its length, and
// the flat look of edits, memos, check boxes and the progress bar.
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TMemo.h"
#include "toolkit/TProgressBar.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(Edit, SelectsAllTextWhenFocusedOtherThanByAClick)
{
    const struct {
        const char* name;
        Qt::FocusReason reason;
        bool selectsAll;
    } cases[] = {
        {"Tab", Qt::TabFocusReason, true},
        {"Backtab", Qt::BacktabFocusReason, true},
        {"shortcut", Qt::ShortcutFocusReason, true},
        {"window activated (first focus, back from an error box)", Qt::ActiveWindowFocusReason, true},
        {"setFocus from code", Qt::OtherFocusReason, true},
        {"mouse click", Qt::MouseFocusReason, false},
        {"its context menu closing", Qt::PopupFocusReason, false},
    };
    TForm form;
    auto* edit = new TEdit(&form);
    for (const auto& c : cases) {
        edit->SetText(QStringLiteral("/tmp"));
        edit->setCursorPosition(1);
        QFocusEvent focusIn(QEvent::FocusIn, c.reason);
        QCoreApplication::sendEvent(edit, &focusIn);
        EXPECT_EQ(edit->selectedText(), c.selectsAll ? QStringLiteral("/tmp") : QString()) << c.name;
    }
}

TEST(Edit, HasNoLengthLimit)
{
    TForm form;
    auto* edit = new TEdit(&form);
    const QString longText(100000, QLatin1Char('a'));
    edit->SetText(longText);
    EXPECT_EQ(edit->Text().size(), longText.size());
    edit->insert(QStringLiteral("b"));
    EXPECT_EQ(edit->Text().size(), longText.size() + 1);
}

TEST(FlatLook, EditsMemosCheckBoxesAndTheProgressBarHaveASingleLineBorder)
{
    TForm form;
    auto* edit = new TEdit(&form);
    edit->setGeometry(0, 0, 120, 19);
    auto* memo = new TMemo(&form);
    memo->setGeometry(0, 30, 200, 100);
    auto* box = new TCheckBox(&form);
    box->setGeometry(0, 140, 115, 17);
    box->SetCaption(QStringLiteral("Nocase sensivity"));
    auto* bar = new TProgressBar(&form);
    bar->setGeometry(0, 160, 104, 17);
    bar->SetMax(10);
    bar->SetPosition(5);
    const struct {
        const char* name;
        QWidget* widget;
        QRect border;  // in the widget's own coordinates
    } cases[] = {
        {"edit", edit, edit->rect()},
        {"memo", memo, memo->rect()},
        {"check box", box, box->BoxRect()},
        {"progress bar", bar, bar->rect()},
    };
    for (bool checked : {false, true}) {
        box->SetChecked(checked);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            const QImage image = c.widget->grab().toImage();
            const QRgb ink = c.widget->palette().color(QPalette::WindowText).rgb();
            const QRgb field = c.widget->palette().color(QPalette::Base).rgb();
            const QRect r = c.border;
            ASSERT_FALSE(r.isEmpty());
            const int midY = r.top() + r.height() / 2;
            // One line of the text colour on the outside, then the field at
            // once: no second, shaded line, no rounded corner.
            EXPECT_EQ(image.pixel(r.left(), midY), ink);
            EXPECT_EQ(image.pixel(r.right(), midY), ink);
            EXPECT_EQ(image.pixel(r.left(), r.top()), ink);
            EXPECT_EQ(image.pixel(r.right(), r.bottom()), ink);
            EXPECT_EQ(image.pixel(r.left() + 1, r.top() + 1), field);
            EXPECT_EQ(image.pixel(r.left() + 1, midY), field);
        }
    }
    // Half of the bar's inside is done, in the selection colour.
    const QImage image = bar->grab().toImage();
    const QRgb done = bar->palette().color(QPalette::Highlight).rgb();
    EXPECT_EQ(image.pixel(2, 8), done);
    EXPECT_EQ(image.pixel(51, 8), done);
    EXPECT_EQ(image.pixel(52, 8), bar->palette().color(QPalette::Base).rgb());
}

}  // namespace
