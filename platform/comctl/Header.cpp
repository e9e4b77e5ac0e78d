#include "platform/comctl/Header.h"

#include <algorithm>
#include <cstring>

#include "platform/comctl/ControlClasses.h"

namespace platform::comctl {

namespace {

void CopyText(const std::string& text, LPSTR out, int size)
{
    if (!out || size <= 0 || out == LPSTR_TEXTCALLBACK)
        return;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

int Header::height() const
{
    return ControlFontHeight(m_hwnd, m_font) + 6;
}

RECT Header::itemRect(int index) const
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    int x = 0;
    for (int i : m_order) {
        if (i == index)
            return { x, 0, x + m_items[i].cxy, client.bottom };
        x += m_items[i].cxy;
    }
    return {};
}

LRESULT Header::notify(UINT code, int item, int button, HDITEM* pitem)
{
    NMHEADER nm;
    nm.iItem = item;
    nm.iButton = button;
    nm.pitem = pitem;
    return SendNotify(m_hwnd, code, nm.hdr);
}

int Header::insert(int at, const HDITEM& in)
{
    Item item;
    const int index = std::clamp(at, 0, count());
    m_items.insert(m_items.begin() + index, item);
    for (int& o : m_order)
        if (o >= index)
            ++o;
    // A new item takes its place in display order at the same position as its index.
    m_order.insert(m_order.begin() + std::min(index, static_cast<int>(m_order.size())), index);
    set(index, in, false);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return index;
}

bool Header::remove(int index)
{
    if (index < 0 || index >= count())
        return false;
    m_items.erase(m_items.begin() + index);
    m_order.erase(std::find(m_order.begin(), m_order.end(), index));
    for (int& o : m_order)
        if (o > index)
            --o;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

bool Header::get(int index, HDITEM& out) const
{
    if (index < 0 || index >= count())
        return false;
    const Item& item = m_items[static_cast<std::size_t>(index)];
    if (out.mask & HDI_WIDTH)
        out.cxy = item.cxy;
    if (out.mask & HDI_TEXT) {
        if (item.callbackText)
            out.pszText = LPSTR_TEXTCALLBACK;
        else
            CopyText(item.text, out.pszText, out.cchTextMax);
    }
    if (out.mask & HDI_FORMAT)
        out.fmt = item.fmt;
    if (out.mask & HDI_LPARAM)
        out.lParam = item.lParam;
    if (out.mask & HDI_IMAGE)
        out.iImage = item.image;
    if (out.mask & HDI_BITMAP)
        out.hbm = item.bitmap;
    if (out.mask & HDI_ORDER)
        out.iOrder = static_cast<int>(std::find(m_order.begin(), m_order.end(), index) - m_order.begin());
    return true;
}

bool Header::set(int index, const HDITEM& in, bool ask)
{
    if (index < 0 || index >= count())
        return false;
    HDITEM copy = in;
    if (ask && notify(HDN_ITEMCHANGING, index, 0, &copy))
        return false;
    Item& item = m_items[static_cast<std::size_t>(index)];
    if (in.mask & HDI_WIDTH)
        item.cxy = std::max(0, in.cxy);
    if (in.mask & HDI_TEXT) {
        item.callbackText = in.pszText == LPSTR_TEXTCALLBACK;
        item.text = item.callbackText || !in.pszText ? std::string() : std::string(in.pszText);
    }
    if (in.mask & HDI_FORMAT)
        item.fmt = in.fmt;
    if (in.mask & HDI_LPARAM)
        item.lParam = in.lParam;
    if (in.mask & HDI_IMAGE)
        item.image = in.iImage;
    if (in.mask & HDI_BITMAP)
        item.bitmap = in.hbm;
    if ((in.mask & HDI_ORDER) && in.iOrder >= 0 && in.iOrder < count()) {
        m_order.erase(std::find(m_order.begin(), m_order.end(), index));
        m_order.insert(m_order.begin() + in.iOrder, index);
    }
    if (ask)
        notify(HDN_ITEMCHANGED, index, 0, &copy);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

int Header::hitTest(POINT pt, UINT& flags) const
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    flags = 0;
    if (pt.y < 0)
        flags |= HHT_ABOVE;
    if (pt.y >= client.bottom)
        flags |= HHT_BELOW;
    if (pt.x < 0)
        flags |= HHT_TOLEFT;
    if (flags)
        return -1;
    // A divider belongs to the item on its left; the pointer may be a little either side of it.
    for (int i : m_order) {
        const RECT r = itemRect(i);
        if (std::abs(pt.x - r.right) <= kDividerSlop) {
            flags = HHT_ONDIVIDER;
            return i;
        }
    }
    for (int i : m_order) {
        const RECT r = itemRect(i);
        if (pt.x >= r.left && pt.x < r.right) {
            flags = HHT_ONHEADER;
            return i;
        }
    }
    flags = pt.x >= client.right ? HHT_TORIGHT : HHT_NOWHERE;
    return -1;
}

void Header::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client {};
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    int right = 0;
    for (int i : m_order) {
        RECT r = itemRect(i);
        right = r.right;
        const Item& item = m_items[static_cast<std::size_t>(i)];
        const bool pressed = i == m_pressed && m_pressedInside;
        DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
        InflateRect(&r, -kButtonEdge, -kButtonEdge);
        RECT text { r.left + kTextMargin + (pressed ? 1 : 0), r.top + (pressed ? 1 : 0), r.right - kTextMargin, r.bottom };
        if ((item.fmt & HDF_IMAGE) && m_images) {
            int cx = 0;
            int cy = 0;
            ImageList_GetIconSize(m_images, &cx, &cy);
            const bool onRight = (item.fmt & HDF_BITMAP_ON_RIGHT) != 0;
            const int x = onRight ? text.right - cx : text.left;
            ImageList_Draw(m_images, item.image, dc, x, (r.top + r.bottom - cy) / 2, ILD_TRANSPARENT);
            if (onRight)
                text.right -= cx + kImageGap;
            else
                text.left += cx + kImageGap;
        }
        const std::string& label = item.text;
        const UINT align = (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT
            : (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER                 ? DT_CENTER
                                                                         : DT_LEFT;
        DrawText(dc, label.c_str(), static_cast<int>(label.size()), &text,
            align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    // The space after the last item is one more flat button.
    if (right < client.right) {
        RECT rest { right, 0, client.right, client.bottom };
        DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    SelectObject(dc, oldFont);
    EndPaint(m_hwnd, &ps);
}

LRESULT Header::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongPtr(m_hwnd, GWL_STYLE));
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
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        UINT flags = 0;
        const POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        const int item = hitTest(pt, flags);
        if (item < 0)
            return 0;
        if (flags & HHT_ONDIVIDER) {
            if (message == WM_LBUTTONDBLCLK) {
                notify(HDN_DIVIDERDBLCLICK, item);
                return 0;
            }
            HDITEM width;
            width.mask = HDI_WIDTH;
            width.cxy = m_items[static_cast<std::size_t>(item)].cxy;
            if (notify(HDN_BEGINTRACK, item, 0, &width))
                return 0; // the parent keeps this column's width
            m_tracking = item;
            m_trackWidth = width.cxy;
            m_trackOffset = itemRect(item).right - pt.x;
            SetCapture(m_hwnd);
            return 0;
        }
        if (message == WM_LBUTTONDBLCLK) {
            notify(HDN_ITEMDBLCLICK, item);
            return 0;
        }
        if (style & HDS_BUTTONS) {
            m_pressed = item;
            m_pressedInside = true;
            SetCapture(m_hwnd);
            InvalidateRect(m_hwnd, nullptr, TRUE);
        }
        return 0;
    }
    case WM_MOUSEMOVE: {
        const POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        if (m_tracking >= 0) {
            m_trackWidth = std::max(0, static_cast<int>(pt.x + m_trackOffset - itemRect(m_tracking).left));
            HDITEM width;
            width.mask = HDI_WIDTH;
            width.cxy = m_trackWidth;
            if (!notify(HDN_TRACK, m_tracking, 0, &width) && (style & HDS_FULLDRAG))
                set(m_tracking, width, true);
        } else if (m_pressed >= 0) {
            const RECT r = itemRect(m_pressed);
            const bool inside = PtInRect(&r, pt) != FALSE;
            if (inside != m_pressedInside) {
                m_pressedInside = inside;
                InvalidateRect(m_hwnd, nullptr, TRUE);
            }
        }
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_tracking >= 0) {
            const int item = m_tracking;
            m_tracking = -1;
            if (message == WM_LBUTTONUP)
                ReleaseCapture();
            HDITEM width;
            width.mask = HDI_WIDTH;
            width.cxy = m_trackWidth;
            notify(HDN_ENDTRACK, item, 0, &width);
            set(item, width, true);
        } else if (m_pressed >= 0) {
            const int item = m_pressed;
            const bool inside = m_pressedInside;
            m_pressed = -1;
            if (message == WM_LBUTTONUP)
                ReleaseCapture();
            InvalidateRect(m_hwnd, nullptr, TRUE);
            if (inside && message == WM_LBUTTONUP)
                notify(HDN_ITEMCLICK, item);
        }
        return 0;
    case HDM_GETITEMCOUNT:
        return count();
    case HDM_INSERTITEM:
        return lParam ? insert(static_cast<int>(wParam), *reinterpret_cast<const HDITEM*>(lParam)) : -1;
    case HDM_DELETEITEM:
        return remove(static_cast<int>(wParam));
    case HDM_GETITEM:
        return lParam && get(static_cast<int>(wParam), *reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEM:
        return lParam && set(static_cast<int>(wParam), *reinterpret_cast<const HDITEM*>(lParam), true);
    case HDM_LAYOUT: {
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        if (!layout || !layout->prc || !layout->pwpos)
            return FALSE;
        const int h = (style & HDS_HIDDEN) ? 0 : height();
        *layout->pwpos = WINDOWPOS {};
        layout->pwpos->hwnd = m_hwnd;
        layout->pwpos->x = layout->prc->left;
        layout->pwpos->y = layout->prc->top;
        layout->pwpos->cx = layout->prc->right - layout->prc->left;
        layout->pwpos->cy = h;
        layout->pwpos->flags = SWP_NOZORDER | SWP_NOACTIVATE;
        layout->prc->top += h;
        return TRUE;
    }
    case HDM_HITTEST: {
        auto* hit = reinterpret_cast<HDHITTESTINFO*>(lParam);
        if (!hit)
            return -1;
        hit->iItem = hitTest(hit->pt, hit->flags);
        return hit->iItem;
    }
    case HDM_GETITEMRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!out || static_cast<int>(wParam) < 0 || static_cast<int>(wParam) >= count())
            return FALSE;
        *out = itemRect(static_cast<int>(wParam));
        return TRUE;
    }
    case HDM_SETIMAGELIST: {
        HIMAGELIST previous = m_images;
        m_images = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case HDM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case HDM_ORDERTOINDEX:
        return wParam < m_order.size() ? m_order[wParam] : static_cast<LRESULT>(wParam);
    case HDM_GETORDERARRAY: {
        auto* out = reinterpret_cast<int*>(lParam);
        if (!out || wParam != m_order.size())
            return FALSE;
        std::copy(m_order.begin(), m_order.end(), out);
        return TRUE;
    }
    case HDM_SETORDERARRAY: {
        auto* in = reinterpret_cast<const int*>(lParam);
        if (!in || wParam != m_order.size())
            return FALSE;
        std::vector<int> next(in, in + wParam);
        std::vector<int> sorted = next;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t i = 0; i < sorted.size(); ++i)
            if (sorted[i] != static_cast<int>(i))
                return FALSE; // not a permutation: keep the order there is
        m_order = std::move(next);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    }
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::comctl
