#pragma once
// A window that takes the mouse capture when told to, as another part of the program might mid-drag.

#include "platform/afx/CWnd.h"

class CaptureTaker : public CWnd {
public:
    static constexpr UINT WM_TAKE = WM_APP + 1;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_TAKE) {
            SetCapture();
            return 0;
        }
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};
