// SPDX-License-Identifier: GPL-3.0-or-later
// The file listing: btnHamtafilnamnClick, nizze, FolderWithBackslash, edWildKeyDown.
//
// The window's values go to the listing's walk (listing/FolderWalk.h), and
// the memo gets the sorted lines once at the end, so a hundred thousand files
// do not cost a hundred thousand edits of the memo's document.
#include "uSok/uSok.h"

#include "listing/FolderWalk.h"
#include "platform/Collation.h"
#include "platform/FolderText.h"
#include "desktop/VirtualKeys.h"
#include "toolkit/LiveRun.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"
#include "uXprocs/uXprocs.h"

#include <functional>

namespace {

// The window's values for a walk, read once: no user input is handled
// during it, so they cannot change.
listing::WalkOptions WalkOptionsOf(const TForm1& form, std::function<bool()> keepGoing = {})
{
    return {form.Edit1->Text(), form.edWild->Text(), form.CheckBox1->Checked(), std::move(keepGoing)};
}

// The memo text for lines: every line followed by a line break, so the
// memo's own line count is the number of lines.
QString MemoText(const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 1;
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1Char('\n');
    }
    return text;
}

}  // namespace

void TForm1::btnHamtafilnamnClick(QObject*)
{
    FetchFileNames();
}

bool TForm1::FetchFileNames()
{
    // The window stays alive during a long walk; Escape or a close stops it
    // and leaves the list empty, since a part of the list would make a
    // later search or conversion miss files without a word.
    toolkit::LiveRun run(this);
    listing::FolderWalk walk(WalkOptionsOf(*this, [&run] {
        run.KeepAlive();
        return !run.StopAsked();
    }));
    walk.Run(Edit1->Text());
    if (walk.Stopped()) {
        Memofil->SetText(QString());
        return false;
    }
    QStringList lines = walk.TakeLines();
    platform::SortIgnoringCase(lines);
    // The new list replaces everything, the placeholder and anything typed.
    Memofil->SetText(MemoText(lines));
    return true;
}

bool TForm1::nizze(const QString& folder)
{
    listing::FolderWalk walk(WalkOptionsOf(*this));
    const bool result = walk.Run(folder);
    if (!walk.Lines().isEmpty()) {
        QString text = Memofil->toPlainText();
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        text += MemoText(walk.Lines());
        Memofil->SetText(text);
    }
    return result;
}

void TForm1::edWildKeyDown(QObject*, Word& Key, TShiftState)
{
    // Enter lists, whatever Shift, Ctrl and Alt say; the edit never sees it.
    if (Key != desktop::VK_RETURN)
        return;
    Key = 0;
    btnHamtafilnamnClick(nullptr);
}

QString FolderWithBackslash(const QString& folder)
{
    return platform::WithTrailingSeparator(folder);
}
