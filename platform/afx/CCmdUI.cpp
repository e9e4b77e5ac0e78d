#include "platform/afx/CCmdUI.h"

#include "platform/afx/CCmdTarget.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CWnd.h"

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
    // A pop-up's own item is not changed through the command of its first item.
    if (m_pMenu && !m_pSubMenu && m_nIndex < m_nIndexMax)
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void CCmdUI::SetCheck(int nCheck)
{
    m_nCheck = nCheck;
    if (m_pMenu && !m_pSubMenu && m_nIndex < m_nIndexMax)
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu && !m_pSubMenu && m_nIndex < m_nIndexMax) {
        m_nCheck = bOn ? 1 : 0;
        if (bOn)
            m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        else
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (!lpszText || !m_pMenu || m_pSubMenu || m_nIndex >= m_nIndexMax)
        return;
    // The item keeps its state; only its text changes.
    const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pTarget)
        return FALSE;
    m_bEnableChanged = FALSE;
    const BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    // Without an update handler the item is enabled exactly when some target handles the command, so an
    // item disabled while no one did (another document was active) comes back when one does.
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

void AfxUpdateMenuItems(CMenu* pPopupMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pPopupMenu || !pTarget)
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue; // separators
        if (state.m_nID == static_cast<UINT>(-1)) {
            state.m_pSubMenu = pPopupMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (!state.m_pSubMenu)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
                continue;
            state.DoUpdate(pTarget, FALSE);
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(pTarget, bDisableIfNoHndler && state.m_nID < 0xF000);
        }
        // A handler may have added or taken away items.
        const UINT count = pPopupMenu->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - count;
            while (state.m_nIndex < count && pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = count;
    }
}
