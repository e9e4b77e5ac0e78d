// The COMBOBOX class: a list with a selection field (simple, drop-down, drop-down list). The items
// live in a list box of class ComboLBox: a child below the field for the simple kind, a popup shown
// under the combo box for the drop-down kinds. The field is an edit control except for the
// drop-down list, which draws the selected item itself.

#include <algorithm>
#include <utility>

#include "platform/user/ControlSupport.h"

namespace platform::user {

namespace {

constexpr int kEditId = 1001;
constexpr int kListId = 1000;
constexpr int kFrame = 2;
constexpr int kFieldPadding = 8;
constexpr int kDefaultVisibleItems = 8;

struct ComboState {
    HWND edit { nullptr };
    HWND list { nullptr };
    HFONT font { nullptr };
    bool dropped { false };
    bool focused { false };
    bool extendedUI { false };
    int fieldHeight { 21 };
    // The height the program asked for: the field and the dropped list together.
    int droppedHeight { 0 };
    int droppedWidth { 0 };
    int selectionBeforeDrop { -1 };
    // WS_VSCROLL as the combo box was created with it, for its list.
    DWORD listScroll { 0 };
};

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)); }
DWORD kindOf(HWND h) { return styleOf(h) & 0x3; }
bool hasEdit(HWND h) { return kindOf(h) != CBS_DROPDOWNLIST; }

LRESULT toList(ComboState& s, UINT msg, WPARAM w, LPARAM l) { return s.list ? SendMessage(s.list, msg, w, l) : CB_ERR; }

int currentSelection(ComboState& s) { return static_cast<int>(toList(s, LB_GETCURSEL, 0, 0)); }

std::string itemText(ComboState& s, int i)
{
    const LRESULT length = toList(s, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR || length < 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + sizeof(ULONG_PTR) + 1, '\0');
    const LRESULT copied = toList(s, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

bool listHasStrings(HWND h)
{
    return !(styleOf(h) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (styleOf(h) & CBS_HASSTRINGS);
}

// The field shows the selected item: the edit control gets its text, the drop-down list repaints.
void showSelection(HWND h, ComboState& s)
{
    const int i = currentSelection(s);
    if (s.edit) {
        const std::string text = i >= 0 && listHasStrings(h) ? itemText(s, i) : std::string();
        SendMessage(s.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (s.focused)
            SendMessage(s.edit, EM_SETSEL, 0, -1);
    }
    InvalidateRect(h, nullptr, FALSE);
}

RECT buttonRect(HWND h)
{
    RECT r;
    GetClientRect(h, &r);
    if (kindOf(h) == CBS_SIMPLE)
        return {};
    InflateRect(&r, -kFrame, -kFrame);
    r.left = std::max(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
    return r;
}

void layout(HWND h, ComboState& s)
{
    RECT r;
    GetClientRect(h, &r);
    if (kindOf(h) == CBS_SIMPLE) {
        if (s.edit)
            MoveWindow(s.edit, 0, 0, r.right, s.fieldHeight, TRUE);
        if (s.list)
            MoveWindow(s.list, 0, s.fieldHeight, r.right, std::max<LONG>(r.bottom - s.fieldHeight, 0), TRUE);
        return;
    }
    if (s.edit) {
        const RECT button = buttonRect(h);
        MoveWindow(s.edit, kFrame + 1, kFrame + 1, std::max<LONG>(button.left - kFrame - 2, 0),
            std::max<LONG>(r.bottom - 2 * kFrame - 2, 0), TRUE);
    }
}

void measureField(HWND h, ComboState& s)
{
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, FontOr(s.font));
    TEXTMETRIC tm {};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    s.fieldHeight = tm.tmHeight + kFieldPadding;
}

void notify(HWND h, WORD code) { NotifyParent(h, code); }

void closeUp(HWND h, ComboState& s, bool ok)
{
    if (!s.dropped)
        return;
    s.dropped = false;
    if (GetCapture() == s.list)
        ReleaseCapture();
    ShowWindow(s.list, SW_HIDE);
    InvalidateRect(h, nullptr, FALSE);
    const int now = currentSelection(s);
    if (!ok && now != s.selectionBeforeDrop) {
        toList(s, LB_SETCURSEL, static_cast<WPARAM>(s.selectionBeforeDrop), 0);
    }
    notify(h, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!IsWindow(h))
        return;
    notify(h, CBN_CLOSEUP);
    if (!IsWindow(h))
        return;
    if (ok && now != s.selectionBeforeDrop) {
        showSelection(h, s);
        notify(h, CBN_SELCHANGE);
    }
}

void dropDown(HWND h, ComboState& s)
{
    if (s.dropped || !s.list || kindOf(h) == CBS_SIMPLE)
        return;
    notify(h, CBN_DROPDOWN);
    if (!IsWindow(h))
        return;
    s.selectionBeforeDrop = currentSelection(s);
    RECT r;
    GetWindowRect(h, &r);
    const int count = static_cast<int>(toList(s, LB_GETCOUNT, 0, 0));
    const int itemHeight = static_cast<int>(std::max<LRESULT>(toList(s, LB_GETITEMHEIGHT, 0, 0), 1));
    int height = s.droppedHeight - (r.bottom - r.top);
    if (height < itemHeight)
        height = itemHeight * std::min(std::max(count, 1), kDefaultVisibleItems);
    height = std::min(height, itemHeight * std::max(count, 1)) + 2;
    const int width = std::max<int>(s.droppedWidth, r.right - r.left);
    int top = r.bottom;
    if (top + height > GetSystemMetrics(SM_CYSCREEN))
        top = r.top - height;
    s.dropped = true;
    SetWindowPos(s.list, HWND_TOPMOST, r.left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (currentSelection(s) >= 0)
        toList(s, LB_SETTOPINDEX, static_cast<WPARAM>(currentSelection(s)), 0);
    SetCapture(s.list);
    InvalidateRect(h, nullptr, FALSE);
}

// Arrow keys and type-ahead: a new selection, shown in the field, and CBN_SELCHANGE.
void selectByKey(HWND h, ComboState& s, int target)
{
    const int count = static_cast<int>(toList(s, LB_GETCOUNT, 0, 0));
    if (!count)
        return;
    target = std::clamp(target, 0, count - 1);
    if (target == currentSelection(s))
        return;
    toList(s, LB_SETCURSEL, static_cast<WPARAM>(target), 0);
    showSelection(h, s);
    notify(h, CBN_SELCHANGE);
}

bool keyDown(HWND h, ComboState& s, WPARAM vk, bool alt)
{
    const int current = currentSelection(s);
    const int count = static_cast<int>(toList(s, LB_GETCOUNT, 0, 0));
    if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
        if (s.dropped)
            closeUp(h, s, true);
        else
            dropDown(h, s);
        return true;
    }
    if (s.extendedUI && !s.dropped && vk == VK_DOWN) {
        dropDown(h, s);
        return true;
    }
    switch (vk) {
    case VK_UP:
        selectByKey(h, s, current < 0 ? 0 : current - 1);
        return true;
    case VK_DOWN:
        selectByKey(h, s, current < 0 ? 0 : current + 1);
        return true;
    case VK_HOME:
        if (s.edit)
            return false;
        selectByKey(h, s, 0);
        return true;
    case VK_END:
        if (s.edit)
            return false;
        selectByKey(h, s, count - 1);
        return true;
    case VK_PRIOR:
        selectByKey(h, s, current - kDefaultVisibleItems + 1);
        return true;
    case VK_NEXT:
        selectByKey(h, s, current + kDefaultVisibleItems - 1);
        return true;
    case VK_RETURN:
    case VK_ESCAPE:
        if (!s.dropped)
            return false;
        closeUp(h, s, vk == VK_RETURN);
        return true;
    default:
        return false;
    }
}

// The field's edit control: the keys that belong to the combo box go there first.
LRESULT fieldEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND combo = GetParent(edit);
    ComboState* s = ControlState<ComboState>(combo);
    if (s && s->edit == edit) {
        if (msg == WM_GETDLGCODE)
            return EditProc(edit, msg, wParam, lParam) | (s->dropped ? DLGC_WANTALLKEYS : 0);
        if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)
            && keyDown(combo, *s, wParam, msg == WM_SYSKEYDOWN && (lParam & KF_ALTDOWN_BIT)))
            return 0;
        if (msg == WM_CHAR && (wParam == '\r' || wParam == 27) && s->dropped)
            return 0;
    }
    return EditProc(edit, msg, wParam, lParam);
}

void paintField(HWND h, ComboState& s, HDC hdc)
{
    RECT client;
    GetClientRect(h, &client);
    HBRUSH brush = ControlColors(h, hdc, kindOf(h) == CBS_SIMPLE ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    const COLORREF text = GetTextColor(hdc);
    if (kindOf(h) == CBS_SIMPLE) {
        FillRect(hdc, &client, brush);
        return;
    }
    RECT inner = client;
    DrawEdge(hdc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(hdc, &inner, brush);
    RECT button = buttonRect(h);
    DrawFrameControl(hdc, &button, DFC_SCROLL,
        DFCS_SCROLLCOMBOBOX | (s.dropped ? DFCS_PUSHED | DFCS_FLAT : 0) | (IsWindowEnabled(h) ? 0 : DFCS_INACTIVE));
    if (s.edit)
        return;
    RECT field = inner;
    field.right = button.left;
    InflateRect(&field, -1, -1);
    const int i = currentSelection(s);
    const bool highlight = s.focused && !s.dropped;
    if (styleOf(h) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
        dis.itemID = static_cast<UINT>(i);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState
            = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0) | (IsWindowEnabled(h) ? 0 : ODS_DISABLED);
        dis.hwndItem = h;
        dis.hDC = hdc;
        dis.rcItem = field;
        dis.itemData = i >= 0 ? static_cast<ULONG_PTR>(toList(s, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)) : 0;
        SendMessage(GetParent(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    SetItemColors(h, hdc, field, highlight, text);
    if (i >= 0) {
        HGDIOBJ old = SelectObject(hdc, FontOr(s.font));
        SetBkMode(hdc, TRANSPARENT);
        RECT t = field;
        t.left += 2;
        DrawText(hdc, itemText(s, i).c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SelectObject(hdc, old);
    }
    if (highlight)
        DrawFocusRect(hdc, &field);
}

DWORD listStyleFor(DWORD comboStyle)
{
    DWORD style = LBS_NOTIFY;
    if (comboStyle & CBS_SORT)
        style |= LBS_SORT;
    if (comboStyle & CBS_OWNERDRAWFIXED)
        style |= LBS_OWNERDRAWFIXED;
    if (comboStyle & CBS_OWNERDRAWVARIABLE)
        style |= LBS_OWNERDRAWVARIABLE;
    if (comboStyle & CBS_HASSTRINGS)
        style |= LBS_HASSTRINGS;
    if (comboStyle & CBS_DISABLENOSCROLL)
        style |= LBS_DISABLENOSCROLL;
    style |= LBS_NOINTEGRALHEIGHT | (comboStyle & WS_VSCROLL);
    return style;
}

// A drop-down combo box is as high as its field and remembers the height asked for as its dropped
// height. Sized here in so many words: asking for the size the window already has would reach
// WM_WINDOWPOSCHANGING as SWP_NOSIZE, and the clamp there would never see it.
void fitToField(HWND h, ComboState& s, int width, int droppedHeight)
{
    const bool simple = kindOf(h) == CBS_SIMPLE;
    SetWindowPos(h, nullptr, 0, 0, width, simple ? droppedHeight : s.fieldHeight,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!simple)
        s.droppedHeight = droppedHeight;
}

// The field's height changed (a font, an item height): a drop-down combo box follows it.
void refit(HWND h, ComboState& s)
{
    if (kindOf(h) != CBS_SIMPLE) {
        RECT r;
        GetWindowRect(h, &r);
        fitToField(h, s, r.right - r.left, s.droppedHeight);
    }
    layout(h, s);
}

// The focus moving between the combo box and its own field is no change for the parent.
bool focusStaysInside(HWND h, HWND other) { return other && (other == h || IsChild(h, other)); }

} // namespace

LRESULT ComboBoxProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ComboState* s = ControlState<ComboState>(h);
    if (!s && msg != WM_NCCREATE)
        return DefWindowProc(h, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE: {
        // WS_VSCROLL is meant for the list: the field itself never has a scroll bar.
        CreateControlState<ComboState>(h)->listScroll = styleOf(h) & WS_VSCROLL;
        SetWindowLong(h, GWL_STYLE, static_cast<LONG>(styleOf(h) & ~(WS_VSCROLL | WS_HSCROLL)));
        return DefWindowProc(h, msg, wParam, lParam);
    }
    case WM_CREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        const DWORD style = styleOf(h);
        measureField(h, *s);
        const DWORD listStyle = listStyleFor(style | s->listScroll);
        if (kindOf(h) == CBS_SIMPLE) {
            s->list = CreateWindowEx(WS_EX_CLIENTEDGE, WC_COMBOLIST, "", WS_CHILD | WS_VISIBLE | listStyle, 0, 0, 0, 0,
                h, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)), cs ? cs->hInstance : nullptr, h);
        } else {
            s->list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WC_COMBOLIST, "",
                WS_POPUP | WS_BORDER | listStyle, 0, 0, 0, 0, h, nullptr, cs ? cs->hInstance : nullptr, h);
        }
        if (!s->list)
            return -1;
        if (hasEdit(h)) {
            DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_LEFT;
            if (style & CBS_AUTOHSCROLL)
                editStyle |= ES_AUTOHSCROLL;
            if (style & CBS_UPPERCASE)
                editStyle |= ES_UPPERCASE;
            if (style & CBS_LOWERCASE)
                editStyle |= ES_LOWERCASE;
            s->edit = CreateWindowEx(0, WC_EDIT, cs && cs->lpszName ? cs->lpszName : "", editStyle, 0, 0, 0, 0, h,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), cs ? cs->hInstance : nullptr, nullptr);
            if (!s->edit)
                return -1;
            SetWindowLongPtr(s->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldEditProc));
        }
        if (cs)
            fitToField(h, *s, cs->cx, cs->cy);
        layout(h, *s);
        return 0;
    }
    case WM_WINDOWPOSCHANGING: {
        // A drop-down combo box is as high as its field; the height asked for is the dropped height.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (pos && kindOf(h) != CBS_SIMPLE && !(pos->flags & SWP_NOSIZE)) {
            s->droppedHeight = pos->cy;
            pos->cy = s->fieldHeight;
        }
        return DefWindowProc(h, msg, wParam, lParam);
    }
    case WM_SIZE:
        layout(h, *s);
        return 0;
    case WM_NCDESTROY: {
        HWND list = s->list;
        DestroyControlState<ComboState>(h);
        if (list && IsWindow(list) && !(GetWindowLong(list, GWL_STYLE) & WS_CHILD))
            DestroyWindow(list);
        return DefWindowProc(h, msg, wParam, lParam);
    }
    case WM_DESTROY:
        if (s->list && IsWindow(s->list) && !(GetWindowLong(s->list, GWL_STYLE) & WS_CHILD)) {
            HWND list = std::exchange(s->list, nullptr);
            DestroyWindow(list);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (s->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (s->edit)
            SendMessage(s->edit, WM_SETFONT, wParam, lParam);
        if (s->list)
            SendMessage(s->list, WM_SETFONT, wParam, lParam);
        measureField(h, *s);
        refit(h, *s);
        if (lParam)
            InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_ENABLE:
        if (s->edit)
            EnableWindow(s->edit, wParam ? TRUE : FALSE);
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintControl(h, [&](HDC hdc) { paintField(h, *s, hdc); });
    case WM_SETFOCUS:
        if (s->edit) {
            SetFocus(s->edit);
            return 0;
        }
        if (!s->focused) {
            s->focused = true;
            InvalidateRect(h, nullptr, FALSE);
            if (!focusStaysInside(h, reinterpret_cast<HWND>(wParam)))
                notify(h, CBN_SETFOCUS);
        }
        return 0;
    case WM_KILLFOCUS:
        if (s->edit)
            return 0;
        if (focusStaysInside(h, reinterpret_cast<HWND>(wParam)))
            return 0;
        s->focused = false;
        closeUp(h, *s, false);
        if (!IsWindow(h))
            return 0;
        InvalidateRect(h, nullptr, FALSE);
        notify(h, CBN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        const RECT button = buttonRect(h);
        if (kindOf(h) == CBS_SIMPLE)
            return 0;
        if (GetFocus() != h && GetFocus() != s->edit)
            SetFocus(h);
        if (!(s = ControlState<ComboState>(h)))
            return 0;
        if (kindOf(h) == CBS_DROPDOWNLIST || PtInRect(&button, pt)) {
            if (s->dropped)
                closeUp(h, *s, true);
            else
                dropDown(h, *s);
        }
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (keyDown(h, *s, wParam, msg == WM_SYSKEYDOWN && (lParam & KF_ALTDOWN_BIT)))
            return 0;
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_CHAR:
        if (s->edit) {
            SendMessage(s->edit, msg, wParam, lParam);
        } else if (wParam >= 0x20) {
            const char text[2] = { static_cast<char>(wParam), 0 };
            const LRESULT found
                = toList(*s, LB_FINDSTRING, static_cast<WPARAM>(currentSelection(*s)), reinterpret_cast<LPARAM>(text));
            if (found != LB_ERR)
                selectByKey(h, *s, static_cast<int>(found));
        }
        return 0;
    case WM_MOUSEWHEEL:
        if (!s->dropped)
            selectByKey(h, *s, currentSelection(*s) + (GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1));
        return 0;
    case WM_COMMAND: {
        const HWND from = reinterpret_cast<HWND>(lParam);
        const WORD code = HIWORD(wParam);
        if (from && from == s->edit) {
            switch (code) {
            case EN_SETFOCUS:
                if (!s->focused) {
                    s->focused = true;
                    notify(h, CBN_SETFOCUS);
                }
                break;
            case EN_KILLFOCUS: {
                HWND next = GetFocus();
                if (focusStaysInside(h, next) || next == s->list)
                    break;
                s->focused = false;
                closeUp(h, *s, false);
                if (IsWindow(h))
                    notify(h, CBN_KILLFOCUS);
                break;
            }
            case EN_CHANGE:
                notify(h, CBN_EDITCHANGE);
                break;
            case EN_UPDATE:
                notify(h, CBN_EDITUPDATE);
                break;
            default:
                break;
            }
            return 0;
        }
        if (from && from == s->list) {
            if (code == LBN_SELCHANGE && !s->dropped) {
                showSelection(h, *s);
                notify(h, CBN_SELCHANGE);
            } else if (code == LBN_DBLCLK) {
                notify(h, CBN_DBLCLK);
            }
            return 0;
        }
        return 0;
    }
    case kComboCloseList:
        closeUp(h, *s, wParam != 0);
        return 0;

    case WM_SETTEXT:
        if (s->edit)
            return SendMessage(s->edit, msg, wParam, lParam);
        {
            const LRESULT found = toList(*s, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam);
            if (found == LB_ERR)
                return CB_ERR;
            toList(*s, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
            showSelection(h, *s);
            return TRUE;
        }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        if (s->edit)
            return SendMessage(s->edit, msg, wParam, lParam);
        const int i = currentSelection(*s);
        const std::string text = i >= 0 && listHasStrings(h) ? itemText(*s, i) : std::string();
        if (msg == WM_GETTEXTLENGTH)
            return static_cast<LRESULT>(text.size());
        auto* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || !wParam)
            return 0;
        std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
        while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
        text.copy(buffer, n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }

    case CB_ADDSTRING:
        return toList(*s, LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING:
        return toList(*s, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
        const LRESULT r = toList(*s, LB_DELETESTRING, wParam, lParam);
        InvalidateRect(h, nullptr, FALSE);
        return r;
    }
    case CB_RESETCONTENT:
        toList(*s, LB_RESETCONTENT, 0, 0);
        if (s->edit)
            SendMessage(s->edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        InvalidateRect(h, nullptr, FALSE);
        return CB_OKAY;
    case CB_GETCOUNT:
        return toList(*s, LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL:
        return currentSelection(*s);
    case CB_SETCURSEL: {
        const LRESULT r = toList(*s, LB_SETCURSEL, wParam, 0);
        if (r == LB_ERR)
            toList(*s, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        showSelection(h, *s);
        return r;
    }
    case CB_GETLBTEXT:
        return toList(*s, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN:
        return toList(*s, LB_GETTEXTLEN, wParam, lParam);
    case CB_FINDSTRING:
        return toList(*s, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT:
        return toList(*s, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SELECTSTRING: {
        const LRESULT found = toList(*s, LB_FINDSTRING, wParam, lParam);
        if (found == LB_ERR)
            return CB_ERR;
        toList(*s, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
        showSelection(h, *s);
        return found;
    }
    case CB_GETITEMDATA:
        return toList(*s, LB_GETITEMDATA, wParam, 0);
    case CB_SETITEMDATA:
        return toList(*s, LB_SETITEMDATA, wParam, lParam);
    case CB_SETITEMHEIGHT:
        if (static_cast<int>(wParam) == -1) {
            if (LOWORD(lParam) == 0)
                return CB_ERR;
            s->fieldHeight = LOWORD(lParam) + kFieldPadding;
            refit(h, *s);
            return 0;
        }
        return toList(*s, LB_SETITEMHEIGHT, wParam, lParam);
    case CB_GETITEMHEIGHT:
        if (static_cast<int>(wParam) == -1)
            return s->fieldHeight - kFieldPadding;
        return toList(*s, LB_GETITEMHEIGHT, wParam, 0);
    case CB_GETTOPINDEX:
        return toList(*s, LB_GETTOPINDEX, 0, 0);
    case CB_SETTOPINDEX:
        return toList(*s, LB_SETTOPINDEX, wParam, 0) == LB_ERR ? CB_ERR : 0;
    case CB_INITSTORAGE:
        return toList(*s, LB_INITSTORAGE, wParam, lParam);
    case CB_GETHORIZONTALEXTENT:
        return toList(*s, LB_GETHORIZONTALEXTENT, 0, 0);
    case CB_SETHORIZONTALEXTENT:
        return toList(*s, LB_SETHORIZONTALEXTENT, wParam, 0);
    case CB_SETLOCALE:
    case CB_GETLOCALE:
        return 0;
    case CB_GETEDITSEL:
        return s->edit ? SendMessage(s->edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
        if (!s->edit)
            return CB_ERR;
        SendMessage(s->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
            static_cast<LPARAM>(static_cast<short>(HIWORD(lParam))));
        return TRUE;
    case CB_LIMITTEXT:
        if (!s->edit)
            return CB_ERR;
        SendMessage(s->edit, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    case CB_SHOWDROPDOWN:
        if (wParam)
            dropDown(h, *s);
        else
            closeUp(h, *s, false);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return s->dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r)
            return CB_ERR;
        GetWindowRect(h, r);
        r->bottom = r->top + s->droppedHeight;
        r->right = r->left + std::max<int>(s->droppedWidth, r->right - r->left);
        return TRUE;
    }
    case CB_SETEXTENDEDUI:
        s->extendedUI = wParam != 0;
        return CB_OKAY;
    case CB_GETEXTENDEDUI:
        return s->extendedUI ? TRUE : FALSE;
    case CB_GETDROPPEDWIDTH: {
        RECT r;
        GetWindowRect(h, &r);
        return std::max<int>(s->droppedWidth, r.right - r.left);
    }
    case CB_SETDROPPEDWIDTH:
        s->droppedWidth = static_cast<int>(wParam);
        return s->droppedWidth;
    case CB_DIR:
        return CB_ERR;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

} // namespace platform::user
