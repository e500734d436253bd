// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the window's placement into the settings section and bringing it
// back, on real windows of the offscreen platform (which frames a window with
// a border of its own, so the outer rectangle differs from the client's).
#include "desktop/PlacementRecord.h"
#include "settings/TStore.h"
#include "settings/PlacementValues.h"
#include "toolkit/TForm.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMap>
#include <QScreen>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

static void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
}
static void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << "," << p.y() << ")"; }
static void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }

namespace {

const QString kSection = QStringLiteral("Setup");

// The settings section in memory, with the names in the order written.
class MemoryStore : public TStore {
public:
    QString ReadStoreText(const QString& section, const QString& name, const QString& defaultText) override
    {
        const auto it = values.constFind(section + '/' + name);
        return it == values.constEnd() ? defaultText : it.value();
    }
    void WriteStoreText(const QString& section, const QString& name, const QString& text) override
    {
        values[section + '/' + name] = text;
        written.append(name);
    }
    void EraseSection(const QString& section) override
    {
        for (auto it = values.begin(); it != values.end();)
            it = it.key().startsWith(section + '/') ? values.erase(it) : std::next(it);
    }

    void Put(const QString& name, const QString& text) { values[kSection + '/' + name] = text; }
    QString Get(const QString& name) const { return values.value(kSection + '/' + name, QStringLiteral("<none>")); }

    QMap<QString, QString> values;
    QStringList written;
};

// A window at its designed place, as the program makes its main window.
std::unique_ptr<TForm> MakeWindow()
{
    auto window = std::make_unique<TForm>();
    window->setWindowTitle(QStringLiteral("placement test"));
    window->resize(300, 200);
    window->move(50, 60);
    return window;
}

void Settle() { QCoreApplication::processEvents(); }

// The program restores while the window is being shown, before it is on the
// screen.
void ShowRestoring(TForm& window, TStore& store)
{
    window.OnShow = [&window, &store](QObject*) {
        ReadWindowPlacement(&window, store, kSection, false, true);
        FixWindowMaxPosition(&window);
    };
    window.show();
    Settle();
}

QRect Outer(const TForm& window) { return desktop::WindowBounds(&window); }

TEST(WritePlacementTest, WritesTheValuesInOrderUnderBothNames)
{
    auto window = MakeWindow();
    window->show();
    Settle();
    window->setGeometry(200, 150, 320, 240);
    Settle();
    window->SetMinimizedPosition(QPoint(-1, -1));
    window->SetMaximizedPosition(QPoint(-4, -4));
    MemoryStore store;
    WriteWindowPlacement(window.get(), store, kSection);

    const QString suffix = ScreenSuffix();
    const QStringList expected = {"Flags",  "ShowCmd",          "PixelsPerInch", "MinMaxPos" + suffix,
                                  "MinMaxPos", "NormPos" + suffix, "NormPos"};
    EXPECT_EQ(store.written, expected);
    EXPECT_EQ(store.Get("Flags"), "0");
    EXPECT_EQ(store.Get("ShowCmd"), "1");
    EXPECT_EQ(store.Get("PixelsPerInch"), QString::number(desktop::LogicalPixelsPerInch()));
    EXPECT_EQ(store.Get("MinMaxPos"), "-1,-1,-4,-4");
    EXPECT_EQ(store.Get("MinMaxPos" + suffix), "-1,-1,-4,-4");
    // The outer rectangle: the client's, grown by the frame.
    const QMargins frame = desktop::KnownFrameMargins(window.get());
    ASSERT_FALSE(frame.isNull());
    const QString norm = QStringLiteral("%1,%2,%3,%4")
                             .arg(200 - frame.left())
                             .arg(150 - frame.top())
                             .arg(520 + frame.right())
                             .arg(390 + frame.bottom());
    EXPECT_EQ(store.Get("NormPos"), norm);
    EXPECT_EQ(store.Get("NormPos" + suffix), norm);
}

TEST(WritePlacementTest, ScreenSuffixIsThePrimaryScreenSize)
{
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(ScreenSuffix(), QStringLiteral("(%1x%2)").arg(size.width()).arg(size.height()));
}

TEST(WritePlacementTest, MinimizedWindowWritesShowCmdTwo)
{
    auto window = MakeWindow();
    window->show();
    Settle();
    window->showMinimized();
    Settle();
    MemoryStore store;
    WriteWindowPlacement(window.get(), store, kSection);
    EXPECT_EQ(store.Get("ShowCmd"), "2");
}

// Close and restart: the placement written by one window brings the next
// one back to the same outer rectangle, run after run, whether it is read
// before the window has a native window or while it is being shown.
TEST(RestartTest, SameOuterRectangleRunAfterRun)
{
    for (const bool duringShow : {false, true}) {
        MemoryStore store;
        QRect expected;
        {
            auto first = MakeWindow();
            first->show();
            Settle();
            first->setGeometry(210, 130, 333, 222);
            Settle();
            expected = first->frameGeometry();
            ASSERT_NE(expected, first->geometry());
            WriteWindowPlacement(first.get(), store, kSection);
        }
        for (int run = 1; run <= 3; ++run) {
            auto window = MakeWindow();
            if (duringShow) {
                ShowRestoring(*window, store);
            } else {
                ReadWindowPlacement(window.get(), store, kSection, false, true);
                FixWindowMaxPosition(window.get());
                EXPECT_EQ(Outer(*window), expected) << "before show, run " << run;
                window->show();
                Settle();
            }
            EXPECT_EQ(window->frameGeometry(), expected) << "during show " << duringShow << ", run " << run;
            EXPECT_EQ(window->size(), QSize(333, 222)) << "during show " << duringShow << ", run " << run;
            store.written.clear();
            WriteWindowPlacement(window.get(), store, kSection);
        }
    }
}

TEST(RestartTest, WindowMaximizedAtCloseReopensNormalAtItsNormalRectangle)
{
    MemoryStore store;
    QRect normal;
    {
        auto first = MakeWindow();
        first->show();
        Settle();
        first->setGeometry(120, 110, 310, 210);
        Settle();
        normal = first->frameGeometry();
        first->showMaximized();
        Settle();
        ASSERT_TRUE(first->isMaximized());
        WriteWindowPlacement(first.get(), store, kSection);
    }
    EXPECT_EQ(store.Get("ShowCmd"), "3");
    auto window = MakeWindow();
    ShowRestoring(*window, store);
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->frameGeometry(), normal);
}

TEST(RestartTest, SavedWhileMinimizedGivesTheNormalRectangle)
{
    MemoryStore store;
    QRect normal;
    {
        auto first = MakeWindow();
        first->show();
        Settle();
        first->setGeometry(140, 90, 280, 190);
        Settle();
        normal = first->frameGeometry();
        first->showMinimized();
        Settle();
        WriteWindowPlacement(first.get(), store, kSection);
    }
    auto window = MakeWindow();
    ShowRestoring(*window, store);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(window->frameGeometry(), normal);
}

struct NormPosRow {
    const char* text;
    bool applied;
    // Expected outer rectangle; a negative field stands for the designed
    // bound of that edge.
    int left, top, right, bottom;
};

constexpr int D = -1000000;

// Read before the window is shown, as at the program's start; a window in a
// centring position mode shows whether the placement was applied, as only
// applying it switches the mode to the designed position.
TEST(ReadPlacementTest, NormPosTexts)
{
    const NormPosRow rows[] = {
        {"10,20,330,240", true, 10, 20, 330, 240},
        {"10,20", true, 10, 20, D, D},
        {"10,,20,30,40", true, 10, 20, 30, 40},
        {"10, 20, 30, 40", true, 10, 20, 30, 40},
        {" ,10 20,330 240", true, 10, 20, 330, 240},
        {"10,20,330,240,5,6", true, 10, 20, 330, 240},
        {"-50,-20,100,200", true, -50, -20, 100, 200},
        {"10,20,x,240", true, 10, 20, D, 240},
        {"a,b,c,d", true, D, D, D, D},
        {"100,20,100,240", false, D, D, D, D},
        {"300,20,100,240", false, D, D, D, D},
        {"500,20", false, D, D, D, D},
    };
    // The designed outer bounds once the window is framed.
    QRect framed;
    {
        auto reference = MakeWindow();
        reference->show();
        Settle();
        framed = reference->frameGeometry();
    }
    const auto expectedOf = [](const NormPosRow& row, const QRect& designed) {
        const int right = designed.x() + designed.width();
        const int bottom = designed.y() + designed.height();
        return QRect(QPoint(row.left == D ? designed.x() : row.left, row.top == D ? designed.y() : row.top),
                     QPoint((row.right == D ? right : row.right) - 1, (row.bottom == D ? bottom : row.bottom) - 1));
    };
    for (const NormPosRow& row : rows) {
        auto window = MakeWindow();
        window->SetPosition(TPosition::poScreenCenter);
        const QRect designed = Outer(*window);
        MemoryStore store;
        store.Put("NormPos", QString::fromUtf8(row.text));
        ReadWindowPlacement(window.get(), store, kSection, false, true);

        EXPECT_EQ(Outer(*window), row.applied ? expectedOf(row, designed) : designed) << row.text;
        EXPECT_EQ(window->Position() == TPosition::poDesigned, row.applied) << row.text;
        EXPECT_FALSE(window->isVisible()) << row.text;
        // The edges left to the design come out where the designed window's
        // do, frame included, not a frame short. (The offscreen platform
        // keeps a client off the screen's edge, so such a row is left out.)
        window->show();
        Settle();
        const QRect outer = row.applied ? expectedOf(row, framed) : framed;
        if (outer.left() >= 0 && outer.top() >= 0) {
            EXPECT_EQ(window->frameGeometry(), outer) << row.text;
        }
    }
}

TEST(ReadPlacementTest, NothingStoredLeavesTheDesignedBounds)
{
    auto window = MakeWindow();
    window->SetPosition(TPosition::poDesktopCenter);
    const QRect designed = Outer(*window);
    MemoryStore store;
    ReadWindowPlacement(window.get(), store, kSection, false, true);
    EXPECT_EQ(Outer(*window), designed);
    EXPECT_EQ(window->Position(), TPosition::poDesktopCenter);
}

struct NameRow {
    const char* screenText;  // under the name with this screen's suffix
    const char* otherText;   // under the name with another screen's suffix
    const char* plainText;
    QRect expected;          // empty: the designed bounds
};

TEST(ReadPlacementTest, ScreenNameFirstThenPlainName)
{
    const NameRow rows[] = {
        {"11,22,311,222", nullptr, "5,6,305,206", QRect(QPoint(11, 22), QPoint(310, 221))},
        {nullptr, nullptr, "5,6,305,206", QRect(QPoint(5, 6), QPoint(304, 205))},
        {nullptr, "7,8,307,208", "5,6,305,206", QRect(QPoint(5, 6), QPoint(304, 205))},
        {"", nullptr, "5,6,305,206", QRect(QPoint(5, 6), QPoint(304, 205))},
        {nullptr, "7,8,307,208", nullptr, QRect()},
    };
    for (const NameRow& row : rows) {
        auto window = MakeWindow();
        const QRect designed = Outer(*window);
        MemoryStore store;
        if (row.screenText)
            store.Put("NormPos" + ScreenSuffix(), QString::fromUtf8(row.screenText));
        if (row.otherText)
            store.Put("NormPos(1x1)", QString::fromUtf8(row.otherText));
        if (row.plainText)
            store.Put("NormPos", QString::fromUtf8(row.plainText));
        ReadWindowPlacement(window.get(), store, kSection, false, true);
        EXPECT_EQ(Outer(*window), row.expected.isNull() ? designed : row.expected)
            << (row.screenText ? row.screenText : "-") << " / " << (row.plainText ? row.plainText : "-");
    }
}

TEST(ReadPlacementTest, OtherPixelsPerInchKeepsTheDesignedBounds)
{
    const int current = desktop::LogicalPixelsPerInch();
    const struct {
        QString stored;
        bool applied;
    } rows[] = {
        {QString::number(current), true},
        {QString(), true},  // not stored: taken as the current density
        {QString::number(current + 24), false},
        {QString::number(current / 2), false},
    };
    for (const auto& row : rows) {
        auto window = MakeWindow();
        window->SetPosition(TPosition::poScreenCenter);
        const QRect designed = Outer(*window);
        MemoryStore store;
        store.Put("NormPos", "10,20,330,240");
        store.Put("MinMaxPos", "1,2,3,4");
        if (!row.stored.isNull())
            store.Put("PixelsPerInch", row.stored);
        ReadWindowPlacement(window.get(), store, kSection, false, true);
        EXPECT_EQ(Outer(*window), row.applied ? QRect(10, 20, 320, 220) : designed) << row.stored.toStdString();
        EXPECT_EQ(window->MinimizedPosition(), row.applied ? QPoint(1, 2) : QPoint(-1, -1)) << row.stored.toStdString();
    }
}

TEST(ReadPlacementTest, FixedBorderKeepsTheWindowsOwnSize)
{
    const struct {
        TBorderStyle style;
        bool sizeFromStore;
    } rows[] = {
        {TBorderStyle::bsSizeable, true},  {TBorderStyle::bsSizeToolWin, true}, {TBorderStyle::bsSingle, false},
        {TBorderStyle::bsDialog, false},   {TBorderStyle::bsToolWindow, false}, {TBorderStyle::bsNone, false},
    };
    for (const auto& row : rows) {
        auto window = MakeWindow();
        window->SetBorderStyle(row.style);
        const QSize designed = Outer(*window).size();
        MemoryStore store;
        store.Put("NormPos", "10,20,400,500");
        ReadWindowPlacement(window.get(), store, kSection, false, true);
        EXPECT_EQ(Outer(*window), QRect(QPoint(10, 20), row.sizeFromStore ? QSize(390, 480) : designed))
            << static_cast<int>(row.style);
        window->show();
        Settle();
        if (!row.sizeFromStore) {
            EXPECT_EQ(window->size(), QSize(300, 200)) << static_cast<int>(row.style);
        }
    }
}

TEST(ReadPlacementTest, MinMaxPosWordsWithDefaultZero)
{
    auto window = MakeWindow();
    MemoryStore store;
    store.Put("MinMaxPos", "-3,x,7");
    ReadWindowPlacement(window.get(), store, kSection, false, true);
    EXPECT_EQ(window->MinimizedPosition(), QPoint(-3, 0));
    EXPECT_EQ(window->MaximizedPosition(), QPoint(7, 0));
}

TEST(FixMaxPositionTest, MaximizedPositionFromTheFrameMetrics)
{
    const struct {
        TBorderStyle style;
        QPoint expected;
    } rows[] = {
        {TBorderStyle::bsSizeable,
         QPoint(-desktop::GetSystemMetrics(desktop::SM_CXFRAME), -desktop::GetSystemMetrics(desktop::SM_CYFRAME))},
        {TBorderStyle::bsSizeToolWin,
         QPoint(-desktop::GetSystemMetrics(desktop::SM_CXFRAME), -desktop::GetSystemMetrics(desktop::SM_CYFRAME))},
        {TBorderStyle::bsSingle,
         QPoint(-desktop::GetSystemMetrics(desktop::SM_CXBORDER), -desktop::GetSystemMetrics(desktop::SM_CYBORDER))},
        {TBorderStyle::bsToolWindow,
         QPoint(-desktop::GetSystemMetrics(desktop::SM_CXBORDER), -desktop::GetSystemMetrics(desktop::SM_CYBORDER))},
        {TBorderStyle::bsDialog, QPoint(-desktop::GetSystemMetrics(desktop::SM_CXDLGFRAME),
                                        -desktop::GetSystemMetrics(desktop::SM_CYDLGFRAME))},
        {TBorderStyle::bsNone, QPoint(0, 0)},
    };
    for (const auto& row : rows) {
        auto window = MakeWindow();
        window->SetBorderStyle(row.style);
        MemoryStore store;
        store.Put("MinMaxPos", "5,6,70,80");
        ReadWindowPlacement(window.get(), store, kSection, false, true);
        const QRect before = Outer(*window);
        FixWindowMaxPosition(window.get());
        EXPECT_EQ(window->MaximizedPosition(), row.expected) << static_cast<int>(row.style);
        EXPECT_EQ(window->MinimizedPosition(), QPoint(5, 6)) << static_cast<int>(row.style);
        EXPECT_EQ(Outer(*window), before) << static_cast<int>(row.style);
        EXPECT_FALSE(window->isVisible()) << static_cast<int>(row.style);
    }
    EXPECT_NE(rows[0].expected, QPoint(0, 0));
}

TEST(FixMaxPositionTest, VisibleWindowKeepsItsStateAndRectangle)
{
    auto window = MakeWindow();
    window->show();
    Settle();
    window->showMaximized();
    Settle();
    const QRect normal = window->normalGeometry();
    FixWindowMaxPosition(window.get());
    Settle();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->normalGeometry(), normal);
}

struct StateRow {
    const char* showCmd;  // nullptr: not stored
    TPosition position;
    Qt::WindowState before;
    Qt::WindowState expected;
};

// The state part, which the program's own window does not use.
TEST(ReadStateTest, ShowCmdGivesTheState)
{
    using enum TPosition;
    const StateRow rows[] = {
        {"1", poDesigned, Qt::WindowMaximized, Qt::WindowNoState},
        {"5", poDesigned, Qt::WindowMaximized, Qt::WindowNoState},
        {"9", poDesigned, Qt::WindowMaximized, Qt::WindowNoState},
        {"3", poDesigned, Qt::WindowNoState, Qt::WindowMaximized},
        {"2", poDesigned, Qt::WindowNoState, Qt::WindowMinimized},
        {"6", poDesigned, Qt::WindowNoState, Qt::WindowMinimized},
        {"7", poDesigned, Qt::WindowNoState, Qt::WindowMinimized},
        // Any other command keeps the starting state: normal, or maximized
        // for a main window in the default position mode.
        {"0", poDesigned, Qt::WindowMaximized, Qt::WindowNoState},
        {"4", poDesigned, Qt::WindowMaximized, Qt::WindowNoState},
        {"8", poDesigned, Qt::WindowMaximized, Qt::WindowNoState},
        {"10", poDesigned, Qt::WindowMaximized, Qt::WindowNoState},
        {"x", poDesigned, Qt::WindowMaximized, Qt::WindowNoState},
        {nullptr, poDesigned, Qt::WindowMaximized, Qt::WindowNoState},
        {"0", poDefault, Qt::WindowNoState, Qt::WindowMaximized},
        {nullptr, poDefault, Qt::WindowNoState, Qt::WindowMaximized},
        {"1", poDefault, Qt::WindowMaximized, Qt::WindowNoState},
    };
    for (const StateRow& row : rows) {
        auto window = MakeWindow();
        window->SetPosition(row.position);
        window->setWindowState(row.before);
        MemoryStore store;
        if (row.showCmd)
            store.Put("ShowCmd", QString::fromUtf8(row.showCmd));
        ReadWindowPlacement(window.get(), store, kSection, true, false);
        const char* label = row.showCmd ? row.showCmd : "none";
        if (row.expected == Qt::WindowMinimized) {
            // The main window is minimized from the event loop.
            EXPECT_FALSE(window->isMinimized()) << label;
            QCoreApplication::sendPostedEvents();
            Settle();
        }
        const Qt::WindowStates sized = Qt::WindowMinimized | Qt::WindowMaximized;
        EXPECT_EQ(window->windowState() & sized, Qt::WindowStates(row.expected)) << label;
        EXPECT_FALSE(window->isVisible()) << label;
    }
}

TEST(ReadStateTest, ChildWindowIsMinimizedAtOnce)
{
    auto owner = MakeWindow();
    auto* child = new TForm(owner.get());
    MemoryStore store;
    store.Put("ShowCmd", "2");
    ReadWindowPlacement(child, store, kSection, true, false);
    EXPECT_TRUE(child->windowState() & Qt::WindowMinimized);
}

}  // namespace
