#pragma once
// An array of strings, archived in the string form.

#include "platform/afx/CArray.h"

class CStringArray : public CArray<CString, const CString&> {
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray() = default;
};
