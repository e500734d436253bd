// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/Shell.h"

#include "platform/FileName.h"

#include <utility>

namespace desktop {
namespace {

ShellOpener& CurrentOpener()
{
    static ShellOpener opener = OpenWithSystemShell;
    return opener;
}

}  // namespace

QUrl ShellUrlForPath(const QString& path)
{
    // Built from the name's bytes, so that a name that is no UTF-8 reaches
    // the launcher as exactly those bytes.
    return platform::FileUrl(path);
}

void OpenPathWithDesktop(const QString& path)
{
    // A copy, so that an opener may replace itself while it runs.
    const ShellOpener opener = CurrentOpener();
    opener(path);
}

ShellOpener SetShellOpener(ShellOpener opener)
{
    ShellOpener previous = std::exchange(CurrentOpener(), opener ? std::move(opener) : ShellOpener(OpenWithSystemShell));
    return previous;
}

}  // namespace desktop
