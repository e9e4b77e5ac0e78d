// How a toolbar button draws itself: the face is composed off screen from the image and its mask, the
// looks of checked, disabled and indeterminate buttons are raster operations over that mask, and the
// result is copied to the bar in one go.
#include "platform/afx/AfxState.h"
#include "toolkit/controls/SECBmpMgr.h"
#include "toolkit/controls/SECBtnDrawContext.h"
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECStdBtn.h"

namespace {

// Destination where the source is white, the pattern where it is black (PSDPxax).
constexpr DWORD kRopPatternWhereBlack = 0xB8074A;
// The pattern where the source is white, destination where it is black (DSPDxax).
constexpr DWORD kRopPatternWhereWhite = 0xE20746;
// Destination XOR source (DSx) and destination AND NOT source (DSna).
constexpr DWORD kRopXor = 0x660046;
constexpr DWORD kRopAndNot = 0x220326;

COLORREF SysColor(int nIndex) { return ::GetSysColor(nIndex); }

// Lays a brush through the mask over the face area with one of the operations above.
void MaskBlt(CDC& dc, SECBtnDrawContext& context, HBRUSH hBrush, const CRect& rect, CPoint ptMask, DWORD dwRop)
{
    const HGDIOBJ hOld = ::SelectObject(dc, hBrush);
    ::BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), context.m_monoDC, ptMask.x, ptMask.y, dwRop);
    ::SelectObject(dc, hOld);
}

// While it lives, the mask's 0 bits copy as black and its 1 bits as white, which is what the operations
// above test.
class MonoColours {
public:
    explicit MonoColours(CDC& dc)
        : m_dc(dc)
        , m_oldText(dc.SetTextColor(RGB(0, 0, 0)))
        , m_oldBk(dc.SetBkColor(RGB(255, 255, 255)))
    {
    }
    ~MonoColours()
    {
        m_dc.SetTextColor(m_oldText);
        m_dc.SetBkColor(m_oldBk);
    }
    MonoColours(const MonoColours&) = delete;
    MonoColours& operator=(const MonoColours&) = delete;

private:
    CDC& m_dc;
    COLORREF m_oldText;
    COLORREF m_oldBk;
};

} // namespace

void SECStdBtn::Draw(CDC* pDC, SECBtnDrawContext& context)
{
    const CRect rect = GetRect();
    if ((m_nStyle & TBBS_HIDDEN) || !pDC->RectVisible(&rect))
        return;
    if (DrawSeparator(pDC))
        return;
    SelectImage(context);
    DrawFace(context);
    DrawTransparent(pDC, context);
    DrawMarkIfMarked(context);
    Blit(pDC, context);
}

BOOL SECStdBtn::DrawSeparator(CDC* pDC)
{
    if (!(m_nStyle & TBBS_SEPARATOR))
        return FALSE;
    if (!IsCoolLook() || (m_nStyle & TBBS_WRAPPED))
        return TRUE;
    const DWORD dwTransparent = SEC_TBX_COOLLOOK | SEC_TBX_TRANSPARENT;
    if ((m_pToolBar->GetExBarStyle() & dwTransparent) != dwTransparent)
        pDC->FillSolidRect(m_x, m_y, m_cx, m_cy, SysColor(COLOR_BTNFACE));
    const int x = m_x + m_cx / 2;
    pDC->FillSolidRect(x, m_y, 1, m_cy, SysColor(COLOR_BTNSHADOW));
    pDC->FillSolidRect(x + 1, m_y, 1, m_cy, SysColor(COLOR_BTNHIGHLIGHT));
    return TRUE;
}

void SECStdBtn::SelectImage(SECBtnDrawContext& context)
{
    context.m_hImage = nullptr;
    HBITMAP hBmp = nullptr;
    int nImage = 0;
    if (!m_pToolBar || !m_pToolBar->GetBmpMgr() || !m_pToolBar->GetBmpMgr()->GetBitmap(m_nID, hBmp, nImage))
        return;
    m_nImage = nImage;
    context.m_hImage = hBmp;
    const HGDIOBJ hOld = ::SelectObject(context.m_imageDC, hBmp);
    if (!context.m_hOldImage)
        context.m_hOldImage = hOld;
}

void SECStdBtn::DrawFace(SECBtnDrawContext& context)
{
    if (m_pToolBar && m_pToolBar->IsCustomizeMode()) {
        DrawButton(context, TRUE, 0, 0, m_cx, m_cy);
        return;
    }
    DrawButton(context, FALSE, 0, 0, m_cx, m_cy);
    if (m_nStyle & TBBS_PRESSED)
        return;
    if (m_nStyle & TBBS_DISABLED)
        DrawDisabled(context, 0, 0, m_cx, m_cy);
    else if (m_nStyle & TBBS_CHECKED)
        DrawChecked(context, 0, 0, m_cx, m_cy);
    else if (m_nStyle & TBBS_INDETERMINATE)
        DrawIndeterminate(context, 0, 0, m_cx, m_cy);
}

void SECStdBtn::DrawButton(SECBtnDrawContext& context, BOOL bPlain, int x, int y, int cx, int cy, int nImageWidth)
{
    CDC& dc = context.m_offscreenDC;
    const int nImageHeight = m_pToolBar ? m_pToolBar->GetImageHeight() : 15;
    if (nImageWidth == -1)
        nImageWidth = m_pToolBar ? m_pToolBar->GetImageWidth() : 16;
    CPoint ptImage(x + (cx - nImageWidth - 1) / 2, y + (cy - nImageHeight) / 2);
    const COLORREF face = SysColor(COLOR_BTNFACE);
    const COLORREF shadow = SysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = SysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF frame = SysColor(COLOR_WINDOWFRAME);
    dc.FillSolidRect(x, y, cx, cy, face);

    CRect rect(x, y, x + cx, y + cy);
    // Each frame takes one pixel off the face inside it.
    const auto frameIn = [&](COLORREF topLeft, COLORREF bottomRight) {
        dc.Draw3dRect(&rect, topLeft, bottomRight);
        rect.DeflateRect(1, 1);
    };
    if ((m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) && !bPlain) {
        if (IsCoolLook()) {
            frameIn(shadow, highlight);
        } else {
            frameIn(frame, highlight);
            frameIn(shadow, face);
        }
        ptImage.Offset(1, 1);
    } else if (IsCoolLook()) {
        if ((m_nStyle & SEC_TBBS_HOT) && !bPlain)
            dc.Draw3dRect(&rect, highlight, shadow);
        rect.DeflateRect(2, 2);
    } else {
        frameIn(highlight, frame);
        frameIn(face, shadow);
    }
    context.m_ptImage = ptImage;
    context.m_rectFace = rect;
    DrawImage(ptImage.x, ptImage.y, nImageWidth, nImageHeight, context, nImageWidth * m_nImage, 0);
}

void SECStdBtn::DrawImage(int x, int y, int cx, int cy, SECBtnDrawContext& context, int xSrc, int ySrc)
{
    if (context.m_hImage)
        ::BitBlt(context.m_offscreenDC, x, y, cx, cy, context.m_imageDC, xSrc, ySrc, SRCCOPY);
}

void SECStdBtn::CreateMask(SECBtnDrawContext& context, int cx, int cy)
{
    CDC& mono = context.m_monoDC;
    mono.PatBlt(0, 0, cx, cy, WHITENESS);
    if (!context.m_hImage || !m_pToolBar)
        return;
    // Face pixels turn white in the colour-to-mono copy, then highlight pixels too: what stays black
    // is the image's drawing.
    const int nImageWidth = m_pToolBar->GetImageWidth();
    const int nImageHeight = m_pToolBar->GetImageHeight();
    const CPoint pt = context.m_ptImage;
    CDC& image = context.m_imageDC;
    const COLORREF oldBk = image.SetBkColor(SysColor(COLOR_BTNFACE));
    ::BitBlt(mono, pt.x, pt.y, nImageWidth, nImageHeight, image, nImageWidth * m_nImage, 0, SRCCOPY);
    image.SetBkColor(SysColor(COLOR_BTNHIGHLIGHT));
    ::BitBlt(mono, pt.x, pt.y, nImageWidth, nImageHeight, image, nImageWidth * m_nImage, 0, SRCPAINT);
    image.SetBkColor(oldBk);
}

void SECStdBtn::DrawDisabled(SECBtnDrawContext& context, int, int, int cx, int cy)
{
    CreateMask(context, cx, cy);
    CDC& dc = context.m_offscreenDC;
    const CRect& rect = context.m_rectFace;
    dc.FillSolidRect(&rect, SysColor(COLOR_BTNFACE));
    const MonoColours colours(dc);
    // Embossed: the drawing in highlight one pixel down and right, then in shadow at its place.
    CBrush highlight(SysColor(COLOR_BTNHIGHLIGHT));
    CBrush shadow(SysColor(COLOR_BTNSHADOW));
    CRect below(rect);
    below.left += 1;
    below.top += 1;
    MaskBlt(dc, context, highlight, below, rect.TopLeft(), kRopPatternWhereBlack);
    MaskBlt(dc, context, shadow, rect, rect.TopLeft(), kRopPatternWhereBlack);
    if (m_nStyle & TBBS_CHECKED) {
        // The highlight copy is part of the drawing too: the checkerboard only goes round both.
        ::BitBlt(context.m_monoDC, rect.left + 1, rect.top + 1, rect.Width() - 1, rect.Height() - 1, context.m_monoDC,
            rect.left, rect.top, SRCAND);
        MaskBlt(dc, context, context.m_ditherBrush, rect, rect.TopLeft(), kRopPatternWhereWhite);
    }
}

void SECStdBtn::DrawChecked(SECBtnDrawContext& context, int, int, int cx, int cy)
{
    CreateMask(context, cx, cy);
    CDC& dc = context.m_offscreenDC;
    const MonoColours colours(dc);
    MaskBlt(dc, context, context.m_ditherBrush, context.m_rectFace, context.m_rectFace.TopLeft(),
        kRopPatternWhereWhite);
}

void SECStdBtn::DrawIndeterminate(SECBtnDrawContext& context, int, int, int cx, int cy)
{
    CreateMask(context, cx, cy);
    CDC& dc = context.m_offscreenDC;
    const MonoColours colours(dc);
    CBrush shadow(SysColor(COLOR_BTNSHADOW));
    const CRect& rect = context.m_rectFace;
    MaskBlt(dc, context, shadow, rect, rect.TopLeft(), kRopPatternWhereBlack);
    MaskBlt(dc, context, context.m_ditherBrush, rect, rect.TopLeft(), kRopPatternWhereWhite);
}

void SECStdBtn::DrawMarked(SECBtnDrawContext& context)
{
    const CRect rect(0, 0, m_cx, m_cy);
    context.m_offscreenDC.DrawDragRect(&rect, CSize(3, 3), nullptr, CSize(0, 0));
}

void SECStdBtn::DrawMarkIfMarked(SECBtnDrawContext& context)
{
    if (m_nStyle & SEC_TBBS_MARKED)
        DrawMarked(context);
}

void SECStdBtn::DrawTransparent(CDC* pBarDC, SECBtnDrawContext& context)
{
    const DWORD dwTransparent = SEC_TBX_COOLLOOK | SEC_TBX_TRANSPARENT;
    if (!m_pToolBar || (m_pToolBar->GetExBarStyle() & dwTransparent) != dwTransparent)
        return;
    CDC& mono = context.m_monoDC;
    CDC& face = context.m_offscreenDC;
    mono.PatBlt(0, 0, m_cx, m_cy, WHITENESS);
    const COLORREF oldFaceBk = face.SetBkColor(SysColor(COLOR_BTNFACE));
    ::BitBlt(mono, 0, 0, m_cx, m_cy, face, 0, 0, SRCCOPY);
    face.SetBkColor(oldFaceBk);
    const MonoColours colours(face);
    // bar ^ face, then kept only where the face is not button face, then ^ bar again: face-coloured
    // pixels become the bar's own, the rest stays.
    ::BitBlt(face, 0, 0, m_cx, m_cy, *pBarDC, m_x, m_y, kRopXor);
    ::BitBlt(face, 0, 0, m_cx, m_cy, mono, 0, 0, kRopAndNot);
    ::BitBlt(face, 0, 0, m_cx, m_cy, *pBarDC, m_x, m_y, kRopXor);
}

void SECStdBtn::Blit(CDC* pDC, SECBtnDrawContext& context)
{
    pDC->BitBlt(m_x, m_y, m_cx, m_cy, &context.m_offscreenDC, 0, 0, SRCCOPY);
}
