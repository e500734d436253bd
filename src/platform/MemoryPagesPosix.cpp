// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MemoryPages.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

namespace platform {
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kTunable = "glibc.malloc.hugetlb=1";
// Set for the second start: "1" and the caller's tunables, or "0" when the
// caller had none.
constexpr const char* kCallers = "FILSOK_CALLERS_TUNABLES";

// The kernel gives large pages to memory that asks for them ("madvise") or
// to all ("always"); "[never]" gives none.
bool SystemHasLargePages()
{
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string text;
    std::getline(mode, text);
    return !text.empty() && text.find("[never]") == std::string::npos;
}

void RestoreCallersTunables(const char* callers)
{
    if (callers[0] == '1')
        ::setenv(kTunables, callers + 1, 1);
    else
        ::unsetenv(kTunables);
    ::unsetenv(kCallers);
}

}  // namespace

void UseLargeMemoryPages(char** argv)
{
    if (const char* callers = std::getenv(kCallers)) {
        // The second start: the C library read its tunables as it started.
        RestoreCallersTunables(callers);
        return;
    }
    const char* tunables = std::getenv(kTunables);
    if ((tunables && std::strstr(tunables, "glibc.malloc.hugetlb")) || !SystemHasLargePages())
        return;
    // Under valgrind the program's file is valgrind's own tool.
    if (const char* preload = std::getenv("LD_PRELOAD"); preload && std::strstr(preload, "vgpreload"))
        return;
    const std::string callers = tunables ? std::string("1") + tunables : std::string("0");
    const std::string wanted = tunables && *tunables ? std::string(tunables) + ":" + kTunable : std::string(kTunable);
    ::setenv(kCallers, callers.c_str(), 1);
    ::setenv(kTunables, wanted.c_str(), 1);
    ::execv("/proc/self/exe", argv);
    // The program goes on as it is.
    RestoreCallersTunables(callers.c_str());
}

}  // namespace platform
