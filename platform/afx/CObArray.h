#pragma once
// An array of CObject pointers, archived as objects; the array does not delete them.

#include "platform/afx/CArray.h"

class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_SERIAL(CObArray)
public:
    CObArray() = default;
};
