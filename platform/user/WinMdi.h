#pragma once
// The multiple-document interface: an MDI client window inside a frame holds the document windows
// (MDI children), keeps one of them active, lists them at the end of the frame's Window menu, and
// answers the WM_MDI* messages. DefFrameProc and DefMDIChildProc are the default procedures of the
// frame and of the children.

#include "platform/user/WinMenu.h"
#include "platform/user/WinUser.h"

inline const LPCSTR WC_MDICLIENT = "MDIClient";

// The creation data of an MDI client (CREATESTRUCT::lpCreateParams): the menu that lists the
// children and the command id of the first of them.
struct CLIENTCREATESTRUCT {
    HMENU hWindowMenu { nullptr };
    UINT idFirstChild { 0 };
};

// WM_MDICREATE's description of a new child (CW_USEDEFAULT places and sizes it in cascade).
struct MDICREATESTRUCT {
    LPCSTR szClass { nullptr };
    LPCSTR szTitle { nullptr };
    HINSTANCE hOwner { nullptr };
    int x { CW_USEDEFAULT };
    int y { CW_USEDEFAULT };
    int cx { CW_USEDEFAULT };
    int cy { CW_USEDEFAULT };
    DWORD style { 0 };
    LPARAM lParam { 0 };
};
using LPMDICREATESTRUCT = MDICREATESTRUCT*;

constexpr WPARAM MDITILE_VERTICAL = 0x0000;
constexpr WPARAM MDITILE_HORIZONTAL = 0x0001;

// The Window menu lists at most this many children.
constexpr int MDI_MAXLISTED = 9;

// The frame's default: Window-menu commands activate their child, the client fills the client area.
LRESULT DefFrameProc(HWND hWnd, HWND hWndMDIClient, UINT uMsg, WPARAM wParam, LPARAM lParam);
// A child's default: a click or focus activates it, closing it asks the client to destroy it, a new
// title shows in the Window menu.
LRESULT DefMDIChildProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

namespace platform::user {
// The procedure of the MDI client class.
LRESULT MdiClientProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
} // namespace platform::user
