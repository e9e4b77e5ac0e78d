#pragma once
// A frame window: the window around views and control bars.

#include "platform/afx/CWnd.h"

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    BOOL IsFrameWnd() const override { return TRUE; }

    DECLARE_MESSAGE_MAP()
};
