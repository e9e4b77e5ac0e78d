#pragma once
// A border that can be switched off, leaving its bordered node the whole rectangle.

#include "platform/afx/AfxTypes.h"

class ISECBorderWrapper {
public:
    virtual ~ISECBorderWrapper() = default;
    virtual void EnableBorder(BOOL bEnable, BOOL bRecalcChildren) = 0;
    virtual BOOL IsBorderEnabled() = 0;
};
