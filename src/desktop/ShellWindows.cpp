// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/Shell.h"

#include <windows.h>
#include <shellapi.h>

namespace desktop {

// No owner window and no verb, so the shell takes the default action for
// the file's type; a relative name is taken from the current folder. What
// the shell answers is not looked at: a type with no application opens
// nothing, without a message.
void OpenWithSystemShell(const QString& path)
{
    const std::wstring file = path.toStdWString();
    ::ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace desktop
