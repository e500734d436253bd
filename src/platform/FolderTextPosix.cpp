// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderText.h"

namespace platform {

QString DesignedStartFolder()
{
    return QStringLiteral("/tmp");
}

QString WithTrailingSeparator(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

bool HoldsNoPath(const QString& fileListText)
{
    return !fileListText.contains(QLatin1Char(':')) && !fileListText.contains(QLatin1Char('/'));
}

}  // namespace platform
