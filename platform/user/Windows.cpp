// Windows: creation and destruction with their message order, the window values, properties, text,
// the tree and coordinates.

#include <algorithm>
#include <cstring>

#include "platform/base/CaseFold.h"
#include "platform/base/Thread.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/user/Internal.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"

using platform::user::LookupWindow;
using platform::user::Window;
using platform::user::WindowManager;

namespace platform::user {

namespace {

std::string propName(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(reinterpret_cast<UINT_PTR>(name));
    return name;
}

void insertChild(Window& parent, std::shared_ptr<Window> child, bool atTop)
{
    auto& list = parent.children;
    if (!atTop) {
        list.push_back(std::move(child));
        return;
    }
    // Windows that are not topmost go below the topmost ones.
    auto pos = list.begin();
    if (!(child->exStyle & WS_EX_TOPMOST))
        while (pos != list.end() && ((*pos)->exStyle & WS_EX_TOPMOST))
            ++pos;
    list.insert(pos, std::move(child));
}

void detach(Window& w)
{
    if (!w.parent)
        return;
    auto& list = w.parent->children;
    list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == &w; }), list.end());
    w.parent = nullptr;
}

// Takes a window and its children out of every table, without messages.
void unlink(Window& w)
{
    for (auto& child : std::vector<std::shared_ptr<Window>>(w.children))
        unlink(*child);
    auto& manager = WindowManager::Instance();
    w.destroyed = true;
    if (w.windowClass)
        --w.windowClass->windowCount;
    detach(w);
    manager.remove(w.handle);
    if (manager.capture == w.handle)
        manager.capture = nullptr;
    if (manager.foreground == w.handle)
        manager.foreground = nullptr;
    if (manager.lockedWindow == w.handle)
        manager.lockedWindow = nullptr;
    if (w.queue) {
        if (w.queue->active == w.handle)
            w.queue->active = nullptr;
        if (w.queue->focus == w.handle)
            w.queue->focus = nullptr;
        if (w.queue->caret.hwnd == w.handle)
            w.queue->caret.hwnd = nullptr;
    }
}

void sendParentNotify(Window& child, UINT event)
{
    HWND hwnd = child.handle;
    for (;;) {
        HWND parent = nullptr;
        LONG_PTR id = 0;
        bool topLevel = true;
        {
            auto lock = WindowManager::Acquire();
            auto w = WindowManager::Instance().find(hwnd);
            if (!w || !w->isChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY) || !w->parent
                || w->parent == &WindowManager::Instance().desktop())
                return;
            parent = w->parent->handle;
            id = w->id;
            topLevel = !w->parent->isChild();
        }
        SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, static_cast<unsigned>(id)),
            reinterpret_cast<LPARAM>(child.handle));
        if (topLevel)
            return;
        hwnd = parent;
    }
}

void sendDestroy(const std::shared_ptr<Window>& w)
{
    {
        auto lock = WindowManager::Acquire();
        w->destroying = true;
    }
    CallProcedure(w->handle, WM_DESTROY, 0, 0);
    std::vector<std::shared_ptr<Window>> children;
    {
        auto lock = WindowManager::Acquire();
        children = w->children;
    }
    for (auto& child : children)
        if (!child->destroyed && !child->destroying)
            sendDestroy(child);
}

void freeTree(const std::shared_ptr<Window>& w)
{
    std::vector<std::shared_ptr<Window>> children;
    {
        auto lock = WindowManager::Acquire();
        children = w->children;
    }
    for (auto& child : children)
        if (!child->destroyed)
            freeTree(child);
    CallProcedure(w->handle, WM_NCDESTROY, 0, 0);
    KillWindowTimers(w->handle);
    HDC ownDC = nullptr;
    {
        auto lock = WindowManager::Acquire();
        if (w->destroyed)
            return;
        for (auto& child : std::vector<std::shared_ptr<Window>>(w->children))
            unlink(*child);
        ownDC = std::exchange(w->ownDC, nullptr);
        w->props.clear();
        unlink(*w);
    }
    if (ownDC)
        ReleaseDC(nullptr, ownDC);
}

MINMAXINFO defaultMinMax(DWORD style, DWORD exStyle)
{
    MINMAXINFO info;
    const RECT frame = DefaultClientRect(
        style & ~(WS_VSCROLL | WS_HSCROLL), exStyle & ~WS_EX_CLIENTEDGE, RECT { 0, 0, 1000, 1000 }, false);
    const int borderX = frame.left, borderY = std::min<LONG>(frame.left, 1000 - frame.bottom);
    info.ptMaxSize = { GetSystemMetrics(SM_CXSCREEN) + 2 * borderX, GetSystemMetrics(SM_CYSCREEN) + 2 * borderY };
    info.ptMaxPosition = { -borderX, -borderY };
    info.ptMinTrackSize = { GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK) };
    info.ptMaxTrackSize = { GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK) };
    return info;
}

} // namespace

MINMAXINFO MinMaxInfo(HWND hwnd)
{
    DWORD style = 0, exStyle = 0;
    {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w)
            return {};
        style = w->style;
        exStyle = w->exStyle;
    }
    MINMAXINFO info = defaultMinMax(style, exStyle);
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

void DestroyThreadWindows(DWORD threadId)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    for (auto& w : manager.allWindows())
        if (w->threadId() == threadId && !w->destroyed)
            unlink(*w);
}

LRESULT CallProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<Window> keep;
    WNDPROC proc = nullptr;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        Window* w = manager.findOrDesktop(hwnd);
        if (!w)
            return 0;
        keep = w == &manager.desktop() ? manager.desktopPtr() : manager.find(hwnd);
        proc = w->proc;
    }
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

} // namespace platform::user

using namespace platform::user;

// ---- Classes ------------------------------------------------------------------------------------

ATOM RegisterClassEx(const WNDCLASSEX* wc)
{
    if (!wc || wc->cbSize != sizeof(WNDCLASSEX) || !wc->lpszClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = IS_INTRESOURCE(wc->lpszClassName) ? std::string() : wc->lpszClassName;
    cls->style = wc->style;
    cls->proc = wc->lpfnWndProc;
    cls->classExtraBytes = wc->cbClsExtra;
    cls->windowExtraBytes = wc->cbWndExtra;
    cls->instance = wc->hInstance;
    cls->icon = wc->hIcon;
    cls->smallIcon = wc->hIconSm;
    cls->cursor = wc->hCursor;
    cls->background = wc->hbrBackground;
    if (wc->lpszMenuName) {
        if (IS_INTRESOURCE(wc->lpszMenuName))
            cls->menuResource = wc->lpszMenuName;
        else
            cls->menuName = wc->lpszMenuName;
    }
    auto lock = WindowManager::Acquire();
    DWORD error = 0;
    const ATOM atom = ClassTable::Instance().add(std::move(cls), error);
    if (!atom)
        SetLastError(error);
    return atom;
}

ATOM RegisterClass(const WNDCLASS* wc)
{
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEX ex;
    ex.style = wc->style;
    ex.lpfnWndProc = wc->lpfnWndProc;
    ex.cbClsExtra = wc->cbClsExtra;
    ex.cbWndExtra = wc->cbWndExtra;
    ex.hInstance = wc->hInstance;
    ex.hIcon = wc->hIcon;
    ex.hCursor = wc->hCursor;
    ex.hbrBackground = wc->hbrBackground;
    ex.lpszMenuName = wc->lpszMenuName;
    ex.lpszClassName = wc->lpszClassName;
    return RegisterClassEx(&ex);
}

BOOL UnregisterClass(LPCSTR name, HINSTANCE)
{
    auto lock = WindowManager::Acquire();
    DWORD error = 0;
    if (!ClassTable::Instance().remove(name, error)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR name, LPWNDCLASSEX wc)
{
    auto lock = WindowManager::Acquire();
    auto cls = ClassTable::Instance().find(name);
    if (!cls || !wc) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    wc->style = cls->style;
    wc->lpfnWndProc = cls->proc;
    wc->cbClsExtra = cls->classExtraBytes;
    wc->cbWndExtra = cls->windowExtraBytes;
    wc->hInstance = cls->instance;
    wc->hIcon = cls->icon;
    wc->hIconSm = cls->smallIcon;
    wc->hCursor = cls->cursor;
    wc->hbrBackground = cls->background;
    wc->lpszMenuName
        = cls->menuResource ? cls->menuResource : (cls->menuName.empty() ? nullptr : cls->menuName.c_str());
    wc->lpszClassName = name;
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE instance, LPCSTR name, LPWNDCLASS wc)
{
    WNDCLASSEX ex;
    if (!wc || !GetClassInfoEx(instance, name, &ex))
        return FALSE;
    wc->style = ex.style;
    wc->lpfnWndProc = ex.lpfnWndProc;
    wc->cbClsExtra = ex.cbClsExtra;
    wc->cbWndExtra = ex.cbWndExtra;
    wc->hInstance = ex.hInstance;
    wc->hIcon = ex.hIcon;
    wc->hCursor = ex.hCursor;
    wc->hbrBackground = ex.hbrBackground;
    wc->lpszMenuName = ex.lpszMenuName;
    wc->lpszClassName = ex.lpszClassName;
    return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int max)
{
    auto lock = WindowManager::Acquire();
    Window* w = WindowManager::Instance().findOrDesktop(hwnd);
    if (!w || !buffer || max <= 0) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const std::string& name = w->windowClass->name;
    const int n = std::min<int>(static_cast<int>(name.size()), max - 1);
    std::memcpy(buffer, name.data(), static_cast<size_t>(n));
    buffer[n] = 0;
    return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index)
{
    auto lock = WindowManager::Acquire();
    Window* w = WindowManager::Instance().findOrDesktop(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const WindowClass& c = *w->windowClass;
    switch (index) {
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON:
        return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HICONSM:
        return reinterpret_cast<ULONG_PTR>(c.smallIcon ? c.smallIcon : c.icon);
    case GCLP_HMODULE:
        return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(c.windowExtraBytes);
    case GCL_CBCLSEXTRA:
        return static_cast<ULONG_PTR>(c.classExtraBytes);
    case GCLP_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_STYLE:
        return c.style;
    case GCW_ATOM:
        return c.atom;
    case GCL_MENUNAME:
        return reinterpret_cast<ULONG_PTR>(c.menuResource);
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(ULONG_PTR) <= c.extra.size()) {
            ULONG_PTR v = 0;
            std::memcpy(&v, c.extra.data() + index, sizeof v);
            return v;
        }
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    auto lock = WindowManager::Acquire();
    Window* w = WindowManager::Instance().findOrDesktop(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    WindowClass& c = *w->windowClass;
    const ULONG_PTR old = GetClassLongPtr(hwnd, index);
    switch (index) {
    case GCLP_HBRBACKGROUND:
        c.background = reinterpret_cast<HBRUSH>(value);
        break;
    case GCLP_HCURSOR:
        c.cursor = reinterpret_cast<HCURSOR>(value);
        break;
    case GCLP_HICON:
        c.icon = reinterpret_cast<HICON>(value);
        break;
    case GCLP_HICONSM:
        c.smallIcon = reinterpret_cast<HICON>(value);
        break;
    case GCLP_WNDPROC:
        c.proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GCL_STYLE:
        c.style = static_cast<UINT>(value);
        break;
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= c.extra.size()) {
            std::memcpy(c.extra.data() + index, &value, sizeof value);
            break;
        }
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return old;
}

DWORD GetClassLong(HWND hwnd, int index) { return static_cast<DWORD>(GetClassLongPtr(hwnd, index)); }
DWORD SetClassLong(HWND hwnd, int index, LONG value) { return static_cast<DWORD>(SetClassLongPtr(hwnd, index, value)); }

// ---- Creation and destruction -------------------------------------------------------------------

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx, int cy,
    HWND hwndParent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    auto queue = MessageQueue::Current();
    auto window = std::make_shared<Window>();
    HWND hwnd = nullptr;
    const bool wantVisible = (style & WS_VISIBLE) != 0;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        auto cls = ClassTable::Instance().find(className);
        if (!cls) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        Window* parent = &manager.desktop();
        if (style & WS_CHILD) {
            Window* p = hwndParent && hwndParent != HWND_MESSAGE ? manager.findOrDesktop(hwndParent) : nullptr;
            if (!p || p == &manager.desktop()) {
                SetLastError(hwndParent ? ERROR_INVALID_WINDOW_HANDLE : ERROR_TLW_WITH_WSCHILD);
                return nullptr;
            }
            parent = p;
        } else if (hwndParent && hwndParent != HWND_MESSAGE) {
            auto owner = manager.find(hwndParent);
            if (!owner && hwndParent != manager.desktop().handle) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return nullptr;
            }
            if (owner)
                window->owner = manager.topLevelOf(*owner).handle;
        }
        // Overlapped windows always have a caption and clip their siblings.
        if (!(style & (WS_CHILD | WS_POPUP)))
            style |= WS_CAPTION | WS_CLIPSIBLINGS;
        window->windowClass = cls;
        window->queue = queue;
        window->style = style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
        window->exStyle = exStyle;
        window->proc = cls->proc;
        window->instance = instance;
        window->id = reinterpret_cast<LONG_PTR>(menu);
        window->extra.assign(static_cast<size_t>(cls->windowExtraBytes), 0);
        ++cls->windowCount;
        hwnd = manager.add(window);
        window->parent = parent;
        insertChild(*parent, window, !(style & WS_CHILD));
    }

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = hwndParent;
    cs.x = x;
    cs.y = y;
    cs.cx = cx;
    cs.cy = cy;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;

    if (HasHooks(WH_CBT)) {
        CBT_CREATEWND cbt { &cs, HWND_TOP };
        if (CallHooks(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt))) {
            auto lock = WindowManager::Acquire();
            unlink(*window);
            return nullptr;
        }
    }

    const bool overlapped = !(style & (WS_CHILD | WS_POPUP));
    if (overlapped) {
        const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
        if (cs.x == CW_USEDEFAULT) {
            static int cascade = 0;
            cs.x = cs.y = 26 * (cascade++ % 8);
        }
        if (cs.cx == CW_USEDEFAULT) {
            cs.cx = screenW * 3 / 4;
            cs.cy = screenH * 3 / 4;
        }
    } else {
        if (cs.x == CW_USEDEFAULT)
            cs.x = cs.y = 0;
        if (cs.cx == CW_USEDEFAULT)
            cs.cx = cs.cy = 0;
    }
    if ((style & WS_THICKFRAME) || overlapped) {
        const MINMAXINFO info = MinMaxInfo(hwnd);
        cs.cx = std::clamp<int>(cs.cx, std::min(info.ptMinTrackSize.x, info.ptMaxTrackSize.x), info.ptMaxTrackSize.x);
        cs.cy = std::clamp<int>(cs.cy, std::min(info.ptMinTrackSize.y, info.ptMaxTrackSize.y), info.ptMaxTrackSize.y);
    }
    cs.cx = std::max(cs.cx, 0);
    cs.cy = std::max(cs.cy, 0);
    {
        auto lock = WindowManager::Acquire();
        window->windowRect = { cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy };
        window->clientRect = window->windowRect;
        window->normalRect = window->windowRect;
    }

    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (!window->destroyed) {
            CallProcedure(hwnd, WM_NCDESTROY, 0, 0);
            auto lock = WindowManager::Acquire();
            unlink(*window);
        }
        return nullptr;
    }
    if (window->destroyed)
        return nullptr;
    RECT rect = window->windowRect;
    SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    {
        auto lock = WindowManager::Acquire();
        window->clientRect = rect;
        window->created = true;
    }
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (window->destroyed)
        return nullptr;
    if (!window->sizeSent) {
        RECT client;
        GetClientRect(hwnd, &client);
        SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(window->clientRect.left, window->clientRect.top));
    }
    if (window->destroyed)
        return nullptr;
    sendParentNotify(*window, WM_CREATE);
    if (style & WS_MAXIMIZE)
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    else if (style & WS_MINIMIZE)
        ShowWindow(hwnd, SW_SHOWMINIMIZED);
    if (wantVisible && IsWindow(hwnd) && !(GetWindowLong(hwnd, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    auto window = LookupWindow(hwnd, true);
    if (!window)
        return FALSE;
    if (window->destroying)
        return TRUE;
    if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hwnd), 0))
        return FALSE;
    {
        auto lock = WindowManager::Acquire();
        window->destroying = true;
    }
    // Owned windows go first.
    for (HWND h : TopLevelWindows([hwnd](const Window& top) { return top.owner == hwnd; }))
        DestroyWindow(h);

    sendParentNotify(*window, WM_DESTROY);
    if (window->visibleFlag())
        SetWindowPos(
            hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WindowGone(hwnd);
    sendDestroy(window);
    freeTree(window);
    return TRUE;
}

BOOL IsWindow(HWND hwnd)
{
    auto lock = WindowManager::Acquire();
    return WindowManager::Instance().findOrDesktop(hwnd) != nullptr;
}

BOOL IsWindowVisible(HWND hwnd)
{
    auto lock = WindowManager::Acquire();
    Window* w = WindowManager::Instance().findOrDesktop(hwnd);
    return w && WindowManager::Instance().reallyVisible(*w);
}

BOOL IsWindowEnabled(HWND hwnd)
{
    auto lock = WindowManager::Acquire();
    Window* w = WindowManager::Instance().findOrDesktop(hwnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    Window* p = manager.findOrDesktop(parent);
    auto w = manager.find(hwnd);
    if (!p || !w)
        return FALSE;
    for (Window* a = w.get(); a->isChild() && a->parent; a = a->parent)
        if (a->parent == p)
            return TRUE;
    return FALSE;
}

BOOL IsIconic(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & WS_MINIMIZE) != 0; }
BOOL IsZoomed(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0; }

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    bool wasDisabled = false;
    {
        auto window = LookupWindow(hwnd);
        if (!window)
            return FALSE;
        auto lock = WindowManager::Acquire();
        wasDisabled = (window->style & WS_DISABLED) != 0;
        if (wasDisabled == !enable)
            return wasDisabled;
        if (enable)
            window->style &= ~WS_DISABLED;
        else
            window->style |= WS_DISABLED;
    }
    if (!enable) {
        HWND focus = GetFocus();
        if (focus && (focus == hwnd || IsChild(hwnd, focus)))
            SetFocus(nullptr);
        if (GetCapture() == hwnd)
            ReleaseCapture();
    }
    SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

// ---- Window values ------------------------------------------------------------------------------

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    Window* w = manager.findOrDesktop(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        if (w->isChild() && w->parent && w->parent != &manager.desktop())
            return reinterpret_cast<LONG_PTR>(w->parent->handle);
        return reinterpret_cast<LONG_PTR>(w->owner);
    case GWLP_ID:
        return w->id;
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    case GWLP_USERDATA:
        return w->userData;
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
            LONG_PTR v = 0;
            std::memcpy(&v, w->extra.data() + index, sizeof v);
            return v;
        }
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    auto window = LookupWindow(hwnd);
    if (!window)
        return 0;
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        STYLESTRUCT ss;
        {
            auto lock = WindowManager::Acquire();
            ss.styleOld = index == GWL_STYLE ? window->style : window->exStyle;
        }
        ss.styleNew = static_cast<DWORD>(value);
        SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
        {
            auto lock = WindowManager::Acquire();
            if (window->destroyed)
                return 0;
            (index == GWL_STYLE ? window->style : window->exStyle) = ss.styleNew;
        }
        RefreshHeldDCs();
        SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
        return static_cast<LONG>(ss.styleOld);
    }
    auto lock = WindowManager::Acquire();
    const LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWLP_WNDPROC:
        if (!value) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        window->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HINSTANCE:
        window->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    case GWLP_HWNDPARENT:
        if (!window->isChild())
            window->owner = reinterpret_cast<HWND>(value);
        break;
    case GWLP_ID:
        window->id = value;
        break;
    case GWLP_USERDATA:
        window->userData = value;
        break;
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= window->extra.size()) {
            std::memcpy(window->extra.data() + index, &value, sizeof value);
            break;
        }
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return old;
}

LONG GetWindowLong(HWND hwnd, int index)
{
    if (index >= 0) {
        auto lock = WindowManager::Acquire();
        Window* w = WindowManager::Instance().findOrDesktop(hwnd);
        if (!w || static_cast<size_t>(index) + sizeof(LONG) > w->extra.size()) {
            SetLastError(w ? ERROR_INVALID_INDEX : ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        LONG v = 0;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
    }
    return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value)
{
    if (index >= 0) {
        auto lock = WindowManager::Acquire();
        auto w = LookupWindow(hwnd);
        if (!w || static_cast<size_t>(index) + sizeof(LONG) > w->extra.size()) {
            SetLastError(w ? ERROR_INVALID_INDEX : ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        LONG old = 0;
        std::memcpy(&old, w->extra.data() + index, sizeof old);
        std::memcpy(w->extra.data() + index, &value, sizeof value);
        return old;
    }
    if (index == GWLP_WNDPROC) {
        // A procedure does not fit in 32 bits.
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return static_cast<LONG>(SetWindowLongPtr(hwnd, index,
        index == GWL_STYLE || index == GWL_EXSTYLE ? static_cast<LONG_PTR>(static_cast<DWORD>(value)) : value));
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data)
{
    auto lock = WindowManager::Acquire();
    auto w = LookupWindow(hwnd);
    if (!w || !name)
        return FALSE;
    const std::string key = propName(name);
    for (auto& [k, v] : w->props)
        if (platform::EqualsNoCase(k, key)) {
            v = data;
            return TRUE;
        }
    w->props.emplace_back(key, data);
    return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCSTR name)
{
    auto lock = WindowManager::Acquire();
    auto w = WindowManager::Instance().find(hwnd);
    if (!w || !name)
        return nullptr;
    const std::string key = propName(name);
    for (auto& [k, v] : w->props)
        if (platform::EqualsNoCase(k, key))
            return v;
    return nullptr;
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name)
{
    auto lock = WindowManager::Acquire();
    auto w = WindowManager::Instance().find(hwnd);
    if (!w || !name)
        return nullptr;
    const std::string key = propName(name);
    for (auto it = w->props.begin(); it != w->props.end(); ++it)
        if (platform::EqualsNoCase(it->first, key)) {
            HANDLE v = it->second;
            w->props.erase(it);
            return v;
        }
    return nullptr;
}

BOOL SetWindowText(HWND hwnd, LPCSTR text)
{
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int max)
{
    if (!buffer || max <= 0)
        return 0;
    buffer[0] = 0;
    {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w)
            return 0;
        if (w->threadId() != GetCurrentThreadId()) {
            // Another thread's window: its text is read without bothering that thread.
            int n = std::min<int>(static_cast<int>(w->text.size()), max - 1);
            while (n > 0 && n < static_cast<int>(w->text.size())
                && (static_cast<unsigned char>(w->text[n]) & 0xC0) == 0x80)
                --n;
            std::memcpy(buffer, w->text.data(), static_cast<size_t>(n));
            buffer[n] = 0;
            return n;
        }
    }
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd)
{
    {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w)
            return 0;
        if (w->threadId() != GetCurrentThreadId())
            return static_cast<int>(w->text.size());
    }
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

// ---- The tree -----------------------------------------------------------------------------------

HWND GetParent(HWND hwnd)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    auto w = manager.find(hwnd);
    if (!w)
        return nullptr;
    if (w->isChild())
        return w->parent && w->parent != &manager.desktop() ? w->parent->handle : nullptr;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    auto w = manager.find(hwnd);
    if (!w)
        return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT:
        return manager.topLevelOf(*w).handle;
    case GA_ROOTOWNER: {
        HWND h = manager.topLevelOf(*w).handle;
        for (HWND owner = GetParent(h); owner; owner = GetParent(h))
            h = GetAncestor(owner, GA_ROOT);
        return h;
    }
    default:
        return nullptr;
    }
}

HWND SetParent(HWND hwndChild, HWND hwndNewParent)
{
    auto child = LookupWindow(hwndChild);
    if (!child)
        return nullptr;
    RECT oldScreen {};
    HWND oldParent = nullptr;
    bool wasVisible = false;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        Window* newParent = hwndNewParent ? manager.findOrDesktop(hwndNewParent) : &manager.desktop();
        if (!newParent || newParent == child.get() || manager.isDescendant(*child, *newParent)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        wasVisible = manager.reallyVisible(*child);
        oldScreen = manager.screenWindowRect(*child);
        oldParent = child->parent ? child->parent->handle : nullptr;
        auto keep = child;
        detach(*child);
        child->parent = newParent;
        insertChild(*newParent, keep, true);
    }
    RefreshHeldDCs();
    if (wasVisible)
        ExposeScreenArea(oldScreen);
    RedrawWindow(hwndChild, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return oldParent;
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    Window* w = manager.findOrDesktop(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (cmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front()->handle;
    if (cmd == GW_OWNER)
        return w->owner;
    if (cmd == GW_ENABLEDPOPUP)
        return nullptr;
    if (!w->parent)
        return nullptr;
    const auto& list = w->parent->children;
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == w; });
    if (it == list.end())
        return nullptr;
    switch (cmd) {
    case GW_HWNDFIRST:
        return list.front()->handle;
    case GW_HWNDLAST:
        return list.back()->handle;
    case GW_HWNDNEXT:
        return std::next(it) == list.end() ? nullptr : (*std::next(it))->handle;
    case GW_HWNDPREV:
        return it == list.begin() ? nullptr : (*std::prev(it))->handle;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) { return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD); }

HWND GetDesktopWindow()
{
    auto lock = WindowManager::Acquire();
    return WindowManager::Instance().desktop().handle;
}

namespace {

std::vector<HWND> descendants(HWND parent, bool deep)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    Window* p = parent ? manager.findOrDesktop(parent) : &manager.desktop();
    std::vector<HWND> out;
    if (!p)
        return out;
    std::vector<Window*> stack;
    for (auto it = p->children.rbegin(); it != p->children.rend(); ++it)
        stack.push_back(it->get());
    while (!stack.empty()) {
        Window* w = stack.back();
        stack.pop_back();
        out.push_back(w->handle);
        if (deep)
            for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
                stack.push_back(it->get());
    }
    return out;
}

bool textMatches(const Window& w, LPCSTR cls, LPCSTR title)
{
    if (cls) {
        if (IS_INTRESOURCE(cls) ? w.windowClass->atom != static_cast<ATOM>(reinterpret_cast<UINT_PTR>(cls))
                                : !platform::EqualsNoCase(w.windowClass->name, cls))
            return false;
    }
    return !title || platform::EqualsNoCase(w.text, title);
}

} // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC fn, LPARAM lParam)
{
    if (!fn)
        return FALSE;
    for (HWND h : descendants(parent, true))
        if (IsWindow(h) && !fn(h, lParam))
            break;
    return TRUE;
}

BOOL EnumWindows(WNDENUMPROC fn, LPARAM lParam)
{
    if (!fn)
        return FALSE;
    for (HWND h : descendants(nullptr, false))
        if (IsWindow(h) && !fn(h, lParam))
            break;
    return TRUE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC fn, LPARAM lParam)
{
    if (!fn)
        return FALSE;
    for (HWND h : descendants(nullptr, false))
        if (IsWindow(h) && GetWindowThreadProcessId(h, nullptr) == threadId && !fn(h, lParam))
            break;
    return TRUE;
}

HWND FindWindowEx(HWND parent, HWND after, LPCSTR cls, LPCSTR title)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    Window* p = parent ? manager.findOrDesktop(parent) : &manager.desktop();
    if (!p)
        return nullptr;
    bool started = after == nullptr;
    for (auto& child : p->children) {
        if (!started) {
            started = child->handle == after;
            continue;
        }
        if (textMatches(*child, cls, title))
            return child->handle;
    }
    return nullptr;
}

HWND FindWindow(LPCSTR cls, LPCSTR title) { return FindWindowEx(nullptr, nullptr, cls, title); }

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId)
{
    auto lock = WindowManager::Acquire();
    Window* w = WindowManager::Instance().findOrDesktop(hwnd);
    if (!w)
        return 0;
    if (processId)
        *processId = GetCurrentProcessId();
    return w->threadId();
}

int GetDlgCtrlID(HWND hwnd) { return static_cast<int>(GetWindowLongPtr(hwnd, GWLP_ID)); }

HWND GetDlgItem(HWND dlg, int id)
{
    auto lock = WindowManager::Acquire();
    Window* p = WindowManager::Instance().findOrDesktop(dlg);
    if (!p)
        return nullptr;
    for (auto& child : p->children)
        if (static_cast<int>(child->id) == id)
            return child->handle;
    return nullptr;
}

// ---- Coordinates --------------------------------------------------------------------------------

namespace {

Window* deepestAt(Window& w, POINT screen, WindowManager& manager)
{
    const RECT client = manager.screenClientRect(w);
    if (!PtInRect(&client, screen))
        return &w;
    for (auto& child : w.children) {
        if (!child->visibleFlag())
            continue;
        const RECT r = manager.screenWindowRect(*child);
        if (!PtInRect(&r, screen))
            continue;
        if (child->style & WS_DISABLED)
            return &w;
        return deepestAt(*child, screen, manager);
    }
    return &w;
}

} // namespace

HWND WindowFromPoint(POINT pt)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    for (auto& top : manager.desktop().children) {
        if (!top->visibleFlag())
            continue;
        const RECT r = manager.screenWindowRect(*top);
        if (PtInRect(&r, pt))
            return deepestAt(*top, pt, manager)->handle;
    }
    return nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags)
{
    auto lock = WindowManager::Acquire();
    Window* p = WindowManager::Instance().findOrDesktop(parent);
    if (!p)
        return nullptr;
    const RECT client { 0, 0, p->clientRect.right - p->clientRect.left, p->clientRect.bottom - p->clientRect.top };
    if (!PtInRect(&client, pt))
        return nullptr;
    for (auto& child : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !child->visibleFlag())
            continue;
        if ((flags & CWP_SKIPDISABLED) && (child->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (child->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (PtInRect(&child->windowRect, pt))
            return child->handle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

namespace {

bool originOf(HWND hwnd, POINT& origin)
{
    auto& manager = WindowManager::Instance();
    if (!hwnd) {
        origin = {};
        return true;
    }
    Window* w = manager.findOrDesktop(hwnd);
    if (!w)
        return false;
    origin = w == &manager.desktop() ? POINT {} : manager.clientOrigin(*w);
    return true;
}

} // namespace

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    auto lock = WindowManager::Acquire();
    POINT a, b;
    if (!originOf(from, a) || !originOf(to, b)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(0);
    return MAKELONG(static_cast<unsigned>(dx), static_cast<unsigned>(dy));
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt)
{
    auto lock = WindowManager::Acquire();
    POINT origin;
    if (!hwnd || !pt || !originOf(hwnd, origin))
        return FALSE;
    pt->x += origin.x;
    pt->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt)
{
    auto lock = WindowManager::Acquire();
    POINT origin;
    if (!hwnd || !pt || !originOf(hwnd, origin))
        return FALSE;
    pt->x -= origin.x;
    pt->y -= origin.y;
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    auto lock = WindowManager::Acquire();
    Window* w = WindowManager::Instance().findOrDesktop(hwnd);
    if (!w || !rect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = { 0, 0, w->clientRect.right - w->clientRect.left, w->clientRect.bottom - w->clientRect.top };
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    Window* w = manager.findOrDesktop(hwnd);
    if (!w || !rect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = manager.screenWindowRect(*w);
    return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect)
        return FALSE;
    const RECT probe { 0, 0, 1000, 1000 };
    const RECT client = DefaultClientRect(style & ~(WS_HSCROLL | WS_VSCROLL), exStyle, probe, menu != FALSE);
    rect->left -= client.left;
    rect->top -= client.top;
    rect->right += 1000 - client.right;
    rect->bottom += 1000 - client.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }
