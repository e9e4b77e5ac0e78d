#pragma once
// The state behind an HMENU. Menus live in one process-wide table under the window manager's lock
// (WindowManager::Acquire); nothing calls out while holding it.

#include <memory>
#include <string>
#include <vector>

#include "platform/user/WinUser.h"

namespace platform::user {

struct MenuItem {
    UINT type { MFT_STRING };
    UINT state { 0 };
    UINT id { 0 };
    HMENU subMenu { nullptr };
    HBITMAP checkedBitmap { nullptr };
    HBITMAP uncheckedBitmap { nullptr };
    HBITMAP bitmap { nullptr }; // the item's picture: MFT_BITMAP, or hbmpItem beside the text
    ULONG_PTR data { 0 };
    std::string text;
    // Where the item was last laid out: the popup's client coordinates, or window coordinates for
    // an item of a menu bar.
    RECT rect {};

    bool separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool disabled() const { return (state & (MF_GRAYED | MF_DISABLED)) != 0; }
    bool ownerDrawn() const { return (type & MFT_OWNERDRAW) != 0; }
};

struct Menu {
    HMENU handle { nullptr };
    bool popup { false };
    std::vector<MenuItem> items;
    // The window whose copy of the window menu this is.
    HWND systemOwner { nullptr };
    // The size of the popup at its last layout (client area), and the window showing it now.
    SIZE size {};
    HWND window { nullptr };
};

class MenuTable {
public:
    // With the window manager's lock held.
    static MenuTable& Instance();

    Menu* find(HMENU handle) const;
    HMENU add(bool popup);
    // Removes a menu from the table and gives it to the caller.
    std::unique_ptr<Menu> take(HMENU handle);

private:
    std::vector<std::unique_ptr<Menu>> m_menus;
    UINT_PTR m_next { 0x6000 };
};

// With the lock held: a live menu, or null with ERROR_INVALID_MENU_HANDLE.
Menu* LookupMenu(HMENU handle);
// With the lock held: the menu and index of an item by command (searching submenus depth-first) or
// by position; false when there is none.
bool FindMenuItem(HMENU handle, UINT item, bool byPosition, Menu*& menu, size_t& index);
// The character after the single '&' of an item text, ASCII letters in lower case; 0 for none.
UINT MenuMnemonic(const std::string& text);

// The menu bar of a top-level window (none for a child or a window whose id is no menu).
HMENU MenuBarOf(HWND hwnd);
// The rectangle of a window's menu bar (screen coordinates); empty without one.
RECT MenuBarRect(HWND hwnd);
// Lays out the window's menu bar: each item's rectangle in window coordinates.
void LayOutMenuBar(HWND hwnd);
// Paints the menu bar into a DC of the whole window (`bar` in window coordinates); a highlighted item
// is drawn pushed in while its popup is open, raised otherwise.
void PaintMenuBar(HWND hwnd, HDC hdc, const RECT& bar);
// Paints the menu bar of the window at once.
void RedrawMenuBar(HWND hwnd);
// The bar item under a screen point, -1 for none.
int MenuBarItemFromPoint(HWND hwnd, POINT screen);

// Popups: lays out the items (owner-drawn ones measured by the owner) and returns the client size.
SIZE LayOutPopupMenu(HMENU menu, HWND owner);
// Paints a popup's items into its window's DC; only the item at `onlyItem` when it is not -1.
void PaintPopupMenu(HMENU menu, HWND owner, HDC hdc, int onlyItem = -1);
// The popup item at a client point, -1 for none.
int PopupItemFromPoint(HMENU menu, POINT client);

// The menu loop behind the window menu's keys and clicks (SC_KEYMENU, SC_MOUSEMENU).
void TrackSystemCommandMenu(HWND hwnd, WPARAM command, LPARAM lParam);

} // namespace platform::user
