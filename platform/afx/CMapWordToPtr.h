#pragma once
// A map from 16-bit words to pointers.

#include "platform/afx/CMap.h"

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    // nBlockSize: the allocation step the original class library used; kept for its interface.
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10)
        : CMap<WORD, WORD, void*, void*>(nBlockSize)
    {
    }

    // Pointers mean nothing in another process: the collection writes and reads nothing.
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
