#include "toolkit/frames/SECDefDockNodeBase.h"

#include "platform/afx/CDC.h"
#include "toolkit/frames/ISECDockInitiator.h"
#include "toolkit/frames/ISECUndoableNode.h"

void SECDefDockNodeBase::DrawOutline(HDC hDC, const RECT& rect, ISECDockTarget* pTarget)
{
    SIZE size {};
    RECT rc = rect;
    CBrush* lastBrush = nullptr;
    CBrush* brush = GetOutlineStyle(pTarget == nullptr, size, rc, lastBrush);
    const BOOL bHadLast = !::IsRectEmpty(&m_rcLastOutline);
    CDC::FromHandle(hDC)->DrawDragRect(
        &rc, size, bHadLast ? &m_rcLastOutline : nullptr, m_sizeLastOutline, brush, lastBrush);
    m_rcLastOutline = rc;
    m_sizeLastOutline = size;
}

void SECDefDockNodeBase::EraseOutline(HDC hDC)
{
    const RECT none {};
    CBrush* brush = GetOutlineBrush(m_nLastStyle);
    CDC::FromHandle(hDC)->DrawDragRect(&none, { 0, 0 }, &m_rcLastOutline, m_sizeLastOutline, brush, brush);
    m_rcLastOutline = {};
    m_sizeLastOutline = {};
}

void SECDefDockNodeBase::OnDockedIn(SECLNDockingMgr*, SECLayoutNodePool*)
{
    auto* self = dynamic_cast<SECLayoutNode*>(this);
    SECLayoutNode* parent = self ? self->GetParentNode() : nullptr;
    SECLayoutNodePool* pool = parent ? parent->GetNodePool() : nullptr;
    if (pool && pool != self->GetNodePool())
        self->SetNodePool(pool, TRUE);
}

ISECDockInitiator* SECDefDockNodeBase::FindInitiator()
{
    for (auto* node = dynamic_cast<SECLayoutNode*>(this); node; node = node->GetParentNode()) {
        if (auto* initiator = dynamic_cast<ISECDockInitiator*>(node))
            return initiator;
    }
    return nullptr;
}

CBrush* SECDefDockNodeBase::GetOutlineStyle(BOOL bFloating, SIZE& size, RECT& rect, CBrush*& pLastBrush)
{
    size = { ::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1 };
    if (bFloating)
        ::InflateRect(&rect, -1, -1);
    m_nLastStyle = 0;
    pLastBrush = GetOutlineBrush(m_nLastStyle);
    return GetOutlineBrush(m_nLastStyle);
}

CBrush* SECDefDockNodeBase::GetOutlineBrush(int nStyle)
{
    if (nStyle == 1)
        return CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    return CDC::GetHalftoneBrush();
}

BOOL SECDefDockNodeBase::SetNodeVisible(BOOL bVisible)
{
    if (!SECDefHideableNode::SetNodeVisible(bVisible))
        return FALSE;
    auto* self = dynamic_cast<SECLayoutNode*>(this);
    if (!self)
        return TRUE;
    if (!bVisible) {
        SECLayoutNode* parent = self->GetParentNode();
        if (!parent)
            return TRUE;
        auto* undoable = dynamic_cast<ISECUndoableNode*>(parent);
        ISECUndoableNode* undo = undoable ? undoable->GetUndoableNode() : nullptr;
        // A node that cannot leave its parent stays visible, so that flag and tree agree.
        if (!undo || undo->RemoveChildUndoable(self) == -1) {
            SECDefHideableNode::SetNodeVisible(TRUE);
            return FALSE;
        }
        m_pUndoableWhileHidden = undo;
        return TRUE;
    }
    ISECUndoableNode* undo = m_pUndoableWhileHidden;
    m_pUndoableWhileHidden = nullptr;
    return !undo || undo->UndoChildRemovalOf(self) != -1;
}
