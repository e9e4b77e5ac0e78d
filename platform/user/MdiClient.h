#pragma once
// The MDI client window: its children in activation order, the active one, and the Window menu it
// keeps in step with them.

#include <vector>

#include "platform/user/WinMdi.h"

namespace platform::user {

class MdiClient {
public:
    explicit MdiClient(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The client of a child, or null.
    static MdiClient* Of(HWND client);

private:
    HWND create(const MDICREATESTRUCT* mcs);
    // Makes child the active one (adopting a child made by CreateWindowEx with WS_EX_MDICHILD).
    void activate(HWND child);
    void destroy(HWND child);
    void next(HWND from, bool previous);
    HMENU setMenu(HMENU frameMenu, HMENU windowMenu);
    // Takes the list of children out of the Window menu and puts it back as they are now.
    void refreshMenu();
    void removeList();
    void cascade();
    void tile(bool horizontal);
    void forget(HWND child);

    HWND m_hwnd;
    std::vector<HWND> m_children; // in creation order, which the Window menu and WM_MDINEXT follow
    HWND m_active { nullptr };
    HMENU m_windowMenu { nullptr };
    UINT m_firstId { 0 };
    int m_listed { 0 };        // items of the list now in the Window menu
    bool m_separator { false }; // a separator was added before them
};

} // namespace platform::user
