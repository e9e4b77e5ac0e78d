#pragma once
// Runs a docking drag through the system's drag-and-drop loop instead of a loop of its own: the drop
// source moves the drag along, and the drag ends as dropped when the loop reports an effect.

#include "platform/afx/COleDataSource.h"
#include "toolkit/frames/SECDragDropTaskBase.h"
#include "toolkit/frames/SECOleDropSource.h"
#include "toolkit/frames/SECStartDragCore_T.h"

template<class Base> class SECOleDragDropTask_T : public SECStartDragCore_T<Base>, public SECDragDropTaskBase {
public:
    BOOL CanStartDrag(UINT nFlags, POINT point) override { return CanStartDragStep(nFlags, point); }
    BOOL OnDragDoubleClick(UINT nFlags, POINT point) override { return DoubleClickStep(nFlags, point); }
    BOOL StartDrag(UINT nFlags, POINT press, POINT current) override { return RunDrag(nFlags, current, press); }

    virtual BOOL RunDrag(UINT nFlags, POINT point, POINT /*start*/)
    {
        if (!BeginDragStep(nFlags, point))
            return FALSE;
        SECOleDropSource source(this);
        COleDataSource data;
        const DROPEFFECT effect = data.DoDragDrop(DROPEFFECT_MOVE, nullptr, &source);
        POINT pt {};
        ::GetCursorPos(&pt);
        EndDragStep(nFlags, pt, effect != DROPEFFECT_NONE);
        return TRUE;
    }
};
