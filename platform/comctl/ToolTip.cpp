#include "platform/comctl/ToolTip.h"

#include <algorithm>
#include <cstring>

#include "platform/base/Clock.h"
#include "platform/comctl/ControlClasses.h"

namespace platform::comctl {

namespace {

constexpr const char* kTipProp = "tscomctl.tooltip";
constexpr const char* kTipProcProp = "tscomctl.tooltip.proc";
constexpr int kMarginX = 3;
constexpr int kMarginY = 1;
// Below the pointer's hot spot, clear of the arrow.
constexpr int kBelowPointer = 20;
constexpr std::size_t kMinToolInfoSize = offsetof(TOOLINFO, lParam);

DWORD Ticks() { return static_cast<DWORD>(platform::CurrentUptime().count()); }

bool IsMouseMessage(UINT m)
{
    return m == WM_MOUSEMOVE || m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_RBUTTONDOWN || m == WM_RBUTTONUP
        || m == WM_MBUTTONDOWN || m == WM_MBUTTONUP || m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK;
}

} // namespace

ToolTip::Tool* ToolTip::find(HWND hwnd, UINT_PTR id)
{
    auto it = std::find_if(m_tools.begin(), m_tools.end(), [&](const Tool& t) { return t.hwnd == hwnd && t.id == id; });
    return it == m_tools.end() ? nullptr : &*it;
}

ToolTip::Tool* ToolTip::toolAt(HWND hwnd, POINT pt)
{
    for (auto& t : m_tools) {
        if ((t.flags & TTF_IDISHWND) && reinterpret_cast<HWND>(t.id) == hwnd)
            return &t;
        if (!(t.flags & TTF_IDISHWND) && t.hwnd == hwnd && PtInRect(&t.rect, pt))
            return &t;
    }
    return nullptr;
}

void ToolTip::fill(const Tool& tool, TOOLINFO& out) const
{
    out.uFlags = tool.flags;
    out.hwnd = tool.hwnd;
    out.uId = tool.id;
    out.rect = tool.rect;
    out.hinst = tool.hinst;
    out.lParam = tool.lParam;
    if (tool.callback)
        out.lpszText = LPSTR_TEXTCALLBACK;
    else if (out.lpszText && out.lpszText != LPSTR_TEXTCALLBACK)
        std::strcpy(out.lpszText, tool.text.c_str()); // the caller's buffer, as large as texts go
}

void ToolTip::takeText(Tool& tool, const TOOLINFO& in)
{
    tool.callback = in.lpszText == LPSTR_TEXTCALLBACK;
    tool.text.clear();
    if (tool.callback || !in.lpszText)
        return;
    if (IS_INTRESOURCE(in.lpszText)) {
        char buffer[1024] {};
        LoadString(in.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(in.lpszText)), buffer, sizeof buffer);
        tool.text = buffer;
    } else {
        tool.text = in.lpszText;
    }
}

bool ToolTip::addTool(const TOOLINFO& info)
{
    if (info.cbSize < kMinToolInfoSize)
        return false;
    Tool* tool = find(info.hwnd, info.uId);
    if (!tool) {
        m_tools.emplace_back();
        tool = &m_tools.back();
    }
    tool->flags = info.uFlags;
    tool->hwnd = info.hwnd;
    tool->id = info.uId;
    tool->rect = info.rect;
    tool->hinst = info.hinst;
    tool->lParam = info.cbSize >= sizeof(TOOLINFO) ? info.lParam : 0;
    takeText(*tool, info);
    if (info.uFlags & TTF_SUBCLASS)
        Subclass((info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) : info.hwnd, m_hwnd);
    return true;
}

void ToolTip::delTool(const TOOLINFO& info)
{
    Tool* tool = find(info.hwnd, info.uId);
    if (!tool)
        return;
    if (m_hasCurrent && m_curHwnd == info.hwnd && m_curId == info.uId) {
        hide();
        m_hasCurrent = false;
        KillTimer(m_hwnd, kInitialTimer);
    }
    if (tool->flags & TTF_SUBCLASS)
        Unsubclass((tool->flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool->id) : tool->hwnd);
    m_tools.erase(m_tools.begin() + (tool - m_tools.data()));
}

int ToolTip::delay(WPARAM which) const
{
    const int initial = m_delays[TTDT_INITIAL] >= 0 ? m_delays[TTDT_INITIAL] : static_cast<int>(GetDoubleClickTime());
    if (m_delays[which] >= 0)
        return m_delays[which];
    switch (which) {
    case TTDT_AUTOPOP:
        return initial * 10;
    case TTDT_RESHOW:
        return initial / 5;
    default:
        return initial;
    }
}

void ToolTip::relay(const MSG& msg)
{
    if (!IsMouseMessage(msg.message))
        return;
    if (msg.message != WM_MOUSEMOVE) {
        // A click on the tool takes the tip away until the pointer comes to another tool.
        hide();
        KillTimer(m_hwnd, kInitialTimer);
        return;
    }
    const POINT pt { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) };
    Tool* tool = m_active ? toolAt(msg.hwnd, pt) : nullptr;
    if (tool && m_hasCurrent && tool->hwnd == m_curHwnd && tool->id == m_curId)
        return;
    const bool wasShown = m_shown;
    hide();
    KillTimer(m_hwnd, kInitialTimer);
    m_hasCurrent = tool != nullptr;
    if (!tool)
        return;
    m_curHwnd = tool->hwnd;
    m_curId = tool->id;
    // Moving from one tip straight to the next tool shows its tip after the short reshow delay.
    const bool recent = wasShown || (m_everShown && Ticks() - m_hiddenAt < static_cast<DWORD>(delay(TTDT_RESHOW)));
    SetTimer(m_hwnd, kInitialTimer, static_cast<UINT>(recent ? delay(TTDT_RESHOW) : delay(TTDT_INITIAL)), nullptr);
}

std::string ToolTip::textFor(Tool& tool)
{
    if (!tool.callback)
        return tool.text;
    NMTTDISPINFO info;
    info.lParam = tool.lParam;
    info.uFlags = tool.flags;
    info.hinst = tool.hinst;
    info.hdr.hwndFrom = m_hwnd;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_GETDISPINFO;
    SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    std::string text;
    if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK) {
        if (IS_INTRESOURCE(info.lpszText)) {
            char buffer[1024] {};
            LoadString(info.hinst, static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.lpszText)), buffer, sizeof buffer);
            text = buffer;
        } else {
            text = info.lpszText;
        }
    } else {
        info.szText[sizeof info.szText - 1] = '\0';
        text = info.szText;
    }
    if (info.uFlags & TTF_DI_SETITEM) {
        tool.text = text;
        tool.callback = false;
    }
    return text;
}

void ToolTip::show()
{
    Tool* tool = m_hasCurrent ? find(m_curHwnd, m_curId) : nullptr;
    if (!tool || !m_active)
        return;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtr(m_hwnd, GWL_STYLE));
    // Without TTS_ALWAYSTIP tips show only for the active window's tools.
    if (!(style & TTS_ALWAYSTIP) && GetAncestor(tool->hwnd, GA_ROOT) != GetActiveWindow())
        return;
    m_text = textFor(*tool);
    if (m_text.empty())
        return;
    NMHDR header;
    header.hwndFrom = m_hwnd;
    header.idFrom = tool->id;
    header.code = TTN_SHOW;
    const bool placed = SendMessage(tool->hwnd, WM_NOTIFY, tool->id, reinterpret_cast<LPARAM>(&header)) != 0;

    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, ControlFont(m_font));
    RECT extent { 0, 0, m_maxWidth > 0 ? m_maxWidth : 0, 0 };
    DrawText(dc, m_text.c_str(), static_cast<int>(m_text.size()), &extent,
        DT_CALCRECT | DT_NOPREFIX | (m_maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);
    const int width = extent.right - extent.left + 2 * (kMarginX + 1);
    const int height = extent.bottom - extent.top + 2 * (kMarginY + 1);
    POINT at {};
    GetCursorPos(&at);
    at.y += kBelowPointer;
    UINT flags = SWP_SHOWWINDOW | SWP_NOACTIVATE;
    if (placed)
        flags |= SWP_NOMOVE; // the tool's window put the tip where it wanted it
    SetWindowPos(m_hwnd, HWND_TOPMOST, at.x, at.y, width, height, flags);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    m_shown = true;
    m_everShown = true;
    SetTimer(m_hwnd, kAutoPopTimer, static_cast<UINT>(delay(TTDT_AUTOPOP)), nullptr);
}

void ToolTip::hide()
{
    KillTimer(m_hwnd, kAutoPopTimer);
    if (!m_shown)
        return;
    m_shown = false;
    m_hiddenAt = Ticks();
    ShowWindow(m_hwnd, SW_HIDE);
    if (Tool* tool = m_hasCurrent ? find(m_curHwnd, m_curId) : nullptr) {
        NMHDR header;
        header.hwndFrom = m_hwnd;
        header.idFrom = tool->id;
        header.code = TTN_POP;
        SendMessage(tool->hwnd, WM_NOTIFY, tool->id, reinterpret_cast<LPARAM>(&header));
    }
}

void ToolTip::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT r {};
    GetClientRect(m_hwnd, &r);
    HBRUSH back = CreateSolidBrush(m_bk == CLR_DEFAULT ? GetSysColor(COLOR_INFOBK) : m_bk);
    FillRect(dc, &r, back);
    DeleteObject(back);
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    HGDIOBJ old = SelectObject(dc, ControlFont(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_fg == CLR_DEFAULT ? GetSysColor(COLOR_INFOTEXT) : m_fg);
    InflateRect(&r, -(kMarginX + 1), -(kMarginY + 1));
    DrawText(dc, m_text.c_str(), static_cast<int>(m_text.size()), &r,
        DT_NOPREFIX | (m_maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    EndPaint(m_hwnd, &ps);
}

void ToolTip::Subclass(HWND tool, HWND tip)
{
    if (!tool || GetProp(tool, kTipProp))
        return;
    SetProp(tool, kTipProp, tip);
    SetProp(tool, kTipProcProp,
        reinterpret_cast<HANDLE>(SetWindowLongPtr(tool, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ToolTip::SubclassProc))));
}

void ToolTip::Unsubclass(HWND tool)
{
    if (!tool || !GetProp(tool, kTipProp))
        return;
    SetWindowLongPtr(tool, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetProp(tool, kTipProcProp)));
    RemoveProp(tool, kTipProp);
    RemoveProp(tool, kTipProcProp);
}

LRESULT ToolTip::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto next = reinterpret_cast<WNDPROC>(GetProp(hwnd, kTipProcProp));
    HWND tip = static_cast<HWND>(GetProp(hwnd, kTipProp));
    if (tip && IsMouseMessage(message)) {
        MSG msg {};
        msg.hwnd = hwnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    if (message == WM_NCDESTROY) {
        Unsubclass(hwnd);
        if (!next)
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return next ? CallWindowProc(next, hwnd, message, wParam, lParam) : DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT ToolTip::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_TIMER:
        if (wParam == kInitialTimer) {
            KillTimer(m_hwnd, kInitialTimer);
            show();
        } else if (wParam == kAutoPopTimer) {
            hide();
        }
        return 0;
    case WM_DESTROY:
        for (const auto& t : m_tools)
            if (t.flags & TTF_SUBCLASS)
                Unsubclass((t.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(t.id) : t.hwnd);
        return 0;
    case TTM_ACTIVATE:
        m_active = wParam != 0;
        if (!m_active) {
            hide();
            KillTimer(m_hwnd, kInitialTimer);
            m_hasCurrent = false;
        }
        return 0;
    case TTM_ADDTOOL:
        return lParam && addTool(*reinterpret_cast<const TOOLINFO*>(lParam));
    case TTM_DELTOOL:
        if (lParam)
            delTool(*reinterpret_cast<const TOOLINFO*>(lParam));
        return 0;
    case TTM_RELAYEVENT:
        if (lParam)
            relay(*reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_POP:
        hide();
        KillTimer(m_hwnd, kInitialTimer);
        return 0;
    case TTM_UPDATETIPTEXT: {
        auto* info = reinterpret_cast<const TOOLINFO*>(lParam);
        Tool* tool = info ? find(info->hwnd, info->uId) : nullptr;
        if (!tool)
            return 0;
        takeText(*tool, *info);
        if (m_shown && m_curHwnd == tool->hwnd && m_curId == tool->id) {
            m_shown = false; // show again at the new text's size, without a pop notice
            show();
        }
        return 0;
    }
    case TTM_NEWTOOLRECT: {
        auto* info = reinterpret_cast<const TOOLINFO*>(lParam);
        if (Tool* tool = info ? find(info->hwnd, info->uId) : nullptr)
            tool->rect = info->rect;
        return 0;
    }
    case TTM_GETTOOLINFO:
    case TTM_GETTEXT: {
        auto* info = reinterpret_cast<TOOLINFO*>(lParam);
        Tool* tool = info ? find(info->hwnd, info->uId) : nullptr;
        if (!tool)
            return FALSE;
        if (message == TTM_GETTEXT) {
            if (info->lpszText)
                std::strcpy(info->lpszText, tool->text.c_str());
            return TRUE;
        }
        fill(*tool, *info);
        return TRUE;
    }
    case TTM_SETTOOLINFO: {
        auto* info = reinterpret_cast<const TOOLINFO*>(lParam);
        if (info && find(info->hwnd, info->uId))
            addTool(*info);
        return 0;
    }
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(m_tools.size());
    case TTM_ENUMTOOLS: {
        auto* info = reinterpret_cast<TOOLINFO*>(lParam);
        if (!info || wParam >= m_tools.size())
            return FALSE;
        fill(m_tools[wParam], *info);
        return TRUE;
    }
    case TTM_GETCURRENTTOOL: {
        Tool* tool = m_shown ? find(m_curHwnd, m_curId) : nullptr;
        if (tool && lParam)
            fill(*tool, *reinterpret_cast<TOOLINFO*>(lParam));
        return tool != nullptr;
    }
    case TTM_HITTEST: {
        auto* hit = reinterpret_cast<TTHITTESTINFO*>(lParam);
        Tool* tool = hit ? toolAt(hit->hwnd, hit->pt) : nullptr;
        if (tool)
            fill(*tool, hit->ti);
        return tool != nullptr;
    }
    case TTM_SETDELAYTIME:
        if (wParam == TTDT_AUTOMATIC) {
            const int initial = static_cast<short>(LOWORD(lParam));
            m_delays[TTDT_INITIAL] = initial;
            m_delays[TTDT_AUTOPOP] = initial < 0 ? -1 : initial * 10;
            m_delays[TTDT_RESHOW] = initial < 0 ? -1 : initial / 5;
        } else if (wParam <= TTDT_INITIAL) {
            m_delays[wParam] = static_cast<short>(LOWORD(lParam));
        }
        return 0;
    case TTM_GETDELAYTIME:
        return wParam <= TTDT_INITIAL ? delay(wParam == TTDT_AUTOMATIC ? TTDT_INITIAL : wParam) : 0;
    case TTM_SETMAXTIPWIDTH: {
        const int previous = m_maxWidth;
        m_maxWidth = static_cast<int>(lParam);
        return previous;
    }
    case TTM_GETMAXTIPWIDTH:
        return m_maxWidth;
    case TTM_SETTIPBKCOLOR:
        m_bk = static_cast<COLORREF>(wParam);
        return 0;
    case TTM_SETTIPTEXTCOLOR:
        m_fg = static_cast<COLORREF>(wParam);
        return 0;
    case TTM_GETTIPBKCOLOR:
        return m_bk == CLR_DEFAULT ? GetSysColor(COLOR_INFOBK) : m_bk;
    case TTM_GETTIPTEXTCOLOR:
        return m_fg == CLR_DEFAULT ? GetSysColor(COLOR_INFOTEXT) : m_fg;
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::comctl
