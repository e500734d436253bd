// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodeModule.h"

#include <QFileInfo>

#include <windows.h>

namespace platform {

bool ModuleOfAddress(const void* address, CodeModule& module)
{
    HMODULE handle = nullptr;
    if (!address
        || !::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 static_cast<LPCWSTR>(address), &handle))
        return false;
    // A module's handle is the address it is loaded at.
    module.base = reinterpret_cast<quintptr>(handle);
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(handle, path, MAX_PATH);
    module.fileName = length > 0 ? QFileInfo(QString::fromWCharArray(path, int(length))).fileName() : QString();
    return true;
}

}  // namespace platform
