// The 3-D tab strip's painting: the strip's inner edge, tab outlines for the four edges, icons,
// rotated labels on vertical strips, embossed disabled tabs and the focus.
#include <cstring>

#include "platform/afx/CBitmap.h"
#include "platform/afx/CPaintDC.h"
#include "toolkit/controls/SEC3DTabControl.h"

void SEC3DTabControl::FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF rgb)
{
    pDC->FillSolidRect(x, y, cx, cy, rgb);
}

void SEC3DTabControl::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&paint) || !bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height()))
        return;
    CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
    FillSolidRect(&dc, 0, 0, client.Width(), client.Height(), ::GetSysColor(COLOR_BTNFACE));
    for (int n = 0; n < GetTabCount(); ++n)
        if (!(m_bActiveTab && n == m_nActiveTab))
            DrawTab(&dc, n);
    // The strip's inner edge along the side that faces the content.
    const DWORD dwStyle = GetStyle();
    const COLORREF lines[] = { ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNFACE),
        ::GetSysColor(COLOR_BTNSHADOW), RGB(0, 0, 0) };
    const BOOL bFlat = (dwStyle & TCS_TABS_FLAT) != 0;
    const BOOL bVertical = IsVertical();
    // Where the four lines start, and which two lie nearer the content (left out when flat).
    int first = 0;
    BOOL bNearFirst = FALSE;
    if (dwStyle & TCS_TABS_ON_BOTTOM) {
        first = 0;
        bNearFirst = TRUE;
    } else if (dwStyle & TCS_TABS_ON_TOP) {
        first = client.Height() - 4;
    } else if (dwStyle & TCS_TABS_ON_LEFT) {
        first = client.Width() - 4;
    } else {
        first = 0;
        bNearFirst = TRUE;
    }
    for (int i = 0; i < 4; ++i) {
        const BOOL bNear = bNearFirst ? i < 2 : i >= 2;
        if (bFlat && bNear)
            continue;
        if (bVertical)
            FillSolidRect(&dc, first + i, 0, 1, client.Height(), lines[i]);
        else
            FillSolidRect(&dc, 0, first + i, client.Width(), 1, lines[i]);
    }
    if (m_bActiveTab && IsValidTab(m_nActiveTab) && paint.RectVisible(&GetTab3D(m_nActiveTab)->m_rect))
        DrawTab(&dc, m_nActiveTab);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(pOldBitmap);
}

void SEC3DTabControl::DrawTab(CDC* pDC, int nIndex)
{
    SEC3DTab* pTab = GetTab3D(nIndex);
    if (pTab == nullptr)
        return;
    const CRect& rect = pTab->m_rect;
    FillSolidRect(pDC, rect.left, rect.top, rect.Width(), rect.Height(), ::GetSysColor(COLOR_BTNFACE));
    const DWORD dwStyle = GetStyle();
    if (dwStyle & TCS_TABS_ON_BOTTOM)
        DrawTabBottom(pDC, pTab, dwStyle);
    else if (dwStyle & TCS_TABS_ON_TOP)
        DrawTabTop(pDC, pTab, dwStyle);
    else if (dwStyle & TCS_TABS_ON_LEFT)
        DrawTabLeft(pDC, pTab, dwStyle);
    else
        DrawTabRight(pDC, pTab, dwStyle);
    DrawTabContents(pDC, pTab, dwStyle);
    CWnd* pParent = GetParent();
    if (pTab->m_bSelected && pParent != nullptr && (pParent->GetStyle() & WS_TABSTOP) && ::GetFocus() == m_hWnd) {
        CRect focus = rect;
        focus.DeflateRect(3, 3);
        pDC->DrawFocusRect(&focus);
    }
}

namespace {

// One outline: a highlight edge and the far edges in shadow and black, corners cut by a pixel. The
// points run along the tab's free sides; the side against the content stays open.
void Outline(CDC* pDC, const CPoint* pHighlight, int nHighlight, const CPoint* pShadow, int nShadow,
    const CPoint* pBlack, int nBlack, CPen* pHighlightPen, CPen* pShadowPen, CPen* pBlackPen)
{
    const auto polyline = [pDC](const CPoint* pPoints, int nCount, CPen* pPen) {
        if (pPen == nullptr || nCount < 2)
            return;
        CPen* pOld = pDC->SelectObject(pPen);
        pDC->MoveTo(pPoints[0]);
        for (int i = 1; i < nCount; ++i)
            pDC->LineTo(pPoints[i]);
        pDC->SelectObject(pOld);
    };
    polyline(pHighlight, nHighlight, pHighlightPen);
    polyline(pShadow, nShadow, pShadowPen);
    polyline(pBlack, nBlack, pBlackPen);
}

} // namespace

void SEC3DTabControl::DrawTabBottom(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle)
{
    // The tab hangs from the strip's top edge.
    const CRect r = pTab->m_rect;
    const int inset = (dwStyle & TCS_TAB_NARROW_EDGE) ? 1 : 0;
    const CPoint highlight[] = { CPoint(r.left + inset, r.top), CPoint(r.left + inset, r.bottom - 2) };
    const CPoint shadow[] = { CPoint(r.left + 1 + inset, r.bottom - 2), CPoint(r.right - 2, r.bottom - 2),
        CPoint(r.right - 2, r.top - 1) };
    const CPoint black[] = { CPoint(r.left + 1 + inset, r.bottom - 1), CPoint(r.right - 2, r.bottom - 1),
        CPoint(r.right - 1, r.bottom - 2), CPoint(r.right - 1, r.top - 1) };
    Outline(pDC, highlight, 2, shadow, 3, black, 4, m_pHighlightPen.get(), m_pShadowPen.get(), m_pBlackPen.get());
}

void SEC3DTabControl::DrawTabTop(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle)
{
    // The tab stands on the strip's bottom edge.
    const CRect r = pTab->m_rect;
    const int inset = (dwStyle & TCS_TAB_NARROW_EDGE) ? 1 : 0;
    const CPoint highlight[] = { CPoint(r.left, r.bottom), CPoint(r.left, r.top + 1), CPoint(r.left + 1, r.top + inset),
        CPoint(r.right - 1, r.top + inset) };
    const CPoint shadow[] = { CPoint(r.right - 2, r.top + 1), CPoint(r.right - 2, r.bottom) };
    const CPoint black[] = { CPoint(r.right - 1, r.top + 1), CPoint(r.right - 1, r.bottom) };
    Outline(pDC, highlight, 4, shadow, 2, black, 2, m_pHighlightPen.get(), m_pShadowPen.get(), m_pBlackPen.get());
}

void SEC3DTabControl::DrawTabLeft(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle)
{
    // The tab stands on the strip's right edge and points left.
    const CRect r = pTab->m_rect;
    const int inset = (dwStyle & TCS_TAB_NARROW_EDGE) ? 1 : 0;
    const CPoint highlight[] = { CPoint(r.right, r.top), CPoint(r.left + 1, r.top),
        CPoint(r.left + inset, r.top + 1), CPoint(r.left + inset, r.bottom - 1) };
    const CPoint shadow[] = { CPoint(r.left + 1, r.bottom - 2), CPoint(r.right, r.bottom - 2) };
    const CPoint black[] = { CPoint(r.left + 1, r.bottom - 1), CPoint(r.right, r.bottom - 1) };
    Outline(pDC, highlight, 4, shadow, 2, black, 2, m_pHighlightPen.get(), m_pShadowPen.get(), m_pBlackPen.get());
}

void SEC3DTabControl::DrawTabRight(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle)
{
    // The tab stands on the strip's left edge and points right.
    const CRect r = pTab->m_rect;
    const int inset = (dwStyle & TCS_TAB_NARROW_EDGE) ? 1 : 0;
    const CPoint highlight[] = { CPoint(r.left - 1, r.top), CPoint(r.right - 2, r.top) };
    const CPoint shadow[] = { CPoint(r.right - 2 - inset, r.top + 1), CPoint(r.right - 2 - inset, r.bottom - 2),
        CPoint(r.left - 1, r.bottom - 2) };
    const CPoint black[] = { CPoint(r.right - 1 - inset, r.top + 1), CPoint(r.right - 1 - inset, r.bottom - 2),
        CPoint(r.right - 2 - inset, r.bottom - 1), CPoint(r.left - 1, r.bottom - 1) };
    Outline(pDC, highlight, 2, shadow, 3, black, 4, m_pHighlightPen.get(), m_pShadowPen.get(), m_pBlackPen.get());
}

void SEC3DTabControl::DrawTabContents(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle)
{
    const CRect r = pTab->m_rect;
    const BOOL bActive = pTab->m_bSelected;
    const BOOL bVertical = (dwStyle & (TCS_TABS_ON_BOTTOM | TCS_TABS_ON_TOP)) == 0;
    const BOOL bUpwards = (dwStyle & TCS_TABS_ON_LEFT) != 0;
    CFont* pFont = bActive ? m_pActiveFont.get() : m_pNormalFont.get();
    CFont* pOldFont = pDC->SelectObject(pFont);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    // Along the strip the contents start 6 pixels in from the tab's leading end.
    const int lead = tabEnd;
    const CSize text = m_bShowLabels ? pDC->GetTextExtent(pTab->m_csLabel) : CSize(0, 0);
    const auto draw = [&](int dx, int dy, COLORREF rgb) {
        pDC->SetTextColor(rgb);
        if (!bVertical) {
            const int x = r.left + lead;
            if (pTab->m_hIcon)
                ::DrawIconEx(pDC->GetSafeHdc(), x + dx, r.top + (r.Height() - 16) / 2 + dy, pTab->m_hIcon, 16, 16, 0,
                    nullptr, DI_NORMAL);
            if (m_bShowLabels)
                pDC->TextOut(x + (pTab->m_hIcon ? iconLength : 0) + dx, r.top + (r.Height() - text.cy) / 2 + dy,
                    pTab->m_csLabel);
        } else if (bUpwards) {
            // Written bottom to top, starting at the tab's bottom end.
            const int y = r.bottom - lead;
            if (pTab->m_hIcon)
                ::DrawIconEx(pDC->GetSafeHdc(), r.left + (r.Width() - 16) / 2 + dx, y - 16 + dy, pTab->m_hIcon, 16, 16,
                    0, nullptr, DI_NORMAL);
            if (m_bShowLabels)
                pDC->TextOut(r.left + (r.Width() - text.cy) / 2 + dx, y - (pTab->m_hIcon ? iconLength : 0) + dy,
                    pTab->m_csLabel);
        } else {
            // Written top to bottom, starting at the tab's top end.
            const int y = r.top + lead;
            if (pTab->m_hIcon)
                ::DrawIconEx(pDC->GetSafeHdc(), r.left + (r.Width() - 16) / 2 + dx, y + dy, pTab->m_hIcon, 16, 16, 0,
                    nullptr, DI_NORMAL);
            if (m_bShowLabels)
                pDC->TextOut(r.right - (r.Width() - text.cy) / 2 + dx, y + (pTab->m_hIcon ? iconLength : 0) + dy,
                    pTab->m_csLabel);
        }
    };
    if (pTab->m_bEnabled) {
        draw(0, 0, bActive ? m_rgbActiveText : m_rgbText);
    } else {
        // Embossed: the highlight one pixel right and down, the shadow over it.
        draw(1, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        draw(0, 0, ::GetSysColor(COLOR_BTNSHADOW));
    }
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}
