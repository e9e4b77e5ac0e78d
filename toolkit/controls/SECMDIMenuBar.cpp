#include "toolkit/controls/SECMDIMenuBar.h"

#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "platform/base/SystemTime.h"
#include "toolkit/controls/SECBtnCaption.h"
#include "toolkit/controls/SECCapMenuBtn.h"
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

namespace {

// The maximised child's buttons, made by this bar whatever maps its manager gives.
const SECBtnMapEntry kMDIButtons[] = {
    { &SECCapMenuBtn::classSECCapMenuBtn, SEC_MDIBTN_SYSMENU, SEC_TBBS_NODISABLE | SEC_TBBS_VCENTER, {} },
    { &SECBtnCaption::classSECBtnCaption, SEC_MDIBTN_CAPTION, SEC_TBBS_NODISABLE | SEC_TBBS_VCENTER, {} },
    {},
};

HICON SmallIconOf(HWND hWnd)
{
    auto hIcon = reinterpret_cast<HICON>(::SendMessage(hWnd, WM_GETICON, ICON_SMALL, 0));
    if (!hIcon)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(hWnd, GCL_HICONSM));
    if (!hIcon)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(hWnd, GCL_HICON));
    return hIcon;
}

} // namespace

SECStdBtn* SECMDIMenuBar::CreateButton(UINT nID, SECCustomToolBar* pOwner)
{
    for (const SECBtnMapEntry* pEntry = kMDIButtons; pEntry->m_pBtnClass; ++pEntry) {
        if (pEntry->m_nID != nID)
            continue;
        SECStdBtn* pBtn = pEntry->m_pBtnClass->m_pfnCreateButton();
        pBtn->m_nStyle = pEntry->m_nStyle;
        pBtn->m_nID = nID;
        pBtn->Init(pOwner ? pOwner : this, pEntry->m_nData);
        pBtn->SetVertical(m_bVertical);
        return pBtn;
    }
    return SECMenuBar::CreateButton(nID, pOwner);
}

BOOL SECMDIMenuBar::RefreshMDIButtons()
{
    CMDIChildWnd* pChild = ActiveChildOf(this);
    const BOOL bWanted = pChild && ::IsZoomed(pChild->m_hWnd);
    auto indexOf = [this](UINT nID) {
        for (int i = 0; i < GetBtnCount(); ++i)
            if (GetBtn(i)->m_nID == nID)
                return i;
        return -1;
    };
    BOOL bChanged = FALSE;
    if (!bWanted) {
        for (UINT nID : { SEC_MDIBTN_SYSMENU, SEC_MDIBTN_CAPTION }) {
            if (const int i = indexOf(nID); i >= 0) {
                RemoveButton(i, TRUE);
                bChanged = TRUE;
            }
        }
    } else {
        if (indexOf(SEC_MDIBTN_SYSMENU) < 0) {
            SECCustomToolBar::InsertButton(0, SEC_MDIBTN_SYSMENU, FALSE, TRUE);
            bChanged = TRUE;
        }
        if (indexOf(SEC_MDIBTN_CAPTION) < 0) {
            SECCustomToolBar::InsertButton(GetBtnCount(), SEC_MDIBTN_CAPTION, FALSE, TRUE);
            bChanged = TRUE;
        }
        auto* pSysMenu = static_cast<SECCapMenuBtn*>(GetBtn(indexOf(SEC_MDIBTN_SYSMENU)));
        if (const HICON hIcon = SmallIconOf(pChild->m_hWnd); pSysMenu->m_hIcon != hIcon) {
            pSysMenu->m_hIcon = hIcon;
            bChanged = TRUE;
        }
    }
    if (bChanged)
        Recalc();
    return bChanged;
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
