// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a hit: MemoResultDblClick.
#include "uSok/uSok.h"

#include "platform/FileSystem.h"
#include "toolkit/TMemo.h"
#include "uXprocs/uXprocs.h"

namespace {

// True when path names something that exists and is not a folder; a link is
// followed to what it points at. A path holding a NUL names nothing: the
// system would read it only up to the NUL, which could be another file.
bool NamesExistingFile(const QString& path)
{
    const std::uint32_t attributes = platform::FileAttributes(path);
    return attributes != platform::kInvalidAttributes && (attributes & platform::kAttrDirectory) == 0;
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
