// The scroll bars of a window (WS_HSCROLL, WS_VSCROLL): their state, showing and hiding, and
// what a press on them sends.

#include <algorithm>

#include "platform/user/Internal.h"
#include "platform/user/NonClient.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;

namespace {

ScrollBarState* barOf(Window& w, int bar)
{
    if (bar == SB_HORZ)
        return &w.hScroll;
    if (bar == SB_VERT)
        return &w.vScroll;
    return nullptr;
}

int lastPosition(const ScrollBarState& s) { return s.max - std::max<int>(static_cast<int>(s.page) - 1, 0); }

// Shows or hides a bar by its style bit; the frame is recalculated when that changes.
void showBar(HWND hwnd, int bar, bool show)
{
    const DWORD bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL | WS_VSCROLL;
    bool changed = false;
    {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w)
            return;
        const DWORD style = show ? (w->style | bits) : (w->style & ~bits);
        changed = style != w->style;
        w->style = style;
    }
    if (changed)
        SetWindowPos(
            hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    if (!info || (info->cbSize != sizeof(SCROLLINFO) && info->cbSize != sizeof(SCROLLINFO) - sizeof(int)))
        return 0;
    // A scroll bar control keeps its own state.
    if (bar == SB_CTL)
        return static_cast<int>(SendMessage(hwnd, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
    bool needed = false;
    int pos = 0;
    {
        auto window = LookupWindow(hwnd);
        if (!window)
            return 0;
        auto lock = WindowManager::Acquire();
        ScrollBarState* s = barOf(*window, bar);
        if (!s)
            return 0;
        if (info->fMask & SIF_RANGE) {
            s->min = info->nMin;
            s->max = std::max(info->nMax, info->nMin);
        }
        if (info->fMask & SIF_PAGE)
            s->page = std::min<UINT>(info->nPage, static_cast<UINT>(s->max - s->min + 1));
        if (info->fMask & SIF_POS)
            s->pos = info->nPos;
        s->pos = std::clamp(s->pos, s->min, std::max(s->min, lastPosition(*s)));
        needed = lastPosition(*s) > s->min;
        pos = s->pos;
    }
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        if (needed || !(info->fMask & SIF_DISABLENOSCROLL))
            showBar(hwnd, bar, needed);
    }
    if (redraw && IsWindowVisible(hwnd))
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN | RDW_NOERASE);
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    if (bar == SB_CTL)
        return info && SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) ? TRUE : FALSE;
    auto window = LookupWindow(hwnd);
    if (!window || !info)
        return FALSE;
    auto lock = WindowManager::Acquire();
    ScrollBarState* s = barOf(*window, bar);
    if (!s)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->min;
        info->nMax = s->max;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = s->page;
    if (info->fMask & SIF_POS)
        info->nPos = s->pos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = s->trackPos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    SCROLLINFO info;
    info.fMask = SIF_POS;
    GetScrollInfo(hwnd, bar, &info);
    const int old = info.nPos;
    info.fMask = SIF_POS;
    info.nPos = pos;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar)
{
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = min;
    info.nMax = max;
    return IsWindow(hwnd) && (SetScrollInfo(hwnd, bar, &info, redraw), TRUE);
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT min, LPINT max)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    if (!min || !max || !GetScrollInfo(hwnd, bar, &info))
        return FALSE;
    *min = info.nMin;
    *max = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    if (!IsWindow(hwnd))
        return FALSE;
    if (bar == SB_CTL) {
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    showBar(hwnd, bar, show != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    if (bar == SB_CTL)
        return static_cast<BOOL>(SendMessage(hwnd, SBM_ENABLE_ARROWS, arrows, 0));
    auto window = LookupWindow(hwnd);
    if (!window)
        return FALSE;
    auto lock = WindowManager::Acquire();
    for (int b : { SB_HORZ, SB_VERT })
        if (static_cast<int>(bar) == b || bar == SB_BOTH)
            barOf(*window, b)->disabledArrows = arrows;
    return TRUE;
}

namespace platform::user {

void TrackWindowScrollBar(HWND hwnd, int bar, POINT pt)
{
    NonClientLayout l;
    if (!LayoutOf(hwnd, l))
        return;
    const bool vertical = bar == SB_VERT;
    const RECT r = vertical ? l.vScroll : l.hScroll;
    const UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd, bar, &info);
    const int arrow = GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    const int start = vertical ? r.top : r.left, end = vertical ? r.bottom : r.right;
    const int at = vertical ? pt.y : pt.x;
    const int trackLength = std::max(end - start - 2 * arrow, 1);
    const int range = std::max(info.nMax - info.nMin + 1, 1);
    int thumb = info.nPage ? std::max<int>(GetSystemMetrics(SM_CYVTHUMB) / 2,
                    static_cast<int>(static_cast<long long>(trackLength) * info.nPage / range))
                           : GetSystemMetrics(SM_CYVTHUMB);
    thumb = std::min(thumb, trackLength);
    const int lastPos = info.nMax - std::max<int>(static_cast<int>(info.nPage) - 1, 0);
    const int span = std::max(lastPos - info.nMin, 0);
    const int thumbStart = start + arrow
        + (span ? static_cast<int>(static_cast<long long>(trackLength - thumb) * (info.nPos - info.nMin) / span) : 0);

    auto send
        = [&](WORD code, int pos) { SendMessage(hwnd, message, MAKEWPARAM(code, static_cast<unsigned>(pos)), 0); };
    if (at < start + arrow)
        send(SB_LINEUP, 0);
    else if (at >= end - arrow)
        send(SB_LINEDOWN, 0);
    else if (at < thumbStart)
        send(SB_PAGEUP, 0);
    else if (at >= thumbStart + thumb)
        send(SB_PAGEDOWN, 0);
    else {
        // Follow the thumb until the button is released.
        SetCapture(hwnd);
        const int grab = at - thumbStart;
        int pos = info.nPos;
        for (;;) {
            MSG msg;
            if (!NextCapturedMessage(hwnd, msg))
                break;
            if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
                const int p = (vertical ? msg.pt.y : msg.pt.x) - grab - (start + arrow);
                const int free = std::max(trackLength - thumb, 1);
                pos = info.nMin + static_cast<int>(static_cast<long long>(std::clamp(p, 0, free)) * span / free);
                {
                    auto lock = WindowManager::Acquire();
                    if (auto w = WindowManager::Instance().find(hwnd))
                        barOf(*w, bar)->trackPos = pos;
                }
                send(msg.message == WM_LBUTTONUP ? SB_THUMBPOSITION : SB_THUMBTRACK, pos);
                if (msg.message == WM_LBUTTONUP)
                    break;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (GetCapture() == hwnd)
            ReleaseCapture();
    }
    if (IsWindow(hwnd))
        send(SB_ENDSCROLL, 0);
}

} // namespace platform::user
