#pragma once
// One run of a window's data exchange: the direction, and the control the last DDX_ call was about,
// so that a refused value can put the focus back on it.

#include "platform/base/WinTypes.h"

class CWnd;

class CDataExchange {
public:
    // An exchange for pDlgWnd's controls: into the members when bSaveAndValidate.
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control nIDC, remembered as the one a failure points at; a missing control stops the
    // exchange (CNotSupportedException).
    HWND PrepareCtrl(int nIDC);
    // The same for an edit control, whose text is selected when the exchange fails on it.
    HWND PrepareEditCtrl(int nIDC);
    // Stops the exchange after a refused value: the focus goes to the last prepared control (its text
    // selected when it is an edit control) and a CUserException is thrown. Only while saving.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl { nullptr };
    BOOL m_bEditLastControl { FALSE };
};
