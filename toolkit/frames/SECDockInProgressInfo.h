#pragma once
// The state of one drag of a docking node: the grab offset, the outline and an optional requested size.

#include "platform/gdi/WinGdi.h"

class SECDockInProgressInfo {
public:
    SECDockInProgressInfo() { ResetDockInProgressInfo(); }
    virtual ~SECDockInProgressInfo() = default;

    virtual void ResetDockInProgressInfo()
    {
        m_nOffsetX = 0;
        m_nOffsetY = 0;
        m_rect = {};
        m_bHorizontal = TRUE;
        m_bRequestedRect = FALSE;
        m_rcRequested = {};
    }
    void SetRequestedRect(const RECT& rect)
    {
        m_rcRequested = rect;
        m_bRequestedRect = TRUE;
    }
    BOOL GetRequestedRect(RECT& rect) const
    {
        rect = m_rcRequested;
        return m_bRequestedRect;
    }

    int m_nOffsetX { 0 };
    int m_nOffsetY { 0 };
    RECT m_rect {};
    BOOL m_bHorizontal { TRUE };
    BOOL m_bRequestedRect { FALSE };
    RECT m_rcRequested {};
};
