#pragma once
// The class library's message boxes: captioned with the application's name and shown through the
// application object (CWinApp::DoMessageBox), or through the platform's message box without one.

#include "platform/base/WinTypes.h"

// Shows lpszText; returns the button chosen (IDOK, IDYES, ...).
int AfxMessageBox(LPCTSTR lpszText, UINT nType = 0 /* MB_OK */, UINT nIDHelp = 0);
// Shows string resource nIDPrompt (an empty text when it is missing).
int AfxMessageBox(UINT nIDPrompt, UINT nType = 0 /* MB_OK */, UINT nIDHelp = static_cast<UINT>(-1));
