#pragma once
// The record of the extended system commands, passed by address with the registered message
// "Quorvale::WM_SYSCOMMANDEX", and the docking states a view's frame can be asked to take.

#include "platform/afx/CRect.h"
#include "platform/user/WinUser.h"

struct SECDockPlacement;
struct SECDockSize;

namespace nsSysCommandEx {

// The registered message, looked up by name each time.
UINT GetSysCommandExMessage();

// The docking states: an MDI child (1 any, 2 minimised, 3 maximised, 4 restored), docked (5 anywhere,
// 6 left, 7 top, 8 right, 9 bottom) or floating (10); -1 asks for the other of MDI child and docked.
enum ScxState {
    kToggle = -1,
    kMDIChild = 1,
    kMDIMinimized = 2,
    kMDIMaximized = 3,
    kMDIRestored = 4,
    kDocked = 5,
    kDockedLeft = 6,
    kDockedTop = 7,
    kDockedRight = 8,
    kDockedBottom = 9,
    kFloating = 10,
};

struct ScxInfo {
    // Flag bits: the position is valid (for a docking request, the docked placement); the size is
    // valid (for a docking request, the size placement).
    static constexpr DWORD kPosition = 0x1;
    static constexpr DWORD kSize = 0x2;

    HWND m_hWnd { nullptr };
    DWORD m_dwFlags { 0 };
    int m_x { 0 };
    int m_y { 0 };
    int m_cx { 0 };
    int m_cy { 0 };
    RECT m_rectButton {}; // the caption button that sent it; not read by the commands
    HMENU m_hMenu { nullptr };
    int m_nState { 0 };
    const SECDockPlacement* m_pDockedPlacement { nullptr };
    const SECDockSize* m_pSizePlacement { nullptr };
    DWORD m_dwReserved[13] {};
};

// Sends a command with the record to its window; the window's answer.
LRESULT SendSysCommandEx(UINT nCommand, ScxInfo& info);
// Sends a command with a fresh record of the window, the state and the point.
LRESULT SendSysCommandEx(HWND hWnd, UINT nCommand, int nState, POINT pt);

// Which of a view frame's five filters (extended commands, caption controls, docking-state button,
// right double click, context menu, in that order) a frame's flags switch on: bit 0 all of them, less
// the caption controls and button with bit 1, the double click with bit 2, the context menu with bit 3.
inline DWORD ViewFrameFilterMask(DWORD dwFlags)
{
    if (!(dwFlags & 1))
        return 0;
    DWORD dwMask = 0x1;
    if (!(dwFlags & 2))
        dwMask |= 0x2 | 0x4;
    if (!(dwFlags & 4))
        dwMask |= 0x8;
    if (!(dwFlags & 8))
        dwMask |= 0x10;
    return dwMask;
}

} // namespace nsSysCommandEx
