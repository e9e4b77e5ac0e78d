#pragma once
// The docking manager's node pools: nodes live in one of them while they are moved between trees.

#include "toolkit/frames/SECLayoutNode.h"

class SECDockMgrMemMgr : public quorvale::foundation::SECObjectMemoryManager_T<SECLayoutNodePool> {
public:
    // The first pool that holds the node, or null.
    SECLayoutNodePool* FindPoolOf(SECLayoutNode* pNode) const
    {
        for (POSITION pos = GetObjects().GetHeadPosition(); pos;) {
            SECLayoutNodePool* pool = GetObjects().GetNext(pos);
            if (pool->FindObject(pNode))
                return pool;
        }
        return nullptr;
    }
    int CountEmptyPools() const
    {
        int count = 0;
        for (POSITION pos = GetObjects().GetHeadPosition(); pos;)
            count += GetObjects().GetNext(pos)->GetObjectCount() == 0 ? 1 : 0;
        return count;
    }
};
