#pragma once
// A drawn node that can move into another container: a window container's window becomes its draw window.

#include "toolkit/frames/SECDefReparentableNode.h"

template<class Base> class SECReparentableLayoutNodeDC_T : public Base, public SECDefReparentableNode {
public:
    void SetContainerWindow(HWND hWnd) override { this->SetDrawWindow(hWnd); }
};
