// SPDX-License-Identifier: GPL-3.0-or-later
// The UTF-8 conversion: Button1Click, HasUtf8Bom, SaveTextAsUtf8.
#include "uSok/uSok.h"

#include "convert/FileConversion.h"
#include "convert/SafeFileWrite.h"
#include "convert/Utf8Conversion.h"
#include "platform/FileName.h"
#include "platform/FolderText.h"
#include "platform/OpenForReading.h"
#include "toolkit/Exceptions.h"
#include "toolkit/TMemo.h"
#include "toolkit/TProgressBar.h"
#include "uXprocs/uXprocs.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kDashLine(62, QLatin1Char('-'));
constexpr std::uint16_t kVkHome = 36;

// Whether the folder part of a path names an existing folder: a path with
// no folder part stands in the current one.
bool FolderOfPathExists(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return true;
    const QByteArray folder = slash == 0 ? QByteArray("/") : path.left(slash);
    struct stat st{};
    return ::stat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The error code the input/output error shows for a failed open or read of
// path, in the numbering the messages are written for: a missing file in an
// existing folder is "File not found", a path whose folder is missing
// "Invalid filename".
int InOutErrorCode(int error, const QByteArray& path)
{
    switch (error) {
    case ENOENT: return FolderOfPathExists(path) ? 2 : 3;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EISDIR: return 5;
    case EIO: return 30;  // read fault; errno 5 would read "File access denied"
    default: return error;
    }
}

[[noreturn]] void RaiseInOutError(int error, const QByteArray& path)
{
    throw EInOutError(InOutErrorCode(error, path));
}

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
    if (path.isEmpty())
        throw EInOutError(2);
    const QByteArray name = platform::EncodeFileName(path);
    // A pipe, a device or a socket is refused as a folder is, without
    // waiting on it: the window would never answer again.
    std::size_t size = 0;
    const int fd = platform::OpenForReading(path, size);
    if (fd < 0)
        RaiseInOutError(errno, name);
    unsigned char head[3];
    size_t got = 0;
    int readError = 0;
    while (got < sizeof head) {
        const ssize_t n = ::read(fd, head + got, sizeof head - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            readError = errno;
            break;
        }
        if (n == 0)
            break;
        got += size_t(n);
    }
    const int closeResult = ::close(fd);
    if (readError != 0)
        RaiseInOutError(readError, name);
    if (closeResult != 0)
        RaiseInOutError(errno, name);
    return got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF;
}

void SaveTextAsUtf8(const QString& path, std::string_view text, bool withBom)
{
    if (text.empty())
        return;
    SaveBytes(path, (withBom ? std::string(kUtf8Bom) : std::string()) + TextAsUtf8(text));
}

void TForm1::Button1Click(QObject*)
{
    if (platform::HoldsNoPath(Memofil->Text())) {
        btnHamtafilnamnClick(this);
        QCoreApplication::processEvents();
    }

    // The report is gathered here and handed to the memo once; whatever
    // stops the run, the memo shows the lines written up to then.
    QStringList report{QStringLiteral("Konvertera till UTF-8"), kDashLine};
    const int count = Memofil->LineCount();
    p1->SetMax(count);
    // A run that stopped on an error left the bar where it stood.
    p1->SetPosition(0);
    try {
        for (int i = 0; i < count; ++i) {
            p1->StepAndRepaint();
            const QString path = Memofil->Line(i);
            if (HasUtf8Bom(path)) {
                report.append(path + QStringLiteral(" är redan UTF-8 kodad"));
                continue;
            }
            // Read in blocks, twice: once to tell how, once to write.
            switch (ConvertUnmarkedFile(path)) {
            case FileConversion::Converted:
                report.append(path + QStringLiteral(" konverterades till UTF-8"));
                break;
            case FileConversion::HoldsNul:
                report.append(path + QStringLiteral(" innehåller NUL-tecken och lämnades orörd"));
                break;
            case FileConversion::BrokenUtf16:
                report.append(path + QStringLiteral(" innehåller ogiltig UTF-16 och lämnades orörd"));
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
    report.append(kDashLine);
    MemoResult->SetText(report.join(QLatin1Char('\n')));
    p1->SetPosition(0);
    MemoResult->setFocus();
    MemoResult->MoveCaretToEnd();
    PressKey(kVkHome);
}
