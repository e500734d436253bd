// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Collation.h"

#include <windows.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace platform {
namespace {

// The system's name of a locale: the user's own, the invariant one for C,
// or the BCP 47 name.
std::wstring LocaleName(const QLocale& locale, bool& userDefault)
{
    userDefault = locale == QLocale::system();
    if (userDefault || locale.language() == QLocale::C)
        return std::wstring();
    return locale.bcp47Name().toStdWString();
}

// The system's sort key of a text under the word sort with case ignored:
// comparing two keys byte by byte gives what comparing the texts with
// CompareStringEx would.
std::string SortKey(const wchar_t* locale, const QString& text)
{
    if (text.isEmpty())
        return std::string();
    const auto* source = reinterpret_cast<const wchar_t*>(text.utf16());
    const int length = int(text.size());
    const int size = ::LCMapStringEx(locale, LCMAP_SORTKEY | NORM_IGNORECASE, source, length, nullptr, 0,
                                     nullptr, nullptr, 0);
    if (size <= 0)
        return std::string();
    std::string key(size_t(size), '\0');
    ::LCMapStringEx(locale, LCMAP_SORTKEY | NORM_IGNORECASE, source, length,
                    reinterpret_cast<wchar_t*>(key.data()), size, nullptr, nullptr, 0);
    // The key ends in a NUL byte, which compares as nothing.
    while (!key.empty() && key.back() == '\0')
        key.pop_back();
    return key;
}

}  // namespace

void SortIgnoringCase(QStringList& texts, const QLocale& locale)
{
    if (texts.size() < 2)
        return;
    bool userDefault = false;
    const std::wstring name = LocaleName(locale, userDefault);
    const wchar_t* const localeName = userDefault ? LOCALE_NAME_USER_DEFAULT : name.c_str();
    std::vector<std::string> keys;
    keys.reserve(size_t(texts.size()));
    for (const QString& text : texts)
        keys.push_back(SortKey(localeName, text));
    std::vector<qsizetype> order(size_t(texts.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byKey = keys[size_t(a)].compare(keys[size_t(b)]);
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
