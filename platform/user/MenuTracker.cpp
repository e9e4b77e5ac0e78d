// The menu loop, the windows that show popups, TrackPopupMenu and the window menu's keys and clicks.

#include "platform/user/MenuTracker.h"

#include <algorithm>

#include "platform/user/Internal.h"
#include "platform/user/Menu.h"
#include "platform/user/NonClient.h"
#include "platform/user/WindowManager.h"

namespace platform::user {

namespace {

constexpr const char* kMenuClass = "#32768";
constexpr const char* kOwnerProperty = "MenuOwner";

thread_local std::vector<MenuTracker*> t_trackers;

LRESULT CALLBACK menuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC hdc = BeginPaint(hwnd, &ps)) {
            const auto menu = reinterpret_cast<HMENU>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
            if (menu)
                PaintPopupMenu(menu, static_cast<HWND>(GetProp(hwnd, kOwnerProperty)), hdc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_CAPTURECHANGED:
        // Someone else took the mouse: the menu that held it is over.
        for (MenuTracker* tracker : t_trackers)
            if (tracker->captureWindow() == hwnd && reinterpret_cast<HWND>(lParam) != hwnd)
                tracker->cancel();
        return 0;
    case WM_CANCELMODE:
        MenuTracker::EndAll();
        return 0;
    case WM_NCDESTROY:
        RemoveProp(hwnd, kOwnerProperty);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void registerMenuClass()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASS wc;
    // Double clicks reach the loop as such: a double click on the window-menu icon runs the menu's
    // default command.
    wc.style = CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = menuWindowProc;
    wc.lpszClassName = kMenuClass;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    done = RegisterClass(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool isSystemMenu(HMENU menu)
{
    auto lock = WindowManager::Acquire();
    const Menu* m = MenuTable::Instance().find(menu);
    return m && m->systemOwner;
}

// Copies of an item's fields, read under the lock.
bool itemAt(HMENU menu, int index, MenuItem& out)
{
    auto lock = WindowManager::Acquire();
    const Menu* m = MenuTable::Instance().find(menu);
    if (!m || index < 0 || static_cast<size_t>(index) >= m->items.size())
        return false;
    out = m->items[static_cast<size_t>(index)];
    return true;
}

int itemCount(HMENU menu)
{
    auto lock = WindowManager::Acquire();
    const Menu* m = MenuTable::Instance().find(menu);
    return m ? static_cast<int>(m->items.size()) : 0;
}

void setHilite(HMENU menu, int index, bool on)
{
    auto lock = WindowManager::Acquire();
    Menu* m = MenuTable::Instance().find(menu);
    if (!m || index < 0 || static_cast<size_t>(index) >= m->items.size())
        return;
    UINT& state = m->items[static_cast<size_t>(index)].state;
    state = on ? state | MFS_HILITE : state & ~MFS_HILITE;
}

void setWindow(HMENU menu, HWND window)
{
    auto lock = WindowManager::Acquire();
    if (Menu* m = MenuTable::Instance().find(menu))
        m->window = window;
}

// A popup of the given size near `at` as the TPM_* flags align it, kept on the screen and, when an
// exclusion rectangle is given, off it.
POINT placePopup(SIZE size, POINT at, UINT flags, const RECT* exclude)
{
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    POINT p = at;
    if (flags & TPM_CENTERALIGN)
        p.x -= size.cx / 2;
    else if (flags & TPM_RIGHTALIGN)
        p.x -= size.cx;
    if (flags & TPM_VCENTERALIGN)
        p.y -= size.cy / 2;
    else if (flags & TPM_BOTTOMALIGN)
        p.y -= size.cy;
    // Off the right or bottom edge: flip to the other side of the point.
    if (p.x + size.cx > screenW)
        p.x = std::max<LONG>(at.x - size.cx, 0);
    if (p.y + size.cy > screenH)
        p.y = std::max<LONG>(at.y - size.cy, 0);
    p.x = std::clamp<LONG>(p.x, 0, std::max<LONG>(screenW - size.cx, 0));
    p.y = std::clamp<LONG>(p.y, 0, std::max<LONG>(screenH - size.cy, 0));
    if (exclude) {
        RECT popup { p.x, p.y, p.x + size.cx, p.y + size.cy }, overlap;
        if (IntersectRect(&overlap, &popup, exclude)) {
            if (flags & TPM_VERTICAL) {
                if (exclude->bottom + size.cy <= screenH)
                    p.y = exclude->bottom;
                else if (exclude->top - size.cy >= 0)
                    p.y = exclude->top - size.cy;
            } else {
                if (exclude->right + size.cx <= screenW)
                    p.x = exclude->right;
                else if (exclude->left - size.cx >= 0)
                    p.x = exclude->left - size.cx;
            }
        }
    }
    return p;
}

// The window menu's items follow the window's state each time it opens.
void updateSystemMenu(HWND hwnd, HMENU menu)
{
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    const bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
    auto enable = [&](UINT command, bool on) {
        if (GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1))
            EnableMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, minimized || maximized);
    enable(SC_MOVE, !maximized);
    enable(SC_SIZE, (style & WS_THICKFRAME) && !minimized && !maximized);
    enable(SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !minimized);
    enable(SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !maximized);
    enable(SC_CLOSE, !(GetClassLong(hwnd, GCL_STYLE) & CS_NOCLOSE));
}

bool isMouseMessage(UINT m) { return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK); }

} // namespace

MenuTracker::MenuTracker(HWND owner, UINT flags)
    : m_owner(owner)
    , m_root(GetAncestor(owner, GA_ROOT))
    , m_flags(flags)
{
    t_trackers.push_back(this);
}

MenuTracker::~MenuTracker() { std::erase(t_trackers, this); }

MenuTracker* MenuTracker::Current() { return t_trackers.empty() ? nullptr : t_trackers.back(); }

void MenuTracker::EndAll()
{
    for (MenuTracker* tracker : t_trackers)
        tracker->cancel();
}

void MenuTracker::cancel()
{
    if (m_done)
        return;
    m_done = true;
    // Wakes the loop should it be waiting for a message.
    PostMessage(m_captureWindow, WM_NULL, 0, 0);
}

void MenuTracker::begin(HMENU top)
{
    registerMenuClass();
    m_rootWasActive = GetActiveWindow() == m_root;
    if (notify())
        SendMessage(m_owner, WM_ENTERMENULOOP, barMode() ? FALSE : TRUE, 0);
    m_captureWindow = CreateWindowEx(
        WS_EX_TOOLWINDOW, kMenuClass, "", WS_POPUP, 0, 0, 0, 0, m_owner, nullptr, nullptr, nullptr);
    SetCapture(m_captureWindow);
    {
        // The press on the owner that opened the menu and the next one, now the loop's, make a double
        // click: the loop's window takes the place of the owner as the window last clicked.
        auto lock = WindowManager::Acquire();
        auto& last = WindowManager::Instance().lastClick;
        if (last.valid && last.hwnd == m_owner)
            last.hwnd = m_captureWindow;
    }
    if (notify())
        SendMessage(m_owner, WM_INITMENU, reinterpret_cast<WPARAM>(top), 0);
}

void MenuTracker::finish()
{
    closeAll();
    if (notify())
        SendMessage(m_owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    if (GetCapture() == m_captureWindow)
        ReleaseCapture();
    if (IsWindow(m_captureWindow))
        DestroyWindow(m_captureWindow);
    if (notify() && IsWindow(m_owner))
        SendMessage(m_owner, WM_EXITMENULOOP, barMode() ? FALSE : TRUE, 0);
}

MenuTracker::Choice MenuTracker::trackPopup(HMENU menu, POINT at, const RECT* exclude, bool system)
{
    m_system = system;
    begin(menu);
    if (showPopup(menu, 0, at, exclude, m_flags))
        run();
    finish();
    return m_choice;
}

MenuTracker::Choice MenuTracker::trackBar(HMENU bar, int item, bool open, bool selectFirst)
{
    m_bar = bar;
    begin(bar);
    m_levels.push_back(Level { bar, nullptr, -1 });
    if (item >= 0) {
        select(0, item, !selectFirst);
        if (open)
            openSubmenu(0, selectFirst);
    }
    if (!m_done)
        run();
    finish();
    return m_choice;
}

MenuTracker::Choice MenuTracker::run()
{
    bool idleSent = false;
    while (!m_done) {
        if (GetCapture() != m_captureWindow) {
            m_done = true;
            break;
        }
        MSG msg;
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!idleSent) {
                idleSent = true;
                const HWND shown = m_levels.empty() ? nullptr : m_levels.back().window;
                SendMessage(m_owner, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(shown));
                continue;
            }
            WaitMessage();
            idleSent = false;
            continue;
        }
        idleSent = false;
        if (msg.message == WM_QUIT) {
            // For the outer loop to see.
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_done = true;
            break;
        }
        if (CallMsgFilter(&msg, MSGF_MENU))
            continue;
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            onMouseMove(msg.pt);
            break;
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDBLCLK:
            onButtonDown(msg.pt, false);
            break;
        case WM_RBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_NCRBUTTONDBLCLK:
            onButtonDown(msg.pt, true);
            break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            onButtonUp(msg.pt, false);
            break;
        case WM_RBUTTONUP:
        case WM_NCRBUTTONUP:
            onButtonUp(msg.pt, true);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            TranslateMessage(&msg);
            onKeyDown(msg);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            onKeyUp(msg);
            break;
        case WM_CHAR:
        case WM_SYSCHAR:
            onChar(msg.wParam);
            break;
        default:
            // Other pointer input is the menu's; everything else goes on as usual.
            if (isMouseMessage(msg.message))
                break;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
            break;
        }
        if (!IsWindow(m_owner) || (m_rootWasActive && GetActiveWindow() != m_root))
            m_done = true;
    }
    return m_choice;
}

bool MenuTracker::showPopup(HMENU menu, int indexInParent, POINT at, const RECT* exclude, UINT placement)
{
    if (!IsMenu(menu))
        return false;
    const bool system = isSystemMenu(menu) || (m_system && m_levels.empty());
    if (system && m_levels.empty())
        updateSystemMenu(m_owner, menu);
    if (notify())
        SendMessage(m_owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
            MAKELPARAM(static_cast<unsigned>(indexInParent), system ? 1 : 0));
    // The owner may have emptied or destroyed the menu while it was being set up.
    if (m_done || itemCount(menu) == 0)
        return false;
    const SIZE size = LayOutPopupMenu(menu, m_owner);
    const POINT p = placePopup(size, at, placement, exclude);
    HWND window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kMenuClass, "", WS_POPUP | WS_CLIPSIBLINGS, p.x,
        p.y, size.cx, size.cy, m_owner, nullptr, nullptr, nullptr);
    if (!window)
        return false;
    SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(menu));
    SetProp(window, kOwnerProperty, m_owner);
    setWindow(menu, window);
    m_levels.push_back(Level { menu, window, -1 });
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(window);
    return true;
}

bool MenuTracker::openSubmenu(size_t level, bool selectFirst)
{
    if (level >= m_levels.size())
        return false;
    closeAbove(level);
    const int index = m_levels[level].selected;
    MenuItem item;
    if (!itemAt(m_levels[level].menu, index, item) || !item.subMenu || item.disabled())
        return false;
    RECT itemRect {};
    if (!GetMenuItemRect(isBarLevel(level) ? m_owner : nullptr, m_levels[level].menu, static_cast<UINT>(index), &itemRect))
        return false;
    bool shown = false;
    if (isBarLevel(level)) {
        shown = showPopup(item.subMenu, index, POINT { itemRect.left, itemRect.bottom }, &itemRect,
            TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL);
        RedrawMenuBar(m_owner);
    } else {
        // Beside the item, overlapping the parent's border; flipped to the left side when there is
        // no room on the right.
        const int border = 3;
        RECT beside = itemRect;
        InflateRect(&beside, -border, 0);
        shown = showPopup(item.subMenu, index, POINT { itemRect.right - border, itemRect.top - border }, &beside,
            TPM_LEFTALIGN | TPM_TOPALIGN);
    }
    if (shown && selectFirst)
        moveSelection(m_levels.size() - 1, 1);
    return shown;
}

void MenuTracker::closeAbove(size_t level)
{
    while (m_levels.size() > level + 1) {
        Level closing = m_levels.back();
        m_levels.pop_back();
        if (closing.selected >= 0)
            setHilite(closing.menu, closing.selected, false);
        setWindow(closing.menu, nullptr);
        if (closing.window)
            DestroyWindow(closing.window);
        if (notify())
            SendMessage(m_owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(closing.menu),
                MAKELPARAM(0, isSystemMenu(closing.menu) ? MF_SYSMENU : 0));
        if (!m_levels.empty() && isBarLevel(m_levels.size() - 1))
            RedrawMenuBar(m_owner);
    }
}

void MenuTracker::closeAll()
{
    if (m_levels.empty())
        return;
    closeAbove(0);
    Level& first = m_levels.front();
    if (first.selected >= 0) {
        setHilite(first.menu, first.selected, false);
        first.selected = -1;
    }
    if (first.window) {
        setWindow(first.menu, nullptr);
        DestroyWindow(first.window);
        if (notify())
            SendMessage(m_owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(first.menu),
                MAKELPARAM(0, isSystemMenu(first.menu) ? MF_SYSMENU : 0));
    } else if (barMode()) {
        RedrawMenuBar(m_owner);
    }
    m_levels.clear();
}

void MenuTracker::select(size_t level, int item, bool mouse)
{
    Level& l = m_levels[level];
    if (l.selected == item)
        return;
    const int previous = std::exchange(l.selected, item);
    if (previous >= 0) {
        setHilite(l.menu, previous, false);
        redrawItem(level, previous);
    }
    MenuItem it;
    if (item < 0 || !itemAt(l.menu, item, it))
        return;
    setHilite(l.menu, item, true);
    redrawItem(level, item);
    if (!notify())
        return;
    UINT flags = (it.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT))
        | (it.type & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) | MF_HILITE | (mouse ? MF_MOUSESELECT : 0);
    if (isSystemMenu(l.menu) || (m_system && level == 0))
        flags |= MF_SYSMENU;
    UINT idOrIndex = it.id;
    if (it.subMenu) {
        flags |= MF_POPUP;
        idOrIndex = static_cast<UINT>(item);
    }
    SendMessage(m_owner, WM_MENUSELECT, MAKEWPARAM(idOrIndex, flags), reinterpret_cast<LPARAM>(l.menu));
}

void MenuTracker::redrawItem(size_t level, int item)
{
    const Level& l = m_levels[level];
    if (!l.window) {
        if (barMode())
            RedrawMenuBar(m_owner);
        return;
    }
    if (HDC hdc = GetDC(l.window)) {
        PaintPopupMenu(l.menu, m_owner, hdc, item);
        ReleaseDC(l.window, hdc);
    }
}

void MenuTracker::choose(size_t level, int item)
{
    MenuItem it;
    if (!itemAt(m_levels[level].menu, item, it))
        return;
    m_choice.chosen = true;
    m_choice.id = it.id;
    m_choice.system = isSystemMenu(m_levels[level].menu) || (m_system && level == 0);
    m_done = true;
}

// An item picked by key or click: a submenu opens, a plain enabled item is chosen.
void MenuTracker::activate(size_t level, int item, bool mouse)
{
    MenuItem it;
    if (level >= m_levels.size() || !itemAt(m_levels[level].menu, item, it) || it.separator())
        return;
    select(level, item, mouse);
    if (it.subMenu)
        openSubmenu(level, !mouse);
    else if (!it.disabled())
        choose(level, item);
}

bool MenuTracker::hit(POINT screen, size_t& level, int& item) const
{
    for (size_t i = m_levels.size(); i-- > 0;) {
        const Level& l = m_levels[i];
        if (l.window) {
            RECT r {};
            if (GetWindowRect(l.window, &r) && PtInRect(&r, screen)) {
                level = i;
                item = PopupItemFromPoint(l.menu, POINT { screen.x - r.left, screen.y - r.top });
                return true;
            }
        } else if (barMode()) {
            const RECT bar = MenuBarRect(m_owner);
            if (PtInRect(&bar, screen)) {
                level = i;
                item = MenuBarItemFromPoint(m_owner, screen);
                return true;
            }
        }
    }
    return false;
}

void MenuTracker::onMouseMove(POINT pt)
{
    size_t level = 0;
    int item = -1;
    if (!hit(pt, level, item)) {
        // Off every menu: the deepest popup shows no highlight.
        const size_t deepest = m_levels.size() - 1;
        if (!isBarLevel(deepest))
            select(deepest, -1, true);
        return;
    }
    if (isBarLevel(level)) {
        // With a popup open, moving along the bar opens the popup of the item under the pointer.
        if (item >= 0 && item != m_levels[0].selected && m_levels.size() > 1) {
            closeAbove(0);
            select(0, item, true);
            openSubmenu(0, false);
        }
        return;
    }
    if (item == m_levels[level].selected) {
        if (m_levels.size() > level + 2)
            closeAbove(level + 1);
        else if (m_levels.size() == level + 1 && item >= 0)
            openSubmenu(level, false);
        return;
    }
    closeAbove(level);
    MenuItem it;
    if (item >= 0 && itemAt(m_levels[level].menu, item, it) && it.separator())
        item = -1;
    select(level, item, true);
    if (item >= 0 && it.subMenu)
        openSubmenu(level, false);
}

void MenuTracker::onButtonDown(POINT pt, bool right)
{
    size_t level = 0;
    int item = -1;
    const bool inside = hit(pt, level, item);
    if (!inside) {
        // A press anywhere else dismisses the menu.
        m_done = true;
        return;
    }
    if (right && !(m_flags & TPM_RIGHTBUTTON))
        return;
    if (isBarLevel(level)) {
        if (item < 0)
            return;
        // A press on the item whose popup is open closes the menu.
        if (item == m_levels[0].selected && m_levels.size() > 1) {
            m_done = true;
            return;
        }
        closeAbove(0);
        select(0, item, true);
        openSubmenu(0, false);
        return;
    }
    onMouseMove(pt);
}

void MenuTracker::onButtonUp(POINT pt, bool right)
{
    if (right && !(m_flags & TPM_RIGHTBUTTON))
        return;
    size_t level = 0;
    int item = -1;
    if (!hit(pt, level, item) || item < 0)
        return;
    MenuItem it;
    if (!itemAt(m_levels[level].menu, item, it) || it.separator() || it.subMenu || it.disabled())
        return;
    // A bar item without a popup is a command of its own, chosen on release over it.
    if (isBarLevel(level) && item != m_levels[0].selected)
        return;
    select(level, item, true);
    choose(level, item);
}

void MenuTracker::moveSelection(size_t level, int step)
{
    const int count = itemCount(m_levels[level].menu);
    int i = m_levels[level].selected;
    for (int k = 0; k < count; ++k) {
        i = i < 0 ? (step > 0 ? 0 : count - 1) : (i + step + count) % count;
        MenuItem it;
        if (itemAt(m_levels[level].menu, i, it) && !it.separator()) {
            select(level, i, false);
            return;
        }
    }
}

void MenuTracker::moveBar(int step)
{
    const bool wasOpen = m_levels.size() > 1;
    closeAbove(0);
    moveSelection(0, step);
    if (wasOpen)
        openSubmenu(0, true);
}

void MenuTracker::onKeyDown(const MSG& msg)
{
    const auto vk = static_cast<int>(msg.wParam);
    if (vk == VK_MENU || vk == VK_F10) {
        m_menuKeyDown = vk;
        return;
    }
    m_menuKeyDown = 0;
    const size_t deepest = m_levels.size() - 1;
    switch (vk) {
    case VK_ESCAPE:
        if (deepest == 0)
            m_done = true;
        else
            closeAbove(deepest - 1);
        break;
    case VK_UP:
    case VK_DOWN:
        if (isBarLevel(deepest)) {
            if (m_levels[0].selected >= 0 && openSubmenu(0, false))
                moveSelection(m_levels.size() - 1, vk == VK_DOWN ? 1 : -1);
        } else {
            moveSelection(deepest, vk == VK_DOWN ? 1 : -1);
        }
        break;
    case VK_LEFT:
        if (deepest >= 1 && !isBarLevel(deepest - 1))
            closeAbove(deepest - 1);
        else if (barMode())
            moveBar(-1);
        break;
    case VK_RIGHT: {
        MenuItem it;
        if (!isBarLevel(deepest) && itemAt(m_levels[deepest].menu, m_levels[deepest].selected, it) && it.subMenu
            && !it.disabled()) {
            openSubmenu(deepest, true);
            break;
        }
        if (barMode())
            moveBar(1);
        break;
    }
    case VK_RETURN:
        if (m_levels[deepest].selected >= 0)
            activate(deepest, m_levels[deepest].selected, false);
        break;
    default:
        break;
    }
}

void MenuTracker::onKeyUp(const MSG& msg)
{
    // Alt or F10 pressed and released inside the loop leaves the menu, as it entered it.
    if (m_menuKeyDown && static_cast<int>(msg.wParam) == m_menuKeyDown)
        m_done = true;
    m_menuKeyDown = 0;
}

void MenuTracker::onChar(WPARAM ch)
{
    // Escape, Return and Tab arrive as keys.
    if (ch < 0x20)
        return;
    const size_t deepest = m_levels.size() - 1;
    const Level l = m_levels[deepest];
    const UINT wanted = ch >= 'A' && ch <= 'Z' ? static_cast<UINT>(ch - 'A' + 'a') : static_cast<UINT>(ch);
    std::vector<int> matches;
    {
        auto lock = WindowManager::Acquire();
        if (const Menu* m = MenuTable::Instance().find(l.menu))
            for (size_t i = 0; i < m->items.size(); ++i)
                // An owner-drawn item shows no text of the menu's: its owner answers for it (WM_MENUCHAR).
                if (!m->items[i].separator() && !m->items[i].ownerDrawn() && MenuMnemonic(m->items[i].text) == wanted)
                    matches.push_back(static_cast<int>(i));
    }
    if (matches.size() == 1) {
        activate(deepest, matches.front(), false);
        return;
    }
    if (matches.size() > 1) {
        // Several items share the letter: each press moves to the next of them.
        const auto next = std::find_if(matches.begin(), matches.end(), [&](int i) { return i > l.selected; });
        select(deepest, next == matches.end() ? matches.front() : *next, false);
        return;
    }
    UINT flags = isBarLevel(deepest) ? 0 : MF_POPUP;
    if (isSystemMenu(l.menu) || (m_system && deepest == 0))
        flags |= MF_SYSMENU;
    const LRESULT answer
        = SendMessage(m_owner, WM_MENUCHAR, MAKEWPARAM(static_cast<unsigned>(ch), flags), reinterpret_cast<LPARAM>(l.menu));
    const auto position = static_cast<int>(LOWORD(static_cast<DWORD_PTR>(answer)));
    switch (HIWORD(static_cast<DWORD_PTR>(answer))) {
    case MNC_EXECUTE:
        activate(deepest, position, false);
        break;
    case MNC_SELECT:
        if (position < itemCount(l.menu))
            select(deepest, position, false);
        break;
    case MNC_CLOSE:
        m_done = true;
        break;
    default:
        MessageBeep(0);
        break;
    }
}

namespace {

void deliver(HWND hwnd, const MenuTracker::Choice& choice)
{
    if (choice.chosen && IsWindow(hwnd))
        PostMessage(hwnd, choice.system ? WM_SYSCOMMAND : WM_COMMAND, choice.id, 0);
}

void trackWindowMenu(HWND hwnd)
{
    if (!(GetWindowLong(hwnd, GWL_STYLE) & WS_SYSMENU))
        return;
    NonClientLayout layout;
    if (!LayoutOf(hwnd, layout))
        return;
    const POINT at { layout.inner.left, IsRectEmpty(&layout.caption) ? layout.inner.top : layout.caption.bottom + 1 };
    MenuTracker tracker(hwnd, 0);
    deliver(hwnd, tracker.trackPopup(GetSystemMenu(hwnd, FALSE), at, nullptr, true));
}

} // namespace

void TrackSystemCommandMenu(HWND hwnd, WPARAM command, LPARAM lParam)
{
    if (MenuTracker::Current() || !IsWindow(hwnd))
        return;
    const HMENU bar = MenuBarOf(hwnd);
    if ((command & 0xFFF0) == SC_MOUSEMENU) {
        if ((command & 0x000F) == static_cast<WPARAM>(HTSYSMENU)) {
            trackWindowMenu(hwnd);
            return;
        }
        const int item = bar ? MenuBarItemFromPoint(hwnd, POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }) : -1;
        if (item < 0)
            return;
        MenuTracker tracker(hwnd, 0);
        deliver(hwnd, tracker.trackBar(bar, item, true, false));
        return;
    }
    const auto ch = static_cast<UINT>(lParam);
    if (ch == ' ') {
        trackWindowMenu(hwnd);
        return;
    }
    if (!bar) {
        if (ch)
            MessageBeep(0);
        return;
    }
    int item = ch ? -1 : 0;
    if (ch) {
        const UINT wanted = ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch;
        {
            auto lock = WindowManager::Acquire();
            if (const Menu* m = MenuTable::Instance().find(bar))
                for (size_t i = 0; i < m->items.size() && item < 0; ++i)
                    if (MenuMnemonic(m->items[i].text) == wanted)
                        item = static_cast<int>(i);
        }
        if (item < 0) {
            const LRESULT answer = SendMessage(hwnd, WM_MENUCHAR, MAKEWPARAM(ch, 0), reinterpret_cast<LPARAM>(bar));
            const auto kind = HIWORD(static_cast<DWORD_PTR>(answer));
            if (kind == MNC_EXECUTE || kind == MNC_SELECT)
                item = static_cast<int>(LOWORD(static_cast<DWORD_PTR>(answer)));
            else if (kind != MNC_CLOSE)
                MessageBeep(0);
            if (item < 0 || item >= GetMenuItemCount(bar))
                return;
        }
    }
    MenuTracker tracker(hwnd, 0);
    deliver(hwnd, tracker.trackBar(bar, item, ch != 0, ch != 0));
}

} // namespace platform::user

using namespace platform::user;

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND hwnd, LPTPMPARAMS params)
{
    if (!IsMenu(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    if (!LookupWindow(hwnd, true))
        return FALSE;
    if (MenuTracker::Current() && !(flags & TPM_RECURSE)) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return FALSE;
    }
    const RECT* exclude = params && params->cbSize >= sizeof(TPMPARAMS) ? &params->rcExclude : nullptr;
    MenuTracker::Choice choice;
    {
        MenuTracker tracker(hwnd, flags);
        bool system = false;
        {
            auto lock = WindowManager::Acquire();
            const Menu* m = MenuTable::Instance().find(menu);
            system = m && m->systemOwner;
        }
        choice = tracker.trackPopup(menu, POINT { x, y }, exclude, system);
    }
    if (flags & TPM_RETURNCMD)
        return choice.chosen ? static_cast<BOOL>(choice.id) : 0;
    if (choice.chosen && !(flags & TPM_NONOTIFY) && IsWindow(hwnd))
        PostMessage(hwnd, choice.system ? WM_SYSCOMMAND : WM_COMMAND, choice.id, 0);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND hwnd, const RECT*)
{
    return TrackPopupMenuEx(menu, flags, x, y, hwnd, nullptr);
}

BOOL EndMenu()
{
    MenuTracker::EndAll();
    return TRUE;
}
