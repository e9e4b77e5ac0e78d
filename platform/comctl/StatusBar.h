#pragma once
// The status bar: a strip of parts along the bottom of its parent, each with a text (tab-separated
// into left, centred and right pieces) or drawn by the owner, in sunken, raised or no borders, and
// a simple mode showing one text across the whole bar.

#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class StatusBar {
public:
    explicit StatusBar(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The gaps SB_GETBORDERS reports: around the bar (horizontal, vertical) and between parts.
    static constexpr int kBorderX = 0;
    static constexpr int kBorderY = 2;
    static constexpr int kGap = 2;

private:
    struct Part {
        int right { -1 }; // -1: to the bar's right edge
        std::string text;
        WPARAM kind { 0 }; // SBT_* drawing flags
        LPARAM data { 0 }; // the owner's value for SBT_OWNERDRAW
    };

    int idealHeight() const;
    // Places the bar along its parent as its CCS_ styles say.
    void layout();
    RECT partRect(int index) const;
    Part* partAt(WPARAM index);
    const Part* partAt(WPARAM index) const;
    BOOL setText(WPARAM wParam, LPARAM lParam);
    LRESULT getText(WPARAM index, LPSTR buffer) const;
    BOOL setParts(int count, const int* rights);
    void paint();
    void drawPart(HDC dc, int index, const Part& part, RECT rect);

    HWND m_hwnd;
    std::vector<Part> m_parts { Part {} };
    Part m_simple;
    bool m_isSimple { false };
    int m_minHeight { 0 };
    HFONT m_font { nullptr };
    bool m_laying { false };
};

} // namespace platform::comctl
