#pragma once
// An array of 16-bit words, archived little-endian.

#include "platform/afx/CArray.h"

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_SERIAL(CWordArray)
public:
    CWordArray() = default;
};
