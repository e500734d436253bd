// SPDX-License-Identifier: GPL-3.0-or-later
// The synthetic key press: what reaches the platform, and where the key ends
// up once the event loop runs.
#include "desktop/KeyEvents.h"
#include "toolkit/TMemo.h"
#include "uXprocs/uXprocs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace {

using KeyTriple = std::tuple<int, int, std::uint32_t>;  // virtual key, scan code, flags

// Records every key event sent, and can fail on the n-th one.
class RecordedKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = desktop::SetKeyEventSender([this](std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
            ++calls_;
            if (calls_ == failOnCall_)
                throw std::runtime_error("keyboard gone");
            sent_.emplace_back(vk, scan, flags);
        });
    }
    void TearDown() override { desktop::SetKeyEventSender(previous_); }

    std::vector<KeyTriple> sent_;
    int calls_ = 0;
    int failOnCall_ = 0;

private:
    desktop::KeyEventSender previous_;
};

struct KeyEventRow {
    std::uint16_t virtualKey;
    bool keyUp;
    KeyTriple expected;
};

TEST_F(RecordedKeys, SendKeyEventPassesKeyScanCodeAndFlags)
{
    const KeyEventRow rows[] = {
        {44, false, {44, 0, 0}},       // Print Screen goes without its scan code
        {44, true, {44, 0, 2}},
        {36, false, {36, 0x47, 0}},    // Home with its mapped scan code
        {36, true, {36, 0x47, 2}},
        {'A', false, {'A', 0x1E, 0}},
        {13, true, {13, 0x1C, 2}},
        {0x124, false, {0x24, 0, 0}},  // only the low byte of the key is passed on
        {300, true, {44, 0, 2}},       // low byte 44, but not Print Screen: no mapped code either
    };
    for (const KeyEventRow& row : rows) {
        sent_.clear();
        SendKeyEvent(row.virtualKey, row.keyUp);
        ASSERT_EQ(sent_.size(), 1u) << "key " << row.virtualKey;
        EXPECT_EQ(sent_[0], row.expected) << "key " << row.virtualKey << " up " << row.keyUp;
    }
}

TEST_F(RecordedKeys, PressKeySendsDownThenUp)
{
    EXPECT_TRUE(PressKey(36));
    EXPECT_EQ(sent_, (std::vector<KeyTriple>{{36, 0x47, 0}, {36, 0x47, 2}}));
}

TEST_F(RecordedKeys, PressKeyReportsAFailedSendWithoutRaising)
{
    struct Row {
        int failOnCall;
        std::vector<KeyTriple> sentBeforeFailure;
    };
    const Row rows[] = {
        {1, {}},                // the key down fails: no key up follows
        {2, {{36, 0x47, 0}}},  // the key up fails
    };
    for (const Row& row : rows) {
        sent_.clear();
        calls_ = 0;
        failOnCall_ = row.failOnCall;
        bool result = true;
        EXPECT_NO_THROW(result = PressKey(36));
        EXPECT_FALSE(result) << "failing call " << row.failOnCall;
        EXPECT_EQ(sent_, row.sentBeforeFailure) << "failing call " << row.failOnCall;
    }
}

// Two memos in one shown, active window, each with its caret at the end of
// its last line, as a run leaves the result memo.
class DeliveredKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_.resize(400, 300);
        first_ = new TMemo(&window_);
        first_->setGeometry(0, 0, 400, 150);
        second_ = new TMemo(&window_);
        second_->setGeometry(0, 150, 400, 150);
        for (TMemo* memo : {first_, second_}) {
            memo->SetText(QStringLiteral("Sökt text :abc\r\nsecond line\r\nTidsåtgång 12 ms"));
            memo->MoveCaretToEnd();
        }
        window_.show();
        QApplication::setActiveWindow(&window_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    static int Column(const TMemo* memo) { return memo->textCursor().positionInBlock(); }
    static int Row(const TMemo* memo) { return memo->textCursor().blockNumber(); }

    QWidget window_;
    TMemo* first_ = nullptr;
    TMemo* second_ = nullptr;
};

TEST_F(DeliveredKeys, HomeMovesTheFocusedMemoToTheStartOfItsLineOnceTheLoopRuns)
{
    first_->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), first_);
    const int endColumn = Column(first_);
    ASSERT_GT(endColumn, 0);

    ASSERT_TRUE(PressKey(36));
    EXPECT_EQ(Column(first_), endColumn) << "the key waits for the event loop";

    QCoreApplication::processEvents();
    EXPECT_EQ(Column(first_), 0);
    EXPECT_EQ(Row(first_), 2);
    EXPECT_EQ(Column(second_), endColumn);
}

TEST_F(DeliveredKeys, KeyGoesToTheWidgetFocusedWhenTheLoopRuns)
{
    first_->setFocus();
    const int endColumn = Column(first_);
    ASSERT_TRUE(PressKey(36));
    second_->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), second_);

    QCoreApplication::processEvents();
    EXPECT_EQ(Column(second_), 0);
    EXPECT_EQ(Row(second_), 2);
    EXPECT_EQ(Column(first_), endColumn);
}

// Keeps the key events a widget receives.
class KeySpy : public QObject {
public:
    struct Seen {
        QEvent::Type type;
        int key;
        quint32 scanCode;
        quint32 virtualKey;
    };
    std::vector<Seen> seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            seen.push_back({event->type(), key->key(), key->nativeScanCode(), key->nativeVirtualKey()});
        }
        return false;
    }
};

TEST_F(DeliveredKeys, PressAndReleaseArriveWithQtKeyAndScanCode)
{
    KeySpy spy;
    first_->installEventFilter(&spy);
    first_->setFocus();
    ASSERT_TRUE(PressKey(36));
    QCoreApplication::processEvents();

    ASSERT_EQ(spy.seen.size(), 2u);
    EXPECT_EQ(spy.seen[0].type, QEvent::KeyPress);
    EXPECT_EQ(spy.seen[1].type, QEvent::KeyRelease);
    for (const KeySpy::Seen& seen : spy.seen) {
        EXPECT_EQ(seen.key, Qt::Key_Home);
        EXPECT_EQ(seen.scanCode, 0x47u);
        EXPECT_EQ(seen.virtualKey, 36u);
    }
}

TEST_F(DeliveredKeys, LetterKeyTypesItsLetter)
{
    first_->setFocus();
    ASSERT_TRUE(PressKey('X'));
    QCoreApplication::processEvents();
    EXPECT_EQ(first_->Line(2), QStringLiteral("Tidsåtgång 12 msx"));
}

}  // namespace
