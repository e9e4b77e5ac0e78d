#pragma once
// A region that owns its handle.

#include "platform/afx/CGdiObject.h"

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    CRgn() = default;

    // The wrapper of a region handle (see CGdiObject::FromHandle).
    static CRgn* FromHandle(HRGN hRgn) { return static_cast<CRgn*>(CGdiObject::FromHandle(hRgn)); }
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
    {
        return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
    }
    // Combines two regions into this one (which must exist); the region type, ERROR on failure.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    BOOL SetRectRgn(int x1, int y1, int x2, int y2) { return m_hObject && ::SetRectRgn(*this, x1, y1, x2, y2); }
    BOOL SetRectRgn(LPCRECT lpRect) { return SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int OffsetRgn(int x, int y) { return m_hObject ? ::OffsetRgn(*this, x, y) : ERROR; }
    int GetRgnBox(LPRECT lpRect) const { return m_hObject ? ::GetRgnBox(*this, lpRect) : ERROR; }
    BOOL PtInRegion(int x, int y) const { return m_hObject && ::PtInRegion(*this, x, y); }
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    BOOL RectInRegion(LPCRECT lpRect) const { return m_hObject && ::RectInRegion(*this, lpRect); }
    BOOL EqualRgn(const CRgn* pRgn) const { return m_hObject && pRgn && ::EqualRgn(*this, *pRgn); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};
