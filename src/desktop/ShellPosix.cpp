// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/Shell.h"

#include <QDesktopServices>

namespace desktop {

// QDesktopServices runs xdg-open, which picks the application.
void OpenWithSystemShell(const QString& path)
{
    QDesktopServices::openUrl(ShellUrlForPath(path));
}

}  // namespace desktop
