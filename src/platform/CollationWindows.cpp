// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Collation.h"
#include "platform/SortByKeys.h"

#include <windows.h>

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

// The system's sort keys are byte strings, compared byte by byte.
struct ByteKeys {
    std::vector<std::string> keys;
    int Compare(qsizetype a, qsizetype b) const { return keys[size_t(a)].compare(keys[size_t(b)]); }
};

}  // namespace

void SortIgnoringCase(QStringList& texts, const QLocale& locale)
{
    if (texts.size() < 2)
        return;
    bool userDefault = false;
    const std::wstring name = LocaleName(locale, userDefault);
    const wchar_t* const localeName = userDefault ? LOCALE_NAME_USER_DEFAULT : name.c_str();
    ByteKeys byteKeys;
    byteKeys.keys.reserve(size_t(texts.size()));
    for (const QString& text : texts)
        byteKeys.keys.push_back(SortKey(localeName, text));
    SortByKeys(texts, byteKeys);
}

}  // namespace platform
