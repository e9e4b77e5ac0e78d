#pragma once
// A map from strings to strings (keys compared with regard to case).

#include "platform/afx/CMap.h"

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
    DECLARE_SERIAL(CMapStringToString)
public:
    // nBlockSize: the allocation step the original class library used; kept for its interface.
    explicit CMapStringToString(INT_PTR nBlockSize = 10)
        : CMap<CString, LPCTSTR, CString, LPCTSTR>(nBlockSize)
    {
    }
};
