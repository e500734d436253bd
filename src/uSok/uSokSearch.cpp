// SPDX-License-Identifier: GPL-3.0-or-later
// The text search and its report: btnSokClick, jmfr, edSoktxtKeyDown.
#include "uSok/uSok.h"

#include "search/FileSearch.h"
#include "search/ReadAhead.h"
#include "search/SearchMatcher.h"
#include "search/SearchReport.h"
#include "platform/FolderText.h"
#include "platform/TickCount.h"
#include "toolkit/Exceptions.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"
#include "toolkit/TProgressBar.h"
#include "uXprocs/uXprocs.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

constexpr Word kEnter = 13;
constexpr Word kHome = 36;

}  // namespace

void TForm1::btnSokClick(QObject*)
{
    if (platform::HoldsNoPath(Memofil->Text())) {
        btnHamtafilnamnClick(nullptr);
        QCoreApplication::processEvents();
    }
    // The automatic fetch above is not part of the time taken.
    const std::uint32_t startTick = platform::GetTickCount();

    // The search text is taken as the characters typed. No events run during
    // the loop, so the case rule cannot change while it runs: one matcher
    // serves every file.
    const QString searchText = edSoktxt->Text();
    const search::Matcher matcher(searchText, cbNocase->Checked());

    const QStringList files = Memofil->Lines();
    const int fileCount = int(files.size());
    search::Report report(searchText);
    search::FileBuffer buffer;
    search::ReadAhead readAhead(files);

    p1->SetMax(fileCount);
    try {
        for (int i = 0; i < fileCount; ++i) {
            p1->StepAndRepaint();
            // Where the files have to come from the disk, it reads ahead.
            if (buffer.MetColdCache())
                readAhead.After(i);
            const QString& path = files[i];
            const search::Report::Mark before = report.Here();
            const bool searched = readAhead.Search(i, buffer, matcher, [&](const search::LineHit& hit) {
                report.AddHit(path, hit.index, hit.text);
            });
            if (!searched) {
                // A file that fails part-way leaves none of its lines.
                report.BackTo(before);
                throw EFOpenError(CannotOpenFileMessage(path));
            }
        }
    } catch (...) {
        // The run stops at the failing file; the memo keeps what was found
        // so far, without the closing lines.
        MemoResult->SetText(report.Text());
        MemoResult->MoveCaretToEnd();
        throw;
    }

    // The time taken covers showing the report: the end tick is read once the
    // memo holds everything up to the summary.
    report.Close(fileCount);
    MemoResult->SetText(report.TakeText());
    const std::uint32_t endTick = platform::GetTickCount();
    MemoResult->AppendLine(search::TimingLine(search::ElapsedMs(startTick, endTick), QLocale()));
    p1->SetPosition(0);
    MemoResult->setFocus();
    MemoResult->MoveCaretToEnd();
    PressKey(kHome);
}

bool TForm1::jmfr(const QString& searchText, const QString& text)
{
    return search::Matcher(searchText, cbNocase->Checked()).Contains(text.toStdString());
}

void TForm1::edSoktxtKeyDown(QObject*, Word& Key, TShiftState)
{
    if (Key == kEnter) {
        Key = 0;
        btnSokClick(nullptr);
    }
}
