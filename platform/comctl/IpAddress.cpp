#include "platform/comctl/IpAddress.h"

#include <algorithm>
#include <cstring>

#include "platform/comctl/ControlClasses.h"

namespace platform::comctl {

namespace {

constexpr std::size_t kMaxDigits = 3;

int ValueOf(const std::string& digits) { return digits.empty() ? -1 : std::stoi(digits); }

} // namespace

void IpAddress::settle()
{
    Field& f = m_fields[static_cast<std::size_t>(m_current)];
    if (!f.digits.empty()) {
        const int value = std::clamp(ValueOf(f.digits), static_cast<int>(f.low), static_cast<int>(f.high));
        f.digits = std::to_string(value);
    }
    if (f.digits == m_entered)
        return;
    NMIPADDRESS nm;
    nm.iField = m_current;
    nm.iValue = ValueOf(f.digits);
    SendNotify(m_hwnd, IPN_FIELDCHANGED, nm.hdr);
    // The parent may have put another value in; it is held to the range like a typed one.
    f.digits = nm.iValue < 0 ? std::string()
                             : std::to_string(std::clamp(nm.iValue, static_cast<int>(f.low), static_cast<int>(f.high)));
    m_entered = f.digits;
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void IpAddress::enter(int field)
{
    field = std::clamp(field, 0, kFields - 1);
    settle();
    m_current = field;
    m_entered = m_fields[static_cast<std::size_t>(field)].digits;
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void IpAddress::changed()
{
    InvalidateRect(m_hwnd, nullptr, TRUE);
    SendMessage(GetParent(m_hwnd), WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID(m_hwnd)), EN_CHANGE),
        reinterpret_cast<LPARAM>(m_hwnd));
}

void IpAddress::typeChar(char c)
{
    Field& f = m_fields[static_cast<std::size_t>(m_current)];
    if (c >= '0' && c <= '9') {
        if (f.digits.size() >= kMaxDigits) {
            if (m_current == kFields - 1)
                return; // the last field is full: the digit has nowhere to go
            enter(m_current + 1);
            typeChar(c);
            return;
        }
        f.digits += c;
        changed();
        if (f.digits.size() == kMaxDigits && m_current < kFields - 1)
            enter(m_current + 1);
    } else if ((c == '.' || c == ' ') && !f.digits.empty() && m_current < kFields - 1) {
        enter(m_current + 1);
    } else if (c == '\b') {
        if (f.digits.empty()) {
            if (m_current > 0) {
                enter(m_current - 1);
                Field& previous = m_fields[static_cast<std::size_t>(m_current)];
                if (!previous.digits.empty()) {
                    previous.digits.pop_back();
                    changed();
                }
            }
        } else {
            f.digits.pop_back();
            changed();
        }
    }
}

void IpAddress::keyDown(int vk)
{
    switch (vk) {
    case VK_LEFT:
        enter(m_current - 1);
        break;
    case VK_RIGHT:
        enter(m_current + 1);
        break;
    case VK_HOME:
        enter(0);
        break;
    case VK_END:
        enter(kFields - 1);
        break;
    case VK_DELETE:
        if (!m_fields[static_cast<std::size_t>(m_current)].digits.empty()) {
            m_fields[static_cast<std::size_t>(m_current)].digits.clear();
            changed();
        }
        break;
    default:
        break;
    }
}

void IpAddress::setAddress(DWORD a)
{
    for (int i = 0; i < kFields; ++i) {
        Field& f = m_fields[static_cast<std::size_t>(i)];
        const int value = static_cast<int>((a >> (8 * (kFields - 1 - i))) & 0xFF);
        f.digits = std::to_string(std::clamp(value, static_cast<int>(f.low), static_cast<int>(f.high)));
    }
    m_entered = m_fields[static_cast<std::size_t>(m_current)].digits;
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

DWORD IpAddress::address() const
{
    DWORD a = 0;
    for (const auto& f : m_fields)
        a = (a << 8) | static_cast<DWORD>(std::max(ValueOf(f.digits), 0) & 0xFF);
    return a;
}

int IpAddress::filledCount() const
{
    return static_cast<int>(std::count_if(m_fields.begin(), m_fields.end(), [](const Field& f) { return !f.digits.empty(); }));
}

std::string IpAddress::text() const
{
    std::string out;
    for (int i = 0; i < kFields; ++i)
        out += (i ? "." : "") + m_fields[static_cast<std::size_t>(i)].digits;
    return out;
}

RECT IpAddress::cell(int field) const
{
    RECT r {};
    GetClientRect(m_hwnd, &r);
    InflateRect(&r, -2, -2);
    const int width = (r.right - r.left) / kFields;
    return { r.left + field * width, r.top, r.left + (field + 1) * width, r.bottom };
}

void IpAddress::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT r {};
    GetClientRect(m_hwnd, &r);
    const bool enabled = IsWindowEnabled(m_hwnd) != FALSE;
    FillRect(dc, &r, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(nullptr));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    for (int i = 0; i < kFields; ++i) {
        RECT c = cell(i);
        const std::string& digits = m_fields[static_cast<std::size_t>(i)].digits;
        DrawText(dc, digits.c_str(), static_cast<int>(digits.size()), &c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (i < kFields - 1) {
            RECT dot { c.right - 2, c.top, c.right + 2, c.bottom };
            DrawText(dc, ".", 1, &dot, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        }
        if (m_focused && i == m_current) {
            RECT focus = c;
            InflateRect(&focus, -3, -1);
            DrawFocusRect(dc, &focus);
        }
    }
    SelectObject(dc, oldFont);
    EndPaint(m_hwnd, &ps);
}

LRESULT IpAddress::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_SETFOCUS:
        m_focused = true;
        m_entered = m_fields[static_cast<std::size_t>(m_current)].digits;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_KILLFOCUS:
        settle();
        m_focused = false;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN: {
        const POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        int field = kFields - 1;
        for (int i = 0; i < kFields; ++i) {
            const RECT c = cell(i);
            if (pt.x < c.right) {
                field = i;
                break;
            }
        }
        if (GetFocus() != m_hwnd)
            SetFocus(m_hwnd);
        enter(field);
        return 0;
    }
    case WM_CHAR:
        typeChar(static_cast<char>(wParam));
        return 0;
    case WM_KEYDOWN:
        keyDown(static_cast<int>(wParam));
        return 0;
    case WM_SETTEXT: {
        // "a.b.c.d"; anything else leaves the address as it was.
        const char* s = reinterpret_cast<const char*>(lParam);
        unsigned parts[4] {};
        int used = 0;
        if (!s || std::sscanf(s, "%u.%u.%u.%u%n", &parts[0], &parts[1], &parts[2], &parts[3], &used) != 4
            || s[used] != '\0' || parts[0] > 255 || parts[1] > 255 || parts[2] > 255 || parts[3] > 255)
            return FALSE;
        setAddress(static_cast<DWORD>(MAKEIPADDRESS(parts[0], parts[1], parts[2], parts[3])));
        return TRUE;
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(text().size());
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        const std::string t = text();
        const std::size_t n = std::min(t.size(), static_cast<std::size_t>(wParam) - 1);
        std::memcpy(reinterpret_cast<LPSTR>(lParam), t.data(), n);
        reinterpret_cast<LPSTR>(lParam)[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case IPM_CLEARADDRESS:
        for (auto& f : m_fields)
            f.digits.clear();
        m_entered.clear();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case IPM_SETADDRESS:
        setAddress(static_cast<DWORD>(lParam));
        return TRUE;
    case IPM_GETADDRESS:
        if (auto* out = reinterpret_cast<DWORD*>(lParam))
            *out = address();
        return filledCount();
    case IPM_SETRANGE: {
        if (wParam >= kFields)
            return FALSE;
        const BYTE low = static_cast<BYTE>(lParam & 0xFF);
        const BYTE high = static_cast<BYTE>((lParam >> 8) & 0xFF);
        if (low > high)
            return FALSE;
        Field& f = m_fields[wParam];
        f.low = low;
        f.high = high;
        if (!f.digits.empty())
            f.digits = std::to_string(std::clamp(ValueOf(f.digits), static_cast<int>(low), static_cast<int>(high)));
        return TRUE;
    }
    case IPM_SETFOCUS:
        if (GetFocus() != m_hwnd)
            SetFocus(m_hwnd);
        enter(wParam < kFields ? static_cast<int>(wParam) : 0);
        return 0;
    case IPM_ISBLANK:
        return filledCount() == 0;
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::comctl
