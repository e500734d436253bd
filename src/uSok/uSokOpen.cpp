// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a hit: MemoResultDblClick.
#include "uSok/uSok.h"

#include "toolkit/TMemo.h"
#include "uXprocs/uXprocs.h"

#include <QFile>
#include <sys/stat.h>

namespace {

// True when path names something that exists and is not a folder; a link is
// followed to what it points at.
bool NamesExistingFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // The system would read the name only up to a NUL, which could name
    // another file than the one shown.
    if (name.isEmpty() || name.contains('\0'))
        return false;
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return false;
    return (info.st_mode & S_IFMT) != S_IFDIR;
}

}  // namespace

void TForm1::MemoResultDblClick(QObject*)
{
    // The memo has already selected the run of non-blank characters under
    // the pointer: a path in a report line is selected whole.
    const QString selected = MemoResult->SelText();
    if (NamesExistingFile(selected))
        OpenWithShell(selected);
}
