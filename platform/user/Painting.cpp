// Painting: update regions, WM_PAINT, and the window, client, screen and desktop DCs over the one
// screen surface, clipped to each window's visible region.

#include <algorithm>
#include <map>

#include "platform/base/Thread.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/user/Internal.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Screen.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;
using platform::gdi::Region;

namespace {

// A DC handed out by GetDC, GetDCEx, GetWindowDC or BeginPaint.
struct HeldDC {
    HWND hwnd { nullptr };
    DWORD flags { 0 };
    bool desktop { false };
    bool kept { false }; // a window's or class's own DC: released only with the window
    bool paint { false };
    std::optional<Region> paintRegion; // screen coordinates
    std::optional<Region> extraClip; // relative to the DC origin, DCX_INTERSECTRGN / DCX_EXCLUDERGN
    bool excludeExtra { false };
};

std::map<HDC, HeldDC>& heldDCs()
{
    static std::map<HDC, HeldDC> table;
    return table;
}

// The origin and visible region a held DC should have now; with the lock held.
void placement(const HeldDC& held, POINT& origin, Region& visible)
{
    auto& manager = WindowManager::Instance();
    const RECT screen = manager.desktop().windowRect;
    Window* w = held.desktop ? nullptr : manager.findOrDesktop(held.hwnd);
    if (!w || w == &manager.desktop()) {
        origin = {};
        visible = Region(screen);
    } else {
        const bool whole = (held.flags & DCX_WINDOW) != 0;
        const bool clipChildren = (held.flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
        const bool clipSiblings = (held.flags & DCX_CLIPSIBLINGS) || (w->style & WS_CLIPSIBLINGS);
        visible = manager.visibleRegion(*w, whole, clipChildren, clipSiblings);
        const RECT r = whole ? manager.screenWindowRect(*w) : manager.screenClientRect(*w);
        origin = { r.left, r.top };
        if (manager.lockedWindow && !(held.flags & DCX_LOCKWINDOWUPDATE)) {
            Window* locked = manager.findOrDesktop(manager.lockedWindow);
            if (locked && (locked == w || manager.isDescendant(*locked, *w)))
                visible = Region();
        }
    }
    if (held.extraClip) {
        Region extra = *held.extraClip;
        extra.offset(origin.x, origin.y);
        visible = Region::combine(visible, extra, held.excludeExtra ? RGN_DIFF : RGN_AND);
    }
    if (held.paintRegion)
        visible = Region::combine(visible, *held.paintRegion, RGN_AND);
}

// A region object the caller deletes.
HRGN regionHandle(Region region)
{
    auto object = std::make_shared<platform::gdi::RegionObject>();
    object->region = std::move(region);
    return platform::gdi::addObject<HRGN>(object);
}

HDC makeDC(HeldDC held)
{
    POINT origin;
    Region visible;
    HDC hdc = nullptr;
    {
        auto lock = WindowManager::Acquire();
        placement(held, origin, visible);
        hdc = platform::gdi::CreateSurfaceDC(Screen::Instance().surface(), origin, visible);
        if (hdc)
            heldDCs()[hdc] = std::move(held);
    }
    return hdc;
}

void invalidateOne(Window& w, const Region& clientRegion, UINT flags)
{
    auto& manager = WindowManager::Instance();
    const RECT client { 0, 0, w.clientRect.right - w.clientRect.left, w.clientRect.bottom - w.clientRect.top };
    const Region area = clientRegion.intersected(client);
    if (flags & RDW_INVALIDATE) {
        if (!manager.reallyVisible(w))
            return;
        w.update = Region::combine(w.update, area, RGN_OR);
        if (flags & RDW_ERASE)
            w.eraseDue = true;
        if (flags & RDW_FRAME)
            w.framePaintDue = true;
        if (flags & RDW_INTERNALPAINT)
            w.internalPaint = true;
        if (w.queue && (!w.update.empty() || w.framePaintDue || w.internalPaint))
            w.queue->wake();
    } else if (flags & RDW_VALIDATE) {
        w.update = Region::combine(w.update, area, RGN_DIFF);
        if (w.update.empty())
            w.eraseDue = false;
        if (flags & RDW_NOERASE)
            w.eraseDue = false;
        if (flags & RDW_NOFRAME)
            w.framePaintDue = false;
        if (flags & RDW_NOINTERNALPAINT)
            w.internalPaint = false;
    } else if (flags & RDW_INTERNALPAINT) {
        w.internalPaint = true;
        if (w.queue)
            w.queue->wake();
    }
}

} // namespace

namespace platform::user {

bool NeedsPaint(const Window& w)
{
    return WindowManager::Instance().reallyVisible(w) && (!w.update.empty() || w.framePaintDue || w.internalPaint);
}

void InvalidateWindow(Window& w, const Region* clientRegion, UINT flags)
{
    const RECT client { 0, 0, w.clientRect.right - w.clientRect.left, w.clientRect.bottom - w.clientRect.top };
    const Region area = clientRegion ? *clientRegion : Region(client);
    invalidateOne(w, area, flags);
    const bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w.style & WS_CLIPCHILDREN));
    if (!children)
        return;
    for (auto& child : w.children) {
        if (!child->visibleFlag())
            continue;
        // The child's share in its own client coordinates; a touched frame is repainted too.
        Region share = area;
        share.offset(-child->clientRect.left, -child->clientRect.top);
        if ((flags & RDW_INVALIDATE) && area.intersects(child->windowRect) && !clientRegion)
            child->framePaintDue = true;
        else if ((flags & RDW_INVALIDATE) && area.intersects(child->windowRect)) {
            RECT inner = child->clientRect;
            if (!Region::combine(area.intersected(child->windowRect), Region(inner), RGN_DIFF).empty())
                child->framePaintDue = true;
        }
        if (!share
                 .intersected({ 0, 0, child->clientRect.right - child->clientRect.left,
                     child->clientRect.bottom - child->clientRect.top })
                 .empty()
            || (flags & RDW_VALIDATE))
            InvalidateWindow(*child, &share, flags | (flags & RDW_ALLCHILDREN));
    }
}

HWND FindPaintWindow(const MessageQueue& queue, const MessageFilter& filter)
{
    for (auto& w : WindowManager::Instance().allWindows())
        if (w->queue.get() == &queue && NeedsPaint(*w) && filter.accepts(w.get(), w->handle, WM_PAINT))
            return w->handle;
    return nullptr;
}

void RefreshHeldDCs()
{
    auto lock = WindowManager::Acquire();
    for (auto& [hdc, held] : heldDCs()) {
        POINT origin;
        Region visible;
        placement(held, origin, visible);
        platform::gdi::UpdateSurfaceDC(hdc, origin, visible);
    }
}

void PaintDesktop(const RECT& screenRect)
{
    Region area;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        area = Region(screenRect).intersected(manager.desktop().windowRect);
        for (auto& top : manager.desktop().children)
            if (top->visibleFlag())
                area = Region::combine(area, Region(manager.screenWindowRect(*top)), RGN_DIFF);
    }
    if (area.empty())
        return;
    HDC hdc = platform::gdi::CreateSurfaceDC(Screen::Instance().surface(), POINT {}, area);
    if (!hdc)
        return;
    FillRect(hdc, &screenRect, GetSysColorBrush(COLOR_DESKTOP));
    platform::gdi::ReleaseSurfaceDC(hdc);
}

void ExposeScreenArea(const RECT& screenRect)
{
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        for (auto& w : manager.allWindows()) {
            if (!manager.reallyVisible(*w))
                continue;
            const RECT windowRect = manager.screenWindowRect(*w);
            RECT common;
            if (!IntersectRect(&common, &windowRect, &screenRect))
                continue;
            const Region seen = manager.visibleRegion(*w, true, true, true).intersected(screenRect);
            if (seen.empty())
                continue;
            const RECT client = manager.screenClientRect(*w);
            Region inClient = seen.intersected(client);
            if (!Region::combine(seen, inClient, RGN_DIFF).empty())
                w->framePaintDue = true;
            inClient.offset(-client.left, -client.top);
            invalidateOne(*w, inClient, RDW_INVALIDATE | RDW_ERASE | (w->framePaintDue ? RDW_FRAME : 0));
        }
    }
    PaintDesktop(screenRect);
}

} // namespace platform::user

// ---- Invalidation -------------------------------------------------------------------------------

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags)
{
    std::vector<HWND> toUpdate;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        Window* w = hwnd ? manager.findOrDesktop(hwnd) : &manager.desktop();
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        std::optional<Region> region;
        if (rgn) {
            const auto object = platform::gdi::lookup<platform::gdi::RegionObject>(rgn);
            if (!object)
                return FALSE;
            region = object->region;
        } else if (rect) {
            region = Region(*rect);
        }
        if (w == &manager.desktop()) {
            const RECT area = region ? region->bounds() : manager.desktop().windowRect;
            if (flags & RDW_INVALIDATE) {
                lock.unlock();
                PaintDesktop(area);
                if (flags & RDW_ALLCHILDREN)
                    ExposeScreenArea(area);
                lock.lock();
            }
        } else {
            InvalidateWindow(*w, region ? &*region : nullptr, flags);
            if ((flags & RDW_INVALIDATE) && (flags & RDW_FRAME) && !region)
                w->framePaintDue = manager.reallyVisible(*w);
        }
        if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
            toUpdate.push_back(w->handle);
            if (flags & RDW_ALLCHILDREN || !(flags & RDW_NOCHILDREN))
                for (auto& d : manager.allWindows())
                    if (manager.isDescendant(*w, *d))
                        toUpdate.push_back(d->handle);
        }
    }
    for (HWND h : toUpdate) {
        bool needs = false;
        {
            auto lock = WindowManager::Acquire();
            auto w = WindowManager::Instance().find(h);
            needs = w && NeedsPaint(*w) && w->threadId() == GetCurrentThreadId();
        }
        if (needs)
            SendMessage(h, WM_PAINT, 0, 0);
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    if (!hwnd)
        return RedrawWindow(nullptr, rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase)
{
    return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn) { return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN); }

BOOL UpdateWindow(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return FALSE;
    return RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase)
{
    bool eraseDue = false;
    RECT box {};
    {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w)
            return FALSE;
        box = w->update.bounds();
        eraseDue = w->eraseDue;
    }
    if (rect)
        *rect = box;
    if (erase && eraseDue && !IsRectEmpty(&box)) {
        HDC hdc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_INTERSECTUPDATE);
        SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
        ReleaseDC(hwnd, hdc);
        auto lock = WindowManager::Acquire();
        if (auto w = WindowManager::Instance().find(hwnd))
            w->eraseDue = false;
    }
    return IsRectEmpty(&box) ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase)
{
    RECT box;
    GetUpdateRect(hwnd, &box, erase);
    std::vector<RECT> rects;
    {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w || !rgn)
            return ERROR;
        rects = w->update.rects();
    }
    SetRectRgn(rgn, 0, 0, 0, 0);
    for (const RECT& r : rects) {
        HRGN part = CreateRectRgnIndirect(&r);
        CombineRgn(rgn, rgn, part, RGN_OR);
        DeleteObject(part);
    }
    return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// ---- Painting -----------------------------------------------------------------------------------

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps)
{
    auto window = LookupWindow(hwnd, true);
    if (!window || !ps)
        return nullptr;
    HideCaret(hwnd);
    bool frame = false;
    {
        auto lock = WindowManager::Acquire();
        frame = std::exchange(window->framePaintDue, false);
    }
    if (frame)
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
    Region update;
    bool erase = false;
    POINT clientOrigin {};
    {
        auto lock = WindowManager::Acquire();
        if (window->destroyed)
            return nullptr;
        update = std::exchange(window->update, Region());
        erase = std::exchange(window->eraseDue, false);
        window->internalPaint = false;
        clientOrigin = WindowManager::Instance().clientOrigin(*window);
    }
    Region paintRegion = update;
    paintRegion.offset(clientOrigin.x, clientOrigin.y);
    HDC hdc = nullptr;
    if (GetClassLong(hwnd, GCL_STYLE) & (CS_OWNDC | CS_CLASSDC)) {
        // The window's own DC, keeping what was selected into it, limited to the update region
        // until EndPaint.
        hdc = GetDCEx(hwnd, nullptr, 0);
        {
            auto lock = WindowManager::Acquire();
            auto it = heldDCs().find(hdc);
            if (it != heldDCs().end()) {
                it->second.paint = true;
                it->second.paintRegion = paintRegion;
            }
        }
        RefreshHeldDCs();
    } else {
        HeldDC held;
        held.hwnd = hwnd;
        held.paint = true;
        held.paintRegion = paintRegion;
        hdc = makeDC(held);
    }
    *ps = PAINTSTRUCT {};
    ps->hdc = hdc;
    ps->rcPaint = update.bounds();
    if (erase && hdc)
        ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
    return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    if (!ps)
        return FALSE;
    ReleaseDC(hwnd, ps->hdc);
    ShowCaret(hwnd);
    return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags)
{
    HeldDC held;
    held.flags = flags;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        Window* w = hwnd ? manager.findOrDesktop(hwnd) : &manager.desktop();
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        held.hwnd = w->handle;
        held.desktop = w == &manager.desktop();
        if (!held.desktop && (flags & DCX_INTERSECTUPDATE)) {
            Region update = w->update;
            if (flags & DCX_WINDOW)
                update.offset(w->clientRect.left - w->windowRect.left, w->clientRect.top - w->windowRect.top);
            held.paintRegion = update;
            const POINT origin = manager.clientOrigin(*w);
            held.paintRegion->offset(origin.x, origin.y);
        }
        // A window's own DC (CS_OWNDC) or its class's (CS_CLASSDC) keeps what was selected into it.
        if (!held.desktop && !(flags & (DCX_CACHE | DCX_WINDOW))) {
            const UINT classStyle = w->windowClass->style;
            HDC* kept = (classStyle & CS_OWNDC) ? &w->ownDC
                : (classStyle & CS_CLASSDC)     ? &w->windowClass->classDC
                                                : nullptr;
            if (kept) {
                held.kept = true;
                if (*kept && heldDCs().count(*kept)) {
                    heldDCs()[*kept] = held;
                    lock.unlock();
                    RefreshHeldDCs();
                    return *kept;
                }
                lock.unlock();
                HDC hdc = makeDC(held);
                lock.lock();
                *kept = hdc;
                return hdc;
            }
        }
    }
    if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        if (const auto object = platform::gdi::lookup<platform::gdi::RegionObject>(clip)) {
            held.extraClip = object->region;
            held.excludeExtra = (flags & DCX_EXCLUDERGN) != 0;
        }
    }
    return makeDC(held);
}

HDC GetDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, 0); }

HDC GetWindowDC(HWND hwnd) { return GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE); }

int ReleaseDC(HWND, HDC hdc)
{
    {
        auto lock = WindowManager::Acquire();
        auto it = heldDCs().find(hdc);
        if (it == heldDCs().end())
            return 0;
        if (it->second.kept) {
            auto w = WindowManager::Instance().find(it->second.hwnd);
            const bool windowGone = !w || (w->ownDC != hdc && w->windowClass->classDC != hdc);
            if (!windowGone) {
                // Painting on a kept DC ends: it draws on the whole visible area again.
                it->second.paintRegion.reset();
                it->second.flags = 0;
                lock.unlock();
                RefreshHeldDCs();
                return 1;
            }
        }
        heldDCs().erase(it);
    }
    platform::gdi::ReleaseSurfaceDC(hdc);
    return 1;
}

HWND WindowFromDC(HDC hdc)
{
    auto lock = WindowManager::Acquire();
    auto it = heldDCs().find(hdc);
    return it == heldDCs().end() ? nullptr : it->second.hwnd;
}

BOOL LockWindowUpdate(HWND hwnd)
{
    HWND previous = nullptr;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        if (hwnd) {
            if (manager.lockedWindow && manager.find(manager.lockedWindow)) {
                SetLastError(ERROR_SCREEN_ALREADY_LOCKED);
                return FALSE;
            }
            if (!manager.find(hwnd)) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return FALSE;
            }
            manager.lockedWindow = hwnd;
        } else {
            previous = std::exchange(manager.lockedWindow, nullptr);
        }
    }
    RefreshHeldDCs();
    // What was drawn while locked was held back: the window is repainted whole.
    if (previous && IsWindow(previous))
        RedrawWindow(previous, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* rect, const RECT* clipRect)
{
    if (!IsWindow(hwnd))
        return FALSE;
    if (!rect) {
        std::vector<HWND> children;
        for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            children.push_back(c);
        for (HWND c : children) {
            RECT r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
            SetWindowPos(c, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    // The pixels that stay in view move; what no visible pixel can fill (the strip scrolled in, and
    // what was hidden under other windows) is invalidated, and so is the update region moved along.
    RECT client {};
    GetClientRect(hwnd, &client);
    RECT area = client;
    if (rect)
        IntersectRect(&area, &area, rect);
    RECT limit = client;
    if (clipRect)
        IntersectRect(&limit, &limit, clipRect);
    Region moved;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        auto w = manager.find(hwnd);
        if (!w)
            return FALSE;
        Region visible = manager.visibleRegion(*w, false, false, true);
        const POINT origin = manager.clientOrigin(*w);
        visible.offset(-origin.x, -origin.y);
        moved = visible.intersected(area);
        moved.offset(dx, dy);
        moved = Region::combine(moved, visible, RGN_AND).intersected(area).intersected(limit);
        Region pending = w->update.intersected(area);
        pending.offset(dx, dy);
        w->update = Region::combine(Region::combine(w->update, Region(area), RGN_DIFF),
            pending.intersected(area), RGN_OR);
    }
    if (!moved.empty()) {
        HDC dc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        HRGN handle = regionHandle(moved);
        SelectClipRgn(dc, handle);
        DeleteObject(handle);
        BitBlt(dc, area.left + dx, area.top + dy, area.right - area.left, area.bottom - area.top, dc, area.left,
            area.top, SRCCOPY);
        ReleaseDC(hwnd, dc);
    }
    const Region exposed = Region::combine(Region(area).intersected(limit), moved, RGN_DIFF);
    HRGN invalid = regionHandle(exposed);
    const BOOL done = RedrawWindow(hwnd, nullptr, invalid, RDW_INVALIDATE | RDW_ERASE);
    DeleteObject(invalid);
    return done;
}

int GetWindowRgnBox(HWND hwnd, LPRECT rect)
{
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return ERROR;
    if (rect)
        *rect = { 0, 0, r.right - r.left, r.bottom - r.top };
    return SIMPLEREGION;
}
