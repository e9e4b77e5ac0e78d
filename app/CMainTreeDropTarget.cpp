#include "app/CMainTreeDropTarget.h"

#include "app/CMainFrame.h"
#include "app/CMainTreeCtrl.h"
#include "app/CPelicanApp.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/COleDataObject.h"

namespace {

// Where on a row a drop counts: the icon, the label, right of the label and the state icon.
constexpr UINT kDropHitFlags = 0x66;

CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }

} // namespace

HTREEITEM CMainTreeDropTarget::TargetAt(CMainTreeCtrl& tree, CPoint point)
{
    UINT nFlags = 0;
    const HTREEITEM hItem = tree.HitTest(point, &nFlags);
    return hItem != nullptr && (nFlags & kDropHitFlags) != 0 ? hItem : nullptr;
}

DROPEFFECT CMainTreeDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    auto* pTree = dynamic_cast<CMainTreeCtrl*>(pWnd);
    const CPelicanApp* pApp = GetPelicanApp();
    CMainFrame* pFrame = Frame();
    if (pTree == nullptr || pDataObject == nullptr || pFrame == nullptr
        || (pApp != nullptr && (pApp->m_bUpdatingDetails || pApp->m_bBusy)))
        return DROPEFFECT_NONE;
    const HTREEITEM hItem = TargetAt(*pTree, point);
    if (hItem == nullptr) {
        pTree->SelectDropTarget(nullptr);
        return DROPEFFECT_NONE;
    }
    // The neighbours come into view, so the tree scrolls while the user drags along its edge.
    if (const HTREEITEM hPrev = pTree->GetPrevVisibleItem(hItem))
        pTree->EnsureVisible(hPrev);
    if (const HTREEITEM hNext = pTree->GetNextVisibleItem(hItem))
        pTree->EnsureVisible(hNext);
    DROPEFFECT effect = DROPEFFECT_NONE;
    if (pDataObject->IsDataAvailable(pFrame->m_cfGridRecord))
        effect = pTree->GetRowDropEffect(hItem, dwKeyState);
    else if (pDataObject->IsDataAvailable(pFrame->m_cfTreeNode))
        effect = pTree->GetNodeDropEffect(hItem, dwKeyState);
    pTree->SelectDropTarget(effect != DROPEFFECT_NONE ? hItem : nullptr);
    return effect;
}

BOOL CMainTreeDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    auto* pTree = dynamic_cast<CMainTreeCtrl*>(pWnd);
    CMainFrame* pFrame = Frame();
    if (pTree == nullptr)
        return TRUE;
    if (pDataObject != nullptr && pFrame != nullptr)
        if (const HTREEITEM hItem = TargetAt(*pTree, point)) {
            if (pDataObject->IsDataAvailable(pFrame->m_cfGridRecord))
                pTree->DropRows(hItem, dropEffect);
            else if (pDataObject->IsDataAvailable(pFrame->m_cfTreeNode))
                pTree->DropNode(hItem, dropEffect);
        }
    pTree->SelectDropTarget(nullptr);
    return TRUE;
}

void CMainTreeDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (auto* pTree = dynamic_cast<CMainTreeCtrl*>(pWnd))
        pTree->SelectDropTarget(nullptr);
}
