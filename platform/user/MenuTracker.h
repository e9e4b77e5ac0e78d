#pragma once
// The menu loop: a nested message loop that runs a menu bar or a popup menu with its cascade of
// submenus until an item is chosen or the menu is dismissed. It holds the capture on a hidden window
// of its own, so that losing the capture ends it; every message it takes goes through the
// WH_MSGFILTER hooks with MSGF_MENU first, and a hook that handles a message keeps it from the menu.

#include <vector>

#include "platform/user/WinUser.h"

namespace platform::user {

class MenuTracker {
public:
    // What the loop ended with: the command chosen (none when dismissed) and whether it came from
    // the window menu.
    struct Choice {
        bool chosen { false };
        UINT id { 0 };
        bool system { false };
    };

    MenuTracker(HWND owner, UINT flags);
    ~MenuTracker();
    MenuTracker(const MenuTracker&) = delete;
    MenuTracker& operator=(const MenuTracker&) = delete;

    // Runs a popup at a screen point (TPM_* alignment, avoiding `exclude` when given).
    Choice trackPopup(HMENU menu, POINT at, const RECT* exclude, bool system);
    // Runs the window's menu bar with item `item` highlighted (-1: none), its popup opened when
    // `open`, and its first item highlighted too when `selectFirst`.
    Choice trackBar(HMENU bar, int item, bool open, bool selectFirst);

    // The calling thread's innermost running loop, or null.
    static MenuTracker* Current();
    // Ends every loop running on the calling thread.
    static void EndAll();

    // Ends this loop without a choice (a popup window lost the capture, WM_CANCELMODE).
    void cancel();
    HWND captureWindow() const { return m_captureWindow; }
    HWND owner() const { return m_owner; }

private:
    struct Level {
        HMENU menu { nullptr };
        HWND window { nullptr }; // none for the menu bar
        int selected { -1 };
    };

    Choice run();
    void begin(HMENU top);
    void finish();

    bool notify() const { return !(m_flags & TPM_NONOTIFY); }
    bool barMode() const { return m_bar != nullptr; }
    bool isBarLevel(size_t level) const { return barMode() && level == 0; }

    bool showPopup(HMENU menu, int indexInParent, POINT at, const RECT* exclude, UINT placement);
    bool openSubmenu(size_t level, bool selectFirst);
    void closeAbove(size_t level);
    void closeAll();
    void select(size_t level, int item, bool mouse);
    void redrawItem(size_t level, int item);
    void choose(size_t level, int item);
    void activate(size_t level, int item, bool mouse);

    // Where a screen point is: the level and its item (-1: on the level but no item); false outside.
    bool hit(POINT screen, size_t& level, int& item) const;
    void onMouseMove(POINT pt);
    void onButtonDown(POINT pt, bool right);
    void onButtonUp(POINT pt, bool right);
    void onKeyDown(const MSG& msg);
    void onKeyUp(const MSG& msg);
    void onChar(WPARAM ch);
    void moveSelection(size_t level, int step);
    void moveBar(int step);

    HWND m_owner { nullptr };
    HWND m_root { nullptr };
    UINT m_flags { 0 };
    HMENU m_bar { nullptr };
    bool m_system { false };
    bool m_rootWasActive { false };
    HWND m_captureWindow { nullptr };
    std::vector<Level> m_levels;
    bool m_done { false };
    Choice m_choice;
    // A menu key pressed inside the loop whose release leaves the menu (a lone Alt, F10).
    int m_menuKeyDown { 0 };
};

} // namespace platform::user
