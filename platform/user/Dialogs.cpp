// Making dialogs from templates, the modal loop, EndDialog and dialog units.

#include <algorithm>
#include <cstring>

#include "platform/base/MulDiv.h"
#include "platform/base/Resources.h"
#include "platform/user/ContextHelp.h"
#include "platform/user/DialogState.h"
#include "platform/user/DialogTemplate.h"

using namespace platform::user;

namespace {

constexpr int kPixelsPerInch = 96;
// The standard dialog font's base units; tests of the layout depend on them.
constexpr SIZE kStandardBaseUnits { 6, 13 };

// The class names of the template ordinals 0x80 to 0x85.
LPCSTR ordinalClass(WORD ordinal)
{
    switch (ordinal) {
    case 0x80:
        return WC_BUTTON;
    case 0x81:
        return WC_EDIT;
    case 0x82:
        return WC_STATIC;
    case 0x83:
        return WC_LISTBOX;
    case 0x84:
        return WC_SCROLLBAR;
    case 0x85:
        return WC_COMBOBOX;
    default:
        return nullptr;
    }
}

int toPixelsX(int units, SIZE base) { return MulDiv(units, base.cx, 4); }
int toPixelsY(int units, SIZE base) { return MulDiv(units, base.cy, 8); }

// Where a top-level dialog goes: its client area at the template's position (relative to the owner's
// client area unless DS_ABSALIGN), centred with DS_CENTER, and kept on the screen.
POINT placeTopLevel(const DialogTemplate& t, const RECT& frame, SIZE base, HWND owner)
{
    POINT pos { toPixelsX(t.x, base), toPixelsY(t.y, base) };
    if (owner && !(t.style & DS_ABSALIGN))
        ClientToScreen(owner, &pos);
    pos.x += frame.left;
    pos.y += frame.top;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT area {};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    if (t.style & (DS_CENTER | DS_CENTERMOUSE)) {
        RECT around = area;
        if (owner && IsWindowVisible(owner) && !IsIconic(owner))
            GetWindowRect(owner, &around);
        pos.x = around.left + (around.right - around.left - width) / 2;
        pos.y = around.top + (around.bottom - around.top - height) / 2;
    }
    pos.x = std::max(area.left, std::min(pos.x, area.right - width));
    pos.y = std::max(area.top, std::min(pos.y, area.bottom - height));
    return pos;
}

HWND createControls(HWND dlg, HINSTANCE instance, const DialogTemplate& t, const DialogState& state)
{
    for (const DialogItem& item : t.items) {
        std::string className;
        LPCSTR cls = nullptr;
        if (item.windowClass.isNumber) {
            cls = ordinalClass(item.windowClass.number);
            if (!cls)
                cls = MAKEINTRESOURCE(item.windowClass.number);
        } else {
            className = item.windowClass.text;
            cls = className.c_str();
        }
        // A text given by number names a resource (an icon of a static), in the "#n" form.
        const std::string text = item.text.isNumber ? "#" + std::to_string(item.text.number) : item.text.text;
        DWORD style = item.style;
        DWORD exStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
        if ((t.style & DS_3DLOOK) && (style & WS_BORDER)) {
            // A 3-D dialog gives its bordered controls (edits, list boxes) a sunken edge instead of a flat line.
            style &= ~WS_BORDER;
            exStyle |= WS_EX_CLIENTEDGE;
        }
        HWND control = CreateWindowEx(exStyle, cls, text.c_str(), style,
            toPixelsX(item.x, state.baseUnits), toPixelsY(item.y, state.baseUnits), toPixelsX(item.cx, state.baseUnits),
            toPixelsY(item.cy, state.baseUnits), dlg,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(t.extended ? item.id : LOWORD(item.id))), instance,
            item.data.empty() ? nullptr : const_cast<BYTE*>(item.data.data()));
        if (!IsWindow(dlg))
            return nullptr;
        if (!control) {
            if (t.style & DS_NOFAILCREATE)
                continue;
            return nullptr;
        }
        if (item.helpId)
            SetWindowContextHelpId(control, item.helpId);
        SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
        if (!IsWindow(dlg))
            return nullptr;
    }
    return dlg;
}

HWND createFromTemplate(HINSTANCE instance, const DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM param,
    std::shared_ptr<ModalEnd> modal)
{
    auto state = std::make_unique<DialogState>();
    state->modal = std::move(modal);
    if (t.hasFont && !t.face.empty()) {
        state->font = CreateDialogFont(t.face.c_str(), t.pointSize, t.weight, t.italic, t.charset);
        state->ownsFont = state->font != nullptr;
    }
    if (!state->font)
        state->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    state->baseUnits = DialogBaseUnitsOf(state->font);

    DWORD style = t.style;
    DWORD exStyle = t.exStyle;
    if (style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        // A dialog inside another (a page): no frame of its own, and its controls join the tab order.
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    const bool child = (style & WS_CHILD) != 0;
    HWND owner = parent;
    if (!child && parent)
        owner = GetAncestor(parent, GA_ROOT);
    if (!child && parent && !owner)
        owner = parent;

    if (!child && !t.menu.empty()) {
        const std::string name = t.menu.text;
        state->menu = LoadMenu(instance, t.menu.isNumber ? MAKEINTRESOURCE(t.menu.number) : name.c_str());
    }
    RECT frame { 0, 0, toPixelsX(t.cx, state->baseUnits), toPixelsY(t.cy, state->baseUnits) };
    AdjustWindowRectEx(&frame, style, state->menu ? TRUE : FALSE, exStyle);
    POINT pos;
    if (child)
        pos = { toPixelsX(t.x, state->baseUnits) + frame.left, toPixelsY(t.y, state->baseUnits) + frame.top };
    else
        pos = placeTopLevel(t, frame, state->baseUnits, owner);

    std::string className;
    LPCSTR cls = WC_DIALOG;
    if (t.windowClass.isNumber) {
        cls = MAKEINTRESOURCE(t.windowClass.number);
    } else if (!t.windowClass.text.empty()) {
        className = t.windowClass.text;
        cls = className.c_str();
    }
    HWND dlg = CreateWindowEx(exStyle, cls, t.caption.c_str(), style & ~WS_VISIBLE, pos.x, pos.y,
        frame.right - frame.left, frame.bottom - frame.top, owner, state->menu, instance, nullptr);
    if (dlg && t.helpId)
        SetWindowContextHelpId(dlg, t.helpId);
    if (!dlg) {
        if (state->ownsFont)
            DeleteObject(state->font);
        if (state->menu)
            DestroyMenu(state->menu);
        return nullptr;
    }
    DialogState* live = state.get();
    AttachDialogState(dlg, std::move(state));
    SetWindowLongPtr(dlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    SendMessage(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(live->font), FALSE);
    if (!IsWindow(dlg))
        return nullptr;
    if (!createControls(dlg, instance, t, *live)) {
        if (IsWindow(dlg))
            DestroyWindow(dlg);
        return nullptr;
    }
    live = DialogStateOf(dlg);
    for (HWND c : DialogControls(dlg)) {
        if (live && !live->defaultId && (SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
            live->defaultId = GetDlgCtrlID(c);
            break;
        }
    }

    HWND first = GetNextDlgTabItem(dlg, nullptr, FALSE);
    const LRESULT setFocus = SendMessage(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    if (!IsWindow(dlg))
        return nullptr;
    if (setFocus) {
        // The procedure may have changed the controls: ask again.
        first = GetNextDlgTabItem(dlg, nullptr, FALSE);
        if (DialogState* s = DialogStateOf(dlg))
            s->savedFocus = first;
        if (child && first && GetActiveWindow() == GetAncestor(dlg, GA_ROOT))
            SetDialogFocus(dlg, first);
    }
    if ((t.style & WS_VISIBLE) && IsWindow(dlg))
        ShowWindow(dlg, SW_SHOWNORMAL);
    return IsWindow(dlg) ? dlg : nullptr;
}

std::optional<DialogTemplate> loadTemplate(HINSTANCE instance, LPCSTR name)
{
    HRSRC resource = FindResource(instance, name, RT_DIALOG);
    if (!resource)
        return std::nullopt;
    HGLOBAL data = LoadResource(instance, resource);
    return DialogTemplate::Parse(LockResource(data), SizeofResource(instance, resource));
}

INT_PTR runModal(HINSTANCE instance, const std::optional<DialogTemplate>& t, HWND parent, DLGPROC proc, LPARAM param)
{
    if (!t) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    auto end = std::make_shared<ModalEnd>();
    HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    if (owner && IsWindowEnabled(owner)) {
        // Disabled before WM_INITDIALOG, so that the dialog's procedure sees the owner as it will be.
        EnableWindow(owner, FALSE);
        end->owner = owner;
        end->ownerDisabled = true;
    }
    HWND dlg = createFromTemplate(instance, *t, owner ? owner : parent, proc, param, end);
    if (!dlg) {
        if (end->ownerDisabled && IsWindow(owner))
            EnableWindow(owner, TRUE);
        return -1;
    }
    if (!end->ended && !IsWindowVisible(dlg))
        ShowWindow(dlg, SW_SHOWNORMAL);

    bool idleTold = false;
    while (!end->ended && IsWindow(dlg)) {
        MSG msg;
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!idleTold) {
                idleTold = true;
                if (owner && !(t->style & DS_NOIDLEMSG)) {
                    SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dlg));
                    continue;
                }
            }
            if (end->idleAnswer) {
                EndDialog(dlg, *end->idleAnswer);
                continue;
            }
            WaitMessage();
            idleTold = false;
            continue;
        }
        idleTold = false;
        if (msg.message == WM_QUIT) {
            // The outer loop must see it too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (CallMsgFilter(&msg, MSGF_DIALOGBOX))
            continue;
        if (!IsDialogMessage(dlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    if (end->ownerDisabled && IsWindow(owner) && !IsWindowEnabled(owner))
        EnableWindow(owner, TRUE);
    end->ownerDisabled = false;
    if (IsWindow(dlg))
        DestroyWindow(dlg);
    return end->result;
}

} // namespace

namespace platform::user {

HFONT CreateDialogFont(const char* face, int pointSize, int weight, bool italic, BYTE charset)
{
    if (!face || !*face)
        return nullptr;
    LOGFONT lf {};
    lf.lfHeight = -MulDiv(pointSize, kPixelsPerInch, 72);
    lf.lfWeight = weight ? weight : FW_NORMAL;
    lf.lfItalic = italic ? TRUE : FALSE;
    lf.lfCharSet = charset;
    std::strncpy(lf.lfFaceName, face, sizeof lf.lfFaceName - 1);
    return CreateFontIndirect(&lf);
}

SIZE DialogBaseUnitsOf(HFONT font)
{
    if (!font || font == GetStockObject(DEFAULT_GUI_FONT))
        return kStandardBaseUnits;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRIC tm {};
    GetTextMetrics(dc, &tm);
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent {};
    GetTextExtentPoint32(dc, kLetters, 52, &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const SIZE units { (extent.cx / 26 + 1) / 2, tm.tmHeight };
    return units.cx > 0 && units.cy > 0 ? units : kStandardBaseUnits;
}

} // namespace platform::user

HWND CreateDialogParam(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param)
{
    const auto t = loadTemplate(instance, name);
    if (!t) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return createFromTemplate(instance, *t, parent, proc, param, nullptr);
}

HWND CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE tmpl, HWND parent, DLGPROC proc, LPARAM param)
{
    // A template in memory carries no size: it is read as far as its own fields reach.
    const auto t = DialogTemplate::Parse(tmpl, tmpl ? 0x7FFFFFFF : 0);
    if (!t) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return createFromTemplate(instance, *t, parent, proc, param, nullptr);
}

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param)
{
    return runModal(instance, loadTemplate(instance, name), parent, proc, param);
}

INT_PTR DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE tmpl, HWND parent, DLGPROC proc, LPARAM param)
{
    return runModal(instance, DialogTemplate::Parse(tmpl, tmpl ? 0x7FFFFFFF : 0), parent, proc, param);
}

BOOL EndDialog(HWND dlg, INT_PTR result)
{
    DialogState* state = DialogStateOf(dlg);
    if (!state) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (auto modal = state->modal) {
        modal->ended = true;
        modal->result = result;
        // The owner comes back before the dialog hides, so that activation returns to it.
        if (modal->ownerDisabled && IsWindow(modal->owner)) {
            modal->ownerDisabled = false;
            EnableWindow(modal->owner, TRUE);
        }
        PostMessage(dlg, WM_NULL, 0, 0);
    }
    // The activation goes back to the owner even while it is still disabled (a class library's modal
    // loop enables it only after the dialog hid): hiding alone would find no window to take it, and the
    // program would be left without the keyboard.
    HWND owner = GetWindow(dlg, GW_OWNER);
    const bool wasActive = GetActiveWindow() == dlg;
    ShowWindow(dlg, SW_HIDE);
    if (wasActive && owner && IsWindow(owner) && !GetActiveWindow())
        SetActiveWindow(owner);
    return TRUE;
}

BOOL MapDialogRect(HWND dlg, LPRECT rect)
{
    const DialogState* state = DialogStateOf(dlg);
    if (!state || !rect)
        return FALSE;
    rect->left = toPixelsX(rect->left, state->baseUnits);
    rect->right = toPixelsX(rect->right, state->baseUnits);
    rect->top = toPixelsY(rect->top, state->baseUnits);
    rect->bottom = toPixelsY(rect->bottom, state->baseUnits);
    return TRUE;
}

LONG GetDialogBaseUnits() { return MAKELONG(kStandardBaseUnits.cx, kStandardBaseUnits.cy); }
