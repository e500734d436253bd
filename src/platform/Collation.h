// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The order of the file list: the collation of the user's locale with case
// ignored. Each text gets one sort key, and the keys are compared, which is
// far cheaper than collating pairs of texts again and again.
#include <QLocale>
#include <QStringList>

namespace platform {

// Sorts texts in ascending order, case ignored, by the collation of locale
// (the user's locale by default). Texts that collate equal are ordered by
// their characters, so the same texts always come out in the same order.
void SortIgnoringCase(QStringList& texts, const QLocale& locale = QLocale());

}  // namespace platform
