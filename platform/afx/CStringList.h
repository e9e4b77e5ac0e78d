#pragma once
// A list of strings, archived in the string form.

#include "platform/afx/CList.h"

class CStringList : public CList<CString, const CString&> {
    DECLARE_SERIAL(CStringList)
public:
    // nBlockSize: the allocation step the original class library used; kept for its interface.
    explicit CStringList(INT_PTR nBlockSize = 10)
        : CList<CString, const CString&>(nBlockSize)
    {
    }
};
