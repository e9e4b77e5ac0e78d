#pragma once
// Hands the five steps of a drag to its feature (not owned); a task without a feature refuses all.

#include "toolkit/frames/ISECDragDropFeature.h"

class SECDragDropTaskBase {
public:
    virtual ~SECDragDropTaskBase() = default;
    virtual BOOL CanStartDragStep(UINT nFlags, POINT point)
    {
        return m_pDragFeature && m_pDragFeature->CanStartDrag(nFlags, point);
    }
    virtual BOOL BeginDragStep(UINT nFlags, POINT point)
    {
        return m_pDragFeature && m_pDragFeature->BeginDrag(nFlags, point);
    }
    virtual BOOL DragOverStep(UINT nFlags, POINT point)
    {
        return m_pDragFeature && m_pDragFeature->DragOver(nFlags, point);
    }
    virtual BOOL EndDragStep(UINT nFlags, POINT point, BOOL bCommit)
    {
        return m_pDragFeature && m_pDragFeature->EndDrag(nFlags, point, bCommit);
    }
    virtual BOOL DoubleClickStep(UINT nFlags, POINT point)
    {
        return m_pDragFeature && m_pDragFeature->OnDoubleClick(nFlags, point);
    }

    void SetDragFeature(ISECDragDropFeature* pFeature) { m_pDragFeature = pFeature; }
    ISECDragDropFeature* GetDragFeature() const { return m_pDragFeature; }

protected:
    ISECDragDropFeature* m_pDragFeature { nullptr };
};
