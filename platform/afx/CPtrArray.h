#pragma once
// An array of untyped pointers; the array does not own what they point to.

#include "platform/afx/CArray.h"

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() = default;

    // Pointers mean nothing in another process: the collection writes and reads nothing.
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
