#pragma once
// Settings of a docking listener apart from its drag task.

#include "platform/afx/AfxTypes.h"

class ISECDockingListenerConfig {
public:
    virtual ~ISECDockingListenerConfig() = default;
    // Whether attaching registers a window container for the root when the manager has none.
    virtual void SetAutoRegisterContainer(BOOL bAuto) = 0;
    virtual BOOL GetAutoRegisterContainer() = 0;
    virtual BOOL DetachDocking() = 0;
};
