// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Collation.h"
#include "platform/SortByKeys.h"

#include <QCollator>
#include <vector>

namespace platform {
namespace {

struct CollatorKeys {
    std::vector<QCollatorSortKey> keys;
    int Compare(qsizetype a, qsizetype b) const { return keys[size_t(a)].compare(keys[size_t(b)]); }
};

// The C locale collates by code units, and Qt's collator then ignores the
// case option in its sort keys; folding the case first gives the same order
// with case ignored.
struct FoldedKeys {
    std::vector<QString> keys;
    int Compare(qsizetype a, qsizetype b) const { return keys[size_t(a)].compare(keys[size_t(b)]); }
};

}  // namespace

void SortIgnoringCase(QStringList& texts, const QLocale& locale)
{
    if (texts.size() < 2)
        return;
    if (locale.language() == QLocale::C) {
        FoldedKeys folded;
        folded.keys.reserve(size_t(texts.size()));
        for (const QString& text : texts)
            folded.keys.push_back(text.toCaseFolded());
        SortByKeys(texts, folded);
        return;
    }
    QCollator collator{locale};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    CollatorKeys collated;
    collated.keys.reserve(size_t(texts.size()));
    for (const QString& text : texts)
        collated.keys.push_back(collator.sortKey(text));
    SortByKeys(texts, collated);
}

}  // namespace platform
