#pragma once
// A pen that owns its handle.

#include "platform/afx/CGdiObject.h"

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    // A pen of the style, width and colour (no handle when it cannot be made).
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }

    // The wrapper of a pen handle (see CGdiObject::FromHandle).
    static CPen* FromHandle(HPEN hPen) { return static_cast<CPen*>(CGdiObject::FromHandle(hPen)); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) { return Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
    BOOL CreatePenIndirect(const LOGPEN* lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
    int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};
