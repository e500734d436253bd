// SPDX-License-Identifier: GPL-3.0-or-later
// The locale lowercase.
#include "uXprocs/uXprocs.h"

#include "platform/CodePage.h"

std::string LowerText(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered)
        c = static_cast<char>(platform::AnsiLower(static_cast<unsigned char>(c)));
    return lowered;
}

QString LowerText(const QString& text)
{
    QString lowered = text;
    for (QChar& c : lowered)
        c = QChar(platform::AnsiLower(c.unicode()));
    return lowered;
}
