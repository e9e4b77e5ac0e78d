// Popup menus: item layout (owner-drawn items measured by their owner) and the classic look.

#include <algorithm>

#include "platform/user/Menu.h"
#include "platform/user/MenuLook.h"
#include "platform/user/WindowManager.h"

namespace platform::user {

namespace {

// The label and the accelerator text of an item ("&Open\tCtrl+O").
std::pair<std::string, std::string> splitAtTab(const std::string& text)
{
    const auto tab = text.find('\t');
    if (tab == std::string::npos)
        return { text, {} };
    return { text.substr(0, tab), text.substr(tab + 1) };
}

SIZE bitmapSize(HBITMAP bitmap)
{
    BITMAP info {};
    if (!bitmap || !GetObject(bitmap, sizeof info, &info))
        return SIZE { 0, 0 };
    return SIZE { info.bmWidth, info.bmHeight };
}

std::vector<MenuItem> itemsOf(HMENU menu)
{
    auto lock = WindowManager::Acquire();
    Menu* m = MenuTable::Instance().find(menu);
    return m ? m->items : std::vector<MenuItem> {};
}

UINT ownerDrawState(const MenuItem& item)
{
    UINT state = 0;
    if (item.state & MFS_HILITE)
        state |= ODS_SELECTED;
    if (item.state & MF_GRAYED)
        state |= ODS_GRAYED;
    if (item.state & MF_DISABLED)
        state |= ODS_DISABLED;
    if (item.state & MFS_CHECKED)
        state |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT)
        state |= ODS_DEFAULT;
    return state;
}

void drawBitmap(HDC hdc, HBITMAP bitmap, int x, int y)
{
    const SIZE size = bitmapSize(bitmap);
    if (size.cx <= 0)
        return;
    HDC memory = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(hdc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void drawSubmenuArrow(HDC hdc, const MenuItem& item, int rightEdge)
{
    const bool selected = (item.state & MFS_HILITE) != 0;
    const COLORREF text
        = item.disabled() ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    const RECT& r = item.rect;
    const int side = GetSystemMetrics(SM_CXMENUCHECK);
    RECT arrow { rightEdge - MenuMetrics::ArrowColumn() + 2, r.top + (r.bottom - r.top - side) / 2, 0, 0 };
    arrow.right = arrow.left + side;
    arrow.bottom = arrow.top + side;
    DrawMenuGlyph(hdc, arrow, DFCS_MENUARROW, text, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
}

void paintItem(HMENU menu, HWND owner, HDC hdc, MenuFonts& fonts, const MenuItem& item, int rightEdge, UINT action)
{
    RECT r = item.rect;
    if (item.ownerDrawn()) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_MENU;
        dis.itemID = item.id;
        dis.itemAction = action;
        dis.itemState = ownerDrawState(item);
        dis.hwndItem = reinterpret_cast<HWND>(menu);
        dis.hDC = hdc;
        dis.rcItem = r;
        dis.itemData = item.data;
        SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        // The owner draws the item; the arrow of a submenu is the menu's own, drawn over it.
        if (item.subMenu)
            drawSubmenuArrow(hdc, item, rightEdge);
        return;
    }
    FillRect(hdc, &r, GetSysColorBrush(COLOR_MENU));
    if (item.separator()) {
        RECT line { r.left + 1, (r.top + r.bottom) / 2 - 1, r.right - 1, (r.top + r.bottom) / 2 + 1 };
        DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool selected = (item.state & MFS_HILITE) != 0;
    const bool disabled = item.disabled();
    const int background = selected ? COLOR_HIGHLIGHT : COLOR_MENU;
    FillRect(hdc, &r, GetSysColorBrush(background));
    const COLORREF text = disabled ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);

    const int check = MenuMetrics::CheckColumn();
    RECT checkBox { r.left, r.top, r.left + check, r.bottom };
    HBITMAP own = (item.state & MFS_CHECKED) ? item.checkedBitmap : item.uncheckedBitmap;
    if (own) {
        const SIZE s = bitmapSize(own);
        drawBitmap(hdc, own, checkBox.left + (check - s.cx) / 2, checkBox.top + (r.bottom - r.top - s.cy) / 2);
    } else if (item.state & MFS_CHECKED) {
        const int side = GetSystemMetrics(SM_CXMENUCHECK);
        RECT glyph { checkBox.left + (check - side) / 2, r.top + (r.bottom - r.top - side) / 2, 0, 0 };
        glyph.right = glyph.left + side;
        glyph.bottom = glyph.top + side;
        DrawMenuGlyph(hdc, glyph, (item.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK, text,
            GetSysColor(background));
    }

    if (item.type & MFT_BITMAP) {
        const SIZE s = bitmapSize(item.bitmap);
        drawBitmap(hdc, item.bitmap, r.left + check, r.top + (r.bottom - r.top - s.cy) / 2);
    } else {
        // Named copies rather than a structured binding: the drawing lambda below captures them, which
        // older clang (the fuzzing build's) does not allow for bindings.
        const std::pair<std::string, std::string> parts = splitAtTab(item.text);
        const std::string& label = parts.first;
        const std::string& accelerator = parts.second;
        fonts.useBold((item.state & MFS_DEFAULT) != 0);
        SetBkMode(hdc, TRANSPARENT);
        RECT textRect { r.left + check, r.top, rightEdge - MenuMetrics::ArrowColumn(), r.bottom };
        auto draw = [&](COLORREF colour, int offset) {
            SetTextColor(hdc, colour);
            RECT labelRect = textRect, accelRect = textRect;
            OffsetRect(&labelRect, offset, offset);
            OffsetRect(&accelRect, offset, offset);
            DrawText(hdc, label.c_str(), -1, &labelRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            if (!accelerator.empty())
                DrawText(hdc, accelerator.c_str(), -1, &accelRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        };
        // Grayed text of the classic look is embossed: a highlight copy below and right of it.
        if (disabled && !selected)
            draw(GetSysColor(COLOR_3DHILIGHT), 1);
        draw(text, 0);
        fonts.useBold(false);
    }
    if (item.subMenu)
        drawSubmenuArrow(hdc, item, rightEdge);
}

} // namespace

SIZE LayOutPopupMenu(HMENU menu, HWND owner)
{
    std::vector<MenuItem> items = itemsOf(menu);
    HDC hdc = GetDC(nullptr);
    int labelWidth = 0, acceleratorWidth = 0, widest = 0;
    std::vector<SIZE> sizes(items.size());
    {
        MenuFonts fonts(hdc);
        for (size_t i = 0; i < items.size(); ++i) {
            const MenuItem& item = items[i];
            SIZE& s = sizes[i];
            if (item.ownerDrawn()) {
                MEASUREITEMSTRUCT mis;
                mis.CtlType = ODT_MENU;
                mis.itemID = item.id;
                mis.itemHeight = static_cast<UINT>(MenuMetrics::PopupItemHeight());
                mis.itemData = item.data;
                SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
                s = SIZE { static_cast<LONG>(std::min<UINT>(mis.itemWidth, 0x7FFF)),
                    static_cast<LONG>(std::min<UINT>(mis.itemHeight, 0x7FFF)) };
                widest = std::max<int>(widest, s.cx);
            } else if (item.separator()) {
                s = SIZE { 0, MenuMetrics::SeparatorHeight() };
            } else if (item.type & MFT_BITMAP) {
                s = bitmapSize(item.bitmap);
                widest = std::max<int>(widest, MenuMetrics::CheckColumn() + s.cx + MenuMetrics::ArrowColumn());
                s.cy = std::max<LONG>(s.cy, MenuMetrics::PopupItemHeight());
            } else {
                const auto [label, accelerator] = splitAtTab(item.text);
                fonts.useBold((item.state & MFS_DEFAULT) != 0);
                const SIZE l = MenuTextExtent(hdc, label);
                labelWidth = std::max<int>(labelWidth, l.cx);
                if (!accelerator.empty())
                    acceleratorWidth = std::max<int>(acceleratorWidth, MenuTextExtent(hdc, accelerator).cx);
                s = SIZE { 0, std::max<LONG>(l.cy + 4, MenuMetrics::PopupItemHeight()) };
            }
        }
    }
    ReleaseDC(nullptr, hdc);
    const int textColumns = MenuMetrics::CheckColumn() + labelWidth
        + (acceleratorWidth ? MenuMetrics::AcceleratorGap() + acceleratorWidth : 0) + MenuMetrics::ArrowColumn();
    const int width = std::max(widest, textColumns);
    const int border = MenuMetrics::PopupBorder();
    int y = border;
    auto lock = WindowManager::Acquire();
    Menu* m = MenuTable::Instance().find(menu);
    if (!m)
        return SIZE { 0, 0 };
    // The menu may have changed while its owner measured; items past what was measured get no room.
    for (size_t i = 0; i < m->items.size(); ++i) {
        const int h = i < sizes.size() ? sizes[i].cy : 0;
        m->items[i].rect = RECT { border, y, border + width, y + h };
        y += h;
    }
    m->size = SIZE { width + 2 * border, y + border };
    return m->size;
}

void PaintPopupMenu(HMENU menu, HWND owner, HDC hdc, int onlyItem)
{
    std::vector<MenuItem> items;
    SIZE size {};
    {
        auto lock = WindowManager::Acquire();
        Menu* m = MenuTable::Instance().find(menu);
        if (!m)
            return;
        items = m->items;
        size = m->size;
    }
    MenuFonts fonts(hdc);
    if (onlyItem < 0) {
        RECT whole { 0, 0, size.cx, size.cy };
        FillRect(hdc, &whole, GetSysColorBrush(COLOR_MENU));
        DrawEdge(hdc, &whole, EDGE_RAISED, BF_RECT);
    }
    const int rightEdge = size.cx - MenuMetrics::PopupBorder();
    for (size_t i = 0; i < items.size(); ++i)
        if (onlyItem < 0 || static_cast<size_t>(onlyItem) == i)
            // Drawn alone, an item is being drawn because its highlight changed.
            paintItem(menu, owner, hdc, fonts, items[i], rightEdge, onlyItem < 0 ? ODA_DRAWENTIRE : ODA_SELECT);
}

int PopupItemFromPoint(HMENU menu, POINT client)
{
    auto lock = WindowManager::Acquire();
    Menu* m = MenuTable::Instance().find(menu);
    if (!m)
        return -1;
    for (size_t i = 0; i < m->items.size(); ++i)
        if (PtInRect(&m->items[i].rect, client))
            return static_cast<int>(i);
    return -1;
}

} // namespace platform::user
