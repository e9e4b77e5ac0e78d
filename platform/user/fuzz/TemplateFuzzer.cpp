// Loads arbitrary bytes as the menu, dialog and accelerator templates of a module's resources: a
// damaged resource may only fail to load, never crash, read past its size, leak or hang.
//
// Input: one byte choosing the kind, then the resource's bytes.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/base/ResourceEntry.h"
#include "platform/base/ResourceRegistry.h"
#include "platform/base/Resources.h"
#include "platform/user/DialogTemplate.h"
#include "platform/user/WinDialogs.h"
#include "platform/user/WinMenu.h"
#include "platform/user/WinUser.h"

namespace {

enum class Kind { Menu, Dialog, Accelerators, Count };

// A module handle of its own, which nothing else holds resources for.
const HMODULE kModule = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0xF022));
constexpr WORD kId = 1;

INT_PTR DialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void ReadMenu(HMENU menu, int depth)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count && depth < 40; ++i) {
        char text[64];
        GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i))
            ReadMenu(sub, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto kind = static_cast<Kind>(data[0] % static_cast<int>(Kind::Count));
    // A copy of exactly the resource's size, so that a read past it is seen.
    const std::vector<BYTE> bytes(data + 1, data + size);
    const WORD types[] = { 4, 5, 9 };
    const platform::ResourceEntry entry { nullptr, types[static_cast<int>(kind)], nullptr, kId, 0,
        bytes.empty() ? nullptr : bytes.data(), static_cast<DWORD>(bytes.size()) };
    platform::ResourceRegistry::Instance().Add(kModule, { &entry, 1 });

    switch (kind) {
    case Kind::Menu:
        if (HMENU menu = LoadMenu(kModule, MAKEINTRESOURCE(kId))) {
            ReadMenu(menu, 0);
            DestroyMenu(menu);
        }
        break;
    case Kind::Dialog:
        (void)platform::user::DialogTemplate::Parse(bytes.data(), bytes.size());
        if (HWND dialog = CreateDialogParam(kModule, MAKEINTRESOURCE(kId), nullptr, DialogProc, 0))
            DestroyWindow(dialog);
        break;
    case Kind::Accelerators:
    case Kind::Count:
        if (HACCEL table = LoadAccelerators(kModule, MAKEINTRESOURCE(kId))) {
            ACCEL copy[8];
            CopyAcceleratorTable(table, copy, 8);
            DestroyAcceleratorTable(table);
        }
        break;
    }
    platform::ResourceRegistry::Instance().Remove(&entry);
    return 0;
}
