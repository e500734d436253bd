// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the rows of a table test read in test names: a text in quotes, every
// byte outside printable ASCII (and the quote and backslash) as \xHH, so that
// ctest lists cases a person can read, in any locale.
#include <QString>
#include <ostream>
#include <string>
#include <string_view>

namespace casenames {

std::string Quoted(std::string_view bytes);
inline std::string Quoted(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return Quoted(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

}  // namespace casenames
