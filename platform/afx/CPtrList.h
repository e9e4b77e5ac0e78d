#pragma once
// A list of untyped pointers; the list does not own what they point to.

#include "platform/afx/CList.h"

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    // nBlockSize: the allocation step the original class library used; kept for its interface.
    explicit CPtrList(INT_PTR nBlockSize = 10)
        : CList<void*, void*>(nBlockSize)
    {
    }

    // Pointers mean nothing in another process: the collection writes and reads nothing.
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
