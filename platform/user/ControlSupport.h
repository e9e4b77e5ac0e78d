#pragma once
// What the standard controls share: their state object kept in the first slot of the window's extra
// bytes, notifications to the parent, and the colours the parent chooses.

#include <string>

#include "platform/user/WinUser.h"

namespace platform::user {

// The window procedures of the standard controls.
LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT ScrollBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The class of a combo box's drop-down list.
inline const LPCSTR WC_COMBOLIST = "ComboLBox";
// A combo box's dropped list asks the combo box to close it: wParam TRUE keeps the item picked.
constexpr UINT kComboCloseList = WM_USER + 0x3F00;

// The control's state object, null before WM_NCCREATE or after WM_NCDESTROY.
template<class T> T* ControlState(HWND hwnd) { return reinterpret_cast<T*>(GetWindowLongPtr(hwnd, 0)); }
// Makes the state object at WM_NCCREATE.
template<class T> T* CreateControlState(HWND hwnd)
{
    T* state = new T();
    SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
    return state;
}
// Frees it at WM_NCDESTROY.
template<class T> void DestroyControlState(HWND hwnd)
{
    delete ControlState<T>(hwnd);
    SetWindowLongPtr(hwnd, 0, 0);
}

// Answers WM_PAINT: `paint(hdc)` draws the invalid part between BeginPaint and EndPaint; 0.
template<class Paint> LRESULT PaintControl(HWND hwnd, Paint&& paint)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    paint(hdc);
    EndPaint(hwnd, &ps);
    return 0;
}

// Sends WM_COMMAND with the control's id and the code to the parent.
void NotifyParent(HWND control, WORD code);
// Asks the parent for the control's colours (WM_CTLCOLOR*) and sets them into the DC; the brush.
HBRUSH ControlColors(HWND control, HDC hdc, UINT ctlColorMessage);
// Readies a list item for its text: a selected one gets the highlight behind it and the highlight's
// text colour; any other keeps `normalText`, or the grey text colour when the control is disabled.
void SetItemColors(HWND control, HDC hdc, const RECT& item, bool selected, COLORREF normalText);
// The window text of a control.
std::string WindowTextOf(HWND hwnd);
// The font a control was given (WM_SETFONT), or the standard dialog font.
HFONT FontOr(HFONT font);
// The mnemonic character of a text ("&File" gives 'f'), lower case; 0 for none.
char MnemonicOf(const std::string& text);

// Puts text on the clipboard; false when the clipboard cannot be had.
bool CopyTextToClipboard(HWND owner, const std::string& text);
// The clipboard's text, empty when there is none.
std::string TextFromClipboard(HWND owner);

} // namespace platform::user
