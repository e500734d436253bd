// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/PlacementValues.h"

#include "desktop/PlacementRecord.h"
#include "settings/PositionText.h"
#include "settings/TStore.h"
#include "toolkit/TForm.h"

#include <QMetaObject>
#include <QPointer>

namespace {

using desktop::PlacementRect;
using desktop::WindowPlacementRecord;

const QString kFlags = QStringLiteral("Flags");
const QString kShowCmd = QStringLiteral("ShowCmd");
const QString kPixelsPerInch = QStringLiteral("PixelsPerInch");
const QString kMinMaxPos = QStringLiteral("MinMaxPos");
const QString kNormPos = QStringLiteral("NormPos");

constexpr Qt::WindowStates kSizedStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

// The program has one top-level window of its own; a window without a parent
// is taken as the application's main window.
bool IsMainWindow(const TForm* window) { return window->parentWidget() == nullptr; }

// The desktop's record with the positions the window keeps itself.
WindowPlacementRecord QueryPlacement(const TForm* window)
{
    WindowPlacementRecord placement;
    desktop::GetWindowPlacement(window, placement);
    placement.ptMinPosition = window->MinimizedPosition();
    placement.ptMaxPosition = window->MaximizedPosition();
    return placement;
}

void ApplyPlacement(TForm* window, const WindowPlacementRecord& placement, Qt::Orientations designedEdges = {})
{
    window->SetMinimizedPosition(placement.ptMinPosition);
    window->SetMaximizedPosition(placement.ptMaxPosition);
    desktop::SetWindowPlacement(window, placement, designedEdges);
}

QString FourNumbers(int a, int b, int c, int d)
{
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d);
}

void SetState(TForm* window, Qt::WindowState state)
{
    window->setWindowState((window->windowState() & ~kSizedStates) | state);
}

void ReadPositionPart(TForm* window, TStore& store, const QString& section, WindowPlacementRecord& placement)
{
    bool found = false;
    placement.flags = static_cast<unsigned>(store.ReadStoreInt(section, kFlags, static_cast<int>(placement.flags)));

    QString text = ReadRectValue(store, section, kMinMaxPos);
    if (!text.isEmpty()) {
        found = true;
        placement.ptMinPosition = QPoint(settings::PositionField(text, 1, 0), settings::PositionField(text, 2, 0));
        placement.ptMaxPosition = QPoint(settings::PositionField(text, 3, 0), settings::PositionField(text, 4, 0));
    }

    // The designed outer bounds. Before the desktop has framed the window its
    // far edges are known only without the frame; the edges taken from them
    // are handed on as such, so that they move out by the frame once it is
    // known and the window does not come out a frame smaller than designed.
    const QRect bounds = desktop::WindowBounds(window);
    Qt::Orientations designedEdges;
    text = ReadRectValue(store, section, kNormPos);
    if (!text.isEmpty()) {
        found = true;
        PlacementRect& r = placement.rcNormalPosition;
        r.left = settings::PositionField(text, 1, bounds.x());
        r.top = settings::PositionField(text, 2, bounds.y());
        if (!settings::PositionFieldGiven(text, 3))
            designedEdges |= Qt::Horizontal;
        if (!settings::PositionFieldGiven(text, 4))
            designedEdges |= Qt::Vertical;
        r.right = settings::PositionField(text, 3, bounds.x() + bounds.width());
        r.bottom = settings::PositionField(text, 4, bounds.y() + bounds.height());
    }

    // A placement saved at another density would come out at the wrong size;
    // it is not scaled but left out.
    const int current = desktop::LogicalPixelsPerInch();
    if (store.ReadStoreInt(section, kPixelsPerInch, current) != current)
        found = false;
    if (!found)
        return;

    PlacementRect& r = placement.rcNormalPosition;
    const TBorderStyle style = window->BorderStyle();
    if (style != TBorderStyle::bsSizeable && style != TBorderStyle::bsSizeToolWin) {
        // A window of fixed size keeps its own size.
        r.right = r.left + bounds.width();
        r.bottom = r.top + bounds.height();
        designedEdges = Qt::Horizontal | Qt::Vertical;
    }
    if (r.right <= r.left)
        return;
    if (window->Position() == TPosition::poScreenCenter || window->Position() == TPosition::poDesktopCenter)
        window->SetPosition(TPosition::poDesigned);
    ApplyPlacement(window, placement, designedEdges);
}

// Returns false when the window is to be minimized later, which ends the read.
bool ReadStatePart(TForm* window, TStore& store, const QString& section)
{
    const bool main = IsMainWindow(window);
    Qt::WindowState state = Qt::WindowNoState;
    if (main && window->Position() == TPosition::poDefault)
        state = Qt::WindowMaximized;
    switch (store.ReadStoreInt(section, kShowCmd, desktop::SW_HIDE)) {
    case desktop::SW_SHOWNORMAL:
    case desktop::SW_SHOW:
    case desktop::SW_RESTORE:
        state = Qt::WindowNoState;
        break;
    case desktop::SW_SHOWMINIMIZED:
    case desktop::SW_MINIMIZE:
    case desktop::SW_SHOWMINNOACTIVE:
        state = Qt::WindowMinimized;
        break;
    case desktop::SW_SHOWMAXIMIZED:
        state = Qt::WindowMaximized;
        break;
    default:
        break;
    }
    if (state == Qt::WindowMinimized && main) {
        // The main window is minimized from the event loop, once it stands
        // where it belongs, as the whole application is.
        SetState(window, Qt::WindowNoState);
        QPointer<TForm> guard(window);
        QMetaObject::invokeMethod(
            window,
            [guard] {
                if (guard)
                    SetState(guard, Qt::WindowMinimized);
            },
            Qt::QueuedConnection);
        return false;
    }
    SetState(window, state);
    return true;
}

}  // namespace

QString ScreenSuffix()
{
    return QStringLiteral("(%1x%2)")
        .arg(desktop::GetSystemMetrics(desktop::SM_CXSCREEN))
        .arg(desktop::GetSystemMetrics(desktop::SM_CYSCREEN));
}

void WriteRectValue(TStore& store, const QString& section, const QString& name, const QString& text)
{
    store.WriteStoreText(section, name + ScreenSuffix(), text);
    store.WriteStoreText(section, name, text);
}

QString ReadRectValue(TStore& store, const QString& section, const QString& name)
{
    QString text = store.ReadStoreText(section, name + ScreenSuffix(), QString());
    if (text.isEmpty())
        text = store.ReadStoreText(section, name, QString());
    return text;
}

void WriteWindowPlacement(TForm* window, TStore& store, const QString& section)
{
    if (!window)
        return;
    WindowPlacementRecord placement = QueryPlacement(window);
    if (IsMainWindow(window) && desktop::IsIconic(window))
        placement.showCmd = desktop::SW_SHOWMINIMIZED;
    store.WriteStoreInt(section, kFlags, static_cast<int>(placement.flags));
    store.WriteStoreInt(section, kShowCmd, placement.showCmd);
    store.WriteStoreInt(section, kPixelsPerInch, desktop::LogicalPixelsPerInch());
    WriteRectValue(store, section, kMinMaxPos,
                   FourNumbers(placement.ptMinPosition.x(), placement.ptMinPosition.y(), placement.ptMaxPosition.x(),
                               placement.ptMaxPosition.y()));
    const PlacementRect& r = placement.rcNormalPosition;
    WriteRectValue(store, section, kNormPos, FourNumbers(r.left, r.top, r.right, r.bottom));
}

void ReadWindowPlacement(TForm* window, TStore& store, const QString& section, bool statePart, bool positionPart)
{
    if (!window || (!statePart && !positionPart))
        return;
    WindowPlacementRecord placement = QueryPlacement(window);
    // Applying the placement must not show a window that is still being
    // prepared for its first show.
    if (!desktop::IsWindowVisible(window))
        placement.showCmd = desktop::SW_HIDE;
    if (positionPart)
        ReadPositionPart(window, store, section, placement);
    if (statePart && !ReadStatePart(window, store, section))
        return;
    if (window->isVisible())
        window->repaint();
}

void FixWindowMaxPosition(TForm* window)
{
    if (!window)
        return;
    WindowPlacementRecord placement = QueryPlacement(window);
    if (!desktop::IsWindowVisible(window))
        placement.showCmd = desktop::SW_HIDE;
    int xMetric = 0;
    int yMetric = 0;
    switch (window->BorderStyle()) {
    case TBorderStyle::bsSingle:
    case TBorderStyle::bsToolWindow:
        xMetric = desktop::SM_CXBORDER;
        yMetric = desktop::SM_CYBORDER;
        break;
    case TBorderStyle::bsSizeable:
    case TBorderStyle::bsSizeToolWin:
        xMetric = desktop::SM_CXFRAME;
        yMetric = desktop::SM_CYFRAME;
        break;
    case TBorderStyle::bsDialog:
        xMetric = desktop::SM_CXDLGFRAME;
        yMetric = desktop::SM_CYDLGFRAME;
        break;
    case TBorderStyle::bsNone:
        break;
    }
    placement.ptMaxPosition =
        xMetric ? QPoint(-desktop::GetSystemMetrics(xMetric), -desktop::GetSystemMetrics(yMetric)) : QPoint(0, 0);
    ApplyPlacement(window, placement);
}
