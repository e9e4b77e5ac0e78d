#pragma once
// Where a bar goes in a dock bar: the row, the column and flags; and its size there: its share of the
// row, its length and a spare field. Carried by address in the extended system commands.

#include "platform/base/WinTypes.h"

struct SECDockPlacement {
    int m_nRow { 0 };
    int m_nCol { 0 };
    DWORD m_dwFlags { 0 };
};

struct SECDockSize {
    float m_fPct { 1.0F };
    int m_nLength { 0 };
    DWORD m_dwReserved { 0 };
};
