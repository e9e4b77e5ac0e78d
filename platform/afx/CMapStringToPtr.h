#pragma once
// A map from strings (compared with regard to case) to pointers.

#include "platform/afx/CMap.h"

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    // nBlockSize: the allocation step the original class library used; kept for its interface.
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10)
        : CMap<CString, LPCTSTR, void*, void*>(nBlockSize)
    {
    }

    // Pointers mean nothing in another process: the collection writes and reads nothing.
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
