// The toolbar manager's part in the frame's menu bar: the menu bar's button entries, and the menu bar
// among the bars it creates.
#include "platform/afx/CFrameWnd.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/frames/SECFrameWnd.h"

SECMenuBar* SECToolBarManager::GetFrameMenuBar() const
{
    auto* pFrame = dynamic_cast<SECFrameWnd*>(m_pFrameWnd);
    return pFrame ? pFrame->GetMenuBar() : nullptr;
}

BOOL SECToolBarManager::SetMenuInfo(const std::vector<UINT>& menuIds)
{
    SECMenuBar* pMenuBar = GetFrameMenuBar();
    if (!pMenuBar)
        return FALSE;
    m_menuBtnMap = pMenuBar->RebuildMenus(menuIds);
    m_menuIds.clear();
    for (const SECBtnMapEntry& entry : m_menuBtnMap)
        if (entry.m_pBtnClass)
            m_menuIds.push_back(entry.m_nID);
    return !m_menuBtnMap.empty();
}

SECMenuBar* SECToolBarManager::CreateMenuBar(LPCTSTR lpszTitle)
{
    SECMenuBar* pMenuBar = GetFrameMenuBar();
    if (!pMenuBar || pMenuBar->GetSafeHwnd())
        return nullptr;
    pMenuBar->SetOwner(m_pOwner ? m_pOwner : m_pFrameWnd);
    pMenuBar->SetManager(this);
    pMenuBar->SetBmpMgr(m_pBmpMgr);
    if (!pMenuBar->CreateEx(GetExBarStyle(), m_pFrameWnd, GetBarStyle(), SEC_IDW_MENUBAR, lpszTitle))
        return nullptr;
    pMenuBar->ResetMenuButtons(TRUE);
    pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
    return pMenuBar;
}
