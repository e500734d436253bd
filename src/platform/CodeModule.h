// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which loaded module (the executable or a shared library) holds a code
// address, for the start-up failure text.
#include <QString>
#include <QtGlobal>

namespace platform {

struct CodeModule {
    QString fileName;  // without its folder
    quintptr base = 0;  // where the module starts in memory
};

// The module that holds address; false when no module is known to.
bool ModuleOfAddress(const void* address, CodeModule& module);

}  // namespace platform
