// Menu objects: the handle table, items and their flags, templates, and the window menu.

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/base/CodePage.h"
#include "platform/base/Resources.h"
#include "platform/user/Menu.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;

namespace platform::user {

MenuTable& MenuTable::Instance()
{
    static MenuTable table;
    return table;
}

Menu* MenuTable::find(HMENU handle) const
{
    if (!handle)
        return nullptr;
    const auto it = std::find_if(
        m_menus.begin(), m_menus.end(), [&](const std::unique_ptr<Menu>& m) { return m->handle == handle; });
    return it == m_menus.end() ? nullptr : it->get();
}

HMENU MenuTable::add(bool popup)
{
    m_next += 4;
    auto menu = std::make_unique<Menu>();
    menu->handle = reinterpret_cast<HMENU>(m_next);
    menu->popup = popup;
    m_menus.push_back(std::move(menu));
    return m_menus.back()->handle;
}

std::unique_ptr<Menu> MenuTable::take(HMENU handle)
{
    const auto it = std::find_if(
        m_menus.begin(), m_menus.end(), [&](const std::unique_ptr<Menu>& m) { return m->handle == handle; });
    if (it == m_menus.end())
        return nullptr;
    std::unique_ptr<Menu> menu = std::move(*it);
    m_menus.erase(it);
    return menu;
}

Menu* LookupMenu(HMENU handle)
{
    Menu* menu = MenuTable::Instance().find(handle);
    if (!menu)
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    return menu;
}

namespace {

// Depth-first by command: a plain item of this menu or of a submenu, or a popup item whose id is the
// command. `depth` bounds a menu that was made to contain itself.
bool findByCommand(Menu& menu, UINT command, Menu*& found, size_t& index, int depth)
{
    if (depth > 32)
        return false;
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        if (item.subMenu) {
            if (Menu* sub = MenuTable::Instance().find(item.subMenu); sub && findByCommand(*sub, command, found, index, depth + 1))
                return true;
        }
        if (item.id == command) {
            found = &menu;
            index = i;
            return true;
        }
    }
    return false;
}

} // namespace

bool FindMenuItem(HMENU handle, UINT item, bool byPosition, Menu*& menu, size_t& index)
{
    Menu* m = LookupMenu(handle);
    if (!m)
        return false;
    if (byPosition) {
        if (item >= m->items.size()) {
            SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
            return false;
        }
        menu = m;
        index = item;
        return true;
    }
    if (findByCommand(*m, item, menu, index, 0))
        return true;
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return false;
}

UINT MenuMnemonic(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        const auto c = static_cast<unsigned char>(text[i + 1]);
        return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
    }
    return 0;
}

} // namespace platform::user

namespace {

constexpr UINT kTypeFlags = MFT_BITMAP | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_OWNERDRAW | MFT_RADIOCHECK
    | MFT_SEPARATOR | MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
constexpr UINT kStateFlags = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;

// An item from the flags and arguments of AppendMenu, InsertMenu and ModifyMenu.
MenuItem itemFromFlags(UINT flags, UINT_PTR idOrMenu, LPCSTR content)
{
    MenuItem item;
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    item.type = flags & (MF_MENUBARBREAK | MF_MENUBREAK | MF_HELP);
    if (flags & MF_POPUP) {
        item.subMenu = reinterpret_cast<HMENU>(idOrMenu);
        item.id = static_cast<UINT>(idOrMenu);
    } else {
        item.id = static_cast<UINT>(idOrMenu);
    }
    if (flags & MF_SEPARATOR) {
        item.type |= MFT_SEPARATOR;
        item.id = 0;
    } else if (flags & MF_OWNERDRAW) {
        item.type |= MFT_OWNERDRAW;
        item.data = reinterpret_cast<ULONG_PTR>(content);
    } else if (flags & MF_BITMAP) {
        item.type |= MFT_BITMAP;
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(content));
    } else if (content) {
        item.text = content;
    }
    return item;
}

// A submenu must be a live menu, and adding it must not make a menu contain itself.
bool submenuAcceptable(HMENU parent, HMENU sub, int depth = 0)
{
    if (!sub)
        return true;
    if (sub == parent || depth > 32)
        return false;
    Menu* m = MenuTable::Instance().find(sub);
    if (!m)
        return false;
    for (const MenuItem& item : m->items)
        if (item.subMenu && !submenuAcceptable(parent, item.subMenu, depth + 1))
            return false;
    return true;
}

bool insertItem(HMENU handle, UINT position, bool byPosition, MenuItem item)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = LookupMenu(handle);
    if (!menu)
        return false;
    if (!submenuAcceptable(handle, item.subMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return false;
    }
    size_t index = menu->items.size();
    if (position != static_cast<UINT>(-1)) {
        Menu* owner = nullptr;
        size_t at = 0;
        if (byPosition) {
            index = std::min<size_t>(position, menu->items.size());
        } else if (FindMenuItem(handle, position, false, owner, at)) {
            menu = owner;
            index = at;
        } else {
            return false;
        }
    }
    menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    return true;
}

void destroyMenuTree(HMENU handle, int depth)
{
    std::unique_ptr<Menu> menu = MenuTable::Instance().take(handle);
    if (!menu || depth > 32)
        return;
    for (const MenuItem& item : menu->items)
        if (item.subMenu)
            destroyMenuTree(item.subMenu, depth + 1);
}

BOOL removeItem(HMENU handle, UINT position, UINT flags, bool destroySubmenu)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = nullptr;
    size_t index = 0;
    if (!FindMenuItem(handle, position, (flags & MF_BYPOSITION) != 0, menu, index))
        return FALSE;
    const HMENU sub = menu->items[index].subMenu;
    menu->items.erase(menu->items.begin() + static_cast<std::ptrdiff_t>(index));
    if (sub && destroySubmenu)
        destroyMenuTree(sub, 0);
    return TRUE;
}

std::string narrow(const std::u16string& text)
{
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(
        CP_UTF8, 0, reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(n, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()), out.data(), n,
        nullptr, nullptr);
    return out;
}

// Reads menu templates with every read checked against the data's end.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    HMENU read()
    {
        WORD version = 0, offset = 0;
        if (!word(version) || !word(offset) || version > 1)
            return nullptr;
        m_pos = 4 + static_cast<size_t>(offset);
        if (m_pos > m_size)
            return nullptr;
        HMENU menu = CreateMenu();
        if (!(version == 1 ? extendedLevel(menu, 0) : level(menu, 0))) {
            DestroyMenu(menu);
            return nullptr;
        }
        return menu;
    }

private:
    bool word(WORD& v)
    {
        if (m_pos + 2 > m_size)
            return false;
        v = static_cast<WORD>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return true;
    }
    bool dword(DWORD& v)
    {
        WORD low = 0, high = 0;
        if (!word(low) || !word(high))
            return false;
        v = low | (static_cast<DWORD>(high) << 16);
        return true;
    }
    bool text(std::string& out)
    {
        std::u16string units;
        for (WORD unit = 0;;) {
            if (!word(unit))
                return false;
            if (!unit)
                break;
            units.push_back(static_cast<char16_t>(unit));
        }
        out = narrow(units);
        return true;
    }

    // A top level of nothing is an empty menu; a popup's level ends at the item marked last.
    bool level(HMENU menu, int depth)
    {
        if (depth > 32)
            return false;
        if (depth == 0 && m_pos >= m_size)
            return true;
        for (;;) {
            WORD flags = 0, id = 0;
            std::string label;
            if (!word(flags))
                return false;
            MenuItem item;
            item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
            item.type = flags & (MF_MENUBARBREAK | MF_MENUBREAK | MF_HELP | MF_OWNERDRAW);
            if (flags & MF_POPUP) {
                if (!text(label))
                    return false;
                item.subMenu = CreatePopupMenu();
                item.id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.subMenu));
                item.text = std::move(label);
                if (!insertItem(menu, static_cast<UINT>(-1), true, item) || !level(item.subMenu, depth + 1))
                    return false;
            } else {
                if (!word(id) || !text(label))
                    return false;
                item.id = id;
                if ((flags & MF_SEPARATOR) || (id == 0 && label.empty() && !(flags & MF_OWNERDRAW)))
                    item.type |= MFT_SEPARATOR;
                item.text = std::move(label);
                if (!insertItem(menu, static_cast<UINT>(-1), true, item))
                    return false;
            }
            if (flags & MF_END)
                return true;
        }
    }

    bool extendedLevel(HMENU menu, int depth)
    {
        if (depth > 32)
            return false;
        if (depth == 0 && m_pos >= m_size)
            return true;
        for (;;) {
            DWORD type = 0, state = 0, id = 0;
            WORD info = 0;
            MenuItem item;
            if (!dword(type) || !dword(state) || !dword(id) || !word(info) || !text(item.text))
                return false;
            m_pos = (m_pos + 3) & ~static_cast<size_t>(3);
            item.type = type & kTypeFlags;
            item.state = state & kStateFlags;
            item.id = id;
            if (info & 0x01) {
                DWORD helpId = 0;
                if (!dword(helpId))
                    return false;
                item.subMenu = CreatePopupMenu();
                if (!insertItem(menu, static_cast<UINT>(-1), true, item) || !extendedLevel(item.subMenu, depth + 1))
                    return false;
            } else if (!insertItem(menu, static_cast<UINT>(-1), true, item)) {
                return false;
            }
            if (info & 0x80)
                return true;
        }
    }

    const BYTE* m_data;
    size_t m_size;
    size_t m_pos { 0 };
};

struct SystemMenuEntry {
    UINT id;
    const char* text;
};
constexpr SystemMenuEntry kSystemMenu[] = {
    { SC_RESTORE, "&Restore" },
    { SC_MOVE, "&Move" },
    { SC_SIZE, "&Size" },
    { SC_MINIMIZE, "Mi&nimize" },
    { SC_MAXIMIZE, "Ma&ximize" },
    { 0, nullptr },
    { SC_CLOSE, "&Close\tAlt+F4" },
};

std::map<HWND, HMENU>& systemMenus()
{
    static std::map<HWND, HMENU> menus;
    return menus;
}

size_t copyText(const std::string& text, LPSTR buffer, size_t size)
{
    if (!buffer || size == 0)
        return 0;
    size_t n = std::min(text.size(), size - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return n;
}

} // namespace

HMENU CreateMenu()
{
    auto lock = WindowManager::Acquire();
    return MenuTable::Instance().add(false);
}

HMENU CreatePopupMenu()
{
    auto lock = WindowManager::Acquire();
    return MenuTable::Instance().add(true);
}

BOOL DestroyMenu(HMENU handle)
{
    auto lock = WindowManager::Acquire();
    if (!LookupMenu(handle))
        return FALSE;
    destroyMenuTree(handle, 0);
    std::erase_if(systemMenus(), [&](const auto& entry) { return entry.second == handle; });
    return TRUE;
}

BOOL IsMenu(HMENU handle)
{
    auto lock = WindowManager::Acquire();
    return MenuTable::Instance().find(handle) ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, LPCSTR content)
{
    return insertItem(menu, static_cast<UINT>(-1), true, itemFromFlags(flags, id, content)) ? TRUE : FALSE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR content)
{
    return insertItem(menu, position, (flags & MF_BYPOSITION) != 0, itemFromFlags(flags, id, content)) ? TRUE : FALSE;
}

BOOL ModifyMenu(HMENU handle, UINT position, UINT flags, UINT_PTR id, LPCSTR content)
{
    HMENU oldSub = nullptr;
    {
        auto lock = WindowManager::Acquire();
        Menu* menu = nullptr;
        size_t index = 0;
        if (!FindMenuItem(handle, position, (flags & MF_BYPOSITION) != 0, menu, index))
            return FALSE;
        MenuItem item = itemFromFlags(flags, id, content);
        if (!submenuAcceptable(handle, item.subMenu)) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return FALSE;
        }
        MenuItem& old = menu->items[index];
        item.checkedBitmap = old.checkedBitmap;
        item.uncheckedBitmap = old.uncheckedBitmap;
        if (!(flags & MF_OWNERDRAW))
            item.data = old.data;
        if (old.subMenu != item.subMenu)
            oldSub = old.subMenu;
        old = std::move(item);
    }
    // The submenu the item opened is gone with it.
    if (oldSub)
        DestroyMenu(oldSub);
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, true); }

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, false); }

int GetMenuItemCount(HMENU handle)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = LookupMenu(handle);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU handle, int position)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = nullptr;
    size_t index = 0;
    if (position < 0 || !FindMenuItem(handle, static_cast<UINT>(position), true, menu, index))
        return static_cast<UINT>(-1);
    const MenuItem& item = menu->items[index];
    return item.subMenu ? static_cast<UINT>(-1) : item.id;
}

UINT GetMenuState(HMENU handle, UINT position, UINT flags)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = nullptr;
    size_t index = 0;
    if (!FindMenuItem(handle, position, (flags & MF_BYPOSITION) != 0, menu, index))
        return static_cast<UINT>(-1);
    const MenuItem& item = menu->items[index];
    UINT state = (item.type & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP))
        | (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT));
    if (item.subMenu) {
        const Menu* sub = MenuTable::Instance().find(item.subMenu);
        const UINT count = sub ? static_cast<UINT>(std::min<size_t>(sub->items.size(), 0xFF)) : 0;
        state = MF_POPUP | (count << 8) | (state & 0xFF);
    }
    return state;
}

int GetMenuString(HMENU handle, UINT position, LPSTR buffer, int size, UINT flags)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = nullptr;
    size_t index = 0;
    if (!FindMenuItem(handle, position, (flags & MF_BYPOSITION) != 0, menu, index)) {
        if (buffer && size > 0)
            buffer[0] = 0;
        return 0;
    }
    const std::string& text = menu->items[index].text;
    if (!buffer)
        return static_cast<int>(text.size());
    return static_cast<int>(copyText(text, buffer, size > 0 ? static_cast<size_t>(size) : 0));
}

BOOL GetMenuItemInfo(HMENU handle, UINT position, BOOL byPosition, LPMENUITEMINFO info)
{
    if (!info || info->cbSize < offsetof(MENUITEMINFO, hbmpItem)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = WindowManager::Acquire();
    Menu* menu = nullptr;
    size_t index = 0;
    if (!FindMenuItem(handle, position, byPosition != FALSE, menu, index))
        return FALSE;
    const MenuItem& item = menu->items[index];
    const UINT mask = info->fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE))
        info->fType = item.type;
    if (mask & MIIM_STATE)
        info->fState = item.state;
    if (mask & MIIM_ID)
        info->wID = item.id;
    if (mask & MIIM_SUBMENU)
        info->hSubMenu = item.subMenu;
    if (mask & MIIM_CHECKMARKS) {
        info->hbmpChecked = item.checkedBitmap;
        info->hbmpUnchecked = item.uncheckedBitmap;
    }
    if (mask & MIIM_DATA)
        info->dwItemData = item.data;
    if ((mask & MIIM_BITMAP) && info->cbSize >= sizeof(MENUITEMINFO))
        info->hbmpItem = item.bitmap;
    const bool textItem = !(item.type & (MFT_BITMAP | MFT_SEPARATOR | MFT_OWNERDRAW));
    if ((mask & MIIM_TYPE) && (item.type & MFT_BITMAP)) {
        info->dwTypeData = reinterpret_cast<LPSTR>(item.bitmap);
    } else if ((mask & MIIM_STRING) || ((mask & MIIM_TYPE) && textItem)) {
        if (info->dwTypeData && info->cch > 0)
            info->cch = static_cast<UINT>(copyText(item.text, info->dwTypeData, info->cch));
        else
            info->cch = static_cast<UINT>(item.text.size());
    }
    return TRUE;
}

namespace {

// Applies the fields of an item description to an item.
bool applyInfo(HMENU parent, MenuItem& item, const MENUITEMINFO& info, HMENU& droppedSubmenu)
{
    const UINT mask = info.fMask;
    if (mask & MIIM_SUBMENU) {
        if (!submenuAcceptable(parent, info.hSubMenu)) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return false;
        }
        if (item.subMenu != info.hSubMenu)
            droppedSubmenu = item.subMenu;
        item.subMenu = info.hSubMenu;
    }
    if (mask & MIIM_TYPE) {
        item.type = info.fType & kTypeFlags;
        if (item.type & MFT_BITMAP)
            item.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
        else if (!(item.type & (MFT_SEPARATOR | MFT_OWNERDRAW)))
            item.text = info.dwTypeData ? info.dwTypeData : "";
    }
    if (mask & MIIM_FTYPE)
        item.type = (info.fType & kTypeFlags & ~MFT_BITMAP) | (item.type & MFT_BITMAP);
    if (mask & MIIM_STRING)
        item.text = info.dwTypeData ? info.dwTypeData : "";
    if (mask & MIIM_STATE)
        item.state = info.fState & kStateFlags;
    if (mask & MIIM_ID)
        item.id = info.wID;
    if (mask & MIIM_CHECKMARKS) {
        item.checkedBitmap = info.hbmpChecked;
        item.uncheckedBitmap = info.hbmpUnchecked;
    }
    if (mask & MIIM_DATA)
        item.data = info.dwItemData;
    if ((mask & MIIM_BITMAP) && info.cbSize >= sizeof(MENUITEMINFO))
        item.bitmap = info.hbmpItem;
    return true;
}

} // namespace

BOOL SetMenuItemInfo(HMENU handle, UINT position, BOOL byPosition, LPCMENUITEMINFO info)
{
    if (!info || info->cbSize < offsetof(MENUITEMINFO, hbmpItem)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = WindowManager::Acquire();
    Menu* menu = nullptr;
    size_t index = 0;
    if (!FindMenuItem(handle, position, byPosition != FALSE, menu, index))
        return FALSE;
    // The item changes only when every field is acceptable. A submenu replaced is the caller's again.
    MenuItem changed = menu->items[index];
    HMENU dropped = nullptr;
    if (!applyInfo(handle, changed, *info, dropped))
        return FALSE;
    menu->items[index] = std::move(changed);
    return TRUE;
}

BOOL InsertMenuItem(HMENU handle, UINT position, BOOL byPosition, LPCMENUITEMINFO info)
{
    if (!info || info->cbSize < offsetof(MENUITEMINFO, hbmpItem)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MenuItem item;
    HMENU dropped = nullptr;
    {
        auto lock = WindowManager::Acquire();
        if (!LookupMenu(handle) || !applyInfo(handle, item, *info, dropped))
            return FALSE;
    }
    return insertItem(handle, position, byPosition != FALSE, std::move(item)) ? TRUE : FALSE;
}

HMENU GetSubMenu(HMENU handle, int position)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = nullptr;
    size_t index = 0;
    if (position < 0 || !FindMenuItem(handle, static_cast<UINT>(position), true, menu, index))
        return nullptr;
    return menu->items[index].subMenu;
}

DWORD CheckMenuItem(HMENU handle, UINT position, UINT flags)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = nullptr;
    size_t index = 0;
    if (!FindMenuItem(handle, position, (flags & MF_BYPOSITION) != 0, menu, index))
        return static_cast<DWORD>(-1);
    MenuItem& item = menu->items[index];
    const DWORD previous = item.state & MF_CHECKED;
    item.state = (item.state & ~MF_CHECKED) | (flags & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU handle, UINT first, UINT last, UINT check, UINT flags)
{
    auto lock = WindowManager::Acquire();
    const bool byPosition = (flags & MF_BYPOSITION) != 0;
    Menu* menu = nullptr;
    size_t from = 0, to = 0, chosen = 0;
    Menu* other = nullptr;
    if (!FindMenuItem(handle, first, byPosition, menu, from) || !FindMenuItem(handle, last, byPosition, other, to)
        || other != menu || !FindMenuItem(handle, check, byPosition, other, chosen) || other != menu)
        return FALSE;
    if (from > to)
        std::swap(from, to);
    for (size_t i = from; i <= to; ++i) {
        MenuItem& item = menu->items[i];
        if (i == chosen) {
            item.state |= MFS_CHECKED;
            item.type |= MFT_RADIOCHECK;
        } else {
            item.state &= ~MFS_CHECKED;
        }
    }
    return TRUE;
}

BOOL EnableMenuItem(HMENU handle, UINT position, UINT flags)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = nullptr;
    size_t index = 0;
    if (!FindMenuItem(handle, position, (flags & MF_BYPOSITION) != 0, menu, index))
        return -1;
    MenuItem& item = menu->items[index];
    const UINT previous = item.state & (MF_GRAYED | MF_DISABLED);
    item.state = (item.state & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

BOOL SetMenuDefaultItem(HMENU handle, UINT position, UINT byPosition)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = LookupMenu(handle);
    if (!menu)
        return FALSE;
    if (position == static_cast<UINT>(-1)) {
        for (MenuItem& item : menu->items)
            item.state &= ~MFS_DEFAULT;
        return TRUE;
    }
    size_t index = menu->items.size();
    if (byPosition) {
        if (position < menu->items.size())
            index = position;
    } else {
        // By command, among this menu's own items only.
        for (size_t i = 0; i < menu->items.size(); ++i)
            if (!menu->items[i].subMenu && menu->items[i].id == position)
                index = i;
    }
    if (index == menu->items.size()) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    for (size_t i = 0; i < menu->items.size(); ++i)
        menu->items[i].state = i == index ? menu->items[i].state | MFS_DEFAULT : menu->items[i].state & ~MFS_DEFAULT;
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU handle, UINT byPosition, UINT flags)
{
    auto lock = WindowManager::Acquire();
    Menu* menu = LookupMenu(handle);
    for (int depth = 0; menu && depth < 32; ++depth) {
        const auto it = std::find_if(menu->items.begin(), menu->items.end(),
            [](const MenuItem& item) { return (item.state & MFS_DEFAULT) != 0; });
        if (it == menu->items.end() || (it->disabled() && !(flags & GMDI_USEDISABLED)))
            break;
        if (it->subMenu && (flags & GMDI_GOINTOPOPUPS)) {
            if (Menu* sub = MenuTable::Instance().find(it->subMenu);
                sub && std::any_of(sub->items.begin(), sub->items.end(),
                    [](const MenuItem& item) { return (item.state & MFS_DEFAULT) != 0; })) {
                menu = sub;
                continue;
            }
        }
        return byPosition ? static_cast<UINT>(it - menu->items.begin()) : it->id;
    }
    return static_cast<UINT>(-1);
}

HMENU LoadMenuIndirect(const void* data)
{
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // The caller vouches for the template: there is no size to check it against.
    return TemplateReader(static_cast<const BYTE*>(data), static_cast<size_t>(-1) / 2).read();
}

HMENU LoadMenu(HINSTANCE instance, LPCSTR name)
{
    HRSRC info = FindResource(instance, name, RT_MENU);
    HGLOBAL data = info ? LoadResource(instance, info) : nullptr;
    const auto* bytes = static_cast<const BYTE*>(LockResource(data));
    if (!bytes)
        return nullptr;
    HMENU menu = TemplateReader(bytes, SizeofResource(instance, info)).read();
    if (!menu)
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return menu;
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert)
{
    if (!LookupWindow(hwnd))
        return nullptr;
    HMENU existing = nullptr;
    {
        auto lock = WindowManager::Acquire();
        // Copies of windows that are gone are dropped here.
        for (auto it = systemMenus().begin(); it != systemMenus().end();) {
            if (!WindowManager::Instance().find(it->first)) {
                destroyMenuTree(it->second, 0);
                it = systemMenus().erase(it);
            } else {
                ++it;
            }
        }
        const auto it = systemMenus().find(hwnd);
        if (it != systemMenus().end())
            existing = it->second;
    }
    if (revert) {
        if (existing) {
            DestroyMenu(existing);
            auto lock = WindowManager::Acquire();
            systemMenus().erase(hwnd);
        }
        return nullptr;
    }
    if (existing)
        return existing;
    HMENU menu = CreatePopupMenu();
    for (const SystemMenuEntry& entry : kSystemMenu)
        AppendMenu(menu, entry.text ? MF_STRING : MF_SEPARATOR, entry.id, entry.text);
    SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
    auto lock = WindowManager::Acquire();
    if (Menu* m = MenuTable::Instance().find(menu))
        m->systemOwner = hwnd;
    systemMenus()[hwnd] = menu;
    return menu;
}
