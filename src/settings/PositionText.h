// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words of a stored position text such as "10,20,950,570": runs of
// characters that are neither blanks nor commas. Separators at the start are
// skipped and a run of them counts once, so "10, 20" and "10,,20" both hold
// the two words 10 and 20.
#include <QString>
#include <QStringList>

namespace settings {

QStringList PositionWords(const QString& text);

// Word number wordNumber (from 1) of text as an integer: an optional minus
// or plus sign and decimal digits that fit an int. A missing word, or one
// that is not such a number, gives defaultValue.
int PositionField(const QString& text, int wordNumber, int defaultValue);
// Whether that word is there and such a number, so its default is not used.
bool PositionFieldGiven(const QString& text, int wordNumber);

}  // namespace settings
