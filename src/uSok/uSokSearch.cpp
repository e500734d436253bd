// SPDX-License-Identifier: GPL-3.0-or-later
// The text search and its report: btnSokClick, jmfr, edSoktxtKeyDown.
#include "uSok/uSok.h"

#include "search/SearchMatcher.h"
#include "search/SearchPipeline.h"
#include "search/SearchReport.h"
#include "platform/FolderText.h"
#include "platform/TickCount.h"
#include "toolkit/Exceptions.h"
#include "toolkit/LiveRun.h"
#include "toolkit/MemoDocument.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TEdit.h"
#include "toolkit/TMemo.h"
#include "toolkit/TProgressBar.h"
#include "uXprocs/uXprocs.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

constexpr Word kEnter = 13;

}  // namespace

void TForm1::btnSokClick(QObject*)
{
    if (platform::HoldsNoPath(Memofil->Text())) {
        // A listing stopped by the user stops the whole run.
        if (!FetchFileNames())
            return;
        QCoreApplication::processEvents();
    }
    // The automatic fetch above is not part of the time taken.
    const std::uint32_t startTick = platform::GetTickCount();

    // The search text is taken as the characters typed. No user input is
    // handled during the loop, so the case rule cannot change while it
    // runs: one matcher serves every file and every thread.
    const QString searchText = edSoktxt->Text();
    const search::Matcher matcher(searchText, cbNocase->Checked());

    const QStringList files = Memofil->Lines();
    const int fileCount = int(files.size());
    // The report goes into the memo's document on a thread of its own as
    // the files are taken, so that it is ready soon after the last of them.
    toolkit::MemoDocumentBuilder document;
    search::Report report(searchText, [&document](QString piece) { document.Append(std::move(piece)); });
    // Worker threads read and scan the files ahead; their results are
    // taken here in list order, so the report is as one file after the
    // other gives it.
    search::SearchPipeline pipeline(files, matcher);

    // The window stays alive while it waits; Escape or a close stops the
    // run after the file at hand.
    toolkit::LiveRun run(this);
    const auto whileWaiting = [&] {
        run.KeepAlive();
        if (run.StopAsked())
            pipeline.Stop();
    };
    int searched = 0;
    p1->SetMax(fileCount);
    try {
        for (int i = 0; i < fileCount && !run.StopAsked(); ++i) {
            p1->StepAndRepaint();
            search::FileHits hits;
            if (!pipeline.TakeNext(hits, whileWaiting))
                break;
            if (!hits.searched)
                throw EFOpenError(CannotOpenFileMessage(files[i]));
            report.AddHits(std::move(hits.lines), hits.hits);
            ++searched;
            run.KeepAlive();
        }
    } catch (...) {
        // The run stops at the failing file; the memo keeps what was found
        // before it, without the closing lines.
        pipeline.Stop();
        MemoResult->TakeDocument(document.Finish());
        MemoResult->MoveCaretToEnd();
        throw;
    }
    pipeline.Stop();

    // The time taken covers showing the report: the end tick is read once the
    // memo holds everything up to the summary.
    if (searched < fileCount)
        report.CloseStopped(searched, fileCount);
    else
        report.Close(fileCount);
    MemoResult->TakeDocument(document.Finish());
    const std::uint32_t endTick = platform::GetTickCount();
    MemoResult->AppendLine(search::TimingLine(search::ElapsedMs(startTick, endTick), QLocale()));
    p1->SetPosition(0);
    run.End();
    EndRunOnLastLine();
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
