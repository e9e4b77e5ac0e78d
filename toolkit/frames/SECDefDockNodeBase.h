#pragma once
// The default dragged node: a halftone outline while it is dragged, its subtree moved into the node pool
// of the tree it docked in, and hiding that takes it out of its parent and showing that puts it back at
// the same place. A plain dockable node cannot float. Meant as a base of a layout node.

#include "toolkit/frames/ISECDockableNode.h"
#include "toolkit/frames/SECDefHideableNode.h"

class ISECUndoableNode;

class SECDefDockNodeBase : public ISECDockableNode, public SECDefHideableNode {
public:
    BOOL GetFloatRect(POINT, RECT&, SECLNDockingMgr*, SECDockInProgressInfo&) override { return FALSE; }
    void DrawOutline(HDC hDC, const RECT& rect, ISECDockTarget* pTarget) override;
    void EraseOutline(HDC hDC) override;
    BOOL Float(POINT, SECLNDockingMgr*, SECDockInProgressInfo&) override { return FALSE; }
    void OnDockedIn(SECLNDockingMgr* pMgr, SECLayoutNodePool* pPool) override;
    ISECDockInitiator* FindInitiator() override;
    CBrush* GetOutlineStyle(BOOL bFloating, SIZE& size, RECT& rect, CBrush*& pLastBrush) override;
    CBrush* GetOutlineBrush(int nStyle) override;
    BOOL SetNodeVisible(BOOL bVisible) override;

    RECT GetLastOutline() const { return m_rcLastOutline; }

private:
    RECT m_rcLastOutline {};
    SIZE m_sizeLastOutline {};
    int m_nLastStyle { 0 };
    ISECUndoableNode* m_pUndoableWhileHidden { nullptr };
};
