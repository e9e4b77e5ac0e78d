#include "toolkit/frames/SECVirtualDockbar.h"

#include "platform/afx/CFrameWnd.h"
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
    if (m_pFeature && params && m_pFeature->OnSizeParent(params))
        PostMessage(DelayedRecalcMessage, 0, 0);
    return 0;
}

LRESULT SECVirtualDockbar::OnDelayedRecalc(WPARAM, LPARAM)
{
    if (m_pFeature)
        m_pFeature->OnDelayedRecalc();
    return 0;
}
