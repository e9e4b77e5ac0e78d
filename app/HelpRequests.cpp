#include "app/HelpRequests.h"

#include "app/CPelicanApp.h"
#include "library/ServerRoutines.h"
#include "platform/afx/CWnd.h"

void ShowHelpTopic(DWORD_PTR contextId)
{
    CPelicanApp* app = GetPelicanApp();
    ShowHtmlHelp(nullptr, app ? app->m_strHelpFile.GetString() : "", kHtmlHelpContext, contextId);
}

BOOL AnswerHelpRequest(const HELPINFO* info)
{
    if (info && info->iContextType == HELPINFO_WINDOW)
        ShowHelpTopic(info->dwContextId);
    return TRUE;
}

LRESULT HelpContextAtPoint(CWnd& window, LPARAM lParam)
{
    const POINT at { static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) };
    HWND child = ::ChildWindowFromPointEx(window.m_hWnd, at, CWP_ALL);
    if (child && child != window.m_hWnd) {
        if (const DWORD id = ::GetWindowContextHelpId(child))
            return id;
    }
    return window.Default();
}

void SetControlTextFromStringId(CWnd& window, UINT id)
{
    CString text;
    text.LoadString(id);
    window.SetDlgItemText(static_cast<int>(id), text);
}
