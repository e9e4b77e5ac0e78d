// Hook chains. The newest hook runs first; each decides whether to call the next (CallNextHookEx).
// A hook installed for thread 0 sees every thread's events.

#include <algorithm>
#include <vector>

#include "platform/base/Thread.h"
#include "platform/user/Internal.h"
#include "platform/user/WindowManager.h"

namespace {

struct Hook {
    HHOOK handle { nullptr };
    int id { 0 };
    HOOKPROC proc { nullptr };
    DWORD threadId { 0 };
};

std::vector<Hook>& hooks()
{
    static std::vector<Hook> list;
    return list;
}

UINT_PTR g_nextHook { 0x3000 };

bool appliesHere(const Hook& h, DWORD thread) { return h.threadId == 0 || h.threadId == thread; }

// The first hook of the chain of `id` after position `from` that applies to the calling thread.
HOOKPROC nextHook(int id, size_t from)
{
    auto lock = platform::user::WindowManager::Acquire();
    const DWORD thread = GetCurrentThreadId();
    auto& list = hooks();
    for (size_t i = from; i < list.size(); ++i)
        if (list[i].id == id && appliesHere(list[i], thread))
            return list[i].proc;
    return nullptr;
}

} // namespace

namespace platform::user {

bool HasHooks(int idHook)
{
    auto lock = WindowManager::Acquire();
    const DWORD thread = GetCurrentThreadId();
    return std::any_of(
        hooks().begin(), hooks().end(), [&](const Hook& h) { return h.id == idHook && appliesHere(h, thread); });
}

LRESULT CallHooks(int idHook, int code, WPARAM wParam, LPARAM lParam, bool* called)
{
    HOOKPROC proc = nextHook(idHook, 0);
    if (called)
        *called = proc != nullptr;
    return proc ? proc(code, wParam, lParam) : 0;
}

} // namespace platform::user

HHOOK SetWindowsHookEx(int id, HOOKPROC proc, HINSTANCE, DWORD threadId)
{
    switch (id) {
    case WH_MSGFILTER:
    case WH_KEYBOARD:
    case WH_GETMESSAGE:
    case WH_CALLWNDPROC:
    case WH_CBT:
    case WH_SYSMSGFILTER:
    case WH_MOUSE:
        break;
    default:
        SetLastError(ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    if (!proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = platform::user::WindowManager::Acquire();
    g_nextHook += 4;
    Hook hook { reinterpret_cast<HHOOK>(g_nextHook), id, proc, threadId };
    hooks().insert(hooks().begin(), hook);
    return hook.handle;
}

LRESULT CallNextHookEx(HHOOK hhk, int code, WPARAM wParam, LPARAM lParam)
{
    int id = 0;
    size_t from = 0;
    {
        auto lock = platform::user::WindowManager::Acquire();
        auto& list = hooks();
        auto it = std::find_if(list.begin(), list.end(), [&](const Hook& h) { return h.handle == hhk; });
        if (it == list.end())
            return 0;
        id = it->id;
        from = static_cast<size_t>(it - list.begin()) + 1;
    }
    HOOKPROC proc = nextHook(id, from);
    return proc ? proc(code, wParam, lParam) : 0;
}

BOOL UnhookWindowsHookEx(HHOOK hhk)
{
    auto lock = platform::user::WindowManager::Acquire();
    auto& list = hooks();
    auto it = std::find_if(list.begin(), list.end(), [&](const Hook& h) { return h.handle == hhk; });
    if (it == list.end()) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    list.erase(it);
    return TRUE;
}
