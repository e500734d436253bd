// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/PositionText.h"

#include <limits>

namespace settings {

namespace {

bool IsSeparator(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char(','); }

bool ParseInteger(const QString& word, int& value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == QLatin1Char('-') || word[i] == QLatin1Char('+'))) {
        negative = word[i] == QLatin1Char('-');
        ++i;
    }
    if (i == word.size())
        return false;
    // Collected as a negative number, so that the smallest int fits too.
    long long magnitude = 0;
    for (; i < word.size(); ++i) {
        const QChar c = word[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        magnitude = magnitude * 10 + (c.unicode() - '0');
        if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    const long long result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(result);
    return true;
}

}  // namespace

QStringList PositionWords(const QString& text)
{
    QStringList words;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSeparator(text[i]))
            ++i;
        const qsizetype start = i;
        while (i < text.size() && !IsSeparator(text[i]))
            ++i;
        if (i > start)
            words.append(text.mid(start, i - start));
    }
    return words;
}

int PositionField(const QString& text, int wordNumber, int defaultValue)
{
    const QStringList words = PositionWords(text);
    if (wordNumber < 1 || wordNumber > words.size())
        return defaultValue;
    int value = 0;
    return ParseInteger(words[wordNumber - 1], value) ? value : defaultValue;
}

bool PositionFieldGiven(const QString& text, int wordNumber)
{
    const QStringList words = PositionWords(text);
    int value = 0;
    return wordNumber >= 1 && wordNumber <= words.size() && ParseInteger(words[wordNumber - 1], value);
}

}  // namespace settings
