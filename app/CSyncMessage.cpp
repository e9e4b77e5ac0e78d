#include "app/CSyncMessage.h"

#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "platform/afx/AfxDDX.h"

BEGIN_MESSAGE_MAP(CSyncMessage, CBaseDialog)
ON_BN_CLICKED(IDYES, OnYes)
ON_BN_CLICKED(IDNO, OnNo)
END_MESSAGE_MAP()

CSyncMessage::CSyncMessage(CWnd* pParent)
    : CBaseDialog(IDD_SYNC_MESSAGE, pParent)
    , m_nMessageId(IDS_SYNC_ON_CLOSE_QUESTION)
{
}

BOOL CSyncMessage::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    SetDlgItemText(IDC_SYNC_QUESTION, CString(MAKEINTRESOURCE(m_nMessageId)));
    SetDlgItemText(IDC_SYNC_DONT_SHOW, CString(MAKEINTRESOURCE(IDS_SYNC_DONT_SHOW)));
    m_bDontShow = FALSE;
    UpdateData(FALSE);
    return TRUE;
}

void CSyncMessage::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SYNC_DONT_SHOW, m_bDontShow);
}

void CSyncMessage::OnYes() { Answer(IDYES); }

void CSyncMessage::OnNo() { Answer(IDNO); }

void CSyncMessage::Answer(int result)
{
    UpdateData(TRUE);
    if (CPelicanApp* app = GetPelicanApp()) {
        // Only a change is written: ticked while the question is on, or clear while it is off.
        if (m_bDontShow && app->m_bSyncDialogOnExit) {
            app->m_bSyncDialogOnExit = FALSE;
            app->WriteProfileString("Settings", "SyncDialogOnExit", "F");
        } else if (!m_bDontShow && !app->m_bSyncDialogOnExit) {
            app->m_bSyncDialogOnExit = TRUE;
            app->WriteProfileString("Settings", "SyncDialogOnExit", "T");
        }
    }
    EndDialog(result);
}
