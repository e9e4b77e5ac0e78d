#include "toolkit/frames/SECStatusCmdUI.h"

#include "toolkit/frames/SECStatusBar.h"

void SECStatusCmdUI::ChangeStyle(UINT nBit, bool bSet)
{
    const int nIndex = static_cast<int>(m_nIndex);
    const UINT nOld = m_bar.GetPaneStyle(nIndex);
    m_bar.SetPaneStyle(nIndex, bSet ? nOld | nBit : nOld & ~nBit);
}

void SECStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    ChangeStyle(SBPS_DISABLED, !bOn);
}

void SECStatusCmdUI::SetCheck(int nCheck)
{
    ChangeStyle(SBPS_POPOUT, nCheck != 0);
}

void SECStatusCmdUI::SetText(LPCTSTR lpszText)
{
    m_bar.SetPaneText(static_cast<int>(m_nIndex), lpszText, TRUE);
}
