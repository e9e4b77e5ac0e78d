#pragma once
// A map from pointers to pointers, hashed by the key's address shifted right by 4 bits.

#include "platform/afx/CMap.h"

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    // nBlockSize: the allocation step the original class library used; kept for its interface.
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10)
        : CMap<void*, void*, void*, void*>(nBlockSize)
    {
    }

    // Pointers mean nothing in another process: the collection writes and reads nothing.
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
