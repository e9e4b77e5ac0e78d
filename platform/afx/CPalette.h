#pragma once
// A palette that owns its handle.

#include "platform/afx/CGdiObject.h"

class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette() = default;

    // The wrapper of a palette handle (see CGdiObject::FromHandle).
    static CPalette* FromHandle(HPALETTE hPalette)
    {
        return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette));
    }
    BOOL CreatePalette(const LOGPALETTE* lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
    BOOL CreateHalftonePalette(HDC hDC) { return Attach(::CreateHalftonePalette(hDC)); }
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, PALETTEENTRY* lpPaletteColors) const
    {
        return m_hObject ? ::GetPaletteEntries(*this, nStartIndex, nNumEntries, lpPaletteColors) : 0;
    }
    UINT GetNearestPaletteIndex(COLORREF crColor) const
    {
        return m_hObject ? ::GetNearestPaletteIndex(*this, crColor) : CLR_INVALID;
    }
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
};
