#include "toolkit/frames/SECVirtualDockbar.h"

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPreviewView.h"
#include "toolkit/frames/SECFrameDockingFeatureBase.h"

BEGIN_MESSAGE_MAP(SECVirtualDockbar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(DelayedRecalcMessage, OnDelayedRecalc)
END_MESSAGE_MAP()

BOOL SECVirtualDockbar::CreateDockBarWindow(CFrameWnd* pFrame, SECFrameDockingFeatureBase* pFeature, UINT nID)
{
    if (!pFrame || !pFeature)
        return FALSE;
    if (nID == 0)
        nID = s_nNextId++;
    afx::RegisterStandardClass(AFX_WND);
    const BOOL bCreated = Create(AFX_WND, nullptr, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, RECT {}, pFrame, nID);
    if (bCreated)
        m_pFeature = pFeature;
    return bCreated;
}

LRESULT SECVirtualDockbar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* params = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!m_pFeature || !params)
        return 0;
    const RECT whole = params->rect;
    if (m_pFeature->OnSizeParent(params))
        PostMessage(DelayedRecalcMessage, 0, 0);
    // A print preview hides the docked windows and has the frame's whole client area. The docking
    // tree is still laid out as always, so that it comes back as it was, but takes no room from it.
    CFrameWnd* frame = GetParentFrame();
    CView* view = frame ? frame->GetActiveView() : nullptr;
    if (view && view->IsKindOf(RUNTIME_CLASS(CPreviewView)))
        params->rect = whole;
    return 0;
}

LRESULT SECVirtualDockbar::OnDelayedRecalc(WPARAM, LPARAM)
{
    if (m_pFeature)
        m_pFeature->OnDelayedRecalc();
    return 0;
}
