#pragma once
// The drop source of a docking drag run through the system's drag-and-drop loop: besides the usual
// rules (Escape cancels, the release drops) it moves the docking drag along and cancels it when the
// pointer cannot be read or the docking drag cannot go on.

#include "platform/afx/COleDropSource.h"

class SECDragDropTaskBase;

class SECOleDropSource : public COleDropSource {
public:
    explicit SECOleDropSource(SECDragDropTaskBase* pTask)
        : m_pTask(pTask)
    {
    }

    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;

private:
    SECDragDropTaskBase* m_pTask { nullptr };
};
