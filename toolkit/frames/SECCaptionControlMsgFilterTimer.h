#pragma once
// The hidden child window that gives a caption control's held press its delay: on creation it sets
// its timer and refuses creation when it cannot; the first tick while the control still tracks runs
// the held press at the press point, later ticks do nothing. It deletes itself when destroyed.

#include "platform/afx/CWnd.h"

class SECCaptionControlMsgFilter;

class SECCaptionControlMsgFilterTimer : public CWnd {
public:
    SECCaptionControlMsgFilterTimer(SECCaptionControlMsgFilter* pControl, int nInterval, CPoint ptPress);
    // A new timer window below pOwner; null when it cannot be made or cannot set its timer.
    static HWND Start(CWnd* pOwner, SECCaptionControlMsgFilter* pControl, int nInterval, CPoint ptPress);

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override { delete this; }

private:
    SECCaptionControlMsgFilter* m_pControl { nullptr };
    int m_nInterval { 0 };
    BOOL m_bTimerSet { FALSE };
    BOOL m_bFired { FALSE };
    CPoint m_ptPress;
};
