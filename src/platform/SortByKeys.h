// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sort of the file list by sort keys, one made per line, with the lines
// themselves as the tie-break so that the order is the same every time. Each
// system makes its keys in its own way.
#include <QStringList>
#include <algorithm>
#include <numeric>
#include <vector>

namespace platform {

// Sorts texts by one key per text; keys.Compare(a, b) compares the keys of
// the texts at indexes a and b as a three-way result.
template <typename Keys>
void SortByKeys(QStringList& texts, const Keys& keys)
{
    std::vector<qsizetype> order(size_t(texts.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byKey = keys.Compare(a, b);
        if (byKey != 0)
            return byKey < 0;
        return texts[a] < texts[b];
    });
    QStringList sorted;
    sorted.reserve(texts.size());
    for (qsizetype i : order)
        sorted.append(std::move(texts[i]));
    texts = std::move(sorted);
}

}  // namespace platform
