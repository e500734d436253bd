// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CaseFolding.h"

#include <QChar>
#include <algorithm>
#include <utility>

namespace platform {
namespace {

// The characters that fold to another one, sorted by what they fold to. Every
// cased script lies below U+20000, so the table is made from that range, once.
const std::vector<std::pair<char32_t, char32_t>>& Folded()
{
    static const std::vector<std::pair<char32_t, char32_t>> table = [] {
        std::vector<std::pair<char32_t, char32_t>> pairs;
        for (char32_t c = 0; c < 0x20000; ++c) {
            const char32_t folded = QChar::toCaseFolded(c);
            if (folded != c)
                pairs.emplace_back(folded, c);
        }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }();
    return table;
}

}  // namespace

char32_t FoldCase(char32_t c)
{
    return QChar::toCaseFolded(c);
}

std::vector<char32_t> CaseForms(char32_t c)
{
    const char32_t folded = FoldCase(c);
    std::vector<char32_t> forms{folded};
    const auto& table = Folded();
    auto it = std::lower_bound(table.begin(), table.end(), std::pair<char32_t, char32_t>(folded, 0));
    for (; it != table.end() && it->first == folded; ++it)
        forms.push_back(it->second);
    return forms;
}

}  // namespace platform
