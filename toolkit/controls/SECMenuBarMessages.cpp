#include "toolkit/controls/SECMenuBarMessages.h"

#include <cctype>
#include <cstring>

#include "platform/afx/AfxState.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/Thread.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/frames/SECFrameWnd.h"
#include "toolkit/frames/SECMDIFrameWnd.h"

const UINT WM_SEC_MENUPROD = ::RegisterWindowMessage("WM_SEC_MENUPROD");

namespace {

// One menu loop runs at a time on the user-interface thread; the hooks reach their object here.
struct MenuLoopState {
    POINT lastMouse { 0, 0 };
    HWND hWndOpenPopupBar { nullptr };
    SECMenuBarMessages* pActive { nullptr };
    HHOOK hMsgFilterHook { nullptr };
    BOOL bTrackingSysMenu { FALSE };
    HHOOK hKeyboardHook { nullptr };
    HHOOK hMouseHook { nullptr };
    // A drop-down request that came while a popup was open: it runs once that popup has closed.
    std::unique_ptr<SECBtnNotify> pPending;
};

MenuLoopState& State()
{
    static MenuLoopState state;
    return state;
}

constexpr LPARAM kKeyUpBit = static_cast<LPARAM>(0x80000000u);

BOOL IsMenuKey(WPARAM vk) { return vk == VK_MENU || vk == VK_F10; }

BOOL IsSystemMenuChar(WPARAM ch) { return ch == ' ' || ch == '-'; }

// Whether a control of the active view answers to the character as its mnemonic.
BOOL ViewControlHasMnemonic(WPARAM ch)
{
    CWinApp* pApp = AfxGetApp();
    auto* pMain = pApp ? dynamic_cast<CFrameWnd*>(pApp->m_pMainWnd) : nullptr;
    if (!pMain || !pMain->GetSafeHwnd())
        return FALSE;
    CFrameWnd* pFrame = pMain;
    if (auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pMain))
        pFrame = pMDIFrame->MDIGetActive();
    CView* pView = pFrame ? pFrame->GetActiveView() : nullptr;
    if (!pView || !pView->GetSafeHwnd())
        return FALSE;
    const auto wanted = std::tolower(static_cast<unsigned char>(ch));
    // The walk ends at the last child, not only when it comes round to the first one again.
    for (HWND hChild = ::GetWindow(pView->m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char text[256] = {};
        ::GetWindowText(hChild, text, sizeof(text));
        const char* pAmp = std::strchr(text, '&');
        if (pAmp && pAmp[1] && std::tolower(static_cast<unsigned char>(pAmp[1])) == wanted)
            return TRUE;
    }
    return FALSE;
}

} // namespace

SECMenuBarMessages::~SECMenuBarMessages()
{
    if (m_pDestroyed)
        *m_pDestroyed = true;
    MenuLoopState& state = State();
    if (state.pActive == this) {
        state.pActive = nullptr;
        SetKeyboardMouseHooks(FALSE);
    }
}

BOOL SECMenuBarMessages::IsTrackingSystemMenu() { return State().bTrackingSysMenu; }

SECMenuBar* SECMenuBarMessages::LiveBar(HWND hWndBar) const
{
    if (!m_pMenuBar || !hWndBar || !::IsWindow(hWndBar) || CWnd::FromHandlePermanent(hWndBar) != m_pMenuBar)
        return nullptr;
    return m_pMenuBar;
}

// Modes -------------------------------------------------------------------------------------------------------

void SECMenuBarMessages::SwitchMenu(UINT nMenuID)
{
    if (!m_pMenuBar)
        return;
    m_pMenuBar->SwitchMenu(nMenuID);
    if (!m_pMenuBar->GetSafeHwnd())
        return;
    // An MDI frame that asks for it lays out at its next idle time instead (several switches in a row
    // then cost one layout).
    CFrameWnd* pFrame = m_pMenuBar->GetParentFrame();
    if (auto* pMDIFrame = dynamic_cast<SECMDIFrameWnd*>(pFrame); pMDIFrame && pMDIFrame->m_bDelayedLayout)
        pMDIFrame->DelayRecalcLayout(TRUE);
    else if (pFrame)
        pFrame->RecalcLayout();
    m_pMenuBar->Invalidate();
}

void SECMenuBarMessages::PostMenuProd(BOOL bNext)
{
    m_bMenuSelected = FALSE;
    m_bProdNext = bNext;
    if (CWnd* pHost = GetHostWnd(); pHost && pHost->GetSafeHwnd())
        ::PostMessage(pHost->m_hWnd, WM_SEC_MENUPROD, 0, 0);
}

LRESULT SECMenuBarMessages::OnMenuProd()
{
    if (!m_bMenuSelected && m_pMenuBar) {
        m_bOpenFirstItem = TRUE;
        m_pMenuBar->MoveToMenu(m_bProdNext);
    }
    return 0;
}

LRESULT SECMenuBarMessages::OnMenuSelect()
{
    m_bMenuSelected = TRUE;
    return 0;
}

LRESULT SECMenuBarMessages::OnInitMenuPopup()
{
    if (m_bOpenFirstItem) {
        m_bOpenFirstItem = FALSE;
        if (CWnd* pHost = GetHostWnd(); pHost && pHost->GetSafeHwnd())
            ::PostMessage(pHost->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    return 0;
}

BOOL SECMenuBarMessages::OnSysCommand(UINT nID, LPARAM)
{
    if (nID != SC_MOUSEMENU + HTSYSMENU || !m_pMenuBar)
        return FALSE;
    m_pMenuBar->DropSystemMenu();
    return TRUE;
}

LRESULT SECMenuBarMessages::OnNcActivate(BOOL bActive)
{
    if (!bActive)
        CancelMenuMode();
    return 0;
}

void SECMenuBarMessages::CancelMenuMode()
{
    if (!m_pMenuBar)
        return;
    if (m_pMenuBar->IsMenuTracking())
        m_pMenuBar->EndMenuTracking();
    if (State().hWndOpenPopupBar)
        if (CWnd* pHost = GetHostWnd(); pHost && pHost->GetSafeHwnd())
            pHost->SendMessage(WM_CANCELMODE);
}

void SECMenuBarMessages::OpenHotMenu()
{
    if (m_pMenuBar && m_pMenuBar->IsMenuTracking())
        m_pMenuBar->OpenHotMenu();
}

void SECMenuBarMessages::HitTestBar(CPoint point)
{
    if (!m_pMenuBar || !m_pMenuBar->GetSafeHwnd())
        return;
    m_pMenuBar->ScreenToClient(&point);
    m_pMenuBar->TrackMenuButtonAt(point);
}

// Keyboard ------------------------------------------------------------------------------------------------------

BOOL SECMenuBarMessages::PreTranslateMessage(MSG* pMsg)
{
    if (!m_pMenuBar || !pMsg)
        return FALSE;
    const WPARAM w = pMsg->wParam;
    if (::GetKeyState(VK_MENU) < 0 && (w < 0x3A || (w >= 0x41 && w <= 0x7A)) && ViewControlHasMnemonic(w))
        return FALSE;
    if (pMsg->message == WM_SYSKEYDOWN && IsMenuKey(w) && m_pMenuBar->IsMenuTracking()) {
        m_pMenuBar->EndMenuTracking();
        m_bAltPressed = TRUE;
    }
    if (pMsg->message == WM_SYSKEYUP && IsMenuKey(w)) {
        if (!m_bAltPressed) {
            if (!m_pMenuBar->IsMenuTracking())
                m_pMenuBar->SetTrackedMenuButton(m_pMenuBar->FirstDropMenuButton());
            else
                m_pMenuBar->EndMenuTracking();
        }
        m_bAltPressed = FALSE;
        return TRUE;
    }
    const BOOL bKeyMenu = pMsg->message == WM_SYSCOMMAND && (w & 0xFFF0) == SC_KEYMENU;
    const WPARAM ch = bKeyMenu ? static_cast<WPARAM>(pMsg->lParam) : w;
    const BOOL bAltKey = pMsg->message == WM_SYSKEYDOWN && ::GetKeyState(VK_MENU) < 0;
    if (!bKeyMenu && !bAltKey)
        return FALSE;
    const BOOL bSystemMenu = bKeyMenu ? IsSystemMenuChar(ch) : (ch == VK_SPACE || ch == VK_OEM_MINUS || ch == VK_SUBTRACT);
    if (bSystemMenu) {
        if (m_pMenuBar->IsMenuTracking())
            m_pMenuBar->EndMenuTracking();
        m_bOpenFirstItem = TRUE;
        m_pMenuBar->DropSystemMenu();
        return TRUE;
    }
    const int nIndex = m_pMenuBar->FindMnemonicButton(static_cast<TCHAR>(ch));
    if (nIndex >= 0) {
        m_bOpenFirstItem = TRUE;
        m_pMenuBar->PressMenuButton(nIndex);
        return TRUE;
    }
    return bKeyMenu;
}

void SECMenuBarMessages::SetKeyboardMouseHooks(BOOL bSet)
{
    MenuLoopState& state = State();
    if (bSet) {
        if (state.hKeyboardHook || state.hMouseHook)
            return;
        state.hKeyboardHook = ::SetWindowsHookEx(WH_KEYBOARD, KeyboardHookProc, nullptr, ::GetCurrentThreadId());
        state.hMouseHook = ::SetWindowsHookEx(WH_MOUSE, MouseHookProc, nullptr, ::GetCurrentThreadId());
        return;
    }
    if (!state.hKeyboardHook || !state.hMouseHook)
        return;
    ::UnhookWindowsHookEx(state.hKeyboardHook);
    ::UnhookWindowsHookEx(state.hMouseHook);
    state.hKeyboardHook = nullptr;
    state.hMouseHook = nullptr;
}

LRESULT CALLBACK SECMenuBarMessages::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    MenuLoopState& state = State();
    SECMenuBarMessages* pActive = state.pActive;
    if (nCode != HC_ACTION || !pActive)
        return ::CallNextHookEx(state.hKeyboardHook, nCode, wParam, lParam);
    if (lParam & kKeyUpBit) {
        if (wParam == VK_MENU)
            return ::CallNextHookEx(state.hKeyboardHook, nCode, wParam, lParam);
        return 1;
    }
    switch (wParam) {
    case VK_RETURN:
    case VK_DOWN:
        pActive->OpenHotMenu();
        return 1;
    case VK_ESCAPE:
        pActive->CancelMenuMode();
        return 1;
    case VK_LEFT:
        pActive->PostMenuProd(FALSE);
        return 1;
    case VK_RIGHT:
        pActive->PostMenuProd(TRUE);
        return 1;
    case VK_MENU:
    case VK_F10:
        return ::CallNextHookEx(state.hKeyboardHook, nCode, wParam, lParam);
    default: {
        // A letter without Alt opens its menu in keyboard mode.
        MSG msg {};
        msg.message = WM_SYSCOMMAND;
        msg.wParam = SC_KEYMENU;
        msg.lParam = wParam == VK_OEM_MINUS || wParam == VK_SUBTRACT ? '-' : static_cast<LPARAM>(wParam);
        pActive->PreTranslateMessage(&msg);
        return 1;
    }
    }
}

LRESULT CALLBACK SECMenuBarMessages::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    MenuLoopState& state = State();
    const auto* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (nCode == HC_ACTION && state.pActive && pInfo) {
        if (wParam == WM_MOUSEMOVE) {
            if (pInfo->pt.x != state.lastMouse.x || pInfo->pt.y != state.lastMouse.y) {
                state.lastMouse = pInfo->pt;
                state.pActive->HitTestBar(pInfo->pt);
            }
        } else if (wParam == WM_LBUTTONDOWN || wParam == WM_RBUTTONDOWN || wParam == WM_MBUTTONDOWN) {
            state.pActive->CancelMenuMode();
        }
    }
    return ::CallNextHookEx(state.hMouseHook, nCode, wParam, lParam);
}

// Popups --------------------------------------------------------------------------------------------------------

HMENU SECMenuBarMessages::GetSystemMenuWithDefault(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd))
        return nullptr;
    HMENU hMenu = ::GetSystemMenu(hWnd, FALSE);
    if (hMenu && ::GetMenuDefaultItem(hMenu, FALSE, GMDI_GOINTOPOPUPS) == static_cast<UINT>(-1))
        ::SetMenuDefaultItem(hMenu, SC_CLOSE, FALSE);
    return hMenu;
}

HMENU SECMenuBarMessages::FindPopup(const SECBtnNotify& notify, BOOL& bSystem)
{
    bSystem = FALSE;
    CWnd* pHost = GetHostWnd();
    if (!pHost || !pHost->GetSafeHwnd())
        return nullptr;
    if (notify.wValue && notify.lValue >= 0)
        return reinterpret_cast<HMENU>(pHost->SendMessage(WM_SECGETMENU, notify.wValue, notify.lValue));
    if (notify.wValue)
        return ::IsMenu(reinterpret_cast<HMENU>(notify.wValue)) ? reinterpret_cast<HMENU>(notify.wValue) : nullptr;
    bSystem = TRUE;
    return GetSystemMenuWithDefault(pHost->m_hWnd);
}

BOOL SECMenuBarMessages::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (!m_pMenuBar || !pHdr || !m_pMenuBar->GetSafeHwnd() || pHdr->hwndFrom != m_pMenuBar->m_hWnd)
        return FALSE;
    MenuLoopState& state = State();
    if (pResult)
        *pResult = 0;
    if (pHdr->code == SEC_TBN_MENUTRACK) {
        state.pActive = this;
        SetKeyboardMouseHooks(TRUE);
        return TRUE;
    }
    if (pHdr->code == SEC_TBN_MENUEND) {
        SetKeyboardMouseHooks(FALSE);
        return TRUE;
    }
    if (pHdr->code != SEC_TBN_MENUPRESS && pHdr->code != SEC_TBN_MENUCLOSE)
        return FALSE;

    SECBtnNotify request = *reinterpret_cast<const SECBtnNotify*>(lParam);
    const HWND hWndBar = m_pMenuBar->m_hWnd;
    const HWND hWndHost = GetHostWnd() ? GetHostWnd()->GetSafeHwnd() : nullptr;
    const DestructionWatch watch(*this);
    for (;;) {
        BOOL bSystem = FALSE;
        HMENU hPopup = request.hdr.code == SEC_TBN_MENUPRESS ? FindPopup(request, bSystem) : nullptr;
        if (!hPopup || state.hWndOpenPopupBar) {
            // The open popup closes; a new request waits for it to end and then runs.
            if (state.hWndOpenPopupBar && hWndHost && ::IsWindow(hWndHost))
                ::SendMessage(hWndHost, WM_CANCELMODE, 0, 0);
            if (hPopup)
                state.pPending = std::make_unique<SECBtnNotify>(request);
            break;
        }
        state.pActive = this;
        state.hWndOpenPopupBar = hWndBar;
        if (bSystem)
            TrackSystemMenu(m_pMenuBar, hPopup, request);
        else
            TrackMenuPopup(m_pMenuBar, hPopup, request);
        state.hWndOpenPopupBar = nullptr;
        if (watch.Destroyed()) {
            // Whatever the popup's loop ran destroyed this object; its request dies with it.
            state.pPending.reset();
            return TRUE;
        }
        if (state.pActive == this)
            state.pActive = nullptr;
        if (state.pPending) {
            request = *state.pPending;
            state.pPending.reset();
            continue;
        }
        if (SECMenuBar* pBar = LiveBar(hWndBar))
            pBar->CancelMenuTracking();
        break;
    }
    return TRUE;
}

void SECMenuBarMessages::TrackMenuPopup(SECMenuBar* pBar, HMENU hPopup, const SECBtnNotify& notify)
{
    CWnd* pHost = GetHostWnd();
    if (!pBar || !pBar->GetSafeHwnd() || !pHost || !pHost->GetSafeHwnd())
        return;
    CRect rect;
    if (SECStdBtn* pBtn = pBar->GetBtn(notify.nIndex))
        rect = pBtn->GetRect();
    else
        pBar->GetClientRect(&rect);
    pBar->ClientToScreen(&rect);
    const DestructionWatch watch(*this);
    SetMsgFilterHook(TRUE);
    TPMPARAMS params;
    params.rcExclude = rect;
    ::TrackPopupMenuEx(hPopup, TPM_LEFTALIGN | TPM_LEFTBUTTON, rect.left, rect.bottom, pHost->m_hWnd, &params);
    if (watch.Destroyed())
        RemoveMsgFilterHook();
    else
        SetMsgFilterHook(FALSE);
}

CRect SECMenuBarMessages::IconArea(HWND hWndFrame, BOOL bShrinkForThickFrame)
{
    CRect rect;
    ::GetWindowRect(hWndFrame, &rect);
    if (!bShrinkForThickFrame || (::GetWindowLong(hWndFrame, GWL_STYLE) & WS_THICKFRAME))
        rect.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    return CRect(rect.left, rect.top, rect.left + ::GetSystemMetrics(SM_CXSIZE), rect.top + ::GetSystemMetrics(SM_CYSIZE));
}

void SECMenuBarMessages::TrackSystemMenu(SECMenuBar*, HMENU hPopup, const SECBtnNotify&)
{
    CWnd* pHost = GetHostWnd();
    if (!pHost || !pHost->GetSafeHwnd())
        return;
    const HWND hWndHost = pHost->m_hWnd;
    const CRect icon = IconArea(hWndHost, FALSE);
    const DestructionWatch watch(*this);
    SetMsgFilterHook(TRUE);
    State().bTrackingSysMenu = TRUE;
    TPMPARAMS params;
    params.rcExclude = icon;
    const UINT nCmd = static_cast<UINT>(::TrackPopupMenuEx(
        hPopup, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, icon.left, icon.bottom, hWndHost, &params));
    State().bTrackingSysMenu = FALSE;
    if (nCmd && ::IsWindow(hWndHost))
        ::PostMessage(hWndHost, WM_SYSCOMMAND, nCmd, 0);
    if (watch.Destroyed())
        RemoveMsgFilterHook();
    else
        SetMsgFilterHook(FALSE);
}

BOOL SECMenuBarMessages::OnSysMenuClick(const MSG& msg)
{
    CWnd* pHost = GetHostWnd();
    if (!pHost || !pHost->GetSafeHwnd())
        return FALSE;
    CRect icon = IconArea(pHost->m_hWnd, TRUE);
    icon.right -= 1;
    if (!icon.PtInRect(msg.pt))
        return FALSE;
    pHost->PostMessage(WM_CANCELMODE);
    if (msg.message == WM_LBUTTONDBLCLK) {
        HMENU hMenu = ::GetSystemMenu(pHost->m_hWnd, FALSE);
        const UINT nDefault = hMenu ? ::GetMenuDefaultItem(hMenu, FALSE, GMDI_GOINTOPOPUPS) : static_cast<UINT>(-1);
        if (nDefault != static_cast<UINT>(-1))
            pHost->PostMessage(WM_SYSCOMMAND, nDefault);
    }
    return TRUE;
}

void SECMenuBarMessages::SetMsgFilterHook(BOOL bSet)
{
    MenuLoopState& state = State();
    if (bSet) {
        if (state.hMsgFilterHook)
            return;
        state.lastMouse = POINT { 0, 0 };
        state.hMsgFilterHook = ::SetWindowsHookEx(WH_MSGFILTER, MsgFilterHookProc, nullptr, ::GetCurrentThreadId());
    } else {
        RemoveMsgFilterHook();
    }
}

void SECMenuBarMessages::RemoveMsgFilterHook()
{
    MenuLoopState& state = State();
    if (state.hMsgFilterHook) {
        ::UnhookWindowsHookEx(state.hMsgFilterHook);
        state.hMsgFilterHook = nullptr;
    }
}

LRESULT CALLBACK SECMenuBarMessages::MsgFilterHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    MenuLoopState& state = State();
    auto* pMsg = reinterpret_cast<MSG*>(lParam);
    if (nCode != MSGF_MENU || !pMsg)
        return ::CallNextHookEx(state.hMsgFilterHook, nCode, wParam, lParam);
    const UINT message = pMsg->message;
    if (state.bTrackingSysMenu && (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && state.pActive
        && state.pActive->OnSysMenuClick(*pMsg))
        return TRUE;
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN) {
        if (message == WM_MOUSEMOVE) {
            const BOOL bSame = pMsg->pt.x == state.lastMouse.x && pMsg->pt.y == state.lastMouse.y;
            const BOOL bFirst = state.lastMouse.x == 0 && state.lastMouse.y == 0;
            state.lastMouse = pMsg->pt;
            // The popup's opening moves nothing: only a real move goes on to the bar.
            if (bSame || bFirst)
                return TRUE;
        } else {
            state.lastMouse = pMsg->pt;
        }
        const HWND hWndBar = state.hWndOpenPopupBar;
        if (hWndBar && ::WindowFromPoint(pMsg->pt) == hWndBar) {
            if (auto* pBar = SECCustomToolBar::FromObject(CWnd::FromHandlePermanent(hWndBar))) {
                CPoint point(pMsg->pt);
                pBar->ScreenToClient(&point);
                if (pBar->OnMenuMouseMessage(message, point))
                    return TRUE;
            }
        }
    } else if (message == WM_KEYDOWN && (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT)) {
        if (state.pActive)
            state.pActive->PostMenuProd(pMsg->wParam == VK_RIGHT);
    } else if (message == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU) {
        if (state.pActive)
            state.pActive->SetAltPressed();
    }
    return ::CallNextHookEx(state.hMsgFilterHook, nCode, wParam, lParam);
}
