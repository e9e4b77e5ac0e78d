// The in-process clipboard. Its state sits under the window manager's lock like the rest of the
// window manager's process-wide state.

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/base/CaseFold.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/Thread.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;

namespace {

struct ClipboardState {
    DWORD openThread { 0 };
    HWND openWindow { nullptr };
    HWND owner { nullptr };
    // Formats in the order they were set.
    std::vector<std::pair<UINT, HANDLE>> formats;
    std::map<UINT, std::string> registeredNames;
};

ClipboardState& clipboard()
{
    static ClipboardState state;
    return state;
}

bool openedHere(const ClipboardState& state)
{
    if (state.openThread == GetCurrentThreadId())
        return true;
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
}

// Bitmaps and palettes are GDI objects; everything else is global memory.
void freeData(UINT format, HANDLE data)
{
    if (!data)
        return;
    if (format == CF_BITMAP || format == CF_PALETTE)
        DeleteObject(static_cast<HGDIOBJ>(data));
    else
        GlobalFree(static_cast<HGLOBAL>(data));
}

} // namespace

BOOL OpenClipboard(HWND hwnd)
{
    auto lock = WindowManager::Acquire();
    auto& state = clipboard();
    if (state.openThread && state.openThread != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    state.openThread = GetCurrentThreadId();
    state.openWindow = hwnd;
    return TRUE;
}

BOOL CloseClipboard()
{
    auto lock = WindowManager::Acquire();
    auto& state = clipboard();
    if (!openedHere(state))
        return FALSE;
    state.openThread = 0;
    state.openWindow = nullptr;
    return TRUE;
}

BOOL EmptyClipboard()
{
    std::vector<std::pair<UINT, HANDLE>> old;
    {
        auto lock = WindowManager::Acquire();
        auto& state = clipboard();
        if (!openedHere(state))
            return FALSE;
        old.swap(state.formats);
        state.owner = state.openWindow;
    }
    for (const auto& [format, data] : old)
        freeData(format, data);
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    if (!data || format == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HANDLE replaced = nullptr;
    {
        auto lock = WindowManager::Acquire();
        auto& state = clipboard();
        if (!openedHere(state))
            return nullptr;
        auto it = std::find_if(
            state.formats.begin(), state.formats.end(), [&](const auto& entry) { return entry.first == format; });
        if (it != state.formats.end())
            replaced = std::exchange(it->second, data);
        else
            state.formats.emplace_back(format, data);
    }
    if (replaced != data)
        freeData(format, replaced);
    return data;
}

HANDLE GetClipboardData(UINT format)
{
    auto lock = WindowManager::Acquire();
    auto& state = clipboard();
    if (!openedHere(state))
        return nullptr;
    for (const auto& [f, data] : state.formats)
        if (f == format)
            return data;
    return nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    auto lock = WindowManager::Acquire();
    const auto& formats = clipboard().formats;
    return std::any_of(formats.begin(), formats.end(), [&](const auto& entry) { return entry.first == format; })
        ? TRUE
        : FALSE;
}

UINT RegisterClipboardFormat(LPCSTR name)
{
    // Formats and window messages share one table of names, so a name gives the same number to both.
    const UINT id = RegisterWindowMessage(name);
    if (id) {
        auto lock = WindowManager::Acquire();
        clipboard().registeredNames.emplace(id, name);
    }
    return id;
}

int GetClipboardFormatName(UINT format, LPSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    auto lock = WindowManager::Acquire();
    const auto& names = clipboard().registeredNames;
    const auto it = names.find(format);
    if (it == names.end()) {
        buffer[0] = 0;
        return 0;
    }
    size_t n = std::min<size_t>(it->second.size(), static_cast<size_t>(size) - 1);
    while (n > 0 && n < it->second.size() && (static_cast<unsigned char>(it->second[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, it->second.data(), n);
    buffer[n] = 0;
    return static_cast<int>(n);
}

int CountClipboardFormats()
{
    auto lock = WindowManager::Acquire();
    return static_cast<int>(clipboard().formats.size());
}

UINT EnumClipboardFormats(UINT format)
{
    auto lock = WindowManager::Acquire();
    auto& state = clipboard();
    if (!openedHere(state))
        return 0;
    SetLastError(ERROR_SUCCESS);
    const auto& formats = state.formats;
    if (format == 0)
        return formats.empty() ? 0 : formats.front().first;
    auto it = std::find_if(formats.begin(), formats.end(), [&](const auto& entry) { return entry.first == format; });
    if (it == formats.end() || ++it == formats.end())
        return 0;
    return it->first;
}

HWND GetClipboardOwner()
{
    auto lock = WindowManager::Acquire();
    HWND owner = clipboard().owner;
    return IsWindow(owner) ? owner : nullptr;
}

HWND GetOpenClipboardWindow()
{
    auto lock = WindowManager::Acquire();
    return clipboard().openThread ? clipboard().openWindow : nullptr;
}
