#include "toolkit/frames/SECLayoutNodeDC.h"

void SECLayoutNodeDC::PaintNode(BOOL bRecurse, HDC hDC)
{
    if (IsNodeVisible())
        SECLayoutNodeDCBase::PaintNode(bRecurse, hDC);
}

BOOL SECLayoutNodeDC::SetNodeVisible(BOOL bVisible)
{
    if (!SECDefHideableNode::SetNodeVisible(bVisible))
        return FALSE;
    RECT rc {};
    InvalidateNodeRect(*GetCurrentRect(&rc), TRUE);
    return TRUE;
}
