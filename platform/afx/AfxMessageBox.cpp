#include "platform/afx/AfxMessageBox.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CString.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/MessageBox.h"

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(lpszText ? lpszText : "", nType, nIDHelp);
    return MessageBox(nullptr, lpszText ? lpszText : "", AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
