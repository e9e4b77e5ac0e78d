#pragma once
// One tab of a tab control: its label, size, selection, the window it stands for (not owned) and two
// values its maker gives it.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CWnd;

class SECTab : public CObject {
    DECLARE_DYNAMIC(SECTab)
public:
    SECTab() = default;
    ~SECTab() override = default;

    CString m_csLabel;
    int m_nWidth { 0 };
    int m_nHeight { 0 };
    BOOL m_bSelected { FALSE };
    CWnd* m_pClient { nullptr };
    DWORD m_dwData1 { 0 };
    DWORD m_dwData2 { 0 };
};
