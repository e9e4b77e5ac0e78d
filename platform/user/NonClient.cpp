#include "platform/user/NonClient.h"

#include <algorithm>

#include "platform/user/Internal.h"
#include "platform/user/Menu.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"

namespace platform::user {

int BorderWidth(DWORD style, DWORD exStyle)
{
    if (style & WS_THICKFRAME)
        return GetSystemMetrics(SM_CXFRAME);
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER)
        return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

int CaptionHeight(DWORD style, DWORD exStyle)
{
    if ((style & WS_CAPTION) != WS_CAPTION)
        return 0;
    return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

RECT DefaultClientRect(DWORD style, DWORD exStyle, const RECT& windowRect, bool hasMenu)
{
    RECT r = windowRect;
    if (style & WS_MINIMIZE)
        return { r.left, r.top, r.left, r.top };
    const int border = BorderWidth(style, exStyle);
    InflateRect(&r, -border, -border);
    r.top += CaptionHeight(style, exStyle);
    if (hasMenu)
        r.top += GetSystemMetrics(SM_CYMENU);
    if (exStyle & WS_EX_CLIENTEDGE)
        InflateRect(&r, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    if (exStyle & WS_EX_STATICEDGE)
        InflateRect(&r, -GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER));
    if (style & WS_VSCROLL)
        r.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        r.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

bool LayoutOf(HWND hwnd, NonClientLayout& l)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    auto w = manager.find(hwnd);
    if (!w)
        return false;
    l = NonClientLayout {};
    l.window = manager.screenWindowRect(*w);
    l.client = manager.screenClientRect(*w);
    l.border = BorderWidth(w->style, w->exStyle);
    l.thickFrame = (w->style & WS_THICKFRAME) != 0;
    l.toolWindow = (w->exStyle & WS_EX_TOOLWINDOW) != 0;
    l.inner = l.window;
    InflateRect(&l.inner, -l.border, -l.border);
    const int captionHeight = CaptionHeight(w->style, w->exStyle);
    if (captionHeight > 0) {
        // The caption's last row is the line between caption and client area.
        l.caption = { l.inner.left, l.inner.top, l.inner.right, l.inner.top + captionHeight - 1 };
        const int buttonW = GetSystemMetrics(l.toolWindow ? SM_CXSMSIZE : SM_CXSIZE) - 2;
        const int buttonH = captionHeight - 1 - 4;
        const int top = l.caption.top + 2;
        int right = l.caption.right - 2;
        if (w->style & WS_SYSMENU) {
            l.closeButton = { right - buttonW, top, right, top + buttonH };
            right = l.closeButton.left - 2;
            if (!l.toolWindow && (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
                l.maxButton = { right - buttonW, top, right, top + buttonH };
                l.minButton = { l.maxButton.left - buttonW, top, l.maxButton.left, top + buttonH };
            } else if (w->exStyle & WS_EX_CONTEXTHELP) {
                l.helpButton = { right - buttonW, top, right, top + buttonH };
            }
            if (!l.toolWindow && !(w->exStyle & WS_EX_DLGMODALFRAME)) {
                const int icon = GetSystemMetrics(SM_CXSMICON);
                const int iconTop = l.caption.top + (captionHeight - 1 - icon) / 2;
                l.sysMenu = { l.caption.left + 2, iconTop, l.caption.left + 2 + icon, iconTop + icon };
            }
        }
    }
    if (MenuBarOf(hwnd)) {
        const int top = l.inner.top + captionHeight;
        l.menuBar
            = { l.inner.left, top, l.inner.right, std::min<LONG>(top + GetSystemMetrics(SM_CYMENU), l.inner.bottom) };
    }
    if (w->style & WS_VSCROLL)
        l.vScroll = { l.client.right, l.client.top, l.client.right + GetSystemMetrics(SM_CXVSCROLL), l.client.bottom };
    if (w->style & WS_HSCROLL)
        l.hScroll
            = { l.client.left, l.client.bottom, l.client.right, l.client.bottom + GetSystemMetrics(SM_CYHSCROLL) };
    if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL))
        l.grip = { l.vScroll.left, l.hScroll.top, l.vScroll.right, l.hScroll.bottom };
    return true;
}

LRESULT NonClientHitTest(HWND hwnd, POINT pt)
{
    NonClientLayout l;
    if (!LayoutOf(hwnd, l) || !PtInRect(&l.window, pt))
        return HTNOWHERE;
    if (IsIconic(hwnd))
        return HTCAPTION;
    if (PtInRect(&l.client, pt))
        return HTCLIENT;
    if (!PtInRect(&l.inner, pt)) {
        if (!l.thickFrame)
            return HTBORDER;
        const int corner = GetSystemMetrics(SM_CXSIZE) + l.border;
        const bool nearLeft = pt.x < l.window.left + corner, nearRight = pt.x >= l.window.right - corner;
        const bool nearTop = pt.y < l.window.top + corner, nearBottom = pt.y >= l.window.bottom - corner;
        if (pt.y < l.inner.top)
            return nearLeft ? HTTOPLEFT : nearRight ? HTTOPRIGHT : HTTOP;
        if (pt.y >= l.inner.bottom)
            return nearLeft ? HTBOTTOMLEFT : nearRight ? HTBOTTOMRIGHT : HTBOTTOM;
        if (pt.x < l.inner.left)
            return nearTop ? HTTOPLEFT : nearBottom ? HTBOTTOMLEFT : HTLEFT;
        return nearTop ? HTTOPRIGHT : nearBottom ? HTBOTTOMRIGHT : HTRIGHT;
    }
    if (!IsRectEmpty(&l.caption) && pt.y < l.caption.bottom + 1) {
        if (PtInRect(&l.closeButton, pt))
            return HTCLOSE;
        if (PtInRect(&l.maxButton, pt))
            return HTMAXBUTTON;
        if (PtInRect(&l.minButton, pt))
            return HTMINBUTTON;
        if (PtInRect(&l.helpButton, pt))
            return HTHELP;
        if (PtInRect(&l.sysMenu, pt))
            return HTSYSMENU;
        return HTCAPTION;
    }
    if (PtInRect(&l.menuBar, pt))
        return HTMENU;
    if (PtInRect(&l.grip, pt))
        return l.thickFrame ? HTBOTTOMRIGHT : HTGROWBOX;
    if (PtInRect(&l.vScroll, pt))
        return HTVSCROLL;
    if (PtInRect(&l.hScroll, pt))
        return HTHSCROLL;
    return HTBORDER;
}

namespace {

RECT toWindow(const RECT& r, const RECT& window)
{
    RECT out = r;
    OffsetRect(&out, -window.left, -window.top);
    return out;
}

} // namespace

void PaintNonClient(HWND hwnd, bool active, HRGN region)
{
    NonClientLayout l;
    if (!LayoutOf(hwnd, l))
        return;
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE));
    HDC hdc = nullptr;
    if (region) {
        // The region is on the screen; the DC's clip is relative to the window's corner.
        RECT window {};
        GetWindowRect(hwnd, &window);
        HRGN local = CreateRectRgn(0, 0, 0, 0);
        if (CombineRgn(local, region, nullptr, RGN_COPY) == ERROR) {
            DeleteObject(local);
            local = nullptr;
        } else {
            OffsetRgn(local, -window.left, -window.top);
        }
        hdc = GetDCEx(hwnd, local, DCX_WINDOW | DCX_CACHE | (local ? DCX_INTERSECTRGN : 0));
        if (local)
            DeleteObject(local);
    } else {
        hdc = GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE);
    }
    if (!hdc)
        return;
    const RECT client = toWindow(l.client, l.window);
    ExcludeClipRect(hdc, client.left, client.top, client.right, client.bottom);
    RECT whole = toWindow(l.window, l.window);

    if (l.thickFrame || (style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        RECT r = whole;
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        for (int i = 2; i < l.border; ++i) {
            FrameRect(hdc, &r, GetSysColorBrush(active || !l.thickFrame ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
            InflateRect(&r, -1, -1);
        }
    } else if (style & WS_BORDER) {
        FrameRect(hdc, &whole, GetSysColorBrush(COLOR_WINDOWFRAME));
    }

    if (!IsRectEmpty(&l.caption)) {
        RECT caption = toWindow(l.caption, l.window);
        FillRect(hdc, &caption, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        RECT line { caption.left, caption.bottom, caption.right, caption.bottom + 1 };
        FillRect(hdc, &line, GetSysColorBrush(COLOR_BTNFACE));
        int textLeft = caption.left + 4;
        if (!IsRectEmpty(&l.sysMenu)) {
            RECT icon = toWindow(l.sysMenu, l.window);
            HICON small = reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, ICON_SMALL, 0));
            if (!small)
                small = reinterpret_cast<HICON>(GetClassLongPtr(hwnd, GCLP_HICONSM));
            if (!small)
                small = LoadIcon(nullptr, IDI_APPLICATION);
            DrawIconEx(hdc, icon.left, icon.top, small, icon.right - icon.left, icon.bottom - icon.top, 0, nullptr, 3);
            textLeft = icon.right + 2;
        }
        char text[256] {};
        GetWindowText(hwnd, text, sizeof text);
        NONCLIENTMETRICS metrics;
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        HFONT font = CreateFontIndirect(l.toolWindow ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont);
        HGDIOBJ oldFont = SelectObject(hdc, font);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        int textRight = caption.right - 2;
        for (const RECT* b : { &l.minButton, &l.helpButton, &l.closeButton })
            if (!IsRectEmpty(b)) {
                textRight = toWindow(*b, l.window).left - 2;
                break;
            }
        RECT textRect { textLeft, caption.top, textRight, caption.bottom };
        DrawText(hdc, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(hdc, oldFont);
        DeleteObject(font);

        auto button = [&](const RECT& screenRect, UINT kind) {
            if (IsRectEmpty(&screenRect))
                return;
            RECT r = toWindow(screenRect, l.window);
            DrawFrameControl(hdc, &r, DFC_CAPTION, kind);
        };
        const bool zoomed = (style & WS_MAXIMIZE) != 0, iconic = (style & WS_MINIMIZE) != 0;
        button(l.closeButton, DFCS_CAPTIONCLOSE | (GetClassLong(hwnd, GCL_STYLE) & CS_NOCLOSE ? DFCS_INACTIVE : 0));
        button(l.maxButton,
            (zoomed ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) | (style & WS_MAXIMIZEBOX ? 0 : DFCS_INACTIVE));
        button(l.minButton,
            (iconic ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN) | (style & WS_MINIMIZEBOX ? 0 : DFCS_INACTIVE));
        button(l.helpButton, DFCS_CAPTIONHELP);
    }

    if (!IsRectEmpty(&l.menuBar))
        PaintMenuBar(hwnd, hdc, toWindow(l.menuBar, l.window));

    RECT edge = toWindow(l.client, l.window);
    if (style & WS_VSCROLL)
        edge.right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        edge.bottom += GetSystemMetrics(SM_CYHSCROLL);
    if (exStyle & WS_EX_STATICEDGE) {
        InflateRect(&edge, 1, 1);
        DrawEdge(hdc, &edge, BDR_SUNKENOUTER, BF_RECT);
        InflateRect(&edge, -1, -1);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        InflateRect(&edge, 2, 2);
        DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT);
    }
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    if (style & WS_VSCROLL) {
        GetScrollInfo(hwnd, SB_VERT, &info);
        DrawScrollBar(hdc, toWindow(l.vScroll, l.window), true, info, info.nMax > info.nMin);
    }
    if (style & WS_HSCROLL) {
        GetScrollInfo(hwnd, SB_HORZ, &info);
        DrawScrollBar(hdc, toWindow(l.hScroll, l.window), false, info, info.nMax > info.nMin);
    }
    if (!IsRectEmpty(&l.grip)) {
        RECT grip = toWindow(l.grip, l.window);
        FillRect(hdc, &grip, GetSysColorBrush(COLOR_BTNFACE));
    }
    ReleaseDC(hwnd, hdc);
}

void DrawScrollBar(HDC hdc, const RECT& bar, bool vertical, const SCROLLINFO& info, bool enabled)
{
    if (IsRectEmpty(&bar))
        return;
    const int arrow = vertical ? std::min<int>(GetSystemMetrics(SM_CYVSCROLL), (bar.bottom - bar.top) / 2)
                               : std::min<int>(GetSystemMetrics(SM_CXHSCROLL), (bar.right - bar.left) / 2);
    RECT first = bar, second = bar, track = bar;
    if (vertical) {
        first.bottom = first.top + arrow;
        second.top = second.bottom - arrow;
        track.top = first.bottom;
        track.bottom = second.top;
    } else {
        first.right = first.left + arrow;
        second.left = second.right - arrow;
        track.left = first.right;
        track.right = second.left;
    }
    const UINT inactive = enabled ? 0 : DFCS_INACTIVE;
    DrawFrameControl(hdc, &first, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive);
    DrawFrameControl(hdc, &second, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive);
    FillRect(hdc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    const int range = info.nMax - info.nMin + 1;
    const int length = vertical ? track.bottom - track.top : track.right - track.left;
    if (!enabled || range <= 0 || length <= 0)
        return;
    int thumb = info.nPage ? std::max<int>(GetSystemMetrics(SM_CYVTHUMB) / 2,
                    static_cast<int>(static_cast<long long>(length) * info.nPage / range))
                           : GetSystemMetrics(SM_CYVTHUMB);
    thumb = std::min(thumb, length);
    const int maxPos = info.nMax - std::max<int>(static_cast<int>(info.nPage) - 1, 0);
    const int span = maxPos - info.nMin;
    const int offset
        = span > 0 ? static_cast<int>(static_cast<long long>(length - thumb) * (info.nPos - info.nMin) / span) : 0;
    RECT thumbRect = track;
    if (vertical) {
        thumbRect.top = track.top + offset;
        thumbRect.bottom = thumbRect.top + thumb;
    } else {
        thumbRect.left = track.left + offset;
        thumbRect.right = thumbRect.left + thumb;
    }
    DrawEdge(hdc, &thumbRect, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

} // namespace platform::user
