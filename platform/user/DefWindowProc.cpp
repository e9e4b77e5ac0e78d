// The default handling of messages: the non-client model, moving and sizing, system commands and
// keys, background erasing, and passing what a child does not handle up to its parent.

#include <algorithm>
#include <cstring>

#include "platform/user/Internal.h"
#include "platform/user/Menu.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/NonClient.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"

using namespace platform::user;

namespace {

constexpr int kOutlineWidth = 4;
constexpr UINT WMSZ_LEFT = 1;

HWND parentOf(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr; }

POINT pointOf(LPARAM l) { return { GET_X_LPARAM(l), GET_Y_LPARAM(l) }; }

// Draws (and, drawn again, removes) the outline of a rectangle being moved or sized.
void invertOutline(HDC hdc, const RECT& r)
{
    HGDIOBJ old = SelectObject(hdc, platform::gdi::HalftoneBrush());
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int t = std::min({ kOutlineWidth, w / 2, h / 2 });
    if (t > 0) {
        PatBlt(hdc, r.left, r.top, w, t, PATINVERT);
        PatBlt(hdc, r.left, r.bottom - t, w, t, PATINVERT);
        PatBlt(hdc, r.left, r.top + t, t, h - 2 * t, PATINVERT);
        PatBlt(hdc, r.right - t, r.top + t, t, h - 2 * t, PATINVERT);
    }
    SelectObject(hdc, old);
}

// A nested loop of its own: it ends on its own terms, when capture is lost, or when WM_QUIT comes
// (which it puts back for the outer loop).
enum class LoopEnd { Done, Cancelled };

LoopEnd moveSizeLoop(HWND hwnd, WPARAM command, POINT start)
{
    const bool moving = (command & 0xFFF0) == SC_MOVE;
    const UINT edge = static_cast<UINT>(command & 0x000F);
    const LRESULT hit = moving ? HTCAPTION : HTLEFT + static_cast<LRESULT>(edge - WMSZ_LEFT);
    RECT original;
    GetWindowRect(hwnd, &original);
    RECT rect = original;
    if (HasHooks(WH_CBT)
        && CallHooks(WH_CBT, HCBT_MOVESIZE, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&rect)))
        return LoopEnd::Cancelled;
    const MINMAXINFO limits = MinMaxInfo(hwnd);
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(hwnd);
    HDC screen = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    invertOutline(screen, rect);
    LoopEnd end = LoopEnd::Cancelled;
    for (;;) {
        MSG msg;
        if (!NextCapturedMessage(hwnd, msg) || !IsWindow(hwnd))
            break;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            const int dx = msg.pt.x - start.x, dy = msg.pt.y - start.y;
            RECT next = original;
            if (moving) {
                OffsetRect(&next, dx, dy);
            } else {
                if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
                    next.left = std::clamp<LONG>(
                        original.left + dx, next.right - limits.ptMaxTrackSize.x, next.right - limits.ptMinTrackSize.x);
                if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
                    next.right = std::clamp<LONG>(
                        original.right + dx, next.left + limits.ptMinTrackSize.x, next.left + limits.ptMaxTrackSize.x);
                if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
                    next.top = std::clamp<LONG>(original.top + dy, next.bottom - limits.ptMaxTrackSize.y,
                        next.bottom - limits.ptMinTrackSize.y);
                if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
                    next.bottom = std::clamp<LONG>(
                        original.bottom + dy, next.top + limits.ptMinTrackSize.y, next.top + limits.ptMaxTrackSize.y);
            }
            SendMessage(hwnd, moving ? WM_MOVING : WM_SIZING, moving ? 0 : edge, reinterpret_cast<LPARAM>(&next));
            if (!EqualRect(&next, &rect)) {
                invertOutline(screen, rect);
                rect = next;
                invertOutline(screen, rect);
            }
            if (msg.message == WM_LBUTTONUP) {
                end = LoopEnd::Done;
                break;
            }
            continue;
        }
        if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
            end = msg.wParam == VK_RETURN ? LoopEnd::Done : LoopEnd::Cancelled;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    invertOutline(screen, rect);
    ReleaseDC(nullptr, screen);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (end == LoopEnd::Done && IsWindow(hwnd) && !EqualRect(&rect, &original)) {
        POINT topLeft { rect.left, rect.top };
        if (HWND parent = parentOf(hwnd))
            ScreenToClient(parent, &topLeft);
        SetWindowPos(hwnd, nullptr, topLeft.x, topLeft.y, rect.right - rect.left, rect.bottom - rect.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (IsWindow(hwnd))
        SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
    return end;
}

// Follows a press on a caption button until release; true when released over the same button.
bool trackCaptionButton(HWND hwnd, LRESULT button)
{
    SetCapture(hwnd);
    bool pressedOver = true;
    for (;;) {
        MSG msg;
        if (!NextCapturedMessage(hwnd, msg))
            return false;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            pressedOver = NonClientHitTest(hwnd, msg.pt) == button;
            if (msg.message == WM_LBUTTONUP)
                break;
            continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            pressedOver = false;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return pressedOver && IsWindow(hwnd);
}

LRESULT onNcLButtonDown(HWND hwnd, WPARAM hit, LPARAM lParam)
{
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    switch (static_cast<LRESULT>(hit)) {
    case HTCAPTION:
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
        break;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), lParam);
        break;
    case HTSYSMENU:
        SendMessage(root, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, lParam);
        break;
    case HTMENU:
        SendMessage(root, WM_SYSCOMMAND, SC_MOUSEMENU, lParam);
        break;
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
        if (trackCaptionButton(hwnd, static_cast<LRESULT>(hit))) {
            const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
            WPARAM command = SC_CLOSE;
            if (hit == HTMINBUTTON)
                command = (style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE;
            else if (hit == HTMAXBUTTON)
                command = (style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE;
            else if (hit == HTHELP)
                command = SC_CONTEXTHELP;
            SendMessage(hwnd, WM_SYSCOMMAND, command, lParam);
        }
        break;
    case HTVSCROLL:
    case HTHSCROLL:
        TrackWindowScrollBar(hwnd, hit == HTVSCROLL ? SB_VERT : SB_HORZ, pointOf(lParam));
        break;
    default:
        break;
    }
    return 0;
}

// Asks for help on a window: WM_HELP with the window's id, passed up by the default handling.
void sendHelp(HWND target, POINT mouse)
{
    HELPINFO info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(target);
    info.hItemHandle = target;
    info.MousePos = mouse;
    SendMessage(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

// The context-help mode of the caption's "?" button: the next click names the window help is
// wanted for; Escape, another button or losing the capture ends the mode without help.
void contextHelpLoop(HWND hwnd)
{
    SetCapture(hwnd);
    SetCursor(LoadCursor(nullptr, IDC_HELP));
    for (;;) {
        MSG msg;
        if (!NextCapturedMessage(hwnd, msg))
            break;
        if (msg.message == WM_LBUTTONDOWN) {
            ReleaseCapture();
            HWND target = WindowFromPoint(msg.pt);
            if (target && (target == hwnd || IsChild(hwnd, target)))
                sendHelp(target, msg.pt);
            break;
        }
        if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_MOUSEMOVE)
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
}

LRESULT onSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_SYSCOMMAND, wParam, lParam))
        return 0;
    switch (wParam & 0xFFF0) {
    case SC_MOVE:
    case SC_SIZE:
        if (wParam & 0x000F) {
            POINT start = pointOf(lParam);
            if (!lParam)
                GetCursorPos(&start);
            moveSizeLoop(hwnd, wParam, start);
        }
        break;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_MAXIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    case SC_CLOSE:
        if (!(GetClassLong(hwnd, GCL_STYLE) & CS_NOCLOSE))
            SendMessage(hwnd, WM_CLOSE, 0, 0);
        break;
    case SC_CONTEXTHELP:
        contextHelpLoop(hwnd);
        break;
    case SC_KEYMENU:
    case SC_MOUSEMENU:
        TrackSystemCommandMenu(hwnd, wParam, lParam);
        break;
    default:
        break;
    }
    return 0;
}

LRESULT onSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (HWND parent = parentOf(hwnd))
        if (SendMessage(parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
    const auto hit = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)));
    LPCSTR shape = IDC_ARROW;
    switch (hit) {
    case HTCLIENT:
        if (HCURSOR cursor = reinterpret_cast<HCURSOR>(GetClassLongPtr(hwnd, GCLP_HCURSOR))) {
            SetCursor(cursor);
            return TRUE;
        }
        return FALSE;
    case HTERROR:
        if (HIWORD(static_cast<DWORD_PTR>(lParam)) == WM_LBUTTONDOWN)
            MessageBeep(0);
        break;
    case HTLEFT:
    case HTRIGHT:
        shape = IDC_SIZEWE;
        break;
    case HTTOP:
    case HTBOTTOM:
        shape = IDC_SIZENS;
        break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        shape = IDC_SIZENWSE;
        break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        shape = IDC_SIZENESW;
        break;
    default:
        break;
    }
    SetCursor(LoadCursor(nullptr, shape));
    return TRUE;
}

LRESULT eraseBackground(HWND hwnd, HDC hdc)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtr(hwnd, GCLP_HBRBACKGROUND));
    if (!brush)
        return 0;
    const auto value = reinterpret_cast<UINT_PTR>(brush);
    if (value <= COLOR_GRADIENTINACTIVECAPTION + 1)
        brush = GetSysColorBrush(static_cast<int>(value) - 1);
    RECT r;
    GetClipBox(hdc, &r);
    FillRect(hdc, &r, brush);
    return 1;
}

LRESULT copyText(HWND hwnd, WPARAM max, LPSTR buffer)
{
    if (!buffer || max == 0)
        return 0;
    auto lock = WindowManager::Acquire();
    auto w = WindowManager::Instance().find(hwnd);
    if (!w) {
        buffer[0] = 0;
        return 0;
    }
    size_t n = std::min<size_t>(w->text.size(), max - 1);
    // Never cut a character in two.
    while (n > 0 && n < w->text.size() && (static_cast<unsigned char>(w->text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, w->text.data(), n);
    buffer[n] = 0;
    return static_cast<LRESULT>(n);
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        auto lock = WindowManager::Acquire();
        if (auto w = WindowManager::Instance().find(hwnd); w && cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            w->text = cs->lpszName;
        return TRUE;
    }
    case WM_NCCALCSIZE: {
        DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
        DWORD exStyle = static_cast<DWORD>(GetWindowLong(hwnd, GWL_EXSTYLE));
        if (!lParam)
            return 0;
        RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        *r = DefaultClientRect(style, exStyle, *r, MenuBarOf(hwnd) != nullptr);
        return 0;
    }
    case WM_NCHITTEST:
        return NonClientHitTest(hwnd, pointOf(lParam));
    case WM_NCPAINT: {
        bool active = false;
        {
            auto lock = WindowManager::Acquire();
            auto w = WindowManager::Instance().find(hwnd);
            active = w && w->ncActive;
        }
        PaintNonClient(hwnd, active, wParam == 1 ? nullptr : reinterpret_cast<HRGN>(wParam));
        return 0;
    }
    case WM_NCACTIVATE: {
        {
            auto lock = WindowManager::Acquire();
            auto w = WindowManager::Instance().find(hwnd);
            if (!w)
                return TRUE;
            w->ncActive = wParam != 0;
        }
        if (IsWindowVisible(hwnd))
            PaintNonClient(hwnd, wParam != 0);
        return TRUE;
    }
    case WM_NCLBUTTONDOWN:
        return onNcLButtonDown(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && (GetWindowLong(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX))
            SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) || IsIconic(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        else if (wParam == HTSYSMENU)
            SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
        else if (wParam == HTVSCROLL || wParam == HTHSCROLL)
            return onNcLButtonDown(hwnd, wParam, lParam);
        return 0;
    case WM_RBUTTONUP: {
        POINT pt = pointOf(lParam);
        ClientToScreen(hwnd, &pt);
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
            MAKELPARAM(static_cast<unsigned>(pt.x), static_cast<unsigned>(pt.y)));
        return 0;
    }
    case WM_NCRBUTTONUP:
        if (wParam == HTCAPTION || wParam == HTSYSMENU)
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
        return 0;
    case WM_CONTEXTMENU:
    case WM_HELP:
    case WM_MOUSEWHEEL:
        if (HWND parent = parentOf(hwnd))
            return SendMessage(parent, msg, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        if (HWND parent = parentOf(hwnd))
            if (LRESULT r = SendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam))
                return r;
        return MA_ACTIVATE;
    case WM_SETCURSOR:
        return onSetCursor(hwnd, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hwnd, &ps))
            EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SETTEXT: {
        {
            auto lock = WindowManager::Acquire();
            auto w = WindowManager::Instance().find(hwnd);
            if (!w)
                return FALSE;
            const auto* text = reinterpret_cast<LPCSTR>(lParam);
            w->text = text ? text : "";
        }
        if ((GetWindowLong(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION && IsWindowVisible(hwnd))
            SendMessage(hwnd, WM_NCPAINT, 1, 0);
        return TRUE;
    }
    case WM_GETTEXT:
        return copyText(hwnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        return w ? static_cast<LRESULT>(w->text.size()) : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!wp)
            return 0;
        RECT client;
        GetClientRect(hwnd, &client);
        {
            auto lock = WindowManager::Acquire();
            if (auto w = WindowManager::Instance().find(hwnd))
                w->sizeSent = true;
        }
        if (!(wp->flags & SWP_NOMOVE)) {
            RECT rc;
            GetWindowRect(hwnd, &rc);
            POINT origin { 0, 0 };
            ClientToScreen(hwnd, &origin);
            if (HWND parent = parentOf(hwnd))
                ScreenToClient(parent, &origin);
            SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<unsigned>(origin.x), static_cast<unsigned>(origin.y)));
        }
        if (!(wp->flags & SWP_NOSIZE) || (wp->flags & SWP_FRAMECHANGED)) {
            const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
            const WPARAM kind = (style & WS_MINIMIZE) ? SIZE_MINIMIZED
                : (style & WS_MAXIMIZE)               ? SIZE_MAXIMIZED
                                                      : SIZE_RESTORED;
            SendMessage(hwnd, WM_SIZE, kind,
                MAKELPARAM(static_cast<unsigned>(client.right), static_cast<unsigned>(client.bottom)));
        }
        return 0;
    }
    case WM_SETREDRAW: {
        // Redrawing off takes the visible flag away without hiding (nothing is repainted); on gives it back.
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w)
            return 0;
        if (wParam)
            w->style |= WS_VISIBLE;
        else
            w->style &= ~WS_VISIBLE;
        lock.unlock();
        RefreshHeldDCs();
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hwnd);
        return 0;
    case WM_CANCELMODE:
        EndMenu();
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_SYSCOMMAND:
        return onSysCommand(hwnd, wParam, lParam);
    case WM_SYSKEYDOWN:
        if ((lParam & KF_ALTDOWN_BIT) && wParam == VK_F4 && !(GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD))
            SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSKEYUP:
    case WM_KEYUP: {
        bool alone = false;
        {
            auto queue = MessageQueue::Current();
            auto lock = WindowManager::Acquire();
            alone = queue->altAlone;
            if (wParam == VK_MENU)
                queue->altAlone = false;
        }
        if ((wParam == VK_MENU && alone) || (wParam == VK_F10 && GetKeyState(VK_SHIFT) >= 0))
            SendMessage(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    }
    case WM_KEYDOWN:
        // F1 alone asks for help on the window that has the keyboard.
        if (wParam == VK_F1 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
            DWORD pos = GetMessagePos();
            sendHelp(hwnd, POINT { static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos)) });
        }
        return 0;
    case WM_SYSCHAR:
        if (wParam == VK_RETURN && IsIconic(hwnd)) {
            PostMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
            return 0;
        }
        if ((lParam & KF_ALTDOWN_BIT) && wParam != VK_TAB && wParam != VK_ESCAPE)
            SendMessage(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
        else
            MessageBeep(0);
        return 0;
    case WM_GETICON: {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w)
            return 0;
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->bigIcon : w->smallIcon);
    }
    case WM_SETICON: {
        auto lock = WindowManager::Acquire();
        auto w = WindowManager::Instance().find(hwnd);
        if (!w)
            return 0;
        HICON& slot = wParam == ICON_BIG ? w->bigIcon : w->smallIcon;
        return reinterpret_cast<LRESULT>(std::exchange(slot, reinterpret_cast<HICON>(lParam)));
    }
    case WM_QUERYOPEN:
    case WM_QUERYENDSESSION:
    case WM_DEVICECHANGE:
    case WM_POWERBROADCAST:
        return TRUE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        const bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(hdc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    default:
        return 0;
    }
}
