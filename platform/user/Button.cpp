// The BUTTON class: push buttons, check boxes, radio buttons, group boxes and owner-drawn buttons.

#include <vector>

#include "platform/user/ControlSupport.h"
#include "platform/user/DialogState.h"

namespace platform::user {

namespace {

constexpr int kBoxSize = 13;
constexpr int kTextGap = 4;

struct ButtonState {
    UINT check { BST_UNCHECKED };
    bool pushed { false };
    bool focused { false };
    // The mouse is captured between a press and its release.
    bool tracking { false };
    bool spaceDown { false };
    HFONT font { nullptr };
    HANDLE image { nullptr };
    UINT imageType { IMAGE_BITMAP };
};

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)); }
DWORD typeOf(HWND h) { return styleOf(h) & BS_TYPEMASK; }

bool isCheckType(DWORD type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool isRadioType(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool isPushType(DWORD type) { return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_PUSHBOX; }

LRESULT dialogCode(HWND h)
{
    const DWORD type = typeOf(h);
    if (type == BS_DEFPUSHBUTTON)
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (type == BS_PUSHBUTTON || type == BS_PUSHBOX || type == BS_OWNERDRAW)
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    if (isRadioType(type))
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (type == BS_GROUPBOX)
        return DLGC_STATIC;
    return DLGC_BUTTON;
}

void setPushed(HWND h, ButtonState& s, bool pushed)
{
    if (s.pushed == pushed)
        return;
    s.pushed = pushed;
    InvalidateRect(h, nullptr, FALSE);
}

// The siblings of a radio button in its group: from the sibling with WS_GROUP at or before it to
// the next one with WS_GROUP.
std::vector<HWND> groupOf(HWND h)
{
    std::vector<HWND> siblings;
    for (HWND c = GetWindow(GetParent(h), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        siblings.push_back(c);
    std::size_t at = 0;
    while (at < siblings.size() && siblings[at] != h)
        ++at;
    if (at == siblings.size())
        return { h };
    std::size_t first = at;
    while (first > 0 && !(styleOf(siblings[first]) & WS_GROUP))
        --first;
    std::size_t last = at + 1;
    while (last < siblings.size() && !(styleOf(siblings[last]) & WS_GROUP))
        ++last;
    return { siblings.begin() + static_cast<std::ptrdiff_t>(first),
        siblings.begin() + static_cast<std::ptrdiff_t>(last) };
}

void setCheck(HWND h, ButtonState& s, UINT check)
{
    const DWORD type = typeOf(h);
    if (!isCheckType(type) && !isRadioType(type))
        return;
    if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE)
        check = BST_CHECKED;
    if (check > BST_INDETERMINATE)
        check = BST_CHECKED;
    if (isRadioType(type)) {
        // The checked button of a group is the one Tab stops at.
        const DWORD style = styleOf(h);
        const DWORD wanted = check ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        if (wanted != style)
            SetWindowLong(h, GWL_STYLE, static_cast<LONG>(wanted));
    }
    if (s.check != check) {
        s.check = check;
        InvalidateRect(h, nullptr, FALSE);
    }
}

// What a click does: the automatic kinds change their state, then the parent hears BN_CLICKED.
void click(HWND h)
{
    ButtonState* s = ControlState<ButtonState>(h);
    if (!s)
        return;
    switch (typeOf(h)) {
    case BS_AUTOCHECKBOX:
        setCheck(h, *s, s->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        setCheck(h, *s, (s->check + 1) % 3);
        break;
    case BS_AUTORADIOBUTTON:
        for (HWND other : groupOf(h))
            if (other != h && (SendMessage(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
                SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
        setCheck(h, *s, BST_CHECKED);
        break;
    default:
        break;
    }
    NotifyParent(h, BN_CLICKED);
}

void drawText(HWND h, HDC hdc, RECT r, UINT format)
{
    const std::string text = WindowTextOf(h);
    if (text.empty())
        return;
    SetBkMode(hdc, TRANSPARENT);
    if (!IsWindowEnabled(h))
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    if (!(styleOf(h) & BS_MULTILINE))
        format |= DT_SINGLELINE;
    else
        format |= DT_WORDBREAK;
    DrawText(hdc, text.c_str(), -1, &r, format);
}

UINT horizontalFormat(HWND h, UINT fallback)
{
    switch (styleOf(h) & BS_CENTER) {
    case BS_LEFT:
        return DT_LEFT;
    case BS_RIGHT:
        return DT_RIGHT;
    case BS_CENTER:
        return DT_CENTER;
    default:
        return fallback;
    }
}

void paintPush(HWND h, HDC hdc, const ButtonState& s, RECT r, bool pushedLook)
{
    ControlColors(h, hdc, WM_CTLCOLORBTN);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    if (typeOf(h) == BS_DEFPUSHBUTTON) {
        FrameRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(hdc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushedLook ? DFCS_PUSHED : 0));
    RECT text = r;
    InflateRect(&text, -2, -2);
    if (pushedLook)
        OffsetRect(&text, 1, 1);
    if (s.image && (styleOf(h) & (BS_ICON | BS_BITMAP))) {
        if (s.imageType == IMAGE_ICON) {
            DrawIcon(hdc, (text.left + text.right - GetSystemMetrics(SM_CXICON)) / 2,
                (text.top + text.bottom - GetSystemMetrics(SM_CYICON)) / 2, static_cast<HICON>(s.image));
        } else {
            BITMAP bm {};
            GetObject(s.image, sizeof bm, &bm);
            HDC mem = CreateCompatibleDC(hdc);
            HGDIOBJ old = SelectObject(mem, s.image);
            BitBlt(hdc, (text.left + text.right - bm.bmWidth) / 2, (text.top + text.bottom - bm.bmHeight) / 2,
                bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
    } else {
        drawText(h, hdc, text, horizontalFormat(h, DT_CENTER) | DT_VCENTER);
    }
    if (s.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(hdc, &focus);
    }
}

void paintCheck(HWND h, HDC hdc, const ButtonState& s, RECT r)
{
    const DWORD type = typeOf(h);
    HBRUSH brush = ControlColors(h, hdc, WM_CTLCOLORSTATIC);
    FillRect(hdc, &r, brush);
    const bool leftText = (styleOf(h) & BS_LEFTTEXT) != 0;
    RECT box;
    box.top = (r.top + r.bottom - kBoxSize) / 2;
    box.bottom = box.top + kBoxSize;
    box.left = leftText ? r.right - kBoxSize : r.left;
    box.right = box.left + kBoxSize;
    UINT state = isRadioType(type) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (s.check == BST_CHECKED)
        state |= DFCS_CHECKED;
    else if (s.check == BST_INDETERMINATE)
        state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (s.pushed)
        state |= DFCS_PUSHED;
    if (!IsWindowEnabled(h))
        state |= DFCS_INACTIVE;
    DrawFrameControl(hdc, &box, DFC_BUTTON, state);
    RECT text = r;
    if (leftText)
        text.right = box.left - kTextGap;
    else
        text.left = box.right + kTextGap;
    drawText(h, hdc, text, horizontalFormat(h, DT_LEFT) | DT_VCENTER);
    if (s.focused && !WindowTextOf(h).empty()) {
        RECT measure = text;
        HDC dc = hdc;
        DrawText(dc, WindowTextOf(h).c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
        const int height = measure.bottom - measure.top;
        measure.top = (text.top + text.bottom - height) / 2 - 1;
        measure.bottom = measure.top + height + 2;
        measure.left -= 1;
        measure.right = std::min(measure.right + 1, text.right);
        DrawFocusRect(hdc, &measure);
    }
}

// Only the frame and the label's background: the controls the box surrounds lie under it and must
// show through.
void paintGroup(HWND h, HDC hdc, RECT r)
{
    HBRUSH brush = ControlColors(h, hdc, WM_CTLCOLORSTATIC);
    TEXTMETRIC tm {};
    GetTextMetrics(hdc, &tm);
    RECT frame = r;
    frame.top += tm.tmHeight / 2;
    DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
    const std::string text = WindowTextOf(h);
    if (text.empty())
        return;
    RECT label { r.left + 8, r.top, r.right - 8, r.top + tm.tmHeight };
    DrawText(hdc, text.c_str(), -1, &label, DT_CALCRECT | DT_SINGLELINE);
    label.right = std::min(label.right + 2, r.right - 8);
    label.left -= 2;
    FillRect(hdc, &label, brush);
    label.left += 2;
    drawText(h, hdc, label, DT_LEFT);
}

void paint(HWND h, HDC hdc, ButtonState& s)
{
    RECT r;
    GetClientRect(h, &r);
    HGDIOBJ oldFont = SelectObject(hdc, FontOr(s.font));
    const DWORD type = typeOf(h);
    if (type == BS_OWNERDRAW) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState
            = (s.pushed ? ODS_SELECTED : 0) | (s.focused ? ODS_FOCUS : 0) | (IsWindowEnabled(h) ? 0 : ODS_DISABLED);
        dis.hwndItem = h;
        dis.hDC = hdc;
        dis.rcItem = r;
        SendMessage(GetParent(h), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    } else if (type == BS_GROUPBOX) {
        paintGroup(h, hdc, r);
    } else if ((isCheckType(type) || isRadioType(type)) && !(styleOf(h) & BS_PUSHLIKE)) {
        paintCheck(h, hdc, s, r);
    } else {
        paintPush(h, hdc, s, r, s.pushed || s.check == BST_CHECKED);
    }
    SelectObject(hdc, oldFont);
}

} // namespace

LRESULT ButtonProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ButtonState* s = ControlState<ButtonState>(h);
    if (!s && msg != WM_NCCREATE)
        return DefWindowProc(h, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        CreateControlState<ButtonState>(h);
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_NCDESTROY:
        DestroyControlState<ButtonState>(h);
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return dialogCode(h);
    case WM_NCHITTEST:
        // A group box is only a frame: the pointer goes through it to what it surrounds.
        if (typeOf(h) == BS_GROUPBOX)
            return HTTRANSPARENT;
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintControl(h, [&](HDC hdc) { paint(h, hdc, *s); });
    case WM_PRINTCLIENT:
        paint(h, reinterpret_cast<HDC>(wParam), *s);
        return 0;
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProc(h, msg, wParam, lParam);
        InvalidateRect(h, nullptr, FALSE);
        return r;
    }
    case WM_ENABLE:
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_LBUTTONDBLCLK:
        if (isRadioType(typeOf(h)) || typeOf(h) == BS_OWNERDRAW || (styleOf(h) & BS_NOTIFY))
            NotifyParent(h, BN_DBLCLK);
        if (!IsWindow(h))
            return 0;
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        if (typeOf(h) == BS_GROUPBOX)
            return 0;
        s->tracking = true;
        SetCapture(h);
        if (GetFocus() != h)
            SetFocus(h);
        if ((s = ControlState<ButtonState>(h)))
            setPushed(h, *s, true);
        return 0;
    case WM_MOUSEMOVE:
        if (s->tracking) {
            RECT r;
            GetClientRect(h, &r);
            setPushed(h, *s, PtInRect(&r, POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }) != FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (s->tracking) {
            s->tracking = false;
            const bool wasPushed = s->pushed;
            setPushed(h, *s, false);
            if (GetCapture() == h)
                ReleaseCapture();
            if (wasPushed)
                click(h);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (s->tracking) {
            s->tracking = false;
            setPushed(h, *s, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !(lParam & KF_REPEAT_BIT) && typeOf(h) != BS_GROUPBOX) {
            s->spaceDown = true;
            setPushed(h, *s, true);
            return 0;
        }
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_KEYUP:
        if (wParam == VK_SPACE && s->spaceDown) {
            s->spaceDown = false;
            const bool wasPushed = s->pushed;
            setPushed(h, *s, false);
            if (wasPushed)
                click(h);
            return 0;
        }
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_SETFOCUS:
        s->focused = true;
        InvalidateRect(h, nullptr, FALSE);
        if (isPushType(typeOf(h)))
            if (HWND dlg = DialogOf(h))
                ShowDefaultButton(dlg, h);
        if (styleOf(h) & BS_NOTIFY)
            NotifyParent(h, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS: {
        s->focused = false;
        s->spaceDown = false;
        if (s->tracking && GetCapture() == h)
            ReleaseCapture();
        setPushed(h, *s, false);
        InvalidateRect(h, nullptr, FALSE);
        HWND next = reinterpret_cast<HWND>(wParam);
        if (isPushType(typeOf(h)))
            if (HWND dlg = DialogOf(h))
                if (!next || !(SendMessage(next, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
                    ShowDefaultButton(dlg, next);
        if (IsWindow(h) && (styleOf(h) & BS_NOTIFY))
            NotifyParent(h, BN_KILLFOCUS);
        return 0;
    }
    case BM_GETCHECK:
        return (isCheckType(typeOf(h)) || isRadioType(typeOf(h))) ? s->check : BST_UNCHECKED;
    case BM_SETCHECK:
        setCheck(h, *s, static_cast<UINT>(wParam));
        return 0;
    case BM_GETSTATE:
        return s->check | (s->pushed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        setPushed(h, *s, wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        const DWORD style = (styleOf(h) & 0xFFFF0000u) | (static_cast<DWORD>(wParam) & 0xFFFF);
        if (style != styleOf(h))
            SetWindowLong(h, GWL_STYLE, static_cast<LONG>(style));
        if (lParam)
            InvalidateRect(h, nullptr, FALSE);
        return 0;
    }
    case BM_CLICK:
        if (IsWindowEnabled(h) && typeOf(h) != BS_GROUPBOX)
            click(h);
        return 0;
    case BM_SETIMAGE: {
        HANDLE old = s->image;
        s->image = reinterpret_cast<HANDLE>(lParam);
        s->imageType = static_cast<UINT>(wParam);
        InvalidateRect(h, nullptr, FALSE);
        return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE:
        return wParam == s->imageType ? reinterpret_cast<LRESULT>(s->image) : 0;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

} // namespace platform::user
