#pragma once
// The logic of one drag: whether it may start at a point, its start, each move, its end (dropped or
// cancelled), and a double click instead of a drag. Points are screen points.

#include "platform/afx/AfxTypes.h"
#include "platform/user/WinUser.h"

class ISECDragDropFeature {
public:
    virtual ~ISECDragDropFeature() = default;
    virtual BOOL CanStartDrag(UINT nFlags, POINT point) = 0;
    virtual BOOL BeginDrag(UINT nFlags, POINT point) = 0;
    virtual BOOL DragOver(UINT nFlags, POINT point) = 0;
    virtual BOOL EndDrag(UINT nFlags, POINT point, BOOL bCommit) = 0;
    virtual BOOL OnDoubleClick(UINT nFlags, POINT point) = 0;
};
