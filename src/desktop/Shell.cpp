// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/Shell.h"

#include <QDir>
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
    // A relative file URL means nothing to the desktop's launcher.
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(path));
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
