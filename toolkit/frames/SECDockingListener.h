#pragma once
// The docking listener of frames and floating windows: a press on a gripper starts the drag at once.

#include "toolkit/frames/SECDockingListener_T.h"
#include "toolkit/frames/SECLayoutWndListener.h"
#include "toolkit/frames/SECLocalDragDropTask_T.h"

class SECDockingListener : public SECDockingListener_T<SECLocalDragDropTask_T<SECLayoutWndListener>> {
public:
    void OnDockingAttached(CWnd*) override { SetDragThreshold(0.0); }
};
