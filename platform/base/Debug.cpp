#include "platform/base/Debug.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {
std::mutex g_hookMutex;
platform::DebugOutputHook g_hook;
}

void OutputDebugStringA(LPCSTR lpOutputString)
{
    if (!lpOutputString)
        return;
    {
        std::lock_guard lock(g_hookMutex);
        if (g_hook)
            g_hook(lpOutputString);
    }
    static const bool toStderr = std::getenv("TUNESTEWARD_DEBUG") != nullptr;
    if (toStderr)
        std::fputs(lpOutputString, stderr);
}

namespace platform {

DebugOutputHook SetDebugOutputHook(DebugOutputHook hook)
{
    std::lock_guard lock(g_hookMutex);
    std::swap(g_hook, hook);
    return hook;
}

} // namespace platform
