// The 3-D tab strip's painting: the strip's inner edge, tab outlines for the four edges, icons,
// rotated labels on vertical strips, embossed disabled tabs (the active one excepted) and the focus.
#include <cstring>

#include "platform/afx/CBitmap.h"
#include "platform/afx/CBrush.h"
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
    // The active tab names the content on show, so it reads normally even while it takes no clicks
    // (a program disables the tab it shows when that content has nothing to work on).
    if (pTab->m_bEnabled || pTab->m_bSelected) {
        DrawContentsAt(pDC, pTab, dwStyle, r, pTab->m_bSelected ? m_rgbActiveText : m_rgbText);
        return;
    }
    // A disabled tab's icon and label become one monochrome shape: drawn black on white in a colour
    // scratch image, turned into a mask (white stays white), and embossed from the mask.
    CDC scratch;
    CBitmap scratchBitmap;
    m_pMaskDC = std::make_unique<CDC>();
    m_pMaskBitmap = std::make_unique<CBitmap>();
    if (!scratch.CreateCompatibleDC(pDC) || !scratchBitmap.CreateCompatibleBitmap(pDC, r.Width(), r.Height())
        || !m_pMaskDC->CreateCompatibleDC(pDC) || !m_pMaskBitmap->CreateBitmap(r.Width(), r.Height(), 1, 1, nullptr)) {
        m_pMaskDC.reset();
        m_pMaskBitmap.reset();
        return;
    }
    CBitmap* pOldScratch = scratch.SelectObject(&scratchBitmap);
    scratch.FillSolidRect(0, 0, r.Width(), r.Height(), RGB(255, 255, 255));
    DrawContentsAt(&scratch, pTab, dwStyle, CRect(0, 0, r.Width(), r.Height()), RGB(0, 0, 0));
    CBitmap* pOldMask = m_pMaskDC->SelectObject(m_pMaskBitmap.get());
    scratch.SetBkColor(RGB(255, 255, 255));
    m_pMaskDC->BitBlt(0, 0, r.Width(), r.Height(), &scratch, 0, 0, SRCCOPY);
    scratch.SelectObject(pOldScratch);
    const CPoint oldOrigin = pDC->OffsetViewportOrg(r.left, r.top);
    DrawDisabled(pDC, r.Width(), r.Height());
    pDC->SetViewportOrg(oldOrigin);
    m_pMaskDC->SelectObject(pOldMask);
    m_pMaskDC.reset();
    m_pMaskBitmap.reset();
}

void SEC3DTabControl::DrawDisabled(CDC* pDC, int cx, int cy)
{
    if (!m_pMaskDC)
        return;
    // The mask reads as black contents on white, and the pattern-source-destination operation keeps
    // the destination where the source is white and paints the brush where it is black.
    constexpr DWORD kBrushWhereSourceClear = 0xB8074A;
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    CBrush highlight(::GetSysColor(COLOR_BTNHIGHLIGHT));
    CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
    CBrush* pOldBrush = pDC->SelectObject(&highlight);
    pDC->BitBlt(1, 1, cx, cy, m_pMaskDC.get(), 0, 0, kBrushWhereSourceClear);
    pDC->SelectObject(&shadow);
    pDC->BitBlt(0, 0, cx, cy, m_pMaskDC.get(), 0, 0, kBrushWhereSourceClear);
    pDC->SelectObject(pOldBrush);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
}

void SEC3DTabControl::DrawContentsAt(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle, const CRect& r, COLORREF rgb)
{
    const BOOL bVertical = (dwStyle & (TCS_TABS_ON_BOTTOM | TCS_TABS_ON_TOP)) == 0;
    const BOOL bUpwards = (dwStyle & TCS_TABS_ON_LEFT) != 0;
    CFont* pFont = pTab->m_bSelected ? m_pActiveFont.get() : m_pNormalFont.get();
    CFont* pOldFont = pDC->SelectObject(pFont);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText = pDC->SetTextColor(rgb);
    // Along the strip the contents start 6 pixels in from the tab's leading end.
    const int lead = tabEnd;
    const CSize text = m_bShowLabels ? pDC->GetTextExtent(pTab->m_csLabel) : CSize(0, 0);
    const int icon = pTab->m_hIcon ? iconLength : 0;
    if (!bVertical) {
        const int x = r.left + lead;
        if (pTab->m_hIcon)
            ::DrawIconEx(pDC->GetSafeHdc(), x, r.top + (r.Height() - 16) / 2, pTab->m_hIcon, 16, 16, 0, nullptr,
                DI_NORMAL);
        if (m_bShowLabels)
            pDC->TextOut(x + icon, r.top + (r.Height() - text.cy) / 2, pTab->m_csLabel);
    } else if (bUpwards) {
        // Written bottom to top, starting at the tab's bottom end.
        const int y = r.bottom - lead;
        if (pTab->m_hIcon)
            ::DrawIconEx(pDC->GetSafeHdc(), r.left + (r.Width() - 16) / 2, y - 16, pTab->m_hIcon, 16, 16, 0, nullptr,
                DI_NORMAL);
        if (m_bShowLabels)
            pDC->TextOut(r.left + (r.Width() - text.cy) / 2, y - icon, pTab->m_csLabel);
    } else {
        // Written top to bottom, starting at the tab's top end.
        const int y = r.top + lead;
        if (pTab->m_hIcon)
            ::DrawIconEx(pDC->GetSafeHdc(), r.left + (r.Width() - 16) / 2, y, pTab->m_hIcon, 16, 16, 0, nullptr,
                DI_NORMAL);
        if (m_bShowLabels)
            pDC->TextOut(r.right - (r.Width() - text.cy) / 2, y + icon, pTab->m_csLabel);
    }
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}
