#pragma once
// The context of one WM_PAINT: BeginPaint when made, EndPaint when it goes.

#include "platform/afx/CDC.h"
#include "platform/user/WinUser.h"

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps {};

protected:
    HWND m_hWnd { nullptr };
};
