#pragma once
// The drawing state of a tree row's first cell: the list's paint context plus the row's item as the
// tree sees it (its TVITEM, its inherited extended state and its node).

#include "toolkit/controls/SECListPaintContext.h"
#include "toolkit/controls/_Node.h"

class SECTreePaintContext : public SECListPaintContext {
public:
    explicit SECTreePaintContext(CDC* pDC) : SECListPaintContext(pDC) { }

    TVITEM m_tvi {};
    SECListItemEx m_tviEx {};
    _Node* m_pNode { nullptr };
};
