// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"

namespace casenames {

std::string Quoted(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown = "\"";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') {
            shown += c;
        } else {
            shown += "\\x";
            shown += kHex[b >> 4];
            shown += kHex[b & 15];
        }
    }
    return shown + "\"";
}

}  // namespace casenames
