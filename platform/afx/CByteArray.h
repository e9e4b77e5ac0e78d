#pragma once
// An array of bytes, archived as the bytes themselves.

#include "platform/afx/CArray.h"

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
public:
    CByteArray() = default;
};
