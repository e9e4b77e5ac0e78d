#include "app/COverwriteMessage.h"

#include "app/TuneStewardIds.h"
#include "library/MusicImportHost.h"

BEGIN_MESSAGE_MAP(COverwriteMessage, CBaseDialog)
ON_BN_CLICKED(IDYES, OnYes)
ON_BN_CLICKED(IDYESTOALL, OnYesToAll)
ON_BN_CLICKED(IDNO, OnNo)
END_MESSAGE_MAP()

COverwriteMessage::COverwriteMessage(LPCTSTR fileName, CWnd* pParent)
    : CBaseDialog(IDD_OVERWRITE_MESSAGE, pParent)
    , m_strFileName(fileName)
{
}

BOOL COverwriteMessage::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDlgItemText(IDC_OVERWRITE_FILE_NAME, m_strFileName);
    return TRUE;
}

void COverwriteMessage::OnYes() { EndDialog(IDYES); }

void COverwriteMessage::OnYesToAll() { EndDialog(IDYESTOALL); }

void COverwriteMessage::OnNo() { EndDialog(IDNO); }
