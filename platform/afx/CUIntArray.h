#pragma once
// An array of unsigned integers; not archived, as the width of UINT is not fixed across platforms.

#include "platform/afx/CArray.h"

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
public:
    CUIntArray() = default;

    // Not archived: the collection writes and reads nothing.
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
