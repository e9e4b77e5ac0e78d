#pragma once
// A one-bar splitter whose window is only the bar itself. It has no panes: a drag reports the distance
// to its observer (a sizable border or a grid line), which moves its own nodes and so the bar. The ghost
// of a drag is drawn on the screen, so it can leave the bar's window.

#include "toolkit/frames/ISECVirtualSplitterObserver.h"
#include "toolkit/frames/SECLayoutNodeSplitter.h"

class SECLNVirtualSplitter : public SECLayoutNodeSplitter {
public:
    SECLNVirtualSplitter();

    // 1: a vertical bar between panes left and right; 0: a horizontal bar between panes above and below.
    void SetOrientation(BOOL bHorizontal, BOOL bRecurse) override;
    void SetNodeOrientation(int nOrientation) { SetOrientation(nOrientation != 0, FALSE); }
    int GetNodeOrientation() const { return IsHorizontal() ? 1 : 0; }
    void ComputeBarRects(int& x, int& y, RECT* pHorz, RECT* pVert) override;
    void GetTrackingLimits(RECT* pLimits) override;
    HDC GetTrackingDC() override;
    void ReleaseTrackingDC(HDC hDC) override;
    void ConvertTrackingRect(RECT& rect) override;
    BOOL ApplyBarRect(const RECT& rect, BOOL bHorizontal) override;
    void ClampBar(int& dx, int& dy) override;
    void OnSplitterMoved(int dx, int dy) override;
    void DrawBars(CDC* pDC) override;
    BOOL IsPaintAllowed(CDC* pDC) override;

    void SetObserver(ISECVirtualSplitterObserver* pObserver) { m_pObserver = pObserver; }
    ISECVirtualSplitterObserver* GetObserver() const { return m_pObserver; }
    void SetTrackingRect(const RECT& rect) { m_rcTracking = rect; }
    const RECT& GetTrackingRect() const { return m_rcTracking; }
    void SetNoPaint(int nNoPaint) { m_nNoPaint = nNoPaint; }
    // A switched-off bar does not start drags.
    void SetTrackingEnabled(BOOL bEnabled) { m_bTrackingEnabled = bEnabled; }
    BOOL MayStartTracking() override { return m_bTrackingEnabled; }

private:
    void Notify(int dx, int dy);

    RECT m_rcTracking {};
    ISECVirtualSplitterObserver* m_pObserver { nullptr };
    int m_nNoPaint { 0 };
    BOOL m_bTrackingEnabled { TRUE };
};
