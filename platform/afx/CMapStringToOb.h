#pragma once
// A map from strings to CObject pointers, archived as strings and objects; the map does not delete them.

#include "platform/afx/CMap.h"

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
    DECLARE_SERIAL(CMapStringToOb)
public:
    // nBlockSize: the allocation step the original class library used; kept for its interface.
    explicit CMapStringToOb(INT_PTR nBlockSize = 10)
        : CMap<CString, LPCTSTR, CObject*, CObject*>(nBlockSize)
    {
    }
};
