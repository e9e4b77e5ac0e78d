#include "platform/user/WindowManager.h"

#include <algorithm>

#include "platform/base/Thread.h"
#include "platform/user/WindowClass.h"

namespace platform::user {

namespace {

LRESULT DesktopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

WindowManager& WindowManager::Instance()
{
    // Never destroyed: threads may still look windows up while the process exits.
    static WindowManager* manager = new WindowManager();
    return *manager;
}

WindowManager::WindowManager()
{
    auto desktopClass = std::make_shared<WindowClass>();
    desktopClass->name = "#32769";
    desktopClass->atom = 32769;
    desktopClass->proc = DesktopProc;
    desktopClass->background = GetSysColorBrush(COLOR_DESKTOP);
    m_desktop = std::make_shared<Window>();
    m_desktop->windowClass = desktopClass;
    m_desktop->proc = DesktopProc;
    m_desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    m_desktop->windowRect = { 0, 0, 1024, 768 };
    m_desktop->clientRect = m_desktop->windowRect;
    m_desktop->created = true;
    add(m_desktop);
    cursorPos = { 512, 384 };
}

std::shared_ptr<Window> WindowManager::find(HWND hwnd) const
{
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end() || it->second->destroyed || it->second == m_desktop)
        return nullptr;
    return it->second;
}

Window* WindowManager::findOrDesktop(HWND hwnd) const
{
    if (hwnd == m_desktop->handle)
        return m_desktop.get();
    return find(hwnd).get();
}

HWND WindowManager::add(std::shared_ptr<Window> window)
{
    m_nextHandle += 4;
    HWND hwnd = reinterpret_cast<HWND>(m_nextHandle);
    window->handle = hwnd;
    m_windows.emplace(hwnd, std::move(window));
    return hwnd;
}

void WindowManager::remove(HWND hwnd) { m_windows.erase(hwnd); }

POINT WindowManager::clientOrigin(const Window& w) const
{
    POINT origin { w.clientRect.left, w.clientRect.top };
    for (const Window* p = w.parent; p && p != m_desktop.get(); p = p->parent) {
        origin.x += p->clientRect.left;
        origin.y += p->clientRect.top;
    }
    return origin;
}

RECT WindowManager::screenWindowRect(const Window& w) const
{
    if (&w == m_desktop.get())
        return w.windowRect;
    POINT base {};
    if (w.parent && w.parent != m_desktop.get())
        base = clientOrigin(*w.parent);
    RECT r = w.windowRect;
    OffsetRect(&r, base.x, base.y);
    return r;
}

RECT WindowManager::screenClientRect(const Window& w) const
{
    const POINT origin = clientOrigin(w);
    return { origin.x, origin.y, origin.x + (w.clientRect.right - w.clientRect.left),
        origin.y + (w.clientRect.bottom - w.clientRect.top) };
}

bool WindowManager::reallyVisible(const Window& w) const
{
    for (const Window* p = &w; p; p = p->parent) {
        if (!p->visibleFlag() || p->destroyed)
            return false;
        if (p == m_desktop.get())
            return true;
    }
    return false; // not in the tree
}

Window& WindowManager::topLevelOf(Window& w) const
{
    Window* p = &w;
    while (p->parent && p->parent != m_desktop.get() && p->isChild())
        p = p->parent;
    return *p;
}

bool WindowManager::isDescendant(const Window& ancestor, const Window& w) const
{
    for (const Window* p = w.parent; p; p = p->parent)
        if (p == &ancestor)
            return true;
    return false;
}

std::vector<std::shared_ptr<Window>> WindowManager::allWindows() const
{
    std::vector<std::shared_ptr<Window>> out;
    std::vector<std::shared_ptr<Window>> stack(m_desktop->children.rbegin(), m_desktop->children.rend());
    while (!stack.empty()) {
        auto w = stack.back();
        stack.pop_back();
        out.push_back(w);
        stack.insert(stack.end(), w->children.rbegin(), w->children.rend());
    }
    return out;
}

gdi::Region WindowManager::visibleRegion(const Window& w, bool wholeWindow, bool clipChildren, bool clipSiblings) const
{
    if (!reallyVisible(w))
        return {};
    gdi::Region region(wholeWindow ? screenWindowRect(w) : screenClientRect(w));
    for (const Window* p = w.parent; p && p != m_desktop.get(); p = p->parent)
        region = region.intersected(screenClientRect(*p));
    region = region.intersected(m_desktop->windowRect);

    const Window* level = &w;
    bool first = true;
    while (level->parent) {
        const Window* parent = level->parent;
        const bool topLevel = parent == m_desktop.get();
        const bool clip = topLevel || (first ? clipSiblings : (level->style & WS_CLIPSIBLINGS) != 0);
        if (clip) {
            for (const auto& sibling : parent->children) {
                if (sibling.get() == level)
                    break;
                if (sibling->visibleFlag())
                    region = gdi::Region::combine(region, gdi::Region(screenWindowRect(*sibling)), RGN_DIFF);
            }
        }
        if (topLevel)
            break;
        level = parent;
        first = false;
    }
    if (clipChildren) {
        for (const auto& child : w.children)
            if (child->visibleFlag())
                region = gdi::Region::combine(region, gdi::Region(screenWindowRect(*child)), RGN_DIFF);
    }
    return region;
}

std::shared_ptr<Window> LookupWindow(HWND hwnd, bool mine)
{
    auto lock = WindowManager::Acquire();
    auto window = WindowManager::Instance().find(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (mine && window->threadId() != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return window;
}

std::vector<HWND> TopLevelWindows(const std::function<bool(const Window&)>& test)
{
    std::vector<HWND> tops;
    auto lock = WindowManager::Acquire();
    for (auto& top : WindowManager::Instance().desktop().children)
        if (!test || test(*top))
            tops.push_back(top->handle);
    return tops;
}

} // namespace platform::user
