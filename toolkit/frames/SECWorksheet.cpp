#include "toolkit/frames/SECWorksheet.h"

#include "platform/afx/AfxState.h"
#include "toolkit/frames/SECWorkbook.h"
#include "toolkit/frames/SECWorkbookClient.h"

IMPLEMENT_DYNCREATE(SECWorksheet, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECWorksheet, SECMDIChildWnd)
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

SECWorksheet::~SECWorksheet()
{
    if (m_hSheetIcon)
        ::DestroyIcon(m_hSheetIcon);
}

SECWorkbook* SECWorksheet::GetWorkbook() const { return dynamic_cast<SECWorkbook*>(GetMDIFrame()); }

BOOL SECWorksheet::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!SECMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (SECWorkbook* pWorkbook = GetWorkbook())
        pWorkbook->AddSheet(this);
    if (nIDResource) {
        LPCTSTR lpszResource = MAKEINTRESOURCE(nIDResource);
        m_hSheetIcon = static_cast<HICON>(
            ::LoadImage(AfxFindResourceHandle(lpszResource, RT_GROUP_ICON), lpszResource, IMAGE_ICON, 16, 16, 0));
    }
    return TRUE;
}

void SECWorksheet::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    SECMDIChildWnd::OnUpdateFrameMenu(bActivate, pActivateWnd, hMenuAlt);
    // Without a menu of its own no WM_MDISETMENU reaches the client, so the tabs are told directly.
    if (!m_hMenuShared)
        if (CMDIFrameWnd* pFrame = GetMDIFrame(); pFrame && pFrame->m_hWndMDIClient)
            ::SendMessage(pFrame->m_hWndMDIClient, WM_SEC_WORKBOOK_SETMENU, static_cast<WPARAM>(-1), static_cast<LPARAM>(-1));
}

void SECWorksheet::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    SECMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    InvalidateTab();
}

void SECWorksheet::InvalidateTab()
{
    if (SECWorkbook* pWorkbook = GetWorkbook())
        pWorkbook->InvalidateTab(this);
}

void SECWorksheet::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SECMDIChildWnd::OnShowWindow(bShow, nStatus);
    InvalidateTab();
}

void SECWorksheet::OnDestroy()
{
    if (SECWorkbook* pWorkbook = GetWorkbook())
        pWorkbook->RemoveSheet(this);
    SECMDIChildWnd::OnDestroy();
    if (m_hSheetIcon) {
        ::DestroyIcon(m_hSheetIcon);
        m_hSheetIcon = nullptr;
    }
}
