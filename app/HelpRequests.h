#pragma once
// What the program's dialogs, pages and sheets share in answering help: every request goes to the one
// HTML help file of the application, at the topic of the control's help context id.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"
#include "platform/user/ContextHelp.h"
#include "platform/user/WinUser.h"

class CWnd;

// The help viewer's command that opens a topic by context id.
constexpr UINT kHtmlHelpContext = 15;

// Opens the application's help file at the topic.
void ShowHelpTopic(DWORD_PTR contextId);
// WM_HELP: a request for a window opens its topic; other requests (menu items) show nothing. Always TRUE.
BOOL AnswerHelpRequest(const HELPINFO* info);
// WM_HELPHITTEST: the help context id of the child at the client point in lParam, when there is one
// with a non-zero id; otherwise the window's default answer.
LRESULT HelpContextAtPoint(CWnd& window, LPARAM lParam);
// Gives the control the string whose id equals the control's id.
void SetControlTextFromStringId(CWnd& window, UINT id);
