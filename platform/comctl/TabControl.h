#pragma once
// The tab control: one row of tabs, left to right, over a raised panel. The chosen tab stands out
// above the others and joins the panel. A click or an arrow key changes the tab only when the parent
// lets it (TCN_SELCHANGING); TCM_SETCURSEL changes it silently, as the owner asked for it itself.

#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class TabControl {
public:
    explicit TabControl(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Room around a tab's text, and how far the chosen tab stands out.
    static constexpr int kPadX = 6;
    static constexpr int kPadY = 3;
    static constexpr int kLift = 2;
    // The panel's border inside its edge.
    static constexpr int kPanelBorder = 2;

private:
    struct Item {
        std::string text;
        int image { -1 };
        LPARAM param { 0 };
    };

    int rowHeight() const;
    // The rectangle of tab i in client coordinates (the chosen one without its lift).
    RECT itemRect(int index) const;
    int hitTest(POINT pt) const;
    void adjustRect(BOOL larger, RECT* rect) const;
    LRESULT insertItem(int index, const TCITEM* item);
    BOOL getItem(int index, TCITEM* item) const;
    BOOL setItem(int index, const TCITEM* item);
    // Moves to tab index when the parent agrees; the user's way of changing it.
    void choose(int index);
    void paint();
    void drawTab(HDC dc, int index, RECT rect, bool chosen) const;

    HWND m_hwnd;
    std::vector<Item> m_items;
    int m_current { -1 };
    HFONT m_font { nullptr };
};

} // namespace platform::comctl
