// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderText.h"

namespace platform {

QString DesignedStartFolder()
{
    return QStringLiteral("c:\\tmp");
}

QString WithTrailingSeparator(const QString& folder)
{
    if (folder.isEmpty())
        return folder;
    // Texts are UTF-16 here, so the last character is whole: no trail unit
    // can be taken for a backslash.
    const QChar last = folder.back();
    if (last == QLatin1Char(':') || last == QLatin1Char('\\'))
        return folder;
    const char16_t letter = last.unicode();
    if (folder.size() == 1 && ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')))
        return folder + QStringLiteral(":\\");
    return folder + QLatin1Char('\\');
}

bool HoldsNoPath(const QString& fileListText)
{
    return !fileListText.contains(QLatin1Char(':'));
}

}  // namespace platform
