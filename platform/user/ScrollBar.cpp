// The SCROLLBAR class: a scroll bar control that tells its parent WM_HSCROLL or WM_VSCROLL (with
// itself in lParam) for the arrows, the track and the thumb, by mouse and keyboard.

#include <algorithm>
#include <utility>

#include "platform/user/ControlSupport.h"
#include "platform/user/NonClient.h"

namespace platform::user {

namespace {

enum class Part { None, First, PageFirst, Thumb, PageSecond, Second };

struct ScrollState {
    int min { 0 };
    int max { 100 };
    UINT page { 0 };
    int pos { 0 };
    int trackPos { 0 };
    UINT disabledArrows { ESB_ENABLE_BOTH };
    Part tracking { Part::None };
    int grab { 0 };
};

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)); }
bool vertical(HWND h) { return (styleOf(h) & SBS_VERT) != 0; }
bool isSizeBox(HWND h) { return (styleOf(h) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }
int lastPosition(const ScrollState& s) { return s.max - std::max<int>(static_cast<int>(s.page) - 1, 0); }

SCROLLINFO infoOf(const ScrollState& s)
{
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMin = s.min;
    info.nMax = s.max;
    info.nPage = s.page;
    info.nPos = s.pos;
    info.nTrackPos = s.trackPos;
    return info;
}

// Where the arrows and the thumb lie along the bar, in client coordinates.
struct Geometry {
    int start { 0 };
    int end { 0 };
    int arrow { 0 };
    int thumbStart { 0 };
    int thumb { 0 };
};

Geometry geometryOf(HWND h, const ScrollState& s)
{
    RECT r;
    GetClientRect(h, &r);
    Geometry g;
    const bool v = vertical(h);
    g.start = 0;
    g.end = v ? r.bottom : r.right;
    g.arrow = std::min<int>(GetSystemMetrics(v ? SM_CYVSCROLL : SM_CXHSCROLL), g.end / 2);
    const int track = std::max(g.end - 2 * g.arrow, 0);
    const int range = std::max(s.max - s.min + 1, 1);
    g.thumb = s.page ? std::max<int>(
                  GetSystemMetrics(SM_CYVTHUMB) / 2, static_cast<int>(static_cast<long long>(track) * s.page / range))
                     : GetSystemMetrics(SM_CYVTHUMB);
    g.thumb = std::min(g.thumb, track);
    const int span = std::max(lastPosition(s) - s.min, 0);
    g.thumbStart
        = g.arrow + (span ? static_cast<int>(static_cast<long long>(track - g.thumb) * (s.pos - s.min) / span) : 0);
    return g;
}

Part partAt(HWND h, const ScrollState& s, POINT pt)
{
    const Geometry g = geometryOf(h, s);
    const int at = vertical(h) ? pt.y : pt.x;
    if (at < g.arrow)
        return Part::First;
    if (at >= g.end - g.arrow)
        return Part::Second;
    if (at < g.thumbStart)
        return Part::PageFirst;
    if (at >= g.thumbStart + g.thumb)
        return Part::PageSecond;
    return Part::Thumb;
}

void tell(HWND h, WORD code, int pos)
{
    HWND parent = GetParent(h);
    if (parent)
        SendMessage(parent, vertical(h) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<unsigned>(pos)),
            reinterpret_cast<LPARAM>(h));
}

int setInfo(HWND h, ScrollState& s, const SCROLLINFO& info, bool redraw)
{
    if (info.fMask & SIF_RANGE) {
        s.min = info.nMin;
        s.max = std::max(info.nMax, info.nMin);
    }
    if (info.fMask & SIF_PAGE)
        s.page = std::min<UINT>(info.nPage, static_cast<UINT>(s.max - s.min + 1));
    if (info.fMask & SIF_POS)
        s.pos = info.nPos;
    s.pos = std::clamp(s.pos, s.min, std::max(s.min, lastPosition(s)));
    if (redraw)
        InvalidateRect(h, nullptr, TRUE);
    return s.pos;
}

void paint(HWND h, HDC hdc, const ScrollState& s)
{
    RECT r;
    GetClientRect(h, &r);
    if (isSizeBox(h)) {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        if (styleOf(h) & SBS_SIZEGRIP)
            DrawFrameControl(hdc, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        return;
    }
    const bool enabled = IsWindowEnabled(h) && s.max > s.min && s.disabledArrows != ESB_DISABLE_BOTH;
    DrawScrollBar(hdc, r, vertical(h), infoOf(s), enabled);
}

} // namespace

LRESULT ScrollBarProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ScrollState* s = ControlState<ScrollState>(h);
    if (!s && msg != WM_NCCREATE)
        return DefWindowProc(h, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        CreateControlState<ScrollState>(h);
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_NCDESTROY:
        DestroyControlState<ScrollState>(h);
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintControl(h, [&](HDC hdc) { paint(h, hdc, *s); });
    case WM_ENABLE:
        InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (isSizeBox(h))
            return DefWindowProc(h, msg, wParam, lParam);
        if ((styleOf(h) & WS_TABSTOP) && GetFocus() != h)
            SetFocus(h);
        const POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        const Part part = partAt(h, *s, pt);
        s->tracking = part;
        SetCapture(h);
        switch (part) {
        case Part::First:
            tell(h, SB_LINEUP, 0);
            break;
        case Part::Second:
            tell(h, SB_LINEDOWN, 0);
            break;
        case Part::PageFirst:
            tell(h, SB_PAGEUP, 0);
            break;
        case Part::PageSecond:
            tell(h, SB_PAGEDOWN, 0);
            break;
        case Part::Thumb:
            s->grab = (vertical(h) ? pt.y : pt.x) - geometryOf(h, *s).thumbStart;
            s->trackPos = s->pos;
            break;
        default:
            break;
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (s->tracking == Part::Thumb) {
            const Geometry g = geometryOf(h, *s);
            const int at = (vertical(h) ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam)) - s->grab - g.arrow;
            const int free = std::max(g.end - 2 * g.arrow - g.thumb, 1);
            const int span = std::max(lastPosition(*s) - s->min, 0);
            s->trackPos = s->min + static_cast<int>(static_cast<long long>(std::clamp(at, 0, free)) * span / free);
            tell(h, SB_THUMBTRACK, s->trackPos);
        }
        return 0;
    case WM_LBUTTONUP: {
        const Part part = std::exchange(s->tracking, Part::None);
        if (GetCapture() == h)
            ReleaseCapture();
        if (part == Part::None)
            return 0;
        if (part == Part::Thumb)
            tell(h, SB_THUMBPOSITION, s->trackPos);
        if (IsWindow(h))
            tell(h, SB_ENDSCROLL, 0);
        return 0;
    }
    case WM_CAPTURECHANGED:
        s->tracking = Part::None;
        return 0;
    case WM_KEYDOWN: {
        WORD code = SB_ENDSCROLL;
        switch (wParam) {
        case VK_UP:
        case VK_LEFT:
            code = SB_LINEUP;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            code = SB_LINEDOWN;
            break;
        case VK_PRIOR:
            code = SB_PAGEUP;
            break;
        case VK_NEXT:
            code = SB_PAGEDOWN;
            break;
        case VK_HOME:
            code = SB_TOP;
            break;
        case VK_END:
            code = SB_BOTTOM;
            break;
        default:
            return DefWindowProc(h, msg, wParam, lParam);
        }
        tell(h, code, 0);
        if (IsWindow(h))
            tell(h, SB_ENDSCROLL, 0);
        return 0;
    }
    case SBM_SETSCROLLINFO: {
        const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
        if (!info)
            return s->pos;
        return setInfo(h, *s, *info, wParam != 0);
    }
    case SBM_GETSCROLLINFO: {
        auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
        if (!info)
            return FALSE;
        const SCROLLINFO all = infoOf(*s);
        if (info->fMask & SIF_RANGE) {
            info->nMin = all.nMin;
            info->nMax = all.nMax;
        }
        if (info->fMask & SIF_PAGE)
            info->nPage = all.nPage;
        if (info->fMask & SIF_POS)
            info->nPos = all.nPos;
        if (info->fMask & SIF_TRACKPOS)
            info->nTrackPos = all.nTrackPos;
        return TRUE;
    }
    case SBM_SETPOS: {
        const int old = s->pos;
        SCROLLINFO info;
        info.fMask = SIF_POS;
        info.nPos = static_cast<int>(wParam);
        setInfo(h, *s, info, lParam != 0);
        return old;
    }
    case SBM_GETPOS:
        return s->pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        const int old = s->pos;
        SCROLLINFO info;
        info.fMask = SIF_RANGE;
        info.nMin = static_cast<int>(wParam);
        info.nMax = static_cast<int>(lParam);
        setInfo(h, *s, info, msg == SBM_SETRANGEREDRAW);
        return old;
    }
    case SBM_GETRANGE:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = s->min;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = s->max;
        return 0;
    case SBM_ENABLE_ARROWS:
        s->disabledArrows = static_cast<UINT>(wParam);
        InvalidateRect(h, nullptr, TRUE);
        return TRUE;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

} // namespace platform::user
