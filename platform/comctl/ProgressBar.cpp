#include "platform/comctl/ProgressBar.h"

#include <algorithm>

namespace platform::comctl {

namespace {

constexpr int kBlockGap = 2;

} // namespace

int ProgressBar::moveTo(int position)
{
    const int previous = m_pos;
    m_pos = std::clamp(position, std::min(m_low, m_high), std::max(m_low, m_high));
    if (m_pos != previous)
        InvalidateRect(m_hwnd, nullptr, TRUE);
    return previous;
}

void ProgressBar::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT r {};
    GetClientRect(m_hwnd, &r);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    HBRUSH back = m_bkColour == CLR_DEFAULT ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(m_bkColour);
    FillRect(dc, &r, back);
    if (m_bkColour != CLR_DEFAULT)
        DeleteObject(back);
    InflateRect(&r, -1, -1);

    const bool vertical = (GetWindowLongPtr(m_hwnd, GWL_STYLE) & PBS_VERTICAL) != 0;
    const bool smooth = (GetWindowLongPtr(m_hwnd, GWL_STYLE) & PBS_SMOOTH) != 0;
    const int span = vertical ? r.bottom - r.top : r.right - r.left;
    const long long range = static_cast<long long>(m_high) - m_low;
    const int filled = range == 0 || span <= 0 ? 0 : static_cast<int>((static_cast<long long>(m_pos) - m_low) * span / range);
    HBRUSH bar = m_barColour == CLR_DEFAULT ? GetSysColorBrush(COLOR_HIGHLIGHT) : CreateSolidBrush(m_barColour);
    // Blocks are two thirds as long as the bar is thick; a partly reached block is drawn whole,
    // clipped to the well.
    const int thickness = vertical ? r.right - r.left : r.bottom - r.top;
    const int block = smooth ? filled : std::max(1, thickness * 2 / 3);
    for (int at = 0; at < filled; at += block + (smooth ? 0 : kBlockGap)) {
        const int end = std::min(at + block, span);
        RECT piece = vertical ? RECT { r.left, r.bottom - end, r.right, r.bottom - at }
                              : RECT { r.left + at, r.top, r.left + end, r.bottom };
        FillRect(dc, &piece, bar);
        if (smooth)
            break;
    }
    if (m_barColour != CLR_DEFAULT)
        DeleteObject(bar);
    EndPaint(m_hwnd, &ps);
}

LRESULT ProgressBar::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
        const LRESULT previous = MAKELRESULT(static_cast<unsigned>(m_low), static_cast<unsigned>(m_high));
        if (message == PBM_SETRANGE) {
            m_low = static_cast<short>(LOWORD(lParam));
            m_high = static_cast<short>(HIWORD(lParam));
        } else {
            m_low = static_cast<int>(wParam);
            m_high = static_cast<int>(lParam);
        }
        moveTo(m_pos);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return previous;
    }
    case PBM_GETRANGE: {
        if (auto* out = reinterpret_cast<PBRANGE*>(lParam)) {
            out->iLow = m_low;
            out->iHigh = m_high;
        }
        return wParam ? m_low : m_high;
    }
    case PBM_SETPOS:
        return moveTo(static_cast<int>(wParam));
    case PBM_DELTAPOS:
        return moveTo(m_pos + static_cast<int>(wParam));
    case PBM_GETPOS:
        return m_pos;
    case PBM_SETSTEP: {
        const int previous = m_step;
        m_step = static_cast<int>(wParam);
        return previous;
    }
    case PBM_STEPIT: {
        // Past either end the bar starts over from the other end.
        const long long range = static_cast<long long>(m_high) - m_low;
        long long next = static_cast<long long>(m_pos) + m_step;
        if (range > 0 && (next > m_high || next < m_low))
            next = m_low + ((next - m_low) % range + range) % range;
        return moveTo(static_cast<int>(next));
    }
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR: {
        COLORREF& colour = message == PBM_SETBARCOLOR ? m_barColour : m_bkColour;
        const COLORREF previous = colour;
        colour = static_cast<COLORREF>(lParam);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return previous;
    }
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::comctl
