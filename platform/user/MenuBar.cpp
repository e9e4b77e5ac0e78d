// The menu bar of top-level windows: attaching it, its layout below the caption, painting and hit
// testing.

#include <algorithm>

#include "platform/user/Menu.h"
#include "platform/user/MenuLook.h"
#include "platform/user/NonClient.h"
#include "platform/user/WindowManager.h"

namespace platform::user {

HMENU MenuBarOf(HWND hwnd)
{
    auto lock = WindowManager::Acquire();
    auto w = WindowManager::Instance().find(hwnd);
    if (!w || w->isChild())
        return nullptr;
    const auto menu = reinterpret_cast<HMENU>(w->id);
    return MenuTable::Instance().find(menu) ? menu : nullptr;
}

RECT MenuBarRect(HWND hwnd)
{
    NonClientLayout layout;
    if (!LayoutOf(hwnd, layout))
        return RECT {};
    return layout.menuBar;
}

void LayOutMenuBar(HWND hwnd)
{
    const HMENU bar = MenuBarOf(hwnd);
    RECT screenBar = MenuBarRect(hwnd);
    RECT window {};
    if (!bar || IsRectEmpty(&screenBar) || !GetWindowRect(hwnd, &window))
        return;
    OffsetRect(&screenBar, -window.left, -window.top);
    std::vector<std::string> texts;
    {
        auto lock = WindowManager::Acquire();
        if (Menu* m = MenuTable::Instance().find(bar))
            for (const MenuItem& item : m->items)
                texts.push_back(item.text);
    }
    std::vector<int> widths;
    HDC hdc = GetDC(nullptr);
    {
        MenuFonts fonts(hdc);
        for (const std::string& text : texts)
            widths.push_back(MenuTextExtent(hdc, text).cx + 2 * MenuMetrics::BarItemPadding());
    }
    ReleaseDC(nullptr, hdc);

    auto lock = WindowManager::Acquire();
    Menu* m = MenuTable::Instance().find(bar);
    if (!m)
        return;
    const size_t count = std::min(m->items.size(), widths.size());
    // Items from the first right-justified one on sit at the right end of the bar.
    size_t rightFrom = count;
    for (size_t i = 0; i < count; ++i)
        if (m->items[i].type & MFT_RIGHTJUSTIFY) {
            rightFrom = i;
            break;
        }
    int x = screenBar.left;
    for (size_t i = 0; i < rightFrom; ++i) {
        m->items[i].rect = RECT { x, screenBar.top, x + widths[i], screenBar.bottom - 1 };
        x += widths[i];
    }
    int right = screenBar.right;
    for (size_t i = count; i-- > rightFrom;) {
        m->items[i].rect = RECT { right - widths[i], screenBar.top, right, screenBar.bottom - 1 };
        right -= widths[i];
    }
}

void PaintMenuBar(HWND hwnd, HDC hdc, const RECT& bar)
{
    const HMENU menu = MenuBarOf(hwnd);
    if (!menu)
        return;
    LayOutMenuBar(hwnd);
    std::vector<MenuItem> items;
    std::vector<bool> open;
    {
        auto lock = WindowManager::Acquire();
        Menu* m = MenuTable::Instance().find(menu);
        if (!m)
            return;
        items = m->items;
        for (const MenuItem& item : items) {
            const Menu* sub = MenuTable::Instance().find(item.subMenu);
            open.push_back(sub && sub->window);
        }
    }
    FillRect(hdc, &bar, GetSysColorBrush(COLOR_MENU));
    MenuFonts fonts(hdc);
    SetBkMode(hdc, TRANSPARENT);
    for (size_t i = 0; i < items.size(); ++i) {
        RECT r = items[i].rect;
        if (items[i].state & MFS_HILITE)
            DrawEdge(hdc, &r, open[i] ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        RECT text = r;
        // The pushed-in look moves the text a pixel down and right.
        if ((items[i].state & MFS_HILITE) && open[i])
            OffsetRect(&text, 1, 1);
        if (items[i].disabled()) {
            RECT shadow = text;
            OffsetRect(&shadow, 1, 1);
            SetTextColor(hdc, GetSysColor(COLOR_3DHILIGHT));
            DrawText(hdc, items[i].text.c_str(), -1, &shadow, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
            SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
        } else {
            SetTextColor(hdc, GetSysColor(COLOR_MENUTEXT));
        }
        DrawText(hdc, items[i].text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
}

void RedrawMenuBar(HWND hwnd)
{
    RECT bar = MenuBarRect(hwnd);
    RECT window {};
    if (IsRectEmpty(&bar) || !IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &window))
        return;
    OffsetRect(&bar, -window.left, -window.top);
    HDC hdc = GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE);
    if (!hdc)
        return;
    IntersectClipRect(hdc, bar.left, bar.top, bar.right, bar.bottom);
    PaintMenuBar(hwnd, hdc, bar);
    ReleaseDC(hwnd, hdc);
}

int MenuBarItemFromPoint(HWND hwnd, POINT screen)
{
    const HMENU menu = MenuBarOf(hwnd);
    RECT window {};
    if (!menu || !GetWindowRect(hwnd, &window))
        return -1;
    LayOutMenuBar(hwnd);
    const POINT pt { screen.x - window.left, screen.y - window.top };
    auto lock = WindowManager::Acquire();
    Menu* m = MenuTable::Instance().find(menu);
    if (!m)
        return -1;
    for (size_t i = 0; i < m->items.size(); ++i)
        if (PtInRect(&m->items[i].rect, pt))
            return static_cast<int>(i);
    return -1;
}

} // namespace platform::user

using namespace platform::user;

BOOL SetMenu(HWND hwnd, HMENU menu)
{
    {
        auto lock = WindowManager::Acquire();
        auto w = LookupWindow(hwnd);
        if (!w)
            return FALSE;
        if (w->isChild()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (menu && !LookupMenu(menu))
            return FALSE;
        w->id = reinterpret_cast<LONG_PTR>(menu);
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

HMENU GetMenu(HWND hwnd)
{
    auto lock = WindowManager::Acquire();
    auto w = LookupWindow(hwnd);
    if (!w || w->isChild())
        return nullptr;
    return reinterpret_cast<HMENU>(w->id);
}

BOOL DrawMenuBar(HWND hwnd)
{
    if (!LookupWindow(hwnd))
        return FALSE;
    if (!MenuBarOf(hwnd))
        return FALSE;
    RedrawMenuBar(hwnd);
    return TRUE;
}

BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT position, LPRECT rect)
{
    if (!rect)
        return FALSE;
    const bool bar = hwnd && MenuBarOf(hwnd) == menu;
    if (bar)
        LayOutMenuBar(hwnd);
    HWND frame = hwnd;
    RECT item {};
    {
        auto lock = WindowManager::Acquire();
        Menu* m = LookupMenu(menu);
        if (!m || position >= m->items.size())
            return FALSE;
        if (!bar)
            frame = m->window;
        item = m->items[position].rect;
    }
    RECT origin {};
    if (!frame || !GetWindowRect(frame, &origin))
        return FALSE;
    OffsetRect(&item, origin.left, origin.top);
    *rect = item;
    return TRUE;
}
