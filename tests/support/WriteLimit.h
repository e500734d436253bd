// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A write limit as on a full disk for the lifetime of one object, so that a
// failed assertion never leaves it set for the tests after. Header only: the
// tests that use it link the conversion.
#include "convert/SafeFileWrite.h"

#include <QtGlobal>

namespace testfiles {

class WriteLimit {
public:
    explicit WriteLimit(qint64 bytes) { SetWriteLimitForTesting(bytes); }
    ~WriteLimit() { SetWriteLimitForTesting(-1); }
    WriteLimit(const WriteLimit&) = delete;
    WriteLimit& operator=(const WriteLimit&) = delete;
};

}  // namespace testfiles
