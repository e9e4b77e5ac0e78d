#include "app/CBasePropertySheet.h"

#include "app/HelpRequests.h"
#include "platform/afx/AfxPriv.h"

BEGIN_MESSAGE_MAP(CBasePropertySheet, CPropertySheet)
ON_WM_HELPINFO()
ON_WM_CONTEXTMENU()
ON_COMMAND(57669, OnHelpCommand)
ON_COMMAND(57670, OnHelpCommand)
ON_WM_CREATE()
END_MESSAGE_MAP()

void HideSheetHelpButton(CWnd& sheet)
{
    if (HWND help = ::GetDlgItem(sheet.m_hWnd, IDHELP))
        ::ShowWindow(help, SW_HIDE);
}

CBasePropertySheet::CBasePropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
}

BOOL CBasePropertySheet::OnInitDialog()
{
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    const BOOL result = CPropertySheet::OnInitDialog();
    HideSheetHelpButton(*this);
    return result;
}

BOOL CBasePropertySheet::OnHelpInfo(HELPINFO* pHelpInfo) { return AnswerHelpRequest(pHelpInfo); }

void CBasePropertySheet::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (Default() != 1)
        return;
    HWND target = pWnd ? pWnd->m_hWnd : nullptr;
    if (target == m_hWnd) {
        CPoint client = point;
        ScreenToClient(&client);
        target = ::ChildWindowFromPointEx(m_hWnd, client, CWP_ALL);
    }
    ShowHelpTopic(target ? ::GetWindowContextHelpId(target) : 0);
}

void CBasePropertySheet::OnHelpCommand() { SendMessage(WM_COMMANDHELP, 0, 0); }

int CBasePropertySheet::OnCreate(LPCREATESTRUCT) { return Default() == -1 ? -1 : 0; }
