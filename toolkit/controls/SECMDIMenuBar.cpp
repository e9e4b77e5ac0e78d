#include "toolkit/controls/SECMDIMenuBar.h"

#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "platform/base/SystemTime.h"
#include "toolkit/controls/SECMenuBarMessages.h"

IMPLEMENT_DYNCREATE(SECMDIMenuBar, SECMenuBar)

BEGIN_MESSAGE_MAP(SECMDIMenuBar, SECMenuBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CMDIChildWnd* SECMDIMenuBar::ActiveChildOf(const CWnd* pWnd)
{
    auto* pMDIFrame = pWnd ? dynamic_cast<CMDIFrameWnd*>(pWnd->GetTopLevelFrame()) : nullptr;
    CMDIChildWnd* pChild = pMDIFrame ? pMDIFrame->MDIGetActive() : nullptr;
    return pChild && pChild->GetSafeHwnd() ? pChild : nullptr;
}

void SECMDIMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_dwLastPress = ::GetTickCount();
    SECMenuBar::OnLButtonDown(nFlags, point);
}

void SECMDIMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const SECStdBtn* pBtn = GetBtn(HitTest(point));
    CMDIChildWnd* pChild = ActiveChildOf(this);
    if (!pBtn || pBtn->m_nType != SECStdBtn::kindSysMenu || !pChild) {
        SECMenuBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    HMENU hMenu = SECMenuBarMessages::GetSystemMenuWithDefault(pChild->m_hWnd);
    const UINT nDefault = hMenu ? ::GetMenuDefaultItem(hMenu, FALSE, GMDI_GOINTOPOPUPS) : static_cast<UINT>(-1);
    if (nDefault != static_cast<UINT>(-1))
        pChild->SendMessage(WM_SYSCOMMAND, nDefault);
}
