#pragma once
// The root of a floating window's layout tree: showing or hiding it shows or hides the whole window.

#include "platform/afx/AfxTypes.h"

class ISECFloatingNode {
public:
    virtual ~ISECFloatingNode() = default;
    virtual void OnFloatingNodeEvent() { }
    virtual BOOL ShowFloatingWindow(BOOL bShow) = 0;
};
