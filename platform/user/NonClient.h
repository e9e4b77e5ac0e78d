#pragma once
// The classic non-client area: where the border, caption, caption buttons, system-menu icon, menu
// bar and window scroll bars of a window lie, for hit testing, painting and the default client rectangle.

#include "platform/user/WinUser.h"

namespace platform::user {

struct NonClientLayout {
    // All in screen coordinates.
    RECT window {};
    RECT inner {}; // inside the border
    RECT caption {}; // empty without a caption
    RECT menuBar {}; // empty without a menu bar
    RECT sysMenu {};
    RECT closeButton {};
    RECT maxButton {};
    RECT minButton {};
    RECT helpButton {};
    RECT vScroll {};
    RECT hScroll {};
    RECT grip {};
    RECT client {};
    int border { 0 };
    bool thickFrame { false };
    bool toolWindow { false };
};

// The layout of a window as it is now; false for a bad window.
bool LayoutOf(HWND hwnd, NonClientLayout& layout);
// The width of the border a style gives.
int BorderWidth(DWORD style, DWORD exStyle);
// The caption height a style gives (0 without a caption).
int CaptionHeight(DWORD style, DWORD exStyle);

// Draws a scroll bar (arrows, track and thumb) into a rectangle of a DC.
void DrawScrollBar(HDC hdc, const RECT& bar, bool vertical, const SCROLLINFO& info, bool enabled);

} // namespace platform::user
