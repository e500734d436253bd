// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a path with the desktop's default application for its type.
#include <QString>
#include <QUrl>
#include <functional>

namespace desktop {

// Something that opens a path; the desktop opener by default.
using ShellOpener = std::function<void(const QString& path)>;

// The system's own opener: xdg-open (through Qt) on Linux, the shell's
// default action for the file's type on Windows.
void OpenWithSystemShell(const QString& path);

// Hands path to the opener in place; the outcome is not looked at.
void OpenPathWithDesktop(const QString& path);

// Replaces the opener (an empty one brings back the desktop's) and returns
// the one it replaces, so that tests can record what would be opened.
ShellOpener SetShellOpener(ShellOpener opener);

// The file URL the desktop is given for path: a relative name is taken from
// the process's current folder, as the shell would.
QUrl ShellUrlForPath(const QString& path);

}  // namespace desktop
