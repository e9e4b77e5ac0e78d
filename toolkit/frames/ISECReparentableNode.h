#pragma once
// A node that can move into another container (a window, a floating frame) and paint there.

#include "platform/afx/AfxTypes.h"
#include "platform/user/WinUser.h"

class ISECLNContainer;

class ISECReparentableNode {
public:
    virtual ~ISECReparentableNode() = default;
    virtual BOOL SetContainer(ISECLNContainer* pContainer) = 0;
    virtual ISECLNContainer* GetContainer() = 0;
    virtual void SetContainerWindow(HWND hWnd) = 0;
    virtual void AdoptRootNodePool() = 0;
    virtual BOOL SetContainerFromObject(ISECLNContainer* pContainer) = 0;
};
