#include "app/DeleteConfirmation.h"

#include "app/CGenericConfirmationDlg.h"
#include "app/TuneStewardIds.h"
#include "library/RegistryRoutines.h"

namespace {

constexpr const char* kConfirmationSection = "ConfirmationFlags";

} // namespace

bool ConfirmDeleteObject(CWnd* pParent, CPelicanApp::ConfirmKind kind, UINT nCaptionId, UINT nMessageId, LPCTSTR lpszName)
{
    CPelicanApp* pApp = GetPelicanApp();
    if (pApp == nullptr || !pApp->m_bConfirmDelete[kind])
        return true;
    CString strFormat;
    strFormat.LoadString(nMessageId);
    CString strMessage;
    strMessage.Format(strFormat, lpszName ? lpszName : "");
    CGenericConfirmationDlg dialog(pParent);
    dialog.SetCaptionFromId(nCaptionId);
    dialog.SetMessage(strMessage);
    dialog.SetControlFlagFromId(!pApp->m_bConfirmDelete[kind], IDS_CONFIRM_DONT_ASK_AGAIN);
    if (dialog.DoModal() != IDOK)
        return false;
    WriteConfirmFlag(!dialog.m_bControlFlag, &pApp->m_bConfirmDelete[kind], kConfirmFlagNames[kind], kConfirmationSection);
    return true;
}
