#pragma once
// The library tree as a drop target for rows dragged out of the record list and for nodes dragged
// out of the tree itself. While the user drags it offers, per node, what the tree would do there and
// highlights that node; the drop carries the edit out. Other data is not taken.

#include "platform/afx/COleDropTarget.h"

class CMainTreeCtrl;

class CMainTreeDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;

private:
    // The node under the point where a drop counts (icon, label, right of it, state icon); null elsewhere.
    static HTREEITEM TargetAt(CMainTreeCtrl& tree, CPoint point);
};
