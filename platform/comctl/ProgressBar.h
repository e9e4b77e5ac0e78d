#pragma once
// The progress bar: a position within a range shown as a row of blocks (or one smooth bar) filling
// a sunken well from the left, or from the bottom when vertical.

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class ProgressBar {
public:
    explicit ProgressBar(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Moves to a position clamped into the range; the previous position.
    int moveTo(int position);
    void paint();

    HWND m_hwnd;
    int m_low { 0 };
    int m_high { 100 };
    int m_pos { 0 };
    int m_step { 10 };
    COLORREF m_barColour { CLR_DEFAULT };
    COLORREF m_bkColour { CLR_DEFAULT };
};

} // namespace platform::comctl
