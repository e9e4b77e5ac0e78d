// Tooltips and fly-by prompts for the tools of class-library windows: one tooltip control per thread,
// moved to whichever tool the pointer rests on.

#include <cstdlib>
#include <string>

#include "platform/afx/AfxState.h"
#include "platform/afx/AfxToolTipState.h"
#include "platform/afx/CControlBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CToolTipCtrl.h"
#include "platform/afx/CWnd.h"

namespace {

class ThreadToolTip;

struct ToolTipState {
    ThreadToolTip* tip { nullptr };
    HWND owner { nullptr }; // the window whose tool the pointer is on
    INT_PTR hit { -1 };
    TOOLINFO tool {}; // that tool as the tooltip control knows it
    HWND flybyBar { nullptr }; // the bar whose prompt the status line shows
};

ToolTipState& State()
{
    thread_local ToolTipState state;
    return state;
}

// The tooltip goes with the window that owns it; the state forgets it then.
class ThreadToolTip final : public CToolTipCtrl {
protected:
    void PostNcDestroy() override
    {
        State().tip = nullptr;
        delete this;
    }
};

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE
        || message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN;
}

bool IsKeyMessage(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

// The tip part of a command's string ("prompt\ntip"): what follows the line break, or all of it.
std::string TipOfString(UINT nID)
{
    CString text;
    if (nID == 0 || !text.LoadString(nID))
        return {};
    const std::string all(static_cast<LPCTSTR>(text));
    const auto newline = all.find('\n');
    return newline == std::string::npos ? all : all.substr(newline + 1);
}

// The text a hit test gave, taking over the heap copy it made.
std::string TakeToolText(TOOLINFO& ti, INT_PTR hit)
{
    if (ti.lpszText == LPSTR_TEXTCALLBACK)
        return TipOfString(static_cast<UINT>(hit));
    std::string text = ti.lpszText ? ti.lpszText : "";
    std::free(ti.lpszText);
    ti.lpszText = nullptr;
    return text;
}

CFrameWnd* FlybyFrame(const CControlBar* bar)
{
    return bar->m_pDockSite ? bar->m_pDockSite : bar->GetTopLevelFrame();
}

void DropTool(ToolTipState& state)
{
    if (state.tip && state.tool.hwnd)
        state.tip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&state.tool));
    state.tool = TOOLINFO {};
}

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    const BOOL was = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
        m_nFlags &= ~WF_TOOLTIPS;
    if (!bEnable && State().owner == m_hWnd) {
        MSG leave {};
        leave.message = WM_MOUSEMOVE;
        leave.pt = POINT { -32000, -32000 };
        FilterToolTipMessage(&leave);
    }
    return was;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    HWND child = ::ChildWindowFromPoint(m_hWnd, point);
    if (!child || child == m_hWnd || !::IsWindowVisible(child))
        return -1;
    const int nID = ::GetDlgCtrlID(child);
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(child);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return nID != 0 ? nID : -1;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    ToolTipState& state = State();
    if (IsKeyMessage(pMsg->message)) {
        if (state.tip)
            state.tip->Pop();
        return;
    }
    if (!IsMouseMessage(pMsg->message))
        return;

    const auto* bar = IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<const CControlBar*>(this) : nullptr;
    const bool tips = bar ? (bar->m_dwStyle & CBRS_TOOLTIPS) != 0 : (m_nFlags & WF_TOOLTIPS) != 0;
    const bool flyby = bar && (bar->m_dwStyle & CBRS_FLYBY) != 0;

    TOOLINFO ti;
    INT_PTR hit = -1;
    HWND under = ::WindowFromPoint(pMsg->pt);
    if ((tips || flyby) && under && (under == m_hWnd || ::IsChild(m_hWnd, under))) {
        CPoint client(pMsg->pt);
        ScreenToClient(&client);
        hit = OnToolHitTest(client, &ti);
    }
    const std::string text = hit >= 0 ? TakeToolText(ti, hit) : std::string {};

    const bool sameTool = hit >= 0 && state.owner == m_hWnd && state.hit == hit;
    if (!sameTool && (hit >= 0 || state.owner == m_hWnd)) {
        DropTool(state);
        if (state.flybyBar && (state.flybyBar != m_hWnd || hit < 0)) {
            CWnd* old = CWnd::FromHandlePermanent(state.flybyBar);
            if (old && old->IsKindOf(RUNTIME_CLASS(CControlBar)))
                if (CFrameWnd* frame = FlybyFrame(static_cast<CControlBar*>(old)))
                    frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
            state.flybyBar = nullptr;
        }
        state.owner = hit >= 0 ? m_hWnd : nullptr;
        state.hit = hit;
        if (hit >= 0 && flyby) {
            if (CFrameWnd* frame = FlybyFrame(bar)) {
                frame->SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(hit));
                state.flybyBar = m_hWnd;
            }
        }
        if (hit >= 0 && tips && !text.empty()) {
            if (!state.tip) {
                // A failed creation may already have deleted the object (PostNcDestroy clears the state).
                auto* tip = new ThreadToolTip;
                state.tip = tip;
                CWnd* top = GetTopLevelParent();
                if (!tip->Create(top ? top : const_cast<CWnd*>(this), TTS_ALWAYSTIP) && state.tip == tip) {
                    state.tip = nullptr;
                    delete tip;
                }
            }
            if (state.tip) {
                ti.lpszText = const_cast<LPSTR>(text.c_str());
                if (state.tip->SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)))
                    state.tool = ti;
                state.tool.lpszText = nullptr;
            }
        }
    }
    if (!state.tip)
        return;
    if (!state.tool.hwnd) {
        if (hit < 0)
            state.tip->Pop();
        return;
    }
    // The control matches tools by the window the message is for and the point in its client area.
    MSG relay = *pMsg;
    relay.hwnd = (state.tool.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(state.tool.uId) : state.tool.hwnd;
    POINT client = pMsg->pt;
    ::ScreenToClient(relay.hwnd, &client);
    relay.message = pMsg->message == WM_NCMOUSEMOVE ? WM_MOUSEMOVE : pMsg->message;
    relay.lParam = MAKELPARAM(client.x, client.y);
    state.tip->RelayEvent(&relay);
}

void AfxLeaveToolTip(MSG* pMsg)
{
    ToolTipState& state = State();
    if (!state.owner || !(IsMouseMessage(pMsg->message) || IsKeyMessage(pMsg->message)))
        return;
    if (pMsg->hwnd == state.owner || ::IsChild(state.owner, pMsg->hwnd))
        return;
    if (CWnd* owner = CWnd::FromHandlePermanent(state.owner))
        owner->FilterToolTipMessage(pMsg);
    else
        state.owner = nullptr;
}
