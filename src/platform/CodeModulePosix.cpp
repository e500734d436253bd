// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodeModule.h"

#include <QFileInfo>
#include <dlfcn.h>

namespace platform {

bool ModuleOfAddress(const void* address, CodeModule& module)
{
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fbase)
        return false;
    module.base = quintptr(info.dli_fbase);
    module.fileName.clear();
    if (info.dli_fname && *info.dli_fname)
        module.fileName = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).fileName();
    return true;
}

}  // namespace platform
