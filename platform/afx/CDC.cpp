#include "platform/afx/CDC.h"

#include "platform/afx/AfxHandleMap.h"
#include "platform/afx/CWnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

afx::HandleMap<CDC, HDC>& Map()
{
    thread_local afx::HandleMap<CDC, HDC> map(
        [](HDC handle) {
            auto dc = std::make_unique<CDC>();
            dc->m_hDC = dc->m_hAttribDC = handle;
            return dc;
        },
        [](CDC& dc) { dc.m_hDC = dc.m_hAttribDC = nullptr; });
    return map;
}

template<typename Wrapper, typename Handle> Wrapper* Previous(HGDIOBJ old)
{
    return old ? Wrapper::FromHandle(static_cast<Handle>(old)) : nullptr;
}

// The frame of a rectangle whose sides are size thick, as a region of its own.
void MakeFrameRegion(CRgn& frame, LPCRECT lpRect, SIZE size)
{
    CRect inside(lpRect);
    inside.DeflateRect(size.cx, size.cy);
    inside.IntersectRect(inside, lpRect);
    CRgn outer;
    CRgn inner;
    outer.CreateRectRgnIndirect(lpRect);
    inner.CreateRectRgnIndirect(inside);
    frame.CreateRectRgn(0, 0, 0, 0);
    frame.CombineRgn(&outer, &inner, RGN_XOR);
}

} // namespace

CDC::~CDC() { DeleteDC(); }

CDC* CDC::FromHandle(HDC hDC) { return Map().FromHandle(hDC); }

void CDC::DeleteTempMap() { Map().DeleteTemp(); }

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    Map().SetPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC)
        Map().RemoveHandle(hDC, this);
    m_hDC = m_hAttribDC = nullptr;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
}

CWnd* CDC::GetWindow() const { return m_hDC ? CWnd::FromHandle(::WindowFromDC(m_hDC)) : nullptr; }

CPen* CDC::SelectObject(CPen* pPen)
{
    return pPen ? Previous<CPen, HPEN>(::SelectObject(m_hDC, pPen->m_hObject)) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush ? Previous<CBrush, HBRUSH>(::SelectObject(m_hDC, pBrush->m_hObject)) : nullptr;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont ? Previous<CFont, HFONT>(::SelectObject(m_hDC, pFont->m_hObject)) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap ? Previous<CBitmap, HBITMAP>(::SelectObject(m_hDC, pBitmap->m_hObject)) : nullptr;
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return pObject ? Previous<CGdiObject, HGDIOBJ>(::SelectObject(m_hDC, pObject->m_hObject)) : nullptr;
}

int CDC::SelectObject(CRgn* pRgn) { return SelectClipRgn(pRgn); }

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ stock = ::GetStockObject(nIndex);
    return stock ? Previous<CGdiObject, HGDIOBJ>(::SelectObject(m_hDC, stock)) : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return pPalette ? Previous<CPalette, HPALETTE>(::SelectPalette(m_hDC, *pPalette, bForceBackground)) : nullptr;
}

CPen* CDC::GetCurrentPen() const { return Previous<CPen, HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)); }

CBrush* CDC::GetCurrentBrush() const { return Previous<CBrush, HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)); }

CFont* CDC::GetCurrentFont() const { return Previous<CFont, HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)); }

CBitmap* CDC::GetCurrentBitmap() const
{
    return Previous<CBitmap, HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP));
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old {};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::GetViewportOrg() const
{
    POINT origin {};
    ::GetViewportOrgEx(m_hAttribDC, &origin);
    return origin;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old {};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old {};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE old {};
    ::SetViewportExtEx(m_hDC, cx, cy, &old);
    return old;
}

CPoint CDC::GetWindowOrg() const
{
    POINT origin {};
    ::GetWindowOrgEx(m_hAttribDC, &origin);
    return origin;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old {};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE old {};
    ::SetWindowExtEx(m_hDC, cx, cy, &old);
    return old;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old {};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (pBrush)
        ::FillRect(m_hDC, lpRect, *pBrush);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (pBrush)
        ::FrameRect(m_hDC, lpRect, *pBrush);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) { return pRgn && pBrush && ::FillRgn(m_hDC, *pRgn, *pBrush); }

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return pRgn && pBrush && ::FrameRgn(m_hDC, *pRgn, *pBrush, nWidth, nHeight);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    CRect rect(x, y, x + cx, y + cy);
    rect.NormalizeRect();
    FillSolidRect(&rect, clr);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    CRect rect(lpRect);
    rect.NormalizeRect();
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
        clrBottomRight);
}

void CDC::DrawDragRect(
    LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush, CBrush* pBrushLast)
{
    if (!lpRect)
        return;
    if (!pBrush)
        pBrush = GetHalftoneBrush();
    if (!pBrushLast)
        pBrushLast = pBrush;
    const int saved = SaveDC();

    CRgn frameNew;
    MakeFrameRegion(frameNew, lpRect, size);
    CRgn frameLast;
    CRgn update;
    if (lpRectLast) {
        MakeFrameRegion(frameLast, lpRectLast, sizeLast);
        if (pBrush->m_hObject == pBrushLast->m_hObject) {
            // Inverting the difference of both frames moves the outline without flicker.
            update.CreateRectRgn(0, 0, 0, 0);
            update.CombineRgn(&frameLast, &frameNew, RGN_XOR);
        } else {
            // Different brushes cannot share one inversion: take the old outline away first.
            SelectClipRgn(&frameLast);
            CRect box;
            GetClipBox(&box);
            CBrush* old = SelectObject(pBrushLast);
            PatBlt(box.left, box.top, box.Width(), box.Height(), PATINVERT);
            SelectObject(old);
        }
    }
    SelectClipRgn(update.m_hObject ? &update : &frameNew);
    CRect box;
    GetClipBox(&box);
    CBrush* old = SelectObject(pBrush);
    PatBlt(box.left, box.top, box.Width(), box.Height(), PATINVERT);
    SelectObject(old);
    RestoreDC(saved);
}

CBrush* CDC::GetHalftoneBrush() { return CBrush::FromHandle(platform::gdi::HalftoneBrush()); }

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
    int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
        nSrcHeight, dwRop);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size {};
    ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return size;
}
