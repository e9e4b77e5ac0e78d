#include "app/CAboutDlg.h"

#include "app/TuneStewardIds.h"

CAboutDlg::CAboutDlg(CWnd* pParent)
    : CBaseDialog(IDD_ABOUTBOX, pParent)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    const CString name = "Aldercrest Tune Steward";
    SetWindowText(name);
    CString notice;
    notice.LoadString(IDS_ABOUT_NOTICE);
    SetDlgItemText(IDC_ABOUT_NOTICE, name + " " + kVersion + "\n" + notice);
    SetControlTextFromId(IDC_ABOUT_RIGHTS);
    return TRUE;
}
