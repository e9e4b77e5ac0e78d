#include "toolkit/frames/SECMultiDocTemplate.h"

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CControlBar.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CCreateContext.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECDockPlacement.h"
#include "toolkit/frames/SECDockableFrame.h"
#include "toolkit/frames/SECDockableFrameBar.h"
#include "toolkit/frames/SECMDIFrameWnd.h"

IMPLEMENT_DYNAMIC(SECMultiDocTemplate, CMultiDocTemplate)

CControlBar* SECMultiDocTemplate::GetHostingBar(CWnd* pFrame)
{
    for (CWnd* pWnd = pFrame ? pFrame->GetParent() : nullptr; pWnd; pWnd = pWnd->GetParent())
        if (auto* pBar = dynamic_cast<CControlBar*>(pWnd))
            return pBar->IsDockBar() ? nullptr : pBar;
    return nullptr;
}

int SECMultiDocTemplate::GetDockingPlace(CFrameWnd* pFrame) const
{
    const CControlBar* pBar = GetHostingBar(pFrame);
    if (!pBar)
        return kNone;
    if (pBar->IsFloating())
        return kFloating;
    if (!pBar->m_pDockBar)
        return kNone;
    switch (pBar->m_pDockBar->GetDlgCtrlID()) {
    case AFX_IDW_DOCKBAR_TOP:
        return kTop;
    case AFX_IDW_DOCKBAR_LEFT:
        return kLeft;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return kBottom;
    case AFX_IDW_DOCKBAR_RIGHT:
        return kRight;
    default:
        return kNone;
    }
}

namespace {

// The defaults of a dock-bar place: a new first row at the top and left, the last row elsewhere.
SECDockPlacement DefaultPlacement(UINT nDockBarID)
{
    const bool bTopOrLeft = nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_LEFT;
    return SECDockPlacement { bTopOrLeft ? 1 : 0, 0, bTopOrLeft ? 3U : 4U };
}

SECMDIFrameWnd* MainMDIFrame() { return dynamic_cast<SECMDIFrameWnd*>(AfxGetMainWnd()); }

} // namespace

CFrameWnd* SECMultiDocTemplate::CreateDockedView(
    CDocument* pDocument, CSize size, UINT nDockBarID, const SECDockPlacement& placement, const SECDockSize& dockSize)
{
    SECMDIFrameWnd* pMDI = MainMDIFrame();
    if (!pMDI || !pDocument)
        return nullptr;
    auto* pBar = new SECDockableFrameBar;
    pBar->m_bAutoDelete = TRUE;
    const UINT nBarID = SECControlBar::FindUniqueBarID(pMDI, AFX_IDW_CONTROLBAR_FIRST + 0x40);
    if (!pBar->Create(pMDI, pDocument->GetTitle(), WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0, nBarID)) {
        if (!pBar->m_hWnd)
            delete pBar;
        return nullptr;
    }
    pBar->m_szHorz = size;
    pBar->m_szVert = size;
    pBar->m_szFloat = size;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    CCreateContext context;
    context.m_pCurrentDoc = pDocument;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CRuntimeClass* pClass = m_pDockableFrameClass ? m_pDockableFrameClass : RUNTIME_CLASS(SECDockableFrame);
    auto* pFrame = dynamic_cast<CFrameWnd*>(pClass->CreateObject());
    if (!pFrame || !pFrame->LoadFrame(m_nIDResource, WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | FWS_ADDTOTITLE, pBar, &context)) {
        // A frame whose window failed has deleted itself.
        pBar->DestroyWindow();
        return nullptr;
    }
    pFrame->InitialUpdateFrame(pDocument, TRUE);
    pMDI->DockSizedControlBarEx(pBar, placement, nDockBarID, dockSize);
    pMDI->RecalcLayout();
    return pFrame;
}

BOOL SECMultiDocTemplate::DockMDIChildAt(
    CFrameWnd* pFrame, UINT nDockBarID, const SECDockPlacement* pPlacement, const SECDockSize* pSize)
{
    CDocument* pDocument = pFrame ? pFrame->GetActiveDocument() : nullptr;
    if (!pDocument)
        return FALSE;
    CRect rect;
    pFrame->GetClientRect(&rect);
    const SECDockPlacement placement = pPlacement ? *pPlacement : DefaultPlacement(nDockBarID);
    const SECDockSize size = pSize ? *pSize : SECDockSize { 1.0F, 150, 0 };
    CFrameWnd* pDocked = CreateDockedView(pDocument, rect.Size(), nDockBarID, placement, size);
    if (!pDocked)
        return FALSE;
    m_nLastDockBarID = nDockBarID;
    m_pMovedFrame = pDocked;
    pFrame->DestroyWindow();
    if (SECMDIFrameWnd* pMDI = MainMDIFrame())
        pMDI->SetActiveFrame(pDocked);
    return TRUE;
}

BOOL SECMultiDocTemplate::RedockMDIChild(CFrameWnd* pFrame)
{
    SECMDIFrameWnd* pMDI = MainMDIFrame();
    if (!pMDI)
        return FALSE;
    if (m_nLastDockBarID)
        return DockMDIChildAt(pFrame, m_nLastDockBarID, nullptr, nullptr);
    // Never docked: the frame's next place round the sides.
    UINT nDockBarID = 0;
    SECDockPlacement placement;
    SECDockSize size;
    pMDI->GetNextDockPosition(nDockBarID, placement, size);
    return DockMDIChildAt(pFrame, nDockBarID, &placement, &size);
}

BOOL SECMultiDocTemplate::MakeMDIChild(CFrameWnd* pFrame, int nState)
{
    CDocument* pDocument = pFrame ? pFrame->GetActiveDocument() : nullptr;
    if (!pDocument || !MainMDIFrame())
        return FALSE;
    if (const CControlBar* pBar = GetHostingBar(pFrame); pBar && !pBar->IsFloating() && pBar->m_pDockBar)
        m_nLastDockBarID = static_cast<UINT>(pBar->m_pDockBar->GetDlgCtrlID());
    CFrameWnd* pChild = CreateNewFrame(pDocument, nullptr);
    if (!pChild)
        return FALSE;
    pChild->InitialUpdateFrame(pDocument, TRUE);
    m_pMovedFrame = pChild;
    pFrame->DestroyWindow();
    pChild->ShowWindow(nState == 2 ? SW_SHOWMINIMIZED : nState == 3 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    return TRUE;
}

BOOL SECMultiDocTemplate::AnyInApp()
{
    CWinApp* pApp = AfxGetApp();
    for (POSITION pos = pApp ? pApp->GetFirstDocTemplatePosition() : nullptr; pos;)
        if (pApp->GetNextDocTemplate(pos)->IsKindOf(RUNTIME_CLASS(SECMultiDocTemplate)))
            return TRUE;
    return FALSE;
}
