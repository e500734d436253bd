// SPDX-License-Identifier: GPL-3.0-or-later
// The word parser of stored position texts on any text: the words and the
// numeric fields equal a plain reading (split at blanks and commas, a number
// is an optional sign and decimal digits that fit an int).
#include "settings/PositionText.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

QStringList ReferenceWords(const QString& text)
{
    QStringList words;
    QString word;
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char(',')) {
            if (!word.isEmpty())
                words.append(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

// The number by way of a wide integer parse of the ASCII form.
bool ReferenceNumber(const QString& word, int& value)
{
    std::string s = word.toStdString();
    size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i == s.size())
        return false;
    for (size_t j = i; j < s.size(); ++j)
        if (s[j] < '0' || s[j] > '9')
            return false;
    // Strip leading zeros so that a long run of them still fits.
    size_t first = i;
    while (first + 1 < s.size() && s[first] == '0')
        ++first;
    if (s.size() - first > 11)
        return false;
    long long magnitude = std::stoll(s.substr(first));
    const long long v = s[0] == '-' ? -magnitude : magnitude;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = int(v);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList words = settings::PositionWords(text);
    Check(words == ReferenceWords(text));
    for (const QString& word : words)
        Check(!word.isEmpty() && !word.contains(QLatin1Char(' ')) && !word.contains(QLatin1Char(',')));

    const int defaultValue = -7777;
    for (int n = 0; n <= words.size() + 1; ++n) {
        int expected = defaultValue;
        if (n >= 1 && n <= words.size()) {
            int value = 0;
            if (ReferenceNumber(words[n - 1], value))
                expected = value;
        }
        Check(settings::PositionField(text, n, defaultValue) == expected);
    }
    return 0;
}
