// How the bitmap menus draw an item: the image box (the command's toolbar image, else a check mark or
// nothing), the label and the accelerator text, and the checked and disabled looks of an image.
#include <algorithm>

#include "platform/afx/CDC.h"
#include "platform/gdi/Images.h"
#include "toolkit/controls/SECBmpMenuPlugIn.h"
#include "toolkit/controls/SECBmpMgr.h"
#include "toolkit/controls/SECBtnDrawContext.h"
#include "toolkit/controls/SECControlIds.h"

namespace {

// The accelerator text ends this far inside the item's right edge, clear of a submenu's arrow.
constexpr int kRightMargin = 23;
// Ternary raster operations: the pattern where the source is white (D ^ (S & (P ^ D))), and the
// pattern where the source is black (P ^ (S & (D ^ P))).
constexpr DWORD kRopPatternOnWhite = 0x00E20746;
constexpr DWORD kRopPatternOnBlack = 0x00B8074A;

BOOL IsDisabled(UINT nState) { return (nState & (ODS_DISABLED | ODS_GRAYED)) != 0; }

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm {};
    if (!hBitmap || !::GetObject(hBitmap, sizeof bm, &bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

} // namespace

HBITMAP SECBmpMenuPlugIn::CheckMarkBitmap()
{
    if (m_hCheckMark)
        return m_hCheckMark;
    if (m_bOwnBitmaps)
        SECBmpMgr::LoadSysColorBitmap(m_hCheckMark, IDB_SEC_MENUCHECK);
    else
        m_hCheckMark = ::LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECK));
    m_bOwnCheckMark = m_hCheckMark != nullptr;
    return m_hCheckMark;
}

BOOL SECBmpMenuPlugIn::CreateDitherBrush()
{
    if (!m_hDitherBrush)
        m_hDitherBrush = SECBtnDrawContext::NewDitherBrush();
    return m_hDitherBrush != nullptr;
}

void SECBmpMenuPlugIn::OnDrawItem(int /*nIDCtl*/, LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || lpDIS->CtlType != ODT_MENU || IsExcluded(lpDIS->itemID))
        return;
    const auto hMenu = reinterpret_cast<HMENU>(lpDIS->hwndItem);
    const SECBmpMenuItemInfo* pItem = ::IsMenu(hMenu) ? RecordOf(hMenu, lpDIS->itemData) : nullptr;
    if (!pItem)
        return;
    m_bConsumed = TRUE;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const UINT nState = lpDIS->itemState;
    const BOOL bSelected = (nState & ODS_SELECTED) != 0;
    const BOOL bDisabled = IsDisabled(nState);

    CString strLabel = pItem->m_strText;
    CString strAccel;
    if (const int nTab = strLabel.Find('\t'); nTab >= 0) {
        strAccel = strLabel.Mid(nTab + 1);
        strLabel = strLabel.Left(nTab);
    }
    HGDIOBJ hOldFont = ::SelectObject(lpDIS->hDC, (nState & ODS_DEFAULT) ? GetBoldMenuFont() : GetMenuFont());

    HBITMAP hImage = nullptr;
    int nImage = -1;
    const BOOL bImage = m_pBmpMgr->GetBitmap(pItem->m_nID, hImage, nImage, TRUE);
    const CSize szSmall = m_pBmpMgr->GetSmallImageSize();
    CRect rect(lpDIS->rcItem);
    rect.left += 1;
    if (bImage) {
        DrawItemImage(lpDIS, pDC, rect, hImage, nImage, szSmall.cx, szSmall.cy);
    } else {
        MENUITEMINFO marks {};
        marks.fMask = MIIM_CHECKMARKS | MIIM_FTYPE;
        ::GetMenuItemInfo(hMenu, pItem->m_nID, FALSE, &marks);
        HBITMAP hMark = nullptr;
        if (nState & ODS_CHECKED) {
            hMark = marks.hbmpChecked;
            if (!hMark && (marks.fType & MFT_RADIOCHECK) && m_bOwnBitmaps)
                hMark = GetRadioDotBitmap();
            if (!hMark)
                hMark = CheckMarkBitmap();
        } else {
            hMark = marks.hbmpUnchecked;
        }
        if (const CSize szMark = BitmapSize(hMark); hMark && szMark.cx > 0)
            DrawItemImage(lpDIS, pDC, rect, hMark, 0, szMark.cx, szMark.cy);
        else
            DrawItemImage(lpDIS, pDC, rect, nullptr, -1, szSmall.cx, szSmall.cy);
    }

    // A one-pixel strip between the image box and the text: part of the highlight only when there is
    // no image box drawn raised.
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), bSelected && !bImage ? s_colors.highlight : s_colors.menu);
    rect.left += 1;
    pDC->SetBkMode(TRANSPARENT);
    const COLORREF background = bSelected ? s_colors.highlight : s_colors.menu;
    pDC->FillSolidRect(&rect, background);
    pDC->SetBkColor(background);
    rect.left += 1;
    rect.right -= kRightMargin;

    constexpr UINT kLabel = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    constexpr UINT kAccel = DT_SINGLELINE | DT_VCENTER | DT_RIGHT;
    if (!bDisabled) {
        pDC->SetTextColor(bSelected ? s_colors.highlightText : s_colors.menuText);
    } else if (!bSelected) {
        // Embossed: a highlight copy one pixel right and down under the grey text.
        CRect emboss = rect;
        emboss.OffsetRect(1, 1);
        pDC->SetTextColor(s_colors.btnHighlight);
        pDC->DrawText(strLabel, &emboss, kLabel);
        if (!strAccel.IsEmpty())
            pDC->DrawText(strAccel, &emboss, kAccel);
        pDC->SetTextColor(s_colors.grayText);
    } else {
        pDC->SetTextColor(s_colors.menu);
    }
    pDC->DrawText(strLabel, &rect, kLabel);
    if (!strAccel.IsEmpty())
        pDC->DrawText(strAccel, &rect, kAccel);
    ::SelectObject(lpDIS->hDC, hOldFont);
}

void SECBmpMenuPlugIn::DrawItemImage(
    LPDRAWITEMSTRUCT lpDIS, CDC* pDC, CRect& rect, HBITMAP hBitmap, int nImage, int nWidth, int nHeight)
{
    const CSize szSmall = m_pBmpMgr->GetSmallImageSize();
    CRect box(rect.left, rect.top, rect.left + szSmall.cx + 4, rect.bottom);
    rect.left = box.right;
    const UINT nState = lpDIS->itemState;
    const BOOL bSelected = (nState & ODS_SELECTED) != 0;
    const BOOL bChecked = (nState & ODS_CHECKED) != 0;
    const BOOL bDisabled = IsDisabled(nState);
    if (nImage == -1 || !hBitmap) {
        pDC->FillSolidRect(&box, bSelected ? s_colors.highlight : s_colors.menu);
        return;
    }
    pDC->FillSolidRect(&box, s_colors.menu);
    const int nBoxHeight = szSmall.cy + 4;
    box.top += (box.Height() - nBoxHeight) / 2;
    box.bottom = box.top + nBoxHeight;
    if (bChecked)
        pDC->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
    else if (bSelected && !bDisabled)
        pDC->DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
    box.DeflateRect(1, 1);
    box.top += 1;
    box.left += 1;

    CDC imageDC;
    if (!imageDC.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ hOld = ::SelectObject(imageDC, hBitmap);
    const int xSrc = nImage * nWidth;
    if (!bDisabled) {
        pDC->BitBlt(box.left, box.top, nWidth, nHeight, &imageDC, xSrc, 0, SRCCOPY);
        if (bChecked && !bSelected)
            DrawDitheredImage(pDC, box.left, box.top, nWidth, nHeight, &imageDC, xSrc);
    } else {
        DrawDisabledImage(pDC, box.left, box.top, nWidth, nHeight, &imageDC, xSrc);
    }
    ::SelectObject(imageDC, hOld);
}

BOOL SECBmpMenuPlugIn::CreateMask(CDC* pSrcDC, int nWidth, int nHeight, int xSrc, CDC& maskDC, HBITMAP& hMask)
{
    hMask = nullptr;
    if (!maskDC.CreateCompatibleDC(pSrcDC))
        return FALSE;
    hMask = ::CreateBitmap(nWidth, nHeight, 1, 1, nullptr);
    if (!hMask)
        return FALSE;
    ::SelectObject(maskDC, hMask);
    maskDC.PatBlt(0, 0, nWidth, nHeight, WHITENESS);
    // Colour to monochrome turns the background colour white and the rest black: once for button face,
    // once (ORed in) for button highlight.
    const COLORREF oldBk = pSrcDC->SetBkColor(s_colors.btnFace);
    maskDC.BitBlt(0, 0, nWidth, nHeight, pSrcDC, xSrc, 0, SRCCOPY);
    pSrcDC->SetBkColor(s_colors.btnHighlight);
    maskDC.BitBlt(0, 0, nWidth, nHeight, pSrcDC, xSrc, 0, SRCPAINT);
    pSrcDC->SetBkColor(oldBk);
    return TRUE;
}

namespace {

// Blits a mask through a brush: monochrome to colour takes 1 to white and 0 to black.
void BlitMask(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC& maskDC, HBRUSH hBrush, DWORD dwRop)
{
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    const COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    HGDIOBJ hOldBrush = ::SelectObject(*pDC, hBrush);
    pDC->BitBlt(x, y, nWidth, nHeight, &maskDC, 0, 0, dwRop);
    ::SelectObject(*pDC, hOldBrush);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
}

} // namespace

void SECBmpMenuPlugIn::DrawDitheredImage(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc)
{
    if (!CreateDitherBrush())
        return;
    CDC maskDC;
    HBITMAP hMask = nullptr;
    if (CreateMask(pSrcDC, nWidth, nHeight, xSrc, maskDC, hMask))
        BlitMask(pDC, x, y, nWidth, nHeight, maskDC, m_hDitherBrush, kRopPatternOnWhite);
    maskDC.DeleteDC();
    if (hMask)
        ::DeleteObject(hMask);
}

void SECBmpMenuPlugIn::DrawDisabledImage(CDC* pDC, int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc)
{
    CDC maskDC;
    HBITMAP hMask = nullptr;
    if (CreateMask(pSrcDC, nWidth, nHeight, xSrc, maskDC, hMask)) {
        HBRUSH hLight = ::CreateSolidBrush(s_colors.btnHighlight);
        HBRUSH hShadow = ::CreateSolidBrush(s_colors.btnShadow);
        BlitMask(pDC, x + 1, y + 1, nWidth, nHeight, maskDC, hLight, kRopPatternOnBlack);
        BlitMask(pDC, x, y, nWidth, nHeight, maskDC, hShadow, kRopPatternOnBlack);
        ::DeleteObject(hLight);
        ::DeleteObject(hShadow);
    }
    maskDC.DeleteDC();
    if (hMask)
        ::DeleteObject(hMask);
}
