#pragma once
// A context for a whole window, frame included (the screen's for a null window), released when it goes.

#include "platform/afx/CDC.h"
#include "platform/user/WinUser.h"

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd { nullptr };
};
