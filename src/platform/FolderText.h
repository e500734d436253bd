// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Folder and file-list texts as the system writes paths: "/" on Linux; a
// backslash and drive letters on Windows.
#include <QString>

namespace platform {

// The start folder the window is designed with: "/tmp", or "c:\tmp" on Windows.
QString DesignedStartFolder();

// The folder text with a trailing separator. Empty stays empty. On Linux a
// text that ends in "/" stays as it is, any other gets "/". On Windows a
// text that ends in ":" or "\" stays as it is ("c:" names the drive's
// current folder), a lone letter becomes a drive's root ("x" gives "x:\"),
// and any other gets "\".
QString WithTrailingSeparator(const QString& folder);

// Whether a file-list text holds no path yet (the placeholder "Filer", an
// emptied list): neither ":" nor "/" anywhere in it on Linux, no ":" on
// Windows, where every full path has its drive's colon.
bool HoldsNoPath(const QString& fileListText);

}  // namespace platform
