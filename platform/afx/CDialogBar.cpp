#include "platform/afx/CDialogBar.h"

#include "platform/afx/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

CDialogBar::CDialogBar() = default;

CDialogBar::~CDialogBar() = default;

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    if (!CreateFromTemplate(pParentWnd, lpszTemplateName, nStyle, nID))
        return FALSE;
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
        return m_sizeDefault;
    return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
