#include "platform/comctl/UpDown.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/base/Clock.h"
#include "platform/comctl/ControlClasses.h"

namespace platform::comctl {

namespace {

// The property that links a buddy to the up-down control that subclassed it.
constexpr const char* kBuddyProp = "tscomctl.updown";

DWORD Ticks() { return static_cast<DWORD>(platform::CurrentUptime().count()); }

} // namespace

int UpDown::clampOrWrap(long long position) const
{
    const int low = std::min(m_lower, m_upper);
    const int high = std::max(m_lower, m_upper);
    if (position >= low && position <= high)
        return static_cast<int>(position);
    if (style() & UDS_WRAP)
        return static_cast<int>(position > high ? low : high);
    return static_cast<int>(std::clamp<long long>(position, low, high));
}

bool UpDown::setPosition(int position)
{
    const int next = clampOrWrap(position);
    if (next == m_pos)
        return false;
    m_pos = next;
    updateBuddy();
    return true;
}

void UpDown::updateBuddy() const
{
    if (!m_buddy || !(style() & UDS_SETBUDDYINT))
        return;
    std::string text;
    if (m_base == 16) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(m_pos) & 0xFFFF);
        text = buffer;
    } else {
        text = std::to_string(std::abs(static_cast<long long>(m_pos)));
        // Thousands separators unless the style says otherwise.
        if (!(style() & UDS_NOTHOUSANDS))
            for (int at = static_cast<int>(text.size()) - 3; at > 0; at -= 3)
                text.insert(text.begin() + at, ',');
        if (m_pos < 0)
            text.insert(text.begin(), '-');
    }
    SetWindowText(m_buddy, text.c_str());
}

bool UpDown::readBuddy()
{
    if (!m_buddy || !(style() & UDS_SETBUDDYINT))
        return true;
    char text[64] {};
    GetWindowText(m_buddy, text, sizeof text);
    std::string digits;
    for (const char* c = text; *c; ++c)
        if (*c != ',' && *c != ' ')
            digits += *c;
    if (digits.empty())
        return false;
    char* end = nullptr;
    const long value = std::strtol(digits.c_str(), &end, m_base == 16 ? 16 : 10);
    if (*end != '\0')
        return false;
    m_pos = clampOrWrap(value);
    return true;
}

int UpDown::increment() const
{
    const DWORD heldSeconds = m_pressed ? (Ticks() - m_pressTick) / 1000 : 0;
    UINT inc = m_accel.empty() ? 1 : m_accel.front().nInc;
    for (const auto& a : m_accel)
        if (a.nSec <= heldSeconds)
            inc = a.nInc;
    return static_cast<int>(inc);
}

void UpDown::step(bool up)
{
    readBuddy();
    // "Up" goes towards the upper end of the range, whichever way round the range is.
    const int sign = (m_upper >= m_lower) == up ? 1 : -1;
    NMUPDOWN nm;
    nm.iPos = m_pos;
    nm.iDelta = sign * increment();
    if (SendNotify(m_hwnd, UDN_DELTAPOS, nm.hdr))
        return; // the parent refused the step
    if (!setPosition(static_cast<int>(std::clamp<long long>(static_cast<long long>(m_pos) + nm.iDelta, INT_MIN, INT_MAX))))
        return;
    const UINT scroll = (style() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendMessage(GetParent(m_hwnd), scroll, MAKEWPARAM(SB_THUMBPOSITION, static_cast<unsigned>(m_pos)),
        reinterpret_cast<LPARAM>(m_hwnd));
}

void UpDown::setBuddy(HWND buddy)
{
    if (m_buddy && m_buddyProc) {
        SetWindowLongPtr(m_buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_buddyProc));
        RemoveProp(m_buddy, kBuddyProp);
    }
    m_buddy = buddy && IsWindow(buddy) ? buddy : nullptr;
    m_buddyProc = nullptr;
    if (!m_buddy)
        return;
    if (style() & UDS_ARROWKEYS) {
        SetProp(m_buddy, kBuddyProp, m_hwnd);
        m_buddyProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(m_buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UpDown::BuddyProc)));
    }
    if (style() & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) {
        // Sit beside the buddy, inside the space it had, so the pair keeps its place in a dialog.
        RECT b {};
        GetWindowRect(m_buddy, &b);
        MapWindowPoints(nullptr, GetParent(m_hwnd), reinterpret_cast<POINT*>(&b), 2);
        RECT mine {};
        GetWindowRect(m_hwnd, &mine);
        const int width = mine.right - mine.left;
        const int buddyWidth = std::max(0, static_cast<int>(b.right - b.left) - width);
        const bool right = (style() & UDS_ALIGNRIGHT) != 0;
        SetWindowPos(m_buddy, nullptr, right ? b.left : b.left + width, b.top, buddyWidth, b.bottom - b.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(m_hwnd, nullptr, right ? b.left + buddyWidth : b.left, b.top, width, b.bottom - b.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
    }
    updateBuddy();
}

LRESULT UpDown::BuddyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = static_cast<HWND>(GetProp(hwnd, kBuddyProp));
    auto* self = control ? reinterpret_cast<UpDown*>(GetWindowLongPtr(control, 0)) : nullptr;
    if (!self)
        return DefWindowProc(hwnd, message, wParam, lParam);
    WNDPROC next = self->m_buddyProc;
    if (message == WM_KEYDOWN && (wParam == static_cast<WPARAM>(VK_UP) || wParam == static_cast<WPARAM>(VK_DOWN))) {
        self->step(wParam == static_cast<WPARAM>(VK_UP));
        return 0;
    }
    if (message == WM_NCDESTROY) {
        // The buddy goes first: give it back its procedure and forget it.
        self->setBuddy(nullptr);
    }
    return CallWindowProc(next, hwnd, message, wParam, lParam);
}

int UpDown::arrowAt(POINT pt) const
{
    RECT r {};
    GetClientRect(m_hwnd, &r);
    if (!PtInRect(&r, pt))
        return 0;
    if (style() & UDS_HORZ)
        return pt.x >= (r.left + r.right) / 2 ? 1 : -1;
    return pt.y < (r.top + r.bottom) / 2 ? 1 : -1;
}

void UpDown::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT r {};
    GetClientRect(m_hwnd, &r);
    const bool horizontal = (style() & UDS_HORZ) != 0;
    RECT first = r;
    RECT second = r;
    if (horizontal)
        first.right = second.left = (r.left + r.right) / 2;
    else
        first.bottom = second.top = (r.top + r.bottom) / 2;
    const UINT inactive = IsWindowEnabled(m_hwnd) ? 0 : DFCS_INACTIVE;
    // first: up or left (towards the lower end when horizontal), second: down or right.
    DrawFrameControl(dc, &first, DFC_SCROLL,
        (horizontal ? DFCS_SCROLLLEFT : DFCS_SCROLLUP) | inactive
            | ((m_pressed == (horizontal ? -1 : 1)) ? DFCS_PUSHED : 0));
    DrawFrameControl(dc, &second, DFC_SCROLL,
        (horizontal ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN) | inactive
            | ((m_pressed == (horizontal ? 1 : -1)) ? DFCS_PUSHED : 0));
    EndPaint(m_hwnd, &ps);
}

LRESULT UpDown::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (style() & UDS_AUTOBUDDY)
            setBuddy(GetWindow(m_hwnd, GW_HWNDPREV));
        return 0;
    case WM_DESTROY:
        setBuddy(nullptr);
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int arrow = arrowAt({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        if (!arrow)
            return 0;
        SetCapture(m_hwnd);
        if (m_buddy)
            SetFocus(m_buddy);
        m_pressed = arrow;
        m_pressTick = Ticks();
        InvalidateRect(m_hwnd, nullptr, FALSE);
        step(arrow > 0);
        SetTimer(m_hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
        return 0;
    }
    case WM_TIMER:
        if (wParam == kRepeatTimer && m_pressed) {
            SetTimer(m_hwnd, kRepeatTimer, kRepeatMs, nullptr);
            step(m_pressed > 0);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_pressed) {
            m_pressed = 0;
            KillTimer(m_hwnd, kRepeatTimer);
            InvalidateRect(m_hwnd, nullptr, FALSE);
            if (message == WM_LBUTTONUP)
                ReleaseCapture();
            const UINT scroll = (style() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
            SendMessage(GetParent(m_hwnd), scroll, MAKEWPARAM(SB_ENDSCROLL, static_cast<unsigned>(m_pos)),
                reinterpret_cast<LPARAM>(m_hwnd));
        }
        return 0;
    case WM_KEYDOWN:
        if ((style() & UDS_ARROWKEYS) && (wParam == static_cast<WPARAM>(VK_UP) || wParam == static_cast<WPARAM>(VK_DOWN)))
            step(wParam == static_cast<WPARAM>(VK_UP));
        return 0;
    case UDM_SETRANGE:
        m_upper = static_cast<short>(LOWORD(lParam));
        m_lower = static_cast<short>(HIWORD(lParam));
        setPosition(m_pos);
        return 0;
    case UDM_SETRANGE32:
        m_lower = static_cast<int>(wParam);
        m_upper = static_cast<int>(lParam);
        setPosition(m_pos);
        return 0;
    case UDM_GETRANGE:
        return MAKELRESULT(static_cast<unsigned>(m_upper), static_cast<unsigned>(m_lower));
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = m_lower;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = m_upper;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        const int previous = m_pos;
        const int wanted = message == UDM_SETPOS ? static_cast<short>(LOWORD(lParam)) : static_cast<int>(lParam);
        // A position set by the owner is clamped, never wrapped.
        m_pos = std::clamp(wanted, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
        updateBuddy();
        return message == UDM_SETPOS ? static_cast<LRESULT>(static_cast<short>(previous)) : previous;
    }
    case UDM_GETPOS: {
        const bool ok = readBuddy();
        return MAKELRESULT(static_cast<unsigned>(m_pos), ok ? 0U : 1U);
    }
    case UDM_GETPOS32: {
        const bool ok = readBuddy();
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = ok ? FALSE : TRUE;
        return m_pos;
    }
    case UDM_SETBUDDY: {
        HWND previous = m_buddy;
        setBuddy(reinterpret_cast<HWND>(wParam));
        return reinterpret_cast<LRESULT>(previous);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(m_buddy);
    case UDM_SETACCEL: {
        auto* table = reinterpret_cast<const UDACCEL*>(lParam);
        if (!table || wParam == 0)
            return FALSE;
        m_accel.assign(table, table + wParam);
        return TRUE;
    }
    case UDM_GETACCEL: {
        auto* out = reinterpret_cast<UDACCEL*>(lParam);
        for (std::size_t i = 0; out && i < std::min<std::size_t>(wParam, m_accel.size()); ++i)
            out[i] = m_accel[i];
        return static_cast<LRESULT>(m_accel.size());
    }
    case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16)
            return 0;
        const int previous = m_base;
        m_base = static_cast<int>(wParam);
        updateBuddy();
        return previous;
    }
    case UDM_GETBASE:
        return m_base;
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::comctl
