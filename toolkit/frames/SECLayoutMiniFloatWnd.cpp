#include "toolkit/frames/SECLayoutMiniFloatWnd.h"

#include "platform/afx/CMenu.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECDockingListener.h"
#include "toolkit/frames/SECLNFloatingHwndContainer.h"

IMPLEMENT_DYNCREATE(SECLayoutMiniFloatWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(SECLayoutMiniFloatWnd, CMiniFrameWnd)
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

SECLayoutMiniFloatWnd::SECLayoutMiniFloatWnd() = default;

SECLayoutMiniFloatWnd::~SECLayoutMiniFloatWnd() { SECLNFloatingHwndContainer::ForgetPendingFrame(this); }

BOOL SECLayoutMiniFloatWnd::Create(CWnd* pParent, SECLayoutNode* pRoot, LPCTSTR lpszTitle, BOOL bHideOnClose,
    BOOL bAllowClose)
{
    if (!pRoot)
        return FALSE;
    m_pRoot = pRoot;
    m_bHideOnClose = bHideOnClose;
    if (!CMiniFrameWnd::Create(nullptr, lpszTitle, FloatStyle, RECT {}, pParent, 0)) {
        m_pRoot = nullptr;
        return FALSE;
    }
    if (CMenu* menu = GetSystemMenu(FALSE)) {
        menu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
        menu->AppendMenu(MF_STRING, SC_CLOSE, "Close");
        if (!bAllowClose)
            menu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
    }
    return TRUE;
}

BOOL SECLayoutMiniFloatWnd::ShowAt(const RECT& rect, SECLNDockingMgr* pMgr)
{
    if (!SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
            SWP_NOZORDER | SWP_SHOWWINDOW))
        return FALSE;
    if (m_pListener)
        return TRUE;
    m_pListener.reset(CreateListener());
    m_pListener->SetAutoRegisterContainer(FALSE);
    return m_pListener->AttachDocking(m_pRoot, this, pMgr, FALSE, FALSE, TRUE);
}

BOOL SECLayoutMiniFloatWnd::DetachListener()
{
    // Detached when its container goes: the tree is no longer this window's, and may go before it.
    m_bTreeDetached = TRUE;
    return m_pListener ? m_pListener->DetachDocking() : FALSE;
}

SECDockingListener* SECLayoutMiniFloatWnd::CreateListener() { return new SECDockingListener; }

void SECLayoutMiniFloatWnd::OnDestroy()
{
    CMiniFrameWnd::OnDestroy();
    m_pListener.reset();
}

void SECLayoutMiniFloatWnd::OnClose()
{
    if (m_bHideOnClose) {
        ShowWindow(SW_HIDE);
        return;
    }
    CMiniFrameWnd::OnClose();
}

BOOL SECLayoutMiniFloatWnd::OnEraseBkgnd(CDC* pDC)
{
    if (!CMiniFrameWnd::OnEraseBkgnd(pDC))
        return FALSE;
    if (m_pRoot && !m_bTreeDetached)
        m_pRoot->RealizeLayout(0);
    return TRUE;
}

void SECLayoutMiniFloatWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    const UINT nCommand = nID & 0xFFF0;
    const DWORD dwStyle = GetStyle();
    // Alt+F4 in a window that is active with its owner closes through the floating-window handling, as
    // does every other command of a popup.
    const BOOL bAltF4 = nCommand == SC_CLOSE && (::GetKeyState(VK_F4) & 0x8000) && (::GetKeyState(VK_MENU) & 0x8000)
        && (dwStyle & MFS_SYNCACTIVE);
    if ((dwStyle & WS_POPUP) && (nCommand != SC_CLOSE || bAltF4) && HandleFloatingSysCommand(nID, lParam))
        return;
    // A Close with no mouse position (from the keyboard, or sent by the program) goes to the main window.
    if (nCommand == SC_CLOSE && lParam == 0) {
        CWnd* main = AfxGetMainWnd();
        if (main && main->m_hWnd) {
            main->SendMessage(WM_SYSCOMMAND, nID, 0);
            return;
        }
    }
    CMiniFrameWnd::OnSysCommand(nID, lParam);
}
