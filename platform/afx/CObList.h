#pragma once
// A list of CObject pointers, archived as objects; the list does not delete them.

#include "platform/afx/CList.h"

class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
public:
    // nBlockSize: the allocation step the original class library used; kept for its interface.
    explicit CObList(INT_PTR nBlockSize = 10)
        : CList<CObject*, CObject*>(nBlockSize)
    {
    }
};
