#pragma once
// A brush that owns its handle.

#include "platform/afx/CGdiObject.h"

class CBitmap;

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    // A solid brush of the colour.
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }

    // The wrapper of a brush handle (see CGdiObject::FromHandle).
    static CBrush* FromHandle(HBRUSH hBrush) { return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush)); }
    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
    // A brush tiled from the bitmap (copied, so the bitmap may go afterwards).
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    // Wraps the shared brush of a system colour (never deleted).
    BOOL CreateSysColorBrush(int nIndex);
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};
