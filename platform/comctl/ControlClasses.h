#pragma once
// The control window classes and the plumbing they share: a C++ object per window that lives as
// long as the window, and notifications to the parent.

#include <memory>

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

// Registers every control class of the library (called once by InitCommonControls).
void RegisterControlClasses();

// The window procedure of a control class whose state is a T made at WM_NCCREATE and freed after
// WM_NCDESTROY; T has a constructor from the window and LRESULT windowProc(UINT, WPARAM, LPARAM).
template <class T> LRESULT ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<T*>(GetWindowLongPtr(hwnd, 0));
    if (!self && message == WM_NCCREATE) {
        self = new T(hwnd);
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProc(hwnd, message, wParam, lParam);
    const LRESULT result = self->windowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, 0, 0);
        std::unique_ptr<T> owned(self);
    }
    return result;
}

// Registers a control class whose procedure is ControlProc<T>.
template <class T> void RegisterControl(LPCSTR name, UINT style, int background)
{
    WNDCLASS wc;
    wc.style = style | CS_GLOBALCLASS;
    wc.lpfnWndProc = ControlProc<T>;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background < 0 ? nullptr : reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    wc.lpszClassName = name;
    RegisterClass(&wc);
}

// Fills in the header (sender, its id, the code) and sends WM_NOTIFY to the control's parent;
// the parent's answer.
LRESULT SendNotify(HWND from, UINT code, NMHDR& header);
// Sends WM_NOTIFY to another window than the parent.
LRESULT SendNotifyTo(HWND to, HWND from, UINT code, NMHDR& header);
// The font a control draws with: the one WM_SETFONT gave it, or the default GUI font.
HFONT ControlFont(HFONT chosen);
// The height of a text line in that font, measured on the control's DC.
int ControlFontHeight(HWND control, HFONT chosen);

} // namespace platform::comctl
