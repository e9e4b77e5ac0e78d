#pragma once
// The process-wide state of the window manager: the handle table, the window tree under the desktop,
// the mouse and keyboard state, capture, the foreground window and the window-update lock. One
// recursive lock guards all of it; nothing calls out (window procedures, hooks, waits) while holding it.

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/user/Window.h"

namespace platform::user {

class MessageQueue;

class WindowManager {
public:
    using Lock = std::unique_lock<std::recursive_mutex>;

    static WindowManager& Instance();
    static Lock Acquire() { return Lock(Instance().m_mutex); }

    // The live window behind a handle (not yet fully destroyed), or null.
    std::shared_ptr<Window> find(HWND hwnd) const;
    // find() that also accepts the desktop.
    Window* findOrDesktop(HWND hwnd) const;
    HWND add(std::shared_ptr<Window> window);
    void remove(HWND hwnd);
    Window& desktop() { return *m_desktop; }
    std::shared_ptr<Window> desktopPtr() { return m_desktop; }

    // Geometry helpers (the window must be in the tree).
    POINT clientOrigin(const Window& w) const; // screen position of the client area's (0, 0)
    RECT screenWindowRect(const Window& w) const;
    RECT screenClientRect(const Window& w) const;
    bool reallyVisible(const Window& w) const;
    Window& topLevelOf(Window& w) const;
    bool isDescendant(const Window& ancestor, const Window& w) const;
    // Every window in the tree, parents before children, siblings top to bottom.
    std::vector<std::shared_ptr<Window>> allWindows() const;
    // The visible region of a window (screen coordinates) for drawing into its client area or, with
    // wholeWindow, into the frame as well.
    gdi::Region visibleRegion(const Window& w, bool wholeWindow, bool clipChildren, bool clipSiblings) const;

    // Input state.
    POINT cursorPos {};
    std::array<BYTE, 256> asyncKeys {};
    HWND capture { nullptr };
    HWND foreground { nullptr };
    HWND lockedWindow { nullptr };
    HCURSOR cursor { nullptr };
    int cursorCount { 0 };
    UINT doubleClickTime { 500 };
    UINT caretBlinkTime { 530 };
    // The last button press, for double clicks.
    struct Click {
        UINT button { 0 };
        HWND hwnd { nullptr };
        POINT pt {};
        DWORD time { 0 };
        bool valid { false };
    } lastClick;

    // Queues by thread id, for PostThreadMessage and cross-thread sends.
    std::map<DWORD, std::weak_ptr<MessageQueue>> queues;

private:
    WindowManager();

    mutable std::recursive_mutex m_mutex;
    std::map<HWND, std::shared_ptr<Window>> m_windows;
    std::shared_ptr<Window> m_desktop;
    UINT_PTR m_nextHandle { 0x10010 };
};

// A handle's live window, checked to belong to the calling thread when mine is true; null with the
// error set otherwise.
std::shared_ptr<Window> LookupWindow(HWND hwnd, bool mine = false);
// The handles of the top-level windows that pass the test (all of them without one), top to bottom,
// read under the lock so that the caller can send to them once it is released.
std::vector<HWND> TopLevelWindows(const std::function<bool(const Window&)>& test = nullptr);

} // namespace platform::user
