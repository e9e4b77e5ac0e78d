// Keyboard accelerator tables and their translation into commands.

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "platform/base/Resources.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;

namespace {

struct AcceleratorTables {
    std::map<HACCEL, std::vector<ACCEL>> tables;
    // Tables of resources, so that loading the same resource again gives the same table.
    std::map<const void*, HACCEL> loaded;
    UINT_PTR next { 0x5000 };
};

AcceleratorTables& accelerators()
{
    static AcceleratorTables state;
    return state;
}

constexpr BYTE kLastEntry = 0x80;
constexpr BYTE kFlagMask = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT;
constexpr size_t kResourceEntrySize = 8;

HACCEL addTable(std::vector<ACCEL> entries)
{
    auto lock = WindowManager::Acquire();
    auto& state = accelerators();
    state.next += 4;
    const auto handle = reinterpret_cast<HACCEL>(state.next);
    state.tables.emplace(handle, std::move(entries));
    return handle;
}

bool keyDown(int vk) { return GetKeyState(vk) < 0; }

// True when the menu (or one of its submenus) holds the command grayed or disabled.
bool commandDisabled(HMENU menu, UINT command)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (commandDisabled(sub, command))
                return true;
        } else if (GetMenuItemID(menu, i) == command) {
            return (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) != 0;
        }
    }
    return false;
}

} // namespace

HACCEL CreateAcceleratorTable(LPACCEL entries, int count)
{
    if (!entries || count <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<ACCEL> table(entries, entries + count);
    for (ACCEL& a : table)
        a.fVirt &= kFlagMask;
    return addTable(std::move(table));
}

HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name)
{
    HRSRC info = FindResource(instance, name, RT_ACCELERATOR);
    HGLOBAL data = info ? LoadResource(instance, info) : nullptr;
    const auto* bytes = static_cast<const BYTE*>(LockResource(data));
    if (!bytes)
        return nullptr;
    {
        auto lock = WindowManager::Acquire();
        const auto it = accelerators().loaded.find(bytes);
        if (it != accelerators().loaded.end())
            return it->second;
    }
    const size_t size = SizeofResource(instance, info);
    std::vector<ACCEL> table;
    for (size_t offset = 0; offset + kResourceEntrySize <= size; offset += kResourceEntrySize) {
        const BYTE* e = bytes + offset;
        ACCEL a;
        a.fVirt = static_cast<BYTE>(e[0] & kFlagMask);
        a.key = static_cast<WORD>(e[2] | (e[3] << 8));
        a.cmd = static_cast<WORD>(e[4] | (e[5] << 8));
        table.push_back(a);
        if (e[0] & kLastEntry)
            break;
    }
    if (table.empty()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    HACCEL handle = addTable(std::move(table));
    auto lock = WindowManager::Acquire();
    accelerators().loaded.emplace(bytes, handle);
    return handle;
}

BOOL DestroyAcceleratorTable(HACCEL handle)
{
    auto lock = WindowManager::Acquire();
    auto& state = accelerators();
    if (!state.tables.erase(handle)) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return FALSE;
    }
    std::erase_if(state.loaded, [&](const auto& entry) { return entry.second == handle; });
    return TRUE;
}

int CopyAcceleratorTable(HACCEL handle, LPACCEL out, int count)
{
    auto lock = WindowManager::Acquire();
    const auto it = accelerators().tables.find(handle);
    if (it == accelerators().tables.end()) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return 0;
    }
    const auto& table = it->second;
    if (!out)
        return static_cast<int>(table.size());
    const int n = std::min(count, static_cast<int>(table.size()));
    for (int i = 0; i < n; ++i)
        out[i] = table[static_cast<size_t>(i)];
    return std::max(n, 0);
}

int TranslateAccelerator(HWND hwnd, HACCEL handle, LPMSG msg)
{
    if (!msg || !IsWindow(hwnd))
        return 0;
    const UINT m = msg->message;
    const bool virtualKey = m == WM_KEYDOWN || m == WM_SYSKEYDOWN;
    if (!virtualKey && m != WM_CHAR && m != WM_SYSCHAR)
        return 0;
    std::vector<ACCEL> table;
    {
        auto lock = WindowManager::Acquire();
        const auto it = accelerators().tables.find(handle);
        if (it == accelerators().tables.end()) {
            SetLastError(ERROR_INVALID_ACCEL_HANDLE);
            return 0;
        }
        table = it->second;
    }
    const bool alt = (msg->lParam & KF_ALTDOWN_BIT) != 0 || keyDown(VK_MENU);
    const bool shift = keyDown(VK_SHIFT), control = keyDown(VK_CONTROL);
    const auto key = static_cast<WORD>(msg->wParam);
    const auto match = std::find_if(table.begin(), table.end(), [&](const ACCEL& a) {
        if (a.key != key)
            return false;
        if (a.fVirt & FVIRTKEY)
            return virtualKey && ((a.fVirt & FSHIFT) != 0) == shift && ((a.fVirt & FCONTROL) != 0) == control
                && ((a.fVirt & FALT) != 0) == alt;
        // A character entry: Alt makes it a system character.
        return !virtualKey && ((a.fVirt & FALT) != 0) == (m == WM_SYSCHAR);
    });
    if (match == table.end())
        return 0;
    // A command of the window menu range goes out as a system command; a command the menu bar shows
    // grayed is swallowed, as the menu would not let it be chosen either.
    if (match->cmd >= SC_SIZE) {
        SendMessage(hwnd, WM_SYSCOMMAND, match->cmd, 0);
        return 1;
    }
    HMENU bar = (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) ? nullptr : GetMenu(hwnd);
    if (bar && IsMenu(bar) && commandDisabled(bar, match->cmd))
        return 1;
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(match->cmd, 1), 0);
    return 1;
}
