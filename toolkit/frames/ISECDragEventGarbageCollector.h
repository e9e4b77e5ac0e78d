#pragma once
// A parent that has nodes to get rid of when a drag ends: it is handed a node pool when a drag takes a
// child from it, and null again when the drag ends, which deletes the pool with what it put there.

#include "toolkit/frames/SECLayoutNode.h"

class ISECDragEventGarbageCollector {
public:
    virtual ~ISECDragEventGarbageCollector() = default;
    virtual void SetDragGarbagePool(SECLayoutNodePool* pPool) = 0;
};
