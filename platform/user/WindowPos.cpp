// Positions, z-order, showing and placement.

#include <algorithm>
#include <map>
#include <vector>

#include "platform/user/Internal.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;

namespace {

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool ownedBy(const std::vector<std::shared_ptr<Window>>& list, const Window& w, HWND owner)
{
    // Owner chains are short; the bound keeps a chain made circular through SetWindowLongPtr finite.
    HWND h = w.owner;
    for (std::size_t steps = 0; h && steps <= list.size(); ++steps) {
        if (h == owner)
            return true;
        auto it = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c->handle == h; });
        h = it == list.end() ? nullptr : (*it)->owner;
    }
    return false;
}

// Windows ride above their owner (floating palettes, tool windows, modeless dialogs): a window that
// moved takes the windows it owns along, in their order, to just above itself; a window that sank below
// its own owner goes to just above it. Topmost windows keep their band.
void keepOwnedAbove(std::vector<std::shared_ptr<Window>>& list, Window& w)
{
    const auto indexOf = [&](const Window& x) {
        return std::find_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == &x; }) - list.begin();
    };
    if (w.owner) {
        auto owner = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c->handle == w.owner; });
        const bool sameBand = owner != list.end() && ((*owner)->exStyle & WS_EX_TOPMOST) == (w.exStyle & WS_EX_TOPMOST);
        if (sameBand && owner - list.begin() < indexOf(w)) {
            auto self = list[static_cast<std::size_t>(indexOf(w))];
            list.erase(list.begin() + indexOf(w));
            owner = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c->handle == w.owner; });
            list.insert(owner, self);
        }
    }
    std::vector<std::shared_ptr<Window>> owned;
    for (const auto& c : list)
        if (c.get() != &w && ownedBy(list, *c, w.handle) && (c->exStyle & WS_EX_TOPMOST) == (w.exStyle & WS_EX_TOPMOST)
            && indexOf(*c) > indexOf(w))
            owned.push_back(c);
    if (owned.empty())
        return;
    std::erase_if(list, [&](const auto& c) { return std::find(owned.begin(), owned.end(), c) != owned.end(); });
    list.insert(list.begin() + indexOf(w), owned.begin(), owned.end());
}

void reorder(Window& w, HWND after)
{
    Window* parent = w.parent;
    if (!parent)
        return;
    auto& list = parent->children;
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == &w; });
    if (it == list.end())
        return;
    auto self = *it;
    list.erase(it);
    if (after == HWND_TOPMOST)
        w.exStyle |= WS_EX_TOPMOST;
    else if (after == HWND_NOTOPMOST)
        w.exStyle &= ~WS_EX_TOPMOST;
    auto firstPlain
        = std::find_if(list.begin(), list.end(), [](const auto& c) { return !(c->exStyle & WS_EX_TOPMOST); });
    if (after == HWND_BOTTOM) {
        list.push_back(self);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        list.insert(w.exStyle & WS_EX_TOPMOST ? list.begin() : firstPlain, self);
    } else {
        auto pos = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c->handle == after; });
        list.insert(pos == list.end() ? list.begin() : std::next(pos), self);
    }
    if (!w.isChild())
        keepOwnedAbove(list, w);
}

struct DeferredPositions {
    std::vector<WINDOWPOS> positions;
};
std::map<HDWP, std::unique_ptr<DeferredPositions>> g_deferred;
UINT_PTR g_nextDeferred { 0x5000 };

} // namespace

BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    auto window = LookupWindow(hwnd);
    if (!window)
        return FALSE;
    WINDOWPOS wp { hwnd, after, x, y, cx, cy, flags };
    RECT oldWindow {}, oldClient {}, oldScreen {};
    bool wasVisible = false;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        oldWindow = window->windowRect;
        oldClient = window->clientRect;
        oldScreen = manager.screenWindowRect(*window);
        wasVisible = manager.reallyVisible(*window);
        const bool visibleFlag = window->visibleFlag();
        if (visibleFlag)
            wp.flags &= ~SWP_SHOWWINDOW;
        else
            wp.flags &= ~SWP_HIDEWINDOW;
        if (!(wp.flags & SWP_NOSIZE) && oldWindow.right - oldWindow.left == cx
            && oldWindow.bottom - oldWindow.top == cy)
            wp.flags |= SWP_NOSIZE;
        if (!(wp.flags & SWP_NOMOVE) && oldWindow.left == x && oldWindow.top == y)
            wp.flags |= SWP_NOMOVE;
        if (after == hwnd)
            wp.flags |= SWP_NOZORDER;
        if (window->isChild())
            wp.flags |= SWP_NOACTIVATE;
    }
    if (!(wp.flags & SWP_NOSENDCHANGING))
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (window->destroyed)
        return FALSE;

    RECT newWindow = oldWindow;
    if (!(wp.flags & SWP_NOMOVE))
        OffsetRect(&newWindow, wp.x - oldWindow.left, wp.y - oldWindow.top);
    if (!(wp.flags & SWP_NOSIZE)) {
        newWindow.right = newWindow.left + std::max(wp.cx, 0);
        newWindow.bottom = newWindow.top + std::max(wp.cy, 0);
    }
    RECT newClient = oldClient;
    OffsetRect(&newClient, newWindow.left - oldWindow.left, newWindow.top - oldWindow.top);
    if (!(wp.flags & SWP_NOSIZE) || (wp.flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params;
        params.rgrc[0] = newWindow;
        params.rgrc[1] = oldWindow;
        params.rgrc[2] = oldClient;
        params.lppos = &wp;
        SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        newClient = params.rgrc[0];
    }

    bool nowVisible = false;
    bool geometryChanged = false;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        if (window->destroyed)
            return FALSE;
        geometryChanged = !sameRect(window->windowRect, newWindow) || !sameRect(window->clientRect, newClient);
        window->windowRect = newWindow;
        window->clientRect = newClient;
        if (!(window->style & (WS_MINIMIZE | WS_MAXIMIZE)))
            window->normalRect = newWindow;
        if (!(wp.flags & SWP_NOZORDER))
            reorder(*window, wp.hwndInsertAfter);
        if (wp.flags & SWP_SHOWWINDOW)
            window->style |= WS_VISIBLE;
        if (wp.flags & SWP_HIDEWINDOW)
            window->style &= ~WS_VISIBLE;
        nowVisible = manager.reallyVisible(*window);
    }
    RefreshHeldDCs();

    const bool changed
        = geometryChanged || wasVisible != nowVisible || !(wp.flags & SWP_NOZORDER) || (wp.flags & SWP_FRAMECHANGED);
    if (changed && !(wp.flags & SWP_NOREDRAW)) {
        if (wasVisible)
            ExposeScreenArea(oldScreen);
        if (nowVisible)
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (changed && (wp.flags & SWP_FRAMECHANGED) && nowVisible) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    }

    if (wp.flags & SWP_HIDEWINDOW) {
        HWND focus = GetFocus();
        if (focus && (focus == hwnd || IsChild(hwnd, focus)))
            SetFocus(nullptr);
        if (GetActiveWindow() == hwnd)
            ActivateOtherWindow(hwnd);
    } else if (!(wp.flags & SWP_NOACTIVATE) && nowVisible
        && ((wp.flags & SWP_SHOWWINDOW) || !(wp.flags & SWP_NOZORDER))) {
        ActivateWindow(hwnd, false);
    }

    {
        auto lock = WindowManager::Acquire();
        wp.x = window->windowRect.left;
        wp.y = window->windowRect.top;
        wp.cx = window->windowRect.right - window->windowRect.left;
        wp.cy = window->windowRect.bottom - window->windowRect.top;
    }
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int w, int h, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

HDWP BeginDeferWindowPos(int count)
{
    if (count < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = WindowManager::Acquire();
    g_nextDeferred += 4;
    HDWP handle = reinterpret_cast<HDWP>(g_nextDeferred);
    auto batch = std::make_unique<DeferredPositions>();
    batch->positions.reserve(static_cast<size_t>(count));
    g_deferred.emplace(handle, std::move(batch));
    return handle;
}

HDWP DeferWindowPos(HDWP batch, HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    auto lock = WindowManager::Acquire();
    auto it = g_deferred.find(batch);
    if (it == g_deferred.end()) {
        SetLastError(ERROR_INVALID_DWP_HANDLE);
        return nullptr;
    }
    if (!WindowManager::Instance().find(hwnd)) {
        g_deferred.erase(it);
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    auto& list = it->second->positions;
    auto existing = std::find_if(list.begin(), list.end(), [&](const WINDOWPOS& p) { return p.hwnd == hwnd; });
    const WINDOWPOS wp { hwnd, after, x, y, cx, cy, flags };
    if (existing == list.end()) {
        list.push_back(wp);
    } else {
        // A later entry for the same window overrides what it names.
        WINDOWPOS& p = *existing;
        if (!(flags & SWP_NOMOVE)) {
            p.x = x;
            p.y = y;
            p.flags &= ~SWP_NOMOVE;
        }
        if (!(flags & SWP_NOSIZE)) {
            p.cx = cx;
            p.cy = cy;
            p.flags &= ~SWP_NOSIZE;
        }
        if (!(flags & SWP_NOZORDER)) {
            p.hwndInsertAfter = after;
            p.flags &= ~SWP_NOZORDER;
        }
        p.flags |= flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED);
    }
    return batch;
}

BOOL EndDeferWindowPos(HDWP batch)
{
    std::unique_ptr<DeferredPositions> positions;
    {
        auto lock = WindowManager::Acquire();
        auto it = g_deferred.find(batch);
        if (it == g_deferred.end()) {
            SetLastError(ERROR_INVALID_DWP_HANDLE);
            return FALSE;
        }
        positions = std::move(it->second);
        g_deferred.erase(it);
    }
    for (const WINDOWPOS& p : positions->positions)
        if (IsWindow(p.hwnd))
            SetWindowPos(p.hwnd, p.hwndInsertAfter, p.x, p.y, p.cx, p.cy, p.flags);
    return TRUE;
}

namespace {

RECT minimizedRect(const Window& w)
{
    const int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
    RECT parentClient { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    if (w.isChild() && w.parent)
        parentClient = { 0, 0, w.parent->clientRect.right - w.parent->clientRect.left,
            w.parent->clientRect.bottom - w.parent->clientRect.top };
    POINT at = w.minPosition;
    if (at.x == -1 && at.y == -1)
        at = { 0, parentClient.bottom - cy };
    return { at.x, at.y, at.x + cx, at.y + cy };
}

} // namespace

BOOL ShowWindow(HWND hwnd, int cmd)
{
    auto window = LookupWindow(hwnd);
    if (!window)
        return FALSE;
    DWORD style = 0;
    RECT normal {};
    bool child = false;
    {
        auto lock = WindowManager::Acquire();
        style = window->style;
        normal = window->normalRect;
        child = window->isChild();
    }
    const bool wasVisible = (style & WS_VISIBLE) != 0;
    const bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
    UINT flags = SWP_NOSIZE | SWP_NOMOVE;
    bool show = true;
    DWORD newState = style & (WS_MINIMIZE | WS_MAXIMIZE);
    RECT target {};
    bool placing = false;
    bool activateOther = false;

    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        show = false;
        flags |= SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOACTIVATE;
        break;
    case SW_SHOWNA:
        flags |= SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    case SW_SHOW:
        flags |= SWP_SHOWWINDOW;
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        newState = WS_MINIMIZE;
        flags |= SWP_SHOWWINDOW | SWP_FRAMECHANGED;
        if (cmd != SW_SHOWMINIMIZED)
            flags |= SWP_NOACTIVATE | SWP_NOZORDER;
        activateOther = cmd == SW_MINIMIZE;
        break;
    case SW_SHOWMAXIMIZED:
        newState = WS_MAXIMIZE;
        flags |= SWP_SHOWWINDOW | SWP_FRAMECHANGED;
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE:
        newState = 0;
        flags |= SWP_SHOWWINDOW;
        if (cmd == SW_SHOWNOACTIVATE)
            flags |= SWP_NOACTIVATE | SWP_NOZORDER;
        if (cmd == SW_RESTORE && minimized && window->restoreToMaximized)
            newState = WS_MAXIMIZE;
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (child)
        flags |= SWP_NOACTIVATE | SWP_NOZORDER;

    if (newState != (style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(hwnd), cmd))
            return wasVisible;
        placing = true;
        flags &= ~(SWP_NOSIZE | SWP_NOMOVE);
        flags |= SWP_FRAMECHANGED;
        auto lock = WindowManager::Acquire();
        if (!minimized && !maximized)
            window->normalRect = window->windowRect;
        normal = window->normalRect;
        if (newState == WS_MINIMIZE) {
            window->restoreToMaximized = maximized;
            target = minimizedRect(*window);
        } else if (newState == 0) {
            target = normal;
        }
    }
    if (placing && newState == WS_MAXIMIZE) {
        const MINMAXINFO info = MinMaxInfo(hwnd);
        target = { info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
            info.ptMaxPosition.y + info.ptMaxSize.y };
        if (child) {
            auto lock = WindowManager::Acquire();
            if (window->parent) {
                const RECT frame = DefaultClientRect(window->style & ~(WS_HSCROLL | WS_VSCROLL),
                    window->exStyle & ~WS_EX_CLIENTEDGE, RECT { 0, 0, 1000, 1000 }, false);
                const int w = window->parent->clientRect.right - window->parent->clientRect.left;
                const int h = window->parent->clientRect.bottom - window->parent->clientRect.top;
                target = { -frame.left, -frame.top, w + (1000 - frame.right), h + (1000 - frame.bottom) };
            }
        }
    }
    if (placing) {
        auto lock = WindowManager::Acquire();
        window->style = (window->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | newState;
    }
    if (show != wasVisible)
        SendMessage(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!IsWindow(hwnd))
        return wasVisible;
    SetWindowPos(
        hwnd, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top, flags);
    if (placing && IsWindow(hwnd)) {
        // WM_SIZE tells the new state even when the rectangle happened to stay the same.
        RECT client;
        GetClientRect(hwnd, &client);
        if (newState == WS_MINIMIZE && (flags & SWP_NOSIZE))
            SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        auto lock = WindowManager::Acquire();
        if (!(newState & (WS_MINIMIZE | WS_MAXIMIZE)))
            window->normalRect = window->windowRect;
    }
    if (activateOther && IsWindow(hwnd) && GetActiveWindow() == hwnd)
        ActivateOtherWindow(hwnd);
    return wasVisible;
}

BOOL CloseWindow(HWND hwnd) { return IsWindow(hwnd) && (ShowWindow(hwnd, SW_MINIMIZE), TRUE); }
BOOL OpenIcon(HWND hwnd) { return IsWindow(hwnd) && (ShowWindow(hwnd, SW_RESTORE), TRUE); }

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* wp)
{
    auto window = LookupWindow(hwnd);
    if (!window || !wp)
        return FALSE;
    auto lock = WindowManager::Acquire();
    wp->length = sizeof(WINDOWPLACEMENT);
    wp->flags = window->restoreToMaximized && (window->style & WS_MINIMIZE) ? WPF_RESTORETOMAXIMIZED : 0;
    wp->showCmd = (window->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
        : (window->style & WS_MAXIMIZE)         ? SW_SHOWMAXIMIZED
                                                : SW_SHOWNORMAL;
    wp->ptMinPosition = window->minPosition;
    wp->ptMaxPosition = window->maxPosition;
    wp->rcNormalPosition = (window->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? window->normalRect : window->windowRect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* wp)
{
    auto window = LookupWindow(hwnd);
    if (!window || !wp || wp->length != sizeof(WINDOWPLACEMENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT normal = wp->rcNormalPosition;
    if (normal.right < normal.left)
        std::swap(normal.left, normal.right);
    if (normal.bottom < normal.top)
        std::swap(normal.top, normal.bottom);
    bool topLevel = false;
    {
        auto lock = WindowManager::Acquire();
        topLevel = !window->isChild();
    }
    if (topLevel) {
        // A stored placement from a larger screen must not put the window out of reach.
        RECT screen { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) }, common;
        if (!IntersectRect(&common, &normal, &screen)) {
            const int w = std::min<int>(normal.right - normal.left, screen.right);
            const int h = std::min<int>(normal.bottom - normal.top, screen.bottom);
            normal = { 0, 0, w, h };
        }
    }
    {
        auto lock = WindowManager::Acquire();
        window->normalRect = normal;
        if (wp->flags & WPF_SETMINPOSITION)
            window->minPosition = wp->ptMinPosition;
        window->maxPosition = wp->ptMaxPosition;
        window->restoreToMaximized = (wp->flags & WPF_RESTORETOMAXIMIZED) != 0;
    }
    const UINT cmd = wp->showCmd;
    if (!(IsIconic(hwnd) || IsZoomed(hwnd)))
        SetWindowPos(hwnd, nullptr, normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
    if (cmd == SW_HIDE || cmd <= SW_FORCEMINIMIZE)
        ShowWindow(hwnd, static_cast<int>(cmd));
    return TRUE;
}
