#pragma once
// The help context id of a window: what a help request for it names. A dialog's items take theirs
// from the dialog template.

#include "platform/base/WinTypes.h"

// The window's help context id; 0 for none or a bad window.
DWORD GetWindowContextHelpId(HWND hWnd);
// Sets it; FALSE for a bad window.
BOOL SetWindowContextHelpId(HWND hWnd, DWORD dwContextHelpId);
