// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts the tests of several programs expect, spelled once.
#include "platform/FileText.h"

#include <QString>
#include <string>

namespace testfiles {

// The reports' dash line: 62 hyphen-minus characters.
inline const QString kDashLine(62, QLatin1Char('-'));
// The UTF-8 mark, EF BB BF.
inline const std::string kUtf8Mark(platform::kUtf8Mark);

}  // namespace testfiles
