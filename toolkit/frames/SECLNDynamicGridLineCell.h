#pragma once
// What a grid line knows about one of its nodes: whether the user may size it, and the splitters it
// shares with its neighbours (the same splitter is the after splitter of one and the before of the next).

#include "platform/afx/AfxTypes.h"

class SECLNVirtualSplitter;

struct SECLNDynamicGridLineCell {
    BOOL m_bSizable { TRUE };
    SECLNVirtualSplitter* m_pBefore { nullptr };
    SECLNVirtualSplitter* m_pAfter { nullptr };
};
