#pragma once
// Told by a border client when the rectangle of its centre node changed.

#include "platform/gdi/WinGdi.h"

class ISECLNBorderClientEventRcvr {
public:
    virtual ~ISECLNBorderClientEventRcvr() = default;
    virtual void OnClientRectChanged(const RECT& rcCentre) = 0;
};
