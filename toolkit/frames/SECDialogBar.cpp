#include "toolkit/frames/SECDialogBar.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/frames/SECControlBarInfo.h"

IMPLEMENT_DYNCREATE(SECDialogBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECDialogBar, SECControlBar)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

SECDialogBar::~SECDialogBar() { DestroyWindow(); }

BOOL SECDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, DWORD dwExStyle, UINT nID)
{
    m_dwExStyle = dwExStyle;
    // The OLE controls' creation (HandleInitDialog) reads the template while the window is made.
    m_lpszCreatingTemplate = lpszTemplateName;
    const BOOL bCreated = CreateFromTemplate(pParentWnd, lpszTemplateName, nStyle, nID);
    m_lpszCreatingTemplate = nullptr;
    if (!bCreated)
        return FALSE;
    m_lpszTemplateName = lpszTemplateName;
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    m_szHorz = m_sizeDefault;
    m_szVert = m_sizeDefault;
    m_szFloat = m_sizeDefault;
    return TRUE;
}

LRESULT SECDialogBar::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    COccManager* pManager = AfxGetOccManager();
    if (pManager && m_pOccDialogInfo)
        return pManager->CreateDlgControls(this, m_lpszCreatingTemplate, m_pOccDialogInfo);
    return TRUE;
}

void SECDialogBar::GetBarInfoEx(SECControlBarInfo* pInfo)
{
    if (pInfo)
        pInfo->m_dwResourceID = IS_INTRESOURCE(m_lpszTemplateName) ? LOWORD(reinterpret_cast<ULONG_PTR>(m_lpszTemplateName)) : 0;
    SECControlBar::GetBarInfoEx(pInfo);
}

void SECDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL SECDialogBar::SetOccDialogInfo(_AFX_OCC_DIALOG_INFO* pOccDialogInfo)
{
    m_pOccDialogInfo = pOccDialogInfo;
    return TRUE;
}
