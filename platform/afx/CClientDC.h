#pragma once
// A context for a window's client area (the screen's for a null window), released when it goes.

#include "platform/afx/CDC.h"
#include "platform/user/WinUser.h"

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd { nullptr };
};
