#include "platform/user/DialogState.h"

namespace platform::user {

namespace {

// The property under which a dialog window keeps its state.
constexpr const char* kStateProperty = "platform.dialog";

void collectControls(HWND parent, std::vector<HWND>& out)
{
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const DWORD exStyle = static_cast<DWORD>(GetWindowLong(c, GWL_EXSTYLE));
        const DWORD style = static_cast<DWORD>(GetWindowLong(c, GWL_STYLE));
        if ((exStyle & WS_EX_CONTROLPARENT) && (style & WS_VISIBLE) && !(style & WS_DISABLED))
            collectControls(c, out);
        else
            out.push_back(c);
    }
}

bool isPushButton(LRESULT code) { return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

} // namespace

DialogState* DialogStateOf(HWND hwnd)
{
    return hwnd ? static_cast<DialogState*>(GetProp(hwnd, kStateProperty)) : nullptr;
}

void AttachDialogState(HWND hwnd, std::unique_ptr<DialogState> state)
{
    if (SetProp(hwnd, kStateProperty, state.get()))
        state.release();
}

std::unique_ptr<DialogState> DetachDialogState(HWND hwnd)
{
    return std::unique_ptr<DialogState>(static_cast<DialogState*>(RemoveProp(hwnd, kStateProperty)));
}

std::vector<HWND> DialogControls(HWND dlg)
{
    std::vector<HWND> out;
    if (IsWindow(dlg))
        collectControls(dlg, out);
    return out;
}

HWND FindDialogControl(HWND dlg, int id)
{
    if (HWND direct = GetDlgItem(dlg, id))
        return direct;
    for (HWND c : DialogControls(dlg))
        if (GetDlgCtrlID(c) == id)
            return c;
    return nullptr;
}

void SetDialogFocus(HWND dlg, HWND control)
{
    if (!IsWindow(control))
        return;
    if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessage(control, EM_SETSEL, 0, -1);
    SetFocus(control);
}

void ShowDefaultButton(HWND dlg, HWND focus)
{
    const DialogState* state = DialogStateOf(dlg);
    if (!state)
        return;
    HWND wanted = nullptr;
    if (focus && IsChild(dlg, focus) && isPushButton(SendMessage(focus, WM_GETDLGCODE, 0, 0)))
        wanted = focus;
    else if (state->defaultId)
        wanted = FindDialogControl(dlg, state->defaultId);
    for (HWND c : DialogControls(dlg)) {
        const LRESULT code = SendMessage(c, WM_GETDLGCODE, 0, 0);
        if (c != wanted && (code & DLGC_DEFPUSHBUTTON))
            SendMessage(c, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        else if (c == wanted && (code & DLGC_UNDEFPUSHBUTTON))
            SendMessage(c, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

HWND DialogOf(HWND control)
{
    if (!(GetWindowLong(control, GWL_STYLE) & WS_CHILD))
        return nullptr;
    HWND found = nullptr;
    for (HWND h = GetParent(control); h; h = GetParent(h)) {
        if (DialogStateOf(h))
            found = h;
        if (!(GetWindowLong(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return found;
}

} // namespace platform::user
