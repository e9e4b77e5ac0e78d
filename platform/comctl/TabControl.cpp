#include "platform/comctl/TabControl.h"

#include <algorithm>

#include "platform/comctl/ControlClasses.h"
#include "platform/gdi/FrameDrawing.h"

namespace platform::comctl {

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2, int colour)
{
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colour));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

} // namespace

int TabControl::rowHeight() const { return ControlFontHeight(m_hwnd, m_font) + 2 * kPadY + kLift; }

RECT TabControl::itemRect(int index) const
{
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, ControlFont(m_font));
    int x = kLift;
    RECT rect {};
    for (int i = 0; i <= index && i < static_cast<int>(m_items.size()); ++i) {
        SIZE extent {};
        const std::string& text = m_items[static_cast<std::size_t>(i)].text;
        GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        rect = RECT { x, kLift, x + extent.cx + 2 * kPadX, rowHeight() };
        x = rect.right;
    }
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    return rect;
}

int TabControl::hitTest(POINT pt) const
{
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        RECT rect = itemRect(i);
        if (i == m_current)
            InflateRect(&rect, kLift, 0), rect.top -= kLift;
        if (PtInRect(&rect, pt))
            return i;
    }
    return -1;
}

void TabControl::adjustRect(BOOL larger, RECT* rect) const
{
    if (!rect)
        return;
    const int top = rowHeight() + kPanelBorder;
    if (larger) {
        rect->left -= kPanelBorder + 2;
        rect->right += kPanelBorder + 2;
        rect->bottom += kPanelBorder + 2;
        rect->top -= top + 2;
    } else {
        rect->left += kPanelBorder + 2;
        rect->right -= kPanelBorder + 2;
        rect->bottom -= kPanelBorder + 2;
        rect->top += top + 2;
    }
}

LRESULT TabControl::insertItem(int index, const TCITEM* item)
{
    if (!item || index < 0)
        return -1;
    Item added;
    if ((item->mask & TCIF_TEXT) && item->pszText)
        added.text = item->pszText;
    if (item->mask & TCIF_IMAGE)
        added.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        added.param = item->lParam;
    const int at = std::min(index, static_cast<int>(m_items.size()));
    m_items.insert(m_items.begin() + at, std::move(added));
    if (m_current < 0)
        m_current = 0;
    else if (at <= m_current)
        ++m_current;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return at;
}

BOOL TabControl::getItem(int index, TCITEM* item) const
{
    if (!item || index < 0 || index >= static_cast<int>(m_items.size()))
        return FALSE;
    const Item& it = m_items[static_cast<std::size_t>(index)];
    if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        const std::size_t n = std::min(it.text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
        it.text.copy(item->pszText, n);
        item->pszText[n] = '\0';
    }
    if (item->mask & TCIF_IMAGE)
        item->iImage = it.image;
    if (item->mask & TCIF_PARAM)
        item->lParam = it.param;
    return TRUE;
}

BOOL TabControl::setItem(int index, const TCITEM* item)
{
    if (!item || index < 0 || index >= static_cast<int>(m_items.size()))
        return FALSE;
    Item& it = m_items[static_cast<std::size_t>(index)];
    if (item->mask & TCIF_TEXT)
        it.text = item->pszText ? item->pszText : "";
    if (item->mask & TCIF_IMAGE)
        it.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        it.param = item->lParam;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return TRUE;
}

void TabControl::choose(int index)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()) || index == m_current)
        return;
    NMHDR header {};
    if (SendNotify(m_hwnd, TCN_SELCHANGING, header))
        return;
    m_current = index;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    NMHDR changed {};
    SendNotify(m_hwnd, TCN_SELCHANGE, changed);
}

void TabControl::drawTab(HDC dc, int index, RECT rect, bool chosen) const
{
    if (chosen) {
        InflateRect(&rect, kLift, 0);
        rect.top -= kLift;
        rect.bottom += 1; // over the panel's top edge, so the tab joins the panel
    }
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &rect, face);
    // Raised edges: light on the left and top, dark on the right, with clipped corners.
    Line(dc, rect.left, rect.bottom - 1, rect.left, rect.top + 2, COLOR_BTNHIGHLIGHT);
    Line(dc, rect.left, rect.top + 2, rect.left + 2, rect.top, COLOR_BTNHIGHLIGHT);
    Line(dc, rect.left + 2, rect.top, rect.right - 2, rect.top, COLOR_BTNHIGHLIGHT);
    Line(dc, rect.right - 2, rect.top + 1, rect.right - 2, rect.bottom, COLOR_BTNSHADOW);
    Line(dc, rect.right - 2, rect.top, rect.right - 1, rect.top + 1, COLOR_3DDKSHADOW);
    Line(dc, rect.right - 1, rect.top + 1, rect.right - 1, rect.bottom, COLOR_3DDKSHADOW);
    const Item& it = m_items[static_cast<std::size_t>(index)];
    RECT textRect = rect;
    textRect.top += chosen ? 0 : 1;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawText(dc, it.text.c_str(), static_cast<int>(it.text.size()), &textRect,
        DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TabControl::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client;
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT panel = client;
    panel.top = rowHeight();
    DrawEdge(dc, &panel, EDGE_RAISED, BF_RECT);
    HGDIOBJ old = SelectObject(dc, ControlFont(m_font));
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i)
        if (i != m_current)
            drawTab(dc, i, itemRect(i), false);
    // The chosen tab last, as it overlaps its neighbours.
    if (m_current >= 0)
        drawTab(dc, m_current, itemRect(m_current), true);
    SelectObject(dc, old);
    EndPaint(m_hwnd, &ps);
}

LRESULT TabControl::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_LBUTTONDOWN: {
        const int hit = hitTest(POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        if (hit >= 0) {
            if (!(GetWindowLongPtr(m_hwnd, GWL_STYLE) & TCS_FOCUSNEVER))
                SetFocus(m_hwnd);
            choose(hit);
        }
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (wParam == VK_LEFT)
            choose(m_current - 1);
        else if (wParam == VK_RIGHT)
            choose(m_current + 1);
        return 0;
    case TCM_GETITEMCOUNT:
        return static_cast<LRESULT>(m_items.size());
    case TCM_INSERTITEM:
        return insertItem(static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
    case TCM_GETITEM:
        return getItem(static_cast<int>(wParam), reinterpret_cast<TCITEM*>(lParam));
    case TCM_SETITEM:
        return setItem(static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
    case TCM_DELETEITEM: {
        const int index = static_cast<int>(wParam);
        if (index < 0 || index >= static_cast<int>(m_items.size()))
            return FALSE;
        m_items.erase(m_items.begin() + index);
        if (m_current >= static_cast<int>(m_items.size()) || index < m_current)
            --m_current;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    }
    case TCM_DELETEALLITEMS:
        m_items.clear();
        m_current = -1;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    case TCM_GETITEMRECT: {
        const int index = static_cast<int>(wParam);
        if (index < 0 || index >= static_cast<int>(m_items.size()) || !lParam)
            return FALSE;
        *reinterpret_cast<RECT*>(lParam) = itemRect(index);
        return TRUE;
    }
    case TCM_GETCURSEL:
        return m_current;
    case TCM_SETCURSEL: {
        const int index = static_cast<int>(wParam);
        if (index < 0 || index >= static_cast<int>(m_items.size()))
            return -1;
        const int previous = m_current;
        m_current = index;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return previous;
    }
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        const int hit = hitTest(info->pt);
        info->flags = hit < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
        return hit;
    }
    case TCM_ADJUSTRECT:
        adjustRect(static_cast<BOOL>(wParam), reinterpret_cast<RECT*>(lParam));
        return 0;
    case TCM_GETROWCOUNT:
        return 1;
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::comctl
