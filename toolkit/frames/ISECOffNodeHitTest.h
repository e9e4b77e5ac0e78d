#pragma once
// A node that accepts points outside its own rectangle, as a frame side accepts drops just beside it.

#include "platform/user/WinUser.h"

class ISECOffNodeHitTest {
public:
    virtual ~ISECOffNodeHitTest() = default;
    // ptNode is in the node's layout coordinates.
    virtual BOOL HitTestOffNode(POINT ptNode) = 0;
};
