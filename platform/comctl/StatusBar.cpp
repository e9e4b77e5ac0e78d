#include "platform/comctl/StatusBar.h"

#include <algorithm>
#include <cstring>

#include "platform/comctl/ControlClasses.h"

namespace platform::comctl {

namespace {

constexpr std::size_t kMaxParts = 256;
constexpr int kTextMargin = 3;

LRESULT TextResult(std::size_t length, WPARAM kind)
{
    return MAKELRESULT(static_cast<unsigned>(std::min<std::size_t>(length, 0xFFFF)), static_cast<unsigned>(kind));
}

} // namespace

int StatusBar::idealHeight() const
{
    // The text with a pixel of edge above and below, or the minimum the owner asked for, inside
    // the bar's own borders.
    return std::max(ControlFontHeight(m_hwnd, m_font) + 2, m_minHeight) + 2 * kBorderY;
}

void StatusBar::layout()
{
    const DWORD style = static_cast<DWORD>(GetWindowLongPtr(m_hwnd, GWL_STYLE));
    HWND parent = GetParent(m_hwnd);
    if ((style & CCS_NORESIZE) || !parent || m_laying)
        return;
    RECT client {};
    GetClientRect(parent, &client);
    RECT mine {};
    GetWindowRect(m_hwnd, &mine);
    POINT at { mine.left, mine.top };
    ScreenToClient(parent, &at);
    const int height = idealHeight();
    int y = at.y;
    if (!(style & (CCS_NOPARENTALIGN | CCS_NOMOVEY)))
        y = (style & CCS_BOTTOM) == CCS_TOP ? 0 : client.bottom - height;
    const int x = (style & CCS_NOPARENTALIGN) ? at.x : 0;
    m_laying = true;
    SetWindowPos(m_hwnd, nullptr, x, y, client.right - x, height, SWP_NOZORDER | SWP_NOACTIVATE);
    m_laying = false;
}

RECT StatusBar::partRect(int index) const
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    RECT r { kBorderX, kBorderY, client.right - kBorderX, client.bottom - kBorderY };
    if (m_isSimple)
        return r;
    if (index > 0)
        r.left = m_parts[index - 1].right < 0 ? r.right : m_parts[index - 1].right + kGap;
    if (m_parts[index].right >= 0)
        r.right = m_parts[index].right;
    r.right = std::max(r.right, r.left);
    return r;
}

StatusBar::Part* StatusBar::partAt(WPARAM index)
{
    return const_cast<Part*>(static_cast<const StatusBar*>(this)->partAt(index));
}

const StatusBar::Part* StatusBar::partAt(WPARAM index) const
{
    if (index == SB_SIMPLEID)
        return &m_simple;
    return index < m_parts.size() ? &m_parts[index] : nullptr;
}

BOOL StatusBar::setText(WPARAM wParam, LPARAM lParam)
{
    Part* part = partAt(wParam & 0xFF);
    if (!part)
        return FALSE;
    part->kind = wParam & 0xFF00;
    part->data = lParam;
    part->text = (part->kind & SBT_OWNERDRAW) || !lParam ? std::string() : reinterpret_cast<LPCSTR>(lParam);
    if ((wParam & 0xFF) == SB_SIMPLEID || m_isSimple)
        InvalidateRect(m_hwnd, nullptr, TRUE);
    else {
        const RECT r = partRect(static_cast<int>(wParam & 0xFF));
        InvalidateRect(m_hwnd, &r, TRUE);
    }
    return TRUE;
}

LRESULT StatusBar::getText(WPARAM index, LPSTR buffer) const
{
    const Part* part = partAt(index & 0xFF);
    if (!part)
        return 0;
    if (part->kind & SBT_OWNERDRAW)
        return part->data;
    if (buffer)
        std::memcpy(buffer, part->text.c_str(), part->text.size() + 1);
    return TextResult(part->text.size(), part->kind);
}

BOOL StatusBar::setParts(int count, const int* rights)
{
    if (count <= 0 || static_cast<std::size_t>(count) > kMaxParts || !rights)
        return FALSE;
    m_parts.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        m_parts[i].right = rights[i];
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return TRUE;
}

void StatusBar::drawPart(HDC dc, int index, const Part& part, RECT rect)
{
    if (!(part.kind & SBT_NOBORDERS))
        DrawEdge(dc, &rect, (part.kind & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (part.kind & SBT_OWNERDRAW) {
        DRAWITEMSTRUCT dis {};
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(m_hwnd));
        dis.itemID = static_cast<UINT>(index);
        dis.hwndItem = m_hwnd;
        dis.hDC = dc;
        dis.rcItem = rect;
        dis.itemData = static_cast<ULONG_PTR>(part.data);
        SendMessage(GetParent(m_hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    // Tabs split the text into a left, a centred and a right piece.
    RECT inner { rect.left + kTextMargin, rect.top, rect.right - kTextMargin, rect.bottom };
    const UINT formats[] = { DT_LEFT, DT_CENTER, DT_RIGHT };
    std::size_t start = 0;
    for (int piece = 0; piece < 3 && start <= part.text.size(); ++piece) {
        std::size_t end = (part.kind & SBT_NOTABPARSING) || piece == 2 ? std::string::npos : part.text.find('\t', start);
        const std::string text = part.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        DrawText(dc, text.c_str(), static_cast<int>(text.size()), &inner,
            formats[piece] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
}

void StatusBar::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client {};
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if (m_isSimple)
        drawPart(dc, SB_SIMPLEID, m_simple, partRect(0));
    else
        for (std::size_t i = 0; i < m_parts.size(); ++i)
            drawPart(dc, static_cast<int>(i), m_parts[i], partRect(static_cast<int>(i)));
    if (GetWindowLongPtr(m_hwnd, GWL_STYLE) & SBARS_SIZEGRIP) {
        const int size = GetSystemMetrics(SM_CXVSCROLL);
        RECT grip { client.right - size, client.bottom - size, client.right, client.bottom };
        DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
    SelectObject(dc, oldFont);
    EndPaint(m_hwnd, &ps);
}

LRESULT StatusBar::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam); cs && cs->lpszName)
            m_parts[0].text = cs->lpszName;
        layout();
        return 0;
    case WM_SIZE:
        // The owner passes its own WM_SIZE on so the bar follows the parent's new size.
        layout();
        return 0;
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETTEXT:
        return setText(0, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m_parts[0].text.size());
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        const std::size_t n = std::min(m_parts[0].text.size(), static_cast<std::size_t>(wParam) - 1);
        std::memcpy(reinterpret_cast<LPSTR>(lParam), m_parts[0].text.data(), n);
        reinterpret_cast<LPSTR>(lParam)[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_NCHITTEST: {
        // The size grip sizes the parent, as the frame's bottom-right corner would.
        if (GetWindowLongPtr(m_hwnd, GWL_STYLE) & SBARS_SIZEGRIP) {
            POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
            ScreenToClient(m_hwnd, &pt);
            RECT client {};
            GetClientRect(m_hwnd, &client);
            const int size = GetSystemMetrics(SM_CXVSCROLL);
            if (pt.x >= client.right - size && pt.y >= client.bottom - size)
                return HTBOTTOMRIGHT;
        }
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
    case SB_SETTEXT:
        return setText(wParam, lParam);
    case SB_GETTEXT:
    case SB_GETTEXTLENGTH:
        return getText(wParam, message == SB_GETTEXT ? reinterpret_cast<LPSTR>(lParam) : nullptr);
    case SB_SETPARTS:
        return setParts(static_cast<int>(wParam), reinterpret_cast<const int*>(lParam));
    case SB_GETPARTS: {
        auto* out = reinterpret_cast<int*>(lParam);
        for (std::size_t i = 0; out && i < std::min<std::size_t>(wParam, m_parts.size()); ++i)
            out[i] = m_parts[i].right;
        return static_cast<LRESULT>(m_parts.size());
    }
    case SB_GETBORDERS: {
        auto* out = reinterpret_cast<int*>(lParam);
        if (!out)
            return FALSE;
        out[0] = kBorderX;
        out[1] = kBorderY;
        out[2] = kGap;
        return TRUE;
    }
    case SB_SETMINHEIGHT:
        m_minHeight = static_cast<int>(wParam);
        return TRUE;
    case SB_GETRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!out || (m_isSimple ? wParam != 0 : wParam >= m_parts.size()))
            return FALSE;
        *out = partRect(static_cast<int>(wParam));
        return TRUE;
    }
    case SB_SIMPLE:
        if (m_isSimple != (wParam != 0)) {
            m_isSimple = wParam != 0;
            NMHDR header;
            SendNotify(m_hwnd, SBN_SIMPLEMODECHANGE, header);
            InvalidateRect(m_hwnd, nullptr, TRUE);
        }
        return 0;
    case SB_ISSIMPLE:
        return m_isSimple;
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::comctl
