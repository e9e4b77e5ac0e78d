// Mouse and keyboard: routing of injected input, capture, focus and activation, key state, carets,
// cursors and dropped files.

#include "platform/user/Input.h"

#include <cstdlib>
#include <cstring>

#include "platform/base/GlobalMemory.h"
#include "platform/base/Thread.h"
#include "platform/user/Internal.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Screen.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;

namespace {

// A click inside a document window that is not its MDI client's active one activates it, as a click
// in an inactive top-level window does.
bool InInactiveMdiChild(HWND hwnd)
{
    for (HWND w = hwnd; w; w = GetParent(w)) {
        if (GetWindowLong(w, GWL_EXSTYLE) & WS_EX_MDICHILD)
            return reinterpret_cast<HWND>(SendMessage(GetParent(w), WM_MDIGETACTIVE, 0, 0)) != w;
        if (!(GetWindowLong(w, GWL_STYLE) & WS_CHILD))
            break;
    }
    return false;
}

bool isButtonDown(UINT m)
{
    switch (m) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool isMouseMessage(UINT m)
{
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

bool isKeyMessage(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

WPARAM mouseKeyState()
{
    auto& keys = WindowManager::Instance().asyncKeys;
    WPARAM state = 0;
    if (keys[VK_LBUTTON] & 0x80)
        state |= MK_LBUTTON;
    if (keys[VK_RBUTTON] & 0x80)
        state |= MK_RBUTTON;
    if (keys[VK_MBUTTON] & 0x80)
        state |= MK_MBUTTON;
    if (keys[VK_SHIFT] & 0x80)
        state |= MK_SHIFT;
    if (keys[VK_CONTROL] & 0x80)
        state |= MK_CONTROL;
    return state;
}

void postInput(HWND hwnd, MSG msg)
{
    std::shared_ptr<MessageQueue> queue;
    {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w || !w->queue || !w->queue->alive)
            return;
        queue = w->queue;
        msg.hwnd = hwnd;
        msg.time = MessageTime();
        auto& input = queue->input;
        // Only the latest position of a pointer that keeps moving matters.
        if ((msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) && !input.empty()
            && input.back().message == msg.message && input.back().hwnd == hwnd && input.back().wParam == msg.wParam)
            input.back() = msg;
        else
            input.push_back(msg);
        queue->changedBits |= isKeyMessage(msg.message)                      ? QS_KEY
            : (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) ? QS_MOUSEMOVE
                                                                             : QS_MOUSEBUTTON;
    }
    queue->wake();
}

// The deepest visible window under a screen point among the siblings below hwnd, or null.
HWND siblingBelow(HWND hwnd, POINT pt)
{
    for (HWND s = GetWindow(hwnd, GW_HWNDNEXT); s; s = GetWindow(s, GW_HWNDNEXT)) {
        RECT r;
        if (!IsWindowVisible(s) || !GetWindowRect(s, &r) || !PtInRect(&r, pt))
            continue;
        for (HWND deeper = s;;) {
            POINT c = pt;
            ScreenToClient(deeper, &c);
            HWND child = ChildWindowFromPointEx(deeper, c, CWP_SKIPINVISIBLE);
            if (!child || child == deeper)
                return deeper;
            deeper = child;
        }
    }
    return nullptr;
}

// The window the pointer's input goes to and its hit-test code.
HWND routeMouse(POINT pt, LRESULT& hit)
{
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        if (manager.capture && manager.find(manager.capture)) {
            hit = HTCLIENT;
            return manager.capture;
        }
    }
    HWND hwnd = WindowFromPoint(pt);
    // A disabled window gets no pointer input; only its cursor is asked for, with HTERROR.
    if (hwnd && !IsWindowEnabled(hwnd)) {
        hit = HTERROR;
        return hwnd;
    }
    while (hwnd) {
        hit = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y)));
        if (hit != HTTRANSPARENT)
            return hwnd;
        if (!(GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD))
            return nullptr;
        // A transparent child (a group box, a label) lets the pointer through to the sibling under it.
        if (HWND below = siblingBelow(hwnd, pt)) {
            if (!IsWindowEnabled(below)) {
                hit = HTERROR;
                return below;
            }
            hwnd = below;
        } else {
            hwnd = GetParent(hwnd);
        }
    }
    return nullptr;
}

// Pointer input over no window is kept for the foreground thread, where a window that takes the
// capture before it is read still gets it (RetargetToCapture); otherwise it is dropped when read.
void postUnrouted(UINT clientMessage, POINT pt)
{
    std::shared_ptr<MessageQueue> queue;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        if (auto fg = manager.find(manager.foreground))
            queue = fg->queue;
    }
    if (!queue)
        queue = MessageQueue::Current();
    MSG msg;
    msg.message = clientMessage - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    msg.wParam = static_cast<WPARAM>(HTNOWHERE);
    msg.lParam = MAKELPARAM(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y));
    msg.pt = pt;
    msg.time = MessageTime();
    {
        auto lock = WindowManager::Acquire();
        if (!queue->alive)
            return;
        queue->input.push_back(msg);
    }
    queue->wake();
}

void postMouse(UINT clientMessage, POINT pt, WPARAM extra = 0)
{
    LRESULT hit = HTNOWHERE;
    HWND hwnd = routeMouse(pt, hit);
    if (!hwnd) {
        if (clientMessage != WM_MOUSEWHEEL)
            postUnrouted(clientMessage, pt);
        return;
    }
    UINT message = clientMessage;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        auto w = manager.find(hwnd);
        if (!w)
            return;
        if (clientMessage != WM_MOUSEMOVE && clientMessage != WM_MOUSEWHEEL) {
            // Double clicks: the same button on the same window, soon enough and close enough.
            const bool down
                = clientMessage == WM_LBUTTONDOWN || clientMessage == WM_RBUTTONDOWN || clientMessage == WM_MBUTTONDOWN;
            if (down) {
                auto& last = manager.lastClick;
                const DWORD now = MessageTime();
                const bool nc = hit != HTCLIENT;
                const bool canDouble = nc || (w->windowClass && (w->windowClass->style & CS_DBLCLKS));
                if (last.valid && last.button == clientMessage && last.hwnd == hwnd
                    && now - last.time <= manager.doubleClickTime
                    && std::abs(pt.x - last.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2
                    && std::abs(pt.y - last.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 && canDouble) {
                    message = clientMessage + (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN);
                    last.valid = false;
                } else {
                    last = { clientMessage, hwnd, pt, now, true };
                }
            }
        }
        if (clientMessage == WM_MOUSEWHEEL) {
            wParam = MAKEWPARAM(static_cast<unsigned>(mouseKeyState()), static_cast<unsigned>(extra));
            lParam = MAKELPARAM(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y));
        } else if (hit == HTCLIENT) {
            const POINT origin = manager.clientOrigin(*w);
            wParam = mouseKeyState();
            lParam = MAKELPARAM(static_cast<unsigned>(pt.x - origin.x), static_cast<unsigned>(pt.y - origin.y));
        } else {
            message = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
            wParam = static_cast<WPARAM>(hit);
            lParam = MAKELPARAM(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y));
        }
    }
    if (hit == HTERROR) {
        if (message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN
            || message == WM_NCLBUTTONDBLCLK)
            SendNotifyMessage(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                MAKELPARAM(static_cast<unsigned>(HTERROR), clientMessage));
        return;
    }
    MSG msg;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.pt = pt;
    postInput(hwnd, msg);
}

void setKey(std::array<BYTE, 256>& keys, int vk, bool down)
{
    if (vk < 0 || vk > 255)
        return;
    if (down && !(keys[vk] & 0x80))
        keys[vk] ^= 1;
    keys[vk] = static_cast<BYTE>(down ? (keys[vk] | 0x80) : (keys[vk] & ~0x80));
    // The left and right keys move the common one too.
    if (vk == VK_LSHIFT || vk == VK_RSHIFT)
        setKey(keys, VK_SHIFT, down);
    else if (vk == VK_LCONTROL || vk == VK_RCONTROL)
        setKey(keys, VK_CONTROL, down);
    else if (vk == VK_LMENU || vk == VK_RMENU)
        setKey(keys, VK_MENU, down);
}

void drawCaret(Caret& caret)
{
    if (!caret.hwnd)
        return;
    HDC hdc = GetDCEx(caret.hwnd, nullptr, DCX_CACHE);
    if (!hdc)
        return;
    RECT r { caret.pos.x, caret.pos.y, caret.pos.x + caret.width, caret.pos.y + caret.height };
    InvertRect(hdc, &r);
    ReleaseDC(caret.hwnd, hdc);
    caret.drawn = !caret.drawn;
}

} // namespace

namespace platform::user {

void InjectMouseMove(POINT screen)
{
    screen = ClipToCursorRect(screen);
    {
        auto lock = WindowManager::Acquire();
        WindowManager::Instance().cursorPos = screen;
    }
    postMouse(WM_MOUSEMOVE, screen);
}

void InjectMouseButton(MouseButton button, bool down)
{
    POINT pt;
    UINT message = 0;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        pt = manager.cursorPos;
        const int vk = button == MouseButton::Left ? VK_LBUTTON
            : button == MouseButton::Right         ? VK_RBUTTON
                                                   : VK_MBUTTON;
        setKey(manager.asyncKeys, vk, down);
        const UINT base = button == MouseButton::Left ? WM_LBUTTONDOWN
            : button == MouseButton::Right            ? WM_RBUTTONDOWN
                                                      : WM_MBUTTONDOWN;
        message = down ? base : base + 1;
    }
    postMouse(message, pt);
}

void InjectMouseWheel(int delta)
{
    POINT pt;
    HWND target = nullptr;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        pt = manager.cursorPos;
        if (auto fg = manager.find(manager.foreground); fg && fg->queue)
            target = fg->queue->focus;
    }
    if (!target)
        target = WindowFromPoint(pt);
    if (!target)
        return;
    MSG msg;
    msg.message = WM_MOUSEWHEEL;
    {
        auto lock = WindowManager::Acquire();
        msg.wParam = MAKEWPARAM(static_cast<unsigned>(mouseKeyState()), static_cast<unsigned>(delta));
    }
    msg.lParam = MAKELPARAM(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y));
    msg.pt = pt;
    postInput(target, msg);
}

void InjectKey(int vk, bool down)
{
    if (vk <= 0 || vk > 255)
        return;
    HWND target = nullptr;
    MSG msg;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        const bool wasDown = (manager.asyncKeys[vk] & 0x80) != 0;
        setKey(manager.asyncKeys, vk, down);
        const bool alt = (manager.asyncKeys[VK_MENU] & 0x80) != 0;
        const bool ctrl = (manager.asyncKeys[VK_CONTROL] & 0x80) != 0;
        std::shared_ptr<MessageQueue> queue;
        if (auto fg = manager.find(manager.foreground))
            queue = fg->queue;
        if (!queue)
            queue = MessageQueue::Current();
        bool sysOnly = false;
        target = queue->focus;
        if (!target) {
            target = queue->active;
            sysOnly = true;
        }
        const bool isMenuKey = vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
        const bool sys = sysOnly || (alt && !ctrl) || vk == VK_F10 || isMenuKey;
        msg.message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
        msg.wParam = static_cast<WPARAM>(vk);
        LPARAM l = 1;
        if (alt)
            l |= KF_ALTDOWN_BIT;
        if (down ? wasDown : true)
            l |= KF_REPEAT_BIT;
        if (!down)
            l |= KF_UP_BIT;
        msg.lParam = l;
        msg.pt = manager.cursorPos;
    }
    if (target)
        postInput(target, msg);
}

HGLOBAL MakeDropFiles(const std::vector<std::string>& paths, POINT client, BOOL nonClient)
{
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const auto& p : paths)
        bytes += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!memory)
        return nullptr;
    auto* block = static_cast<char*>(GlobalLock(memory));
    DROPFILES header;
    header.pt = client;
    header.fNC = nonClient;
    std::memcpy(block, &header, sizeof header);
    char* out = block + sizeof(DROPFILES);
    for (const auto& p : paths) {
        std::memcpy(out, p.c_str(), p.size() + 1);
        out += p.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

void InjectDropFiles(POINT screen, const std::vector<std::string>& paths)
{
    HWND target = WindowFromPoint(screen);
    while (target && !(GetWindowLong(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
        target = (GetWindowLong(target, GWL_STYLE) & WS_CHILD) ? GetParent(target) : nullptr;
    if (!target || paths.empty())
        return;
    POINT client = screen;
    ScreenToClient(target, &client);
    RECT rc;
    GetClientRect(target, &rc);
    HGLOBAL memory = MakeDropFiles(paths, client, PtInRect(&rc, client) ? FALSE : TRUE);
    if (!memory)
        return;
    if (!PostMessage(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0))
        GlobalFree(memory);
}

void ResetInputState()
{
    ClipCursor(nullptr);
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    manager.asyncKeys.fill(0);
    manager.lastClick = {};
    manager.capture = nullptr;
    if (auto queue = MessageQueue::Current()) {
        queue->keyState.fill(0);
        queue->input.clear();
        queue->altAlone = false;
    }
}

void RetargetToCapture(MSG& msg)
{
    if (!isMouseMessage(msg.message) || msg.message == WM_MOUSEWHEEL)
        return;
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    auto capture = manager.find(manager.capture);
    if (!capture || capture->threadId() != GetCurrentThreadId())
        return;
    const bool nc = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK;
    if (!nc && msg.hwnd == capture->handle)
        return;
    if (nc)
        msg.message = msg.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE;
    const POINT origin = manager.clientOrigin(*capture);
    msg.hwnd = capture->handle;
    msg.wParam = mouseKeyState();
    msg.lParam = MAKELPARAM(static_cast<unsigned>(msg.pt.x - origin.x), static_cast<unsigned>(msg.pt.y - origin.y));
}

bool TakeInputMessage(MSG& msg, bool remove)
{
    auto queue = MessageQueue::Current();
    if (isKeyMessage(msg.message)) {
        if (HasHooks(WH_KEYBOARD) && CallHooks(WH_KEYBOARD, remove ? HC_ACTION : HC_NOREMOVE, msg.wParam, msg.lParam))
            return false;
        if (remove) {
            auto lock = WindowManager::Acquire();
            const int vk = static_cast<int>(msg.wParam);
            const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
            setKey(queue->keyState, vk, down);
            if (down)
                queue->altAlone = (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU)
                    ? (queue->altAlone || !(msg.lParam & KF_REPEAT_BIT))
                    : false;
        }
        return true;
    }
    if (!isMouseMessage(msg.message))
        return true;
    const bool nc = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK;
    const LRESULT hit = nc ? static_cast<LRESULT>(msg.wParam) : HTCLIENT;
    if (HasHooks(WH_MOUSE)) {
        MOUSEHOOKSTRUCT info { msg.pt, msg.hwnd, static_cast<UINT>(hit), 0 };
        if (CallHooks(WH_MOUSE, remove ? HC_ACTION : HC_NOREMOVE, msg.message, reinterpret_cast<LPARAM>(&info)))
            return false;
    }
    if (!remove)
        return true;
    {
        auto lock = WindowManager::Acquire();
        const UINT m = nc ? msg.message - WM_NCMOUSEMOVE + WM_MOUSEMOVE : msg.message;
        if (m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK || m == WM_LBUTTONUP)
            setKey(queue->keyState, VK_LBUTTON, m != WM_LBUTTONUP);
        if (m == WM_RBUTTONDOWN || m == WM_RBUTTONDBLCLK || m == WM_RBUTTONUP)
            setKey(queue->keyState, VK_RBUTTON, m != WM_RBUTTONUP);
        if (m == WM_MBUTTONDOWN || m == WM_MBUTTONDBLCLK || m == WM_MBUTTONUP)
            setKey(queue->keyState, VK_MBUTTON, m != WM_MBUTTONUP);
        if (isButtonDown(msg.message))
            queue->altAlone = false;
    }
    if (msg.message == WM_MOUSEWHEEL)
        return true;
    const bool captured = GetCapture() != nullptr;
    if (isButtonDown(msg.message) && !captured) {
        HWND top = GetAncestor(msg.hwnd, GA_ROOT);
        if (top && (top != GetActiveWindow() || InInactiveMdiChild(msg.hwnd)) && IsWindowEnabled(top)) {
            const LRESULT r = SendMessage(msg.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                MAKELPARAM(static_cast<unsigned>(hit), msg.message));
            if (r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT)
                ActivateWindow(top, true);
            if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT)
                return false;
        }
    }
    if (!captured && IsWindow(msg.hwnd))
        SendMessage(msg.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(msg.hwnd),
            MAKELPARAM(static_cast<unsigned>(hit), msg.message));
    return IsWindow(msg.hwnd);
}

namespace {

// Nothing above the window but what it owns and the topmost windows: raising it would change nothing.
bool onTop(HWND hwnd)
{
    const bool topmost = GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST;
    for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h && h != hwnd; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!topmost && (GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST))
            continue;
        // Owner chains are short; the bound keeps one made circular through SetWindowLongPtr finite.
        HWND owner = GetWindow(h, GW_OWNER);
        for (int depth = 0; owner && owner != hwnd && depth < 64; ++depth)
            owner = GetWindow(owner, GW_OWNER);
        if (owner != hwnd)
            return false;
    }
    return true;
}

} // namespace

HWND ActivateWindow(HWND hwnd, bool mouse)
{
    auto queue = MessageQueue::Current();
    if (hwnd) {
        auto w = LookupWindow(hwnd, true);
        if (!w)
            return nullptr;
        hwnd = GetAncestor(hwnd, GA_ROOT);
    }
    HWND old = nullptr;
    DWORD previousThread = 0;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        old = queue->active;
        if (old && !manager.find(old))
            old = queue->active = nullptr;
        if (auto fg = manager.find(manager.foreground))
            previousThread = fg->threadId();
    }
    if (old == hwnd) {
        auto lock = WindowManager::Acquire();
        if (hwnd)
            WindowManager::Instance().foreground = hwnd;
        return old;
    }
    if (HasHooks(WH_CBT)) {
        CBTACTIVATESTRUCT info { mouse ? TRUE : FALSE, old };
        if (CallHooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&info)))
            return nullptr;
    }
    if (old) {
        if (!SendMessage(old, WM_NCACTIVATE, FALSE, 0) && IsWindow(old))
            return nullptr;
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
    }
    {
        auto lock = WindowManager::Acquire();
        queue->active = hwnd;
        if (hwnd)
            WindowManager::Instance().foreground = hwnd;
    }
    if (hwnd && IsWindow(hwnd)) {
        if (!onTop(hwnd) && IsWindowVisible(hwnd))
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (previousThread != queue->threadId) {
            std::vector<HWND> mine;
            EnumThreadWindows(
                queue->threadId,
                [](HWND h, LPARAM l) {
                    reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&mine));
            for (HWND h : mine)
                SendMessage(h, WM_ACTIVATEAPP, TRUE, static_cast<LPARAM>(previousThread));
        }
        SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(mouse ? WA_CLICKACTIVE : WA_ACTIVE, IsIconic(hwnd) ? 1 : 0),
            reinterpret_cast<LPARAM>(old));
    }
    // The focus never stays in a window that is no longer active.
    HWND focus = GetFocus();
    if (focus && (!hwnd || (focus != hwnd && !IsChild(hwnd, focus))))
        SetFocus(nullptr);
    return old;
}

void ActivateOtherWindow(HWND leaving)
{
    HWND next = nullptr;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        auto w = manager.find(leaving);
        const DWORD thread = GetCurrentThreadId();
        if (w && w->owner) {
            auto owner = manager.find(w->owner);
            if (owner && owner->threadId() == thread && manager.reallyVisible(*owner) && !(owner->style & WS_DISABLED))
                next = owner->handle;
        }
        if (!next)
            for (auto& top : manager.desktop().children)
                if (top->handle != leaving && top->threadId() == thread && manager.reallyVisible(*top)
                    && !(top->style & (WS_DISABLED | WS_MINIMIZE)) && !(top->exStyle & WS_EX_TOOLWINDOW)) {
                    next = top->handle;
                    break;
                }
    }
    ActivateWindow(next, false);
}

void WindowGone(HWND hwnd)
{
    HWND capture = nullptr;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        if (manager.capture == hwnd || (manager.capture && IsChild(hwnd, manager.capture)))
            capture = std::exchange(manager.capture, nullptr);
    }
    if (capture)
        SendMessage(capture, WM_CAPTURECHANGED, 0, 0);
    HWND focus = GetFocus();
    if (focus && (focus == hwnd || IsChild(hwnd, focus))) {
        HWND parent = (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
        SetFocus(parent);
    }
    if (GetActiveWindow() == hwnd)
        ActivateOtherWindow(hwnd);
    auto queue = MessageQueue::Current();
    bool caretHere = false;
    {
        auto lock = WindowManager::Acquire();
        caretHere = queue->caret.hwnd == hwnd;
    }
    if (caretHere)
        DestroyCaret();
}

bool NextCapturedMessage(HWND hwnd, MSG& msg)
{
    if (!GetMessage(&msg, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    return GetCapture() == hwnd;
}

} // namespace platform::user

// ---- Capture, focus, activation -----------------------------------------------------------------

HWND SetCapture(HWND hwnd)
{
    if (!LookupWindow(hwnd, true))
        return nullptr;
    HWND previous = nullptr;
    {
        auto lock = WindowManager::Acquire();
        previous = std::exchange(WindowManager::Instance().capture, hwnd);
    }
    if (previous && previous != hwnd && IsWindow(previous))
        SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return previous != hwnd && GetWindowThreadProcessId(previous, nullptr) == GetCurrentThreadId() ? previous : nullptr;
}

BOOL ReleaseCapture()
{
    HWND previous = nullptr;
    {
        auto lock = WindowManager::Acquire();
        previous = std::exchange(WindowManager::Instance().capture, nullptr);
    }
    if (previous && IsWindow(previous))
        SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    auto w = manager.find(manager.capture);
    return w && w->threadId() == GetCurrentThreadId() ? w->handle : nullptr;
}

HWND SetFocus(HWND hwnd)
{
    auto queue = MessageQueue::Current();
    if (hwnd && !LookupWindow(hwnd, true))
        return nullptr;
    HWND old = nullptr;
    {
        auto lock = WindowManager::Acquire();
        old = queue->focus;
        if (old && !WindowManager::Instance().find(old))
            old = queue->focus = nullptr;
    }
    if (HasHooks(WH_CBT)
        && CallHooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(old)))
        return nullptr;
    if (hwnd) {
        HWND top = GetAncestor(hwnd, GA_ROOT);
        if (top != GetActiveWindow())
            ActivateWindow(top, false);
        if (!IsWindow(hwnd))
            return nullptr;
        auto lock = WindowManager::Acquire();
        old = queue->focus;
    }
    if (old == hwnd)
        return old;
    {
        auto lock = WindowManager::Acquire();
        queue->focus = hwnd;
    }
    if (old && IsWindow(old))
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    bool stillFocus = false;
    {
        auto lock = WindowManager::Acquire();
        stillFocus = hwnd && queue->focus == hwnd;
    }
    if (stillFocus)
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus()
{
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    return WindowManager::Instance().find(queue->focus) ? queue->focus : nullptr;
}

HWND SetActiveWindow(HWND hwnd) { return ActivateWindow(hwnd, false); }

HWND GetActiveWindow()
{
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    return WindowManager::Instance().find(queue->active) ? queue->active : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return FALSE;
    if (w->threadId() == GetCurrentThreadId()) {
        ActivateWindow(hwnd, false);
    } else {
        auto lock = WindowManager::Acquire();
        WindowManager::Instance().foreground = GetAncestor(hwnd, GA_ROOT);
    }
    return TRUE;
}

HWND GetForegroundWindow()
{
    auto lock = WindowManager::Acquire();
    auto& manager = WindowManager::Instance();
    return manager.find(manager.foreground) ? manager.foreground : nullptr;
}

SHORT GetKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    const BYTE state = queue->keyState[static_cast<size_t>(vk)];
    return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 1));
}

SHORT GetAsyncKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    auto lock = WindowManager::Acquire();
    return static_cast<SHORT>((WindowManager::Instance().asyncKeys[static_cast<size_t>(vk)] & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(PBYTE keys)
{
    if (!keys)
        return FALSE;
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    std::memcpy(keys, queue->keyState.data(), 256);
    return TRUE;
}

BOOL GetCursorPos(LPPOINT pt)
{
    if (!pt)
        return FALSE;
    auto lock = WindowManager::Acquire();
    *pt = WindowManager::Instance().cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    InjectMouseMove(POINT { x, y });
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR previous = nullptr;
    bool hidden = false;
    {
        auto lock = WindowManager::Acquire();
        previous = std::exchange(WindowManager::Instance().cursor, cursor);
        hidden = WindowManager::Instance().cursorCount < 0;
    }
    if (previous != cursor && !hidden)
        Screen::Instance().setCursor(cursor);
    return previous;
}

HCURSOR GetCursor()
{
    auto lock = WindowManager::Acquire();
    return WindowManager::Instance().cursor;
}

int ShowCursor(BOOL show)
{
    int count = 0;
    bool crossed = false;
    HCURSOR cursor = nullptr;
    {
        auto lock = WindowManager::Acquire();
        auto& manager = WindowManager::Instance();
        const bool wasShown = manager.cursorCount >= 0;
        count = manager.cursorCount += show ? 1 : -1;
        crossed = wasShown != (count >= 0);
        cursor = manager.cursor;
    }
    // The cursor is seen while the count is zero or more.
    if (crossed)
        Screen::Instance().setCursor(count >= 0 ? cursor : nullptr);
    return count;
}

UINT GetDoubleClickTime()
{
    auto lock = WindowManager::Acquire();
    return WindowManager::Instance().doubleClickTime;
}

BOOL SetDoubleClickTime(UINT ms)
{
    auto lock = WindowManager::Acquire();
    WindowManager::Instance().doubleClickTime = ms ? ms : 500;
    return TRUE;
}

void DragAcceptFiles(HWND hwnd, BOOL accept)
{
    const LONG ex = GetWindowLong(hwnd, GWL_EXSTYLE);
    SetWindowLong(hwnd, GWL_EXSTYLE,
        accept ? (ex | static_cast<LONG>(WS_EX_ACCEPTFILES)) : (ex & ~static_cast<LONG>(WS_EX_ACCEPTFILES)));
}

// ---- Carets -------------------------------------------------------------------------------------

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height)
{
    if (!LookupWindow(hwnd, true))
        return FALSE;
    DestroyCaret();
    auto queue = MessageQueue::Current();
    auto lock = WindowManager::Acquire();
    Caret& caret = queue->caret;
    caret = Caret {};
    caret.hwnd = hwnd;
    caret.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
    caret.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
    return TRUE;
}

BOOL DestroyCaret()
{
    auto queue = MessageQueue::Current();
    Caret caret;
    {
        auto lock = WindowManager::Acquire();
        caret = std::exchange(queue->caret, Caret {});
    }
    if (!caret.hwnd)
        return FALSE;
    if (caret.drawn && IsWindow(caret.hwnd))
        drawCaret(caret);
    return TRUE;
}

BOOL ShowCaret(HWND hwnd)
{
    auto queue = MessageQueue::Current();
    Caret* caret = &queue->caret;
    {
        auto lock = WindowManager::Acquire();
        if (!caret->hwnd || (hwnd && caret->hwnd != hwnd) || caret->hideCount == 0)
            return FALSE;
        if (--caret->hideCount > 0)
            return TRUE;
    }
    drawCaret(*caret);
    return TRUE;
}

BOOL HideCaret(HWND hwnd)
{
    auto queue = MessageQueue::Current();
    Caret* caret = &queue->caret;
    {
        auto lock = WindowManager::Acquire();
        if (!caret->hwnd || (hwnd && caret->hwnd != hwnd))
            return FALSE;
        ++caret->hideCount;
    }
    if (caret->drawn)
        drawCaret(*caret);
    return TRUE;
}

BOOL SetCaretPos(int x, int y)
{
    auto queue = MessageQueue::Current();
    Caret* caret = &queue->caret;
    if (!caret->hwnd)
        return FALSE;
    const bool drawn = caret->drawn;
    if (drawn)
        drawCaret(*caret);
    caret->pos = { x, y };
    if (drawn)
        drawCaret(*caret);
    return TRUE;
}

BOOL GetCaretPos(LPPOINT pt)
{
    auto queue = MessageQueue::Current();
    if (!pt)
        return FALSE;
    *pt = queue->caret.pos;
    return TRUE;
}

UINT GetCaretBlinkTime()
{
    auto lock = WindowManager::Acquire();
    return WindowManager::Instance().caretBlinkTime;
}

BOOL SetCaretBlinkTime(UINT ms)
{
    auto lock = WindowManager::Acquire();
    WindowManager::Instance().caretBlinkTime = ms;
    return TRUE;
}
