#include "platform/user/MdiClient.h"

#include <algorithm>
#include <memory>
#include <string>

namespace platform::user {

namespace {

// How far each cascaded child is placed below and right of the one before.
constexpr int kCascadeStep = 24;

} // namespace

MdiClient* MdiClient::Of(HWND client)
{
    char name[16] {};
    if (!client || !GetClassName(client, name, sizeof name) || std::string(name) != WC_MDICLIENT)
        return nullptr;
    return reinterpret_cast<MdiClient*>(GetWindowLongPtr(client, 0));
}

HWND MdiClient::create(const MDICREATESTRUCT* mcs)
{
    if (!mcs || !mcs->szClass)
        return nullptr;
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int offset = static_cast<int>(m_children.size() % 8) * kCascadeStep;
    const int x = mcs->x == CW_USEDEFAULT ? offset : mcs->x;
    const int y = mcs->y == CW_USEDEFAULT ? offset : mcs->y;
    const int cx = mcs->cx == CW_USEDEFAULT ? client.right * 2 / 3 : mcs->cx;
    const int cy = mcs->cy == CW_USEDEFAULT ? client.bottom * 2 / 3 : mcs->cy;
    const DWORD style = (mcs->style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
    const UINT id = m_firstId + static_cast<UINT>(m_children.size());
    HWND child = CreateWindowEx(WS_EX_MDICHILD, mcs->szClass, mcs->szTitle, style, x, y, cx, cy, m_hwnd,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), mcs->hOwner, const_cast<MDICREATESTRUCT*>(mcs));
    if (child)
        activate(child);
    return child;
}

void MdiClient::activate(HWND child)
{
    if (!child || GetParent(child) != m_hwnd)
        return;
    if (std::find(m_children.begin(), m_children.end(), child) == m_children.end())
        m_children.push_back(child);
    if (child == m_active)
        return;
    HWND previous = m_active;
    m_active = child;
    if (previous && IsWindow(previous)) {
        SendMessage(previous, WM_NCACTIVATE, FALSE, 0);
        SendMessage(previous, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous), reinterpret_cast<LPARAM>(child));
    }
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessage(child, WM_NCACTIVATE, TRUE, 0);
    SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous), reinterpret_cast<LPARAM>(child));
    // The keyboard follows the active child unless it is inside it already.
    HWND focus = GetFocus();
    if (focus != child && !IsChild(child, focus))
        SetFocus(child);
    refreshMenu();
}

void MdiClient::forget(HWND child)
{
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
    if (child == m_active) {
        m_active = nullptr;
        // The most recently listed child takes over.
        if (!m_children.empty())
            activate(m_children.back());
    }
    refreshMenu();
}

void MdiClient::destroy(HWND child)
{
    if (!child || GetParent(child) != m_hwnd)
        return;
    // The last active child is told it loses the activation to none, so that the frame takes its own
    // menu back; with others left, the next one's activation tells it.
    if (child == m_active && m_children.size() == 1) {
        m_active = nullptr;
        SendMessage(child, WM_NCACTIVATE, FALSE, 0);
        SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    }
    forget(child);
    DestroyWindow(child);
}

void MdiClient::next(HWND from, bool previous)
{
    if (m_children.size() < 2)
        return;
    if (!from)
        from = m_active;
    auto at = std::find(m_children.begin(), m_children.end(), from);
    if (at == m_children.end())
        return;
    const auto n = static_cast<std::ptrdiff_t>(m_children.size());
    const auto index = at - m_children.begin();
    activate(m_children[static_cast<std::size_t>((index + (previous ? n - 1 : 1)) % n)]);
}

void MdiClient::removeList()
{
    if (!m_windowMenu || !IsMenu(m_windowMenu))
        return;
    for (int i = 0; i < m_listed; ++i)
        RemoveMenu(m_windowMenu, m_firstId + static_cast<UINT>(i), MF_BYCOMMAND);
    if (m_separator) {
        const int last = GetMenuItemCount(m_windowMenu) - 1;
        if (last >= 0)
            RemoveMenu(m_windowMenu, static_cast<UINT>(last), MF_BYPOSITION);
    }
    m_listed = 0;
    m_separator = false;
}

void MdiClient::refreshMenu()
{
    removeList();
    if (!m_windowMenu || !IsMenu(m_windowMenu) || m_children.empty())
        return;
    if (GetMenuItemCount(m_windowMenu) > 0) {
        AppendMenu(m_windowMenu, MF_SEPARATOR, 0, nullptr);
        m_separator = true;
    }
    const int count = std::min<int>(static_cast<int>(m_children.size()), MDI_MAXLISTED);
    for (int i = 0; i < count; ++i) {
        HWND child = m_children[static_cast<std::size_t>(i)];
        // The child's id follows its place in the list, so a Window-menu command finds it.
        SetWindowLongPtr(child, GWLP_ID, static_cast<LONG_PTR>(m_firstId + static_cast<UINT>(i)));
        char title[256] {};
        GetWindowText(child, title, sizeof title);
        const std::string text = "&" + std::to_string(i + 1) + " " + title;
        AppendMenu(m_windowMenu, MF_STRING | (child == m_active ? MF_CHECKED : MF_UNCHECKED),
            m_firstId + static_cast<UINT>(i), text.c_str());
    }
    m_listed = count;
}

HMENU MdiClient::setMenu(HMENU frameMenu, HMENU windowMenu)
{
    HWND frame = GetParent(m_hwnd);
    HMENU old = frame ? GetMenu(frame) : nullptr;
    if (windowMenu && windowMenu != m_windowMenu) {
        removeList();
        m_windowMenu = windowMenu;
    }
    if (frameMenu && frame)
        SetMenu(frame, frameMenu);
    refreshMenu();
    if (frame)
        DrawMenuBar(frame);
    return old;
}

void MdiClient::cascade()
{
    int offset = 0;
    RECT client;
    GetClientRect(m_hwnd, &client);
    for (HWND child : m_children) {
        SetWindowPos(child, nullptr, offset, offset, client.right * 2 / 3, client.bottom * 2 / 3, SWP_NOZORDER | SWP_NOACTIVATE);
        offset += kCascadeStep;
    }
    if (m_active)
        SetWindowPos(m_active, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MdiClient::tile(bool horizontal)
{
    if (m_children.empty())
        return;
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int n = static_cast<int>(m_children.size());
    for (int i = 0; i < n; ++i) {
        RECT r = client;
        if (horizontal) {
            r.top = client.bottom * i / n;
            r.bottom = client.bottom * (i + 1) / n;
        } else {
            r.left = client.right * i / n;
            r.right = client.right * (i + 1) / n;
        }
        SetWindowPos(m_children[static_cast<std::size_t>(i)], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT MdiClient::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (const auto* ccs = static_cast<const CLIENTCREATESTRUCT*>(cs->lpCreateParams)) {
            m_windowMenu = ccs->hWindowMenu;
            m_firstId = ccs->idFirstChild;
        }
        return 0;
    }
    case WM_MDICREATE:
        return reinterpret_cast<LRESULT>(create(reinterpret_cast<const MDICREATESTRUCT*>(lParam)));
    case WM_MDIACTIVATE:
        activate(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIGETACTIVE:
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = m_active && IsZoomed(m_active);
        return reinterpret_cast<LRESULT>(m_active);
    case WM_MDINEXT:
        next(reinterpret_cast<HWND>(wParam), lParam != 0);
        return 0;
    case WM_MDIDESTROY:
        destroy(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIMAXIMIZE:
        ShowWindow(reinterpret_cast<HWND>(wParam), SW_MAXIMIZE);
        return 0;
    case WM_MDIRESTORE:
        ShowWindow(reinterpret_cast<HWND>(wParam), SW_RESTORE);
        return 0;
    case WM_MDICASCADE:
        cascade();
        return TRUE;
    case WM_MDITILE:
        tile((wParam & MDITILE_HORIZONTAL) != 0);
        return TRUE;
    case WM_MDIICONARRANGE:
        return 0;
    case WM_MDISETMENU:
        return reinterpret_cast<LRESULT>(setMenu(reinterpret_cast<HMENU>(wParam), reinterpret_cast<HMENU>(lParam)));
    case WM_MDIREFRESHMENU: {
        refreshMenu();
        HWND frame = GetParent(m_hwnd);
        return reinterpret_cast<LRESULT>(frame ? GetMenu(frame) : nullptr);
    }
    case WM_PARENTNOTIFY:
        // A child going away by DestroyWindow alone leaves the list too.
        if (LOWORD(wParam) == WM_DESTROY)
            forget(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_SETFOCUS:
        if (m_active && IsWindow(m_active))
            SetFocus(m_active);
        return 0;
    case WM_SIZE:
        if (m_active && IsZoomed(m_active))
            SetWindowPos(m_active, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOZORDER | SWP_NOACTIVATE);
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

LRESULT MdiClientProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<MdiClient*>(GetWindowLongPtr(hWnd, 0));
    if (!self && message == WM_NCCREATE) {
        self = new MdiClient(hWnd);
        SetWindowLongPtr(hWnd, 0, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProc(hWnd, message, wParam, lParam);
    const LRESULT result = self->windowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtr(hWnd, 0, 0);
        std::unique_ptr<MdiClient> owned(self);
    }
    return result;
}

} // namespace platform::user

LRESULT DefFrameProc(HWND hWnd, HWND hWndMDIClient, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (hWndMDIClient) {
        switch (uMsg) {
        case WM_COMMAND: {
            // A Window-menu entry: the child whose id it is.
            HWND child = GetDlgItem(hWndMDIClient, LOWORD(wParam));
            if (child && lParam == 0 && (GetWindowLong(child, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
                SendMessage(hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
                return 0;
            }
            break;
        }
        case WM_SETFOCUS:
            SetFocus(hWndMDIClient);
            return 0;
        case WM_SIZE:
            MoveWindow(hWndMDIClient, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        default:
            break;
        }
    }
    return DefWindowProc(hWnd, uMsg, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    HWND client = GetParent(hWnd);
    switch (uMsg) {
    case WM_MOUSEACTIVATE:
    case WM_SETFOCUS:
        if (client && reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0)) != hWnd)
            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
        return uMsg == WM_MOUSEACTIVATE ? MA_ACTIVATE : 0;
    case WM_CLOSE:
        SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hWnd), 0);
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProc(hWnd, uMsg, wParam, lParam);
        SendMessage(client, WM_MDIREFRESHMENU, 0, 0);
        return result;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_NEXTWINDOW || (wParam & 0xFFF0) == SC_PREVWINDOW) {
            SendMessage(client, WM_MDINEXT, reinterpret_cast<WPARAM>(hWnd), (wParam & 0xFFF0) == SC_PREVWINDOW);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProc(hWnd, uMsg, wParam, lParam);
}
