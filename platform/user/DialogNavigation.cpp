// The keyboard interface of dialogs: moving between controls, mnemonics, Enter and Escape.

#include <algorithm>
#include <cctype>

#include "platform/user/ControlSupport.h"
#include "platform/user/DialogState.h"

using namespace platform::user;

namespace {

// Judged by the window's own style, so that a dialog still hidden during WM_INITDIALOG has a first control.
bool usable(HWND h)
{
    const DWORD style = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}
bool hasStyle(HWND h, DWORD bits) { return (static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & bits) != 0; }
bool keyDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// Walks the list cyclically from `from` (excluded; from the start or end when absent) and returns
// the first control that passes the test.
template<class Test> HWND cycle(const std::vector<HWND>& list, HWND from, bool backwards, Test test)
{
    const int n = static_cast<int>(list.size());
    if (!n)
        return nullptr;
    const auto it = std::find(list.begin(), list.end(), from);
    int at = it == list.end() ? (backwards ? n : -1) : static_cast<int>(it - list.begin());
    for (int step = 0; step < n; ++step) {
        at = (at + (backwards ? n - 1 : 1)) % n;
        if (list[at] != from && test(list[at]))
            return list[at];
    }
    return nullptr;
}

void pressButton(HWND dlg, int id, HWND button)
{
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void pressEnter(HWND dlg, HWND focus, LRESULT focusCode)
{
    if (focus && (focusCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && IsWindowEnabled(focus)) {
        pressButton(dlg, GetDlgCtrlID(focus), focus);
        return;
    }
    const LRESULT def = SendMessage(dlg, DM_GETDEFID, 0, 0);
    const int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
    pressButton(dlg, id, FindDialogControl(dlg, id));
}

// A key with the control's mnemonic: a label hands the focus on to the control after it, a push
// button is pressed, a check or radio button gets the focus and is clicked.
bool mnemonic(HWND dlg, HWND focus, char key)
{
    key = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    const std::vector<HWND> controls = DialogControls(dlg);
    HWND hit = cycle(controls, focus, false, [&](HWND c) {
        if (!usable(c))
            return false;
        const LRESULT code = SendMessage(c, WM_GETDLGCODE, 0, 0);
        if ((code & DLGC_STATIC) && hasStyle(c, SS_NOPREFIX) && (GetWindowLong(c, GWL_STYLE) & SS_TYPEMASK) <= SS_RIGHT)
            return false;
        return MnemonicOf(WindowTextOf(c)) == key;
    });
    if (!hit)
        return false;
    const LRESULT code = SendMessage(hit, WM_GETDLGCODE, 0, 0);
    if (code & DLGC_STATIC) {
        if (HWND next = GetNextDlgTabItem(dlg, hit, FALSE)) {
            SetDialogFocus(dlg, next);
            ShowDefaultButton(dlg, next);
        }
    } else if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendMessage(hit, BM_CLICK, 0, 0);
    } else if (code & DLGC_BUTTON) {
        SetDialogFocus(dlg, hit);
        ShowDefaultButton(dlg, hit);
        SendMessage(hit, BM_CLICK, 0, 0);
    } else {
        SetDialogFocus(dlg, hit);
    }
    return true;
}

} // namespace

HWND GetNextDlgTabItem(HWND dlg, HWND control, BOOL previous)
{
    if (!IsWindow(dlg))
        return nullptr;
    HWND next = cycle(
        DialogControls(dlg), control, previous != FALSE, [](HWND c) { return hasStyle(c, WS_TABSTOP) && usable(c); });
    return next ? next : control;
}

HWND GetNextDlgGroupItem(HWND dlg, HWND control, BOOL previous)
{
    if (!IsWindow(dlg))
        return nullptr;
    const std::vector<HWND> all = DialogControls(dlg);
    const auto at = std::find(all.begin(), all.end(), control);
    if (at == all.end())
        return cycle(all, nullptr, previous != FALSE, usable);
    // The group runs from the control with WS_GROUP at or before this one to the next WS_GROUP.
    auto first = at;
    while (first != all.begin() && !hasStyle(*first, WS_GROUP))
        --first;
    auto last = at + 1;
    while (last != all.end() && !hasStyle(*last, WS_GROUP))
        ++last;
    const std::vector<HWND> group(first, last);
    HWND next = cycle(group, control, previous != FALSE, usable);
    return next ? next : control;
}

BOOL IsDialogMessage(HWND dlg, LPMSG msg)
{
    if (!msg || !IsWindow(dlg) || (msg->hwnd != dlg && !IsChild(dlg, msg->hwnd)))
        return FALSE;
    const bool keyboard = msg->message == WM_KEYDOWN || msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
    if (!keyboard) {
        TranslateMessage(msg);
        DispatchMessage(msg);
        return TRUE;
    }
    HWND focus = GetFocus();
    if (focus && focus != dlg && !IsChild(dlg, focus))
        focus = nullptr;
    const LRESULT code = SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    if (!(code & DLGC_WANTMESSAGE)) {
        switch (msg->message) {
        case WM_KEYDOWN:
            switch (msg->wParam) {
            case VK_TAB:
                if (code & DLGC_WANTTAB)
                    break;
                if (HWND next = GetNextDlgTabItem(dlg, focus, keyDown(VK_SHIFT)))
                    SendMessage(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
                return TRUE;
            case VK_LEFT:
            case VK_UP:
            case VK_RIGHT:
            case VK_DOWN: {
                if (code & DLGC_WANTARROWS)
                    break;
                const bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
                HWND next = GetNextDlgGroupItem(dlg, focus, back);
                if (next && next != focus) {
                    SendMessage(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
                    // Moving onto an automatic radio button checks it, as a click would.
                    if ((SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
                        && (GetWindowLong(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                        SendMessage(next, BM_CLICK, 0, 0);
                }
                return TRUE;
            }
            case VK_RETURN:
                pressEnter(dlg, focus, focus ? SendMessage(focus, WM_GETDLGCODE, 0, 0) : 0);
                return TRUE;
            case VK_ESCAPE:
                pressButton(dlg, IDCANCEL, FindDialogControl(dlg, IDCANCEL));
                return TRUE;
            default:
                break;
            }
            break;
        case WM_CHAR:
            if (code & DLGC_WANTCHARS)
                break;
            if (msg->wParam > 0x20 && mnemonic(dlg, focus, static_cast<char>(msg->wParam)))
                return TRUE;
            break;
        case WM_SYSCHAR:
            if (msg->wParam > 0x20 && mnemonic(dlg, focus, static_cast<char>(msg->wParam)))
                return TRUE;
            break;
        default:
            break;
        }
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}
