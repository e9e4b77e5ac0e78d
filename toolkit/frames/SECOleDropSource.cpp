#include "toolkit/frames/SECOleDropSource.h"

#include "toolkit/frames/SECDragDropTaskBase.h"

SCODE SECOleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    const SCODE sc = COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
    POINT pt {};
    if (!::GetCursorPos(&pt) || !m_pTask || !m_pTask->DragOverStep(dwKeyState, pt))
        return DRAGDROP_S_CANCEL;
    return sc;
}
