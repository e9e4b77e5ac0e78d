// The STATIC class: labels, icons, pictures, rectangles, frames and etched lines.

#include "platform/user/ControlSupport.h"

namespace platform::user {

namespace {

struct StaticState {
    HFONT font { nullptr };
    HANDLE image { nullptr };
};

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)); }
DWORD typeOf(HWND h) { return styleOf(h) & SS_TYPEMASK; }

bool isText(DWORD type)
{
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

SIZE imageSize(HANDLE image, DWORD type)
{
    if (!image)
        return {};
    if (type == SS_ICON)
        return { GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON) };
    BITMAP bm {};
    GetObject(image, sizeof bm, &bm);
    return { bm.bmWidth, bm.bmHeight };
}

// An icon or picture static takes the size of its image, unless it centres the image in its own size.
void fitToImage(HWND h, StaticState& s)
{
    if (!s.image || (styleOf(h) & (SS_CENTERIMAGE | SS_REALSIZEIMAGE)))
        return;
    const SIZE size = imageSize(s.image, typeOf(h));
    SetWindowPos(h, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HANDLE setImage(HWND h, StaticState& s, HANDLE image)
{
    HANDLE old = s.image;
    s.image = image;
    fitToImage(h, s);
    InvalidateRect(h, nullptr, TRUE);
    return old;
}

UINT textFormat(DWORD style)
{
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format |= DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        format |= DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        break;
    default:
        format |= DT_WORDBREAK;
        break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    switch (style & SS_WORDELLIPSIS) {
    case SS_ENDELLIPSIS:
        format |= DT_END_ELLIPSIS;
        break;
    case SS_PATHELLIPSIS:
        format |= DT_PATH_ELLIPSIS;
        break;
    case SS_WORDELLIPSIS:
        format |= DT_WORD_ELLIPSIS;
        break;
    default:
        break;
    }
    return format;
}

void paint(HWND h, HDC hdc, StaticState& s)
{
    RECT r;
    GetClientRect(h, &r);
    const DWORD style = styleOf(h);
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_OWNERDRAW) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_STATIC;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = IsWindowEnabled(h) ? 0 : ODS_DISABLED;
        dis.hwndItem = h;
        dis.hDC = hdc;
        dis.rcItem = r;
        SendMessage(GetParent(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    HBRUSH brush = ControlColors(h, hdc, WM_CTLCOLORSTATIC);
    if (style & SS_SUNKEN) {
        DrawEdge(hdc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    switch (type) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
        FillRect(hdc, &r,
            GetSysColorBrush(type == SS_BLACKRECT ? COLOR_3DDKSHADOW
                    : type == SS_GRAYRECT         ? COLOR_3DSHADOW
                                                  : COLOR_3DHILIGHT));
        return;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
        FrameRect(hdc, &r,
            GetSysColorBrush(type == SS_BLACKFRAME ? COLOR_3DDKSHADOW
                    : type == SS_GRAYFRAME         ? COLOR_3DSHADOW
                                                   : COLOR_3DHILIGHT));
        return;
    case SS_ETCHEDHORZ:
        DrawEdge(hdc, &r, EDGE_ETCHED, BF_TOP);
        return;
    case SS_ETCHEDVERT:
        DrawEdge(hdc, &r, EDGE_ETCHED, BF_LEFT);
        return;
    case SS_ETCHEDFRAME:
        DrawEdge(hdc, &r, EDGE_ETCHED, BF_RECT);
        return;
    default:
        break;
    }
    FillRect(hdc, &r, brush);
    if (type == SS_ICON || type == SS_BITMAP) {
        if (!s.image)
            return;
        const SIZE size = imageSize(s.image, type);
        int x = r.left, y = r.top;
        if (style & SS_CENTERIMAGE) {
            x = (r.left + r.right - size.cx) / 2;
            y = (r.top + r.bottom - size.cy) / 2;
        }
        if (type == SS_ICON) {
            DrawIcon(hdc, x, y, static_cast<HICON>(s.image));
        } else {
            HDC mem = CreateCompatibleDC(hdc);
            HGDIOBJ old = SelectObject(mem, s.image);
            BitBlt(hdc, x, y, size.cx, size.cy, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        return;
    }
    if (!isText(type))
        return;
    const std::string text = WindowTextOf(h);
    if (text.empty())
        return;
    HGDIOBJ oldFont = SelectObject(hdc, FontOr(s.font));
    SetBkMode(hdc, TRANSPARENT);
    if (!IsWindowEnabled(h))
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    DrawText(hdc, text.c_str(), -1, &r, textFormat(style));
    SelectObject(hdc, oldFont);
}

} // namespace

LRESULT StaticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    StaticState* s = ControlState<StaticState>(h);
    if (!s && msg != WM_NCCREATE)
        return DefWindowProc(h, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        CreateControlState<StaticState>(h);
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_CREATE: {
        // An icon or picture named by the text comes from the module that made the control.
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        const DWORD type = typeOf(h);
        if (cs && cs->lpszName && *cs->lpszName && (type == SS_ICON || type == SS_BITMAP)) {
            HANDLE image = type == SS_ICON ? static_cast<HANDLE>(LoadIcon(cs->hInstance, cs->lpszName))
                                           : static_cast<HANDLE>(LoadBitmap(cs->hInstance, cs->lpszName));
            if (image)
                setImage(h, *s, image);
        }
        return 0;
    }
    case WM_NCDESTROY:
        DestroyControlState<StaticState>(h);
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_NCHITTEST:
        // Without SS_NOTIFY the pointer goes through to the parent.
        if (!(styleOf(h) & SS_NOTIFY))
            return HTTRANSPARENT;
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (styleOf(h) & SS_NOTIFY)
            NotifyParent(h, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (styleOf(h) & SS_NOTIFY)
            NotifyParent(h, STN_DBLCLK);
        return 0;
    case WM_ENABLE:
        if (styleOf(h) & SS_NOTIFY)
            NotifyParent(h, wParam ? STN_ENABLE : STN_DISABLE);
        InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintControl(h, [&](HDC hdc) { paint(h, hdc, *s); });
    case WM_PRINTCLIENT:
        paint(h, reinterpret_cast<HDC>(wParam), *s);
        return 0;
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProc(h, msg, wParam, lParam);
        InvalidateRect(h, nullptr, TRUE);
        return r;
    }
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case STM_SETICON:
        return reinterpret_cast<LRESULT>(setImage(h, *s, reinterpret_cast<HANDLE>(wParam)));
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(s->image);
    case STM_SETIMAGE:
        return reinterpret_cast<LRESULT>(setImage(h, *s, reinterpret_cast<HANDLE>(lParam)));
    case STM_GETIMAGE:
        return reinterpret_cast<LRESULT>(s->image);
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

} // namespace platform::user
