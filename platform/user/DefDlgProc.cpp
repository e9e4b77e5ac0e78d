// The default dialog procedure: the dialog procedure first, then the dialog's own handling.

#include "platform/user/DialogState.h"

using namespace platform::user;

namespace {

// Messages whose answer is the dialog procedure's return value itself, not DWLP_MSGRESULT.
bool answersDirectly(UINT msg)
{
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

void saveFocus(HWND dlg)
{
    DialogState* state = DialogStateOf(dlg);
    HWND focus = GetFocus();
    if (state && focus && IsChild(dlg, focus))
        state->savedFocus = focus;
}

// Gives the focus back to the control that last had it, or to the first one with a tab stop.
bool restoreFocus(HWND dlg)
{
    DialogState* state = DialogStateOf(dlg);
    if (!state)
        return false;
    HWND target = state->savedFocus;
    if (!target || !IsChild(dlg, target) || !(GetWindowLong(target, GWL_STYLE) & WS_VISIBLE)
        || !IsWindowEnabled(target))
        target = GetNextDlgTabItem(dlg, nullptr, FALSE);
    if (!target)
        return false;
    SetDialogFocus(dlg, target);
    return true;
}

LRESULT dialogDefault(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam, bool hasProcedure)
{
    DialogState* state = DialogStateOf(dlg);
    switch (msg) {
    case WM_INITDIALOG:
        // Without a procedure the dialog sets the first focus itself.
        return hasProcedure ? 0 : TRUE;
    case WM_ERASEBKGND: {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        auto brush = reinterpret_cast<HBRUSH>(SendMessage(dlg, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dlg)));
        if (!brush)
            brush = GetSysColorBrush(COLOR_BTNFACE);
        RECT r;
        GetClientRect(dlg, &r);
        FillRect(hdc, &r, brush);
        return 1;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            saveFocus(dlg);
            return 0;
        }
        if (!HIWORD(wParam) && restoreFocus(dlg))
            return 0;
        return DefWindowProc(dlg, msg, wParam, lParam);
    case WM_SETFOCUS:
        if (restoreFocus(dlg))
            return 0;
        return DefWindowProc(dlg, msg, wParam, lParam);
    case WM_SHOWWINDOW:
        if (!wParam)
            saveFocus(dlg);
        return DefWindowProc(dlg, msg, wParam, lParam);
    case WM_CLOSE: {
        // Closing is cancelling, unless the Cancel button is there and disabled.
        HWND cancel = FindDialogControl(dlg, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        SendMessage(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_NEXTDLGCTL: {
        HWND target = nullptr;
        if (LOWORD(lParam))
            target = reinterpret_cast<HWND>(wParam);
        else
            target = GetNextDlgTabItem(dlg, GetFocus(), wParam != 0);
        if (target && IsChild(dlg, target)) {
            SetDialogFocus(dlg, target);
            ShowDefaultButton(dlg, target);
        }
        return 0;
    }
    case DM_GETDEFID:
        if (state && state->defaultId)
            return MAKELONG(state->defaultId, DC_HASDEFID);
        return 0;
    case DM_SETDEFID:
        if (state) {
            state->defaultId = static_cast<int>(wParam);
            ShowDefaultButton(dlg, GetFocus());
        }
        return TRUE;
    case DM_REPOSITION:
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state ? state->font : nullptr);
    case WM_SETFONT:
        if (state && reinterpret_cast<HFONT>(wParam) != state->font) {
            if (state->ownsFont)
                DeleteObject(state->font);
            state->font = reinterpret_cast<HFONT>(wParam);
            state->ownsFont = false;
        }
        return 0;
    case WM_NCDESTROY: {
        std::unique_ptr<DialogState> gone = DetachDialogState(dlg);
        if (gone && gone->ownsFont)
            DeleteObject(gone->font);
        if (gone && gone->menu) {
            if (GetMenu(dlg) == gone->menu)
                SetMenu(dlg, nullptr);
            DestroyMenu(gone->menu);
        }
        if (gone && gone->modal && gone->modal->ownerDisabled && IsWindow(gone->modal->owner)) {
            gone->modal->ownerDisabled = false;
            EnableWindow(gone->modal->owner, TRUE);
        }
        return DefWindowProc(dlg, msg, wParam, lParam);
    }
    default:
        return DefWindowProc(dlg, msg, wParam, lParam);
    }
}

} // namespace

LRESULT DefDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dlg, DWLP_DLGPROC));
    if (proc) {
        SetWindowLongPtr(dlg, DWLP_MSGRESULT, 0);
        const INT_PTR handled = proc(dlg, msg, wParam, lParam);
        if (handled) {
            if (answersDirectly(msg) || !IsWindow(dlg))
                return handled;
            return GetWindowLongPtr(dlg, DWLP_MSGRESULT);
        }
        if (!IsWindow(dlg))
            return 0;
    }
    return dialogDefault(dlg, msg, wParam, lParam, proc != nullptr);
}
