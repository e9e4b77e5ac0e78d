#pragma once
// The state behind an HWND. Every field is read and written under the window manager's lock
// (WindowManager::Lock); window procedures are always called with that lock released.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdi/Region.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/WinUser.h"

namespace platform::user {

struct WindowClass;

struct ScrollBarState {
    int min { 0 };
    int max { 100 };
    UINT page { 0 };
    int pos { 0 };
    int trackPos { 0 };
    UINT disabledArrows { ESB_ENABLE_BOTH };
};

struct Window {
    HWND handle { nullptr };
    std::shared_ptr<WindowClass> windowClass;
    // The queue of the thread that made the window; none for the desktop.
    std::shared_ptr<MessageQueue> queue;

    // The tree: children in z-order, topmost first. A child never outlives its place in the parent's
    // list, so the raw parent pointer is valid while the window is in the tree.
    Window* parent { nullptr };
    std::vector<std::shared_ptr<Window>> children;
    HWND owner { nullptr };

    DWORD style { 0 };
    DWORD exStyle { 0 };
    WNDPROC proc { nullptr };
    HINSTANCE instance { nullptr };
    // The child id, or the menu of a top-level window (GWLP_ID).
    LONG_PTR id { 0 };
    LONG_PTR userData { 0 };
    std::vector<BYTE> extra;
    std::string text;
    std::vector<std::pair<std::string, HANDLE>> props;
    HICON bigIcon { nullptr };
    HICON smallIcon { nullptr };

    // Rectangles in the parent's client coordinates (the screen for top-level windows).
    RECT windowRect {};
    RECT clientRect {};
    // The restored rectangle while minimised or maximised (parent client coordinates).
    RECT normalRect {};
    POINT minPosition { -1, -1 };
    POINT maxPosition { -1, -1 };
    bool restoreToMaximized { false };

    // Painting: the update region in client coordinates, and what is due besides.
    gdi::Region update;
    bool eraseDue { false };
    bool framePaintDue { false };
    bool internalPaint { false };
    bool redrawOff { false };
    HDC ownDC { nullptr };

    ScrollBarState hScroll;
    ScrollBarState vScroll;
    // The caption is drawn active (WM_NCACTIVATE).
    bool ncActive { false };

    bool created { false };
    bool destroying { false };
    bool destroyed { false };
    // WM_SIZE and WM_MOVE went out already during creation (the default WM_WINDOWPOSCHANGED did it).
    bool sizeSent { false };

    // The thread that owns the window (0 for the desktop).
    DWORD threadId() const { return queue ? queue->threadId : 0; }
    bool isChild() const { return (style & WS_CHILD) != 0; }
    bool visibleFlag() const { return (style & WS_VISIBLE) != 0; }
};

} // namespace platform::user
