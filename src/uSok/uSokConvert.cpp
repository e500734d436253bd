// SPDX-License-Identifier: GPL-3.0-or-later
// The UTF-8 conversion: Button1Click, HasUtf8Bom, SaveTextAsUtf8.
#include "uSok/uSok.h"

#include "convert/FileConversion.h"
#include "convert/SafeFileWrite.h"
#include "convert/Utf8Conversion.h"
#include "platform/FileText.h"
#include "platform/FolderText.h"
#include "platform/InputFile.h"
#include "search/SearchReport.h"
#include "toolkit/Exceptions.h"
#include "toolkit/LiveRun.h"
#include "toolkit/TMemo.h"
#include "toolkit/TProgressBar.h"
#include "uXprocs/uXprocs.h"

#include <QCoreApplication>

namespace {

// Writes a file's new content; a failure raises the error the user sees.
void SaveBytes(const QString& path, std::string_view bytes)
{
    switch (WriteFileSafely(path, bytes)) {
    case SafeWriteResult::Written: return;
    case SafeWriteResult::CannotCreate: throw EFCreateError(CannotCreateFileMessage(path));
    case SafeWriteResult::WriteFailed:
    case SafeWriteResult::ContentFailed: throw EWriteError(QStringLiteral("Stream write error"));
    }
}

}  // namespace

bool HasUtf8Bom(const QString& path)
{
    int error = 0;
    if (const std::optional<bool> marked = StartsWithUtf8Mark(path, error))
        return *marked;
    throw EInOutError(platform::InOutErrorCode(error, path));
}

void SaveTextAsUtf8(const QString& path, std::string_view text, bool withBom)
{
    if (text.empty())
        return;
    SaveBytes(path, (withBom ? std::string(platform::kUtf8Mark) : std::string()) + TextAsUtf8(text));
}

void TForm1::Button1Click(QObject*)
{
    if (platform::HoldsNoPath(Memofil->Text())) {
        // A listing stopped by the user stops the whole run.
        if (!FetchFileNames())
            return;
        QCoreApplication::processEvents();
    }

    // The report is gathered here and handed to the memo once; whatever
    // stops the run, the memo shows the lines written up to then.
    QStringList report{QStringLiteral("Konvertera till UTF-8"), search::DashLine()};
    const int count = Memofil->LineCount();
    p1->SetMax(count);
    // A run that stopped on an error left the bar where it stood.
    p1->SetPosition(0);
    // The window stays alive, also within a large file; Escape or a close
    // stops the run between files, never inside a write.
    toolkit::LiveRun run(this);
    const auto keepAlive = [&run] { run.KeepAlive(); };
    int visited = 0;
    try {
        for (int i = 0; i < count && !run.StopAsked(); ++i, ++visited, run.KeepAlive()) {
            p1->StepAndRepaint();
            const QString path = Memofil->Line(i);
            if (HasUtf8Bom(path)) {
                report.append(path + QStringLiteral(" är redan UTF-8 kodad"));
                continue;
            }
            // Read in blocks, twice: once to tell how, once to write.
            switch (ConvertUnmarkedFile(path, kConversionBlockSize, keepAlive)) {
            case FileConversion::Converted:
                report.append(path + QStringLiteral(" konverterades till UTF-8"));
                break;
            case FileConversion::HoldsNul:
                report.append(path + QStringLiteral(" innehåller NUL-tecken och lämnades orörd"));
                break;
            case FileConversion::BrokenUtf16:
                report.append(path + QStringLiteral(" innehåller ogiltig UTF-16 och lämnades orörd"));
                break;
            case FileConversion::BrokenUtf32:
                report.append(path + QStringLiteral(" innehåller ogiltig UTF-32 och lämnades orörd"));
                break;
            case FileConversion::CannotRead: throw EFOpenError(CannotOpenFileMessage(path));
            case FileConversion::CannotCreate: throw EFCreateError(CannotCreateFileMessage(path));
            case FileConversion::WriteFailed: throw EWriteError(QStringLiteral("Stream write error"));
            }
        }
    } catch (...) {
        // As in the search: the caret goes to the end, so the last lines,
        // next to the file the run stopped at, are in view.
        MemoResult->SetText(report.join(QLatin1Char('\n')));
        MemoResult->MoveCaretToEnd();
        throw;
    }
    report.append(search::DashLine());
    if (visited < count)
        report.append(search::StoppedLine(visited, count));
    MemoResult->SetText(report.join(QLatin1Char('\n')));
    p1->SetPosition(0);
    run.End();
    EndRunOnLastLine();
}
