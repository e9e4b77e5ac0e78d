#pragma once
// An array of 32-bit double words, archived little-endian.

#include "platform/afx/CArray.h"

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
public:
    CDWordArray() = default;
};
