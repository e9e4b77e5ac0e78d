#include "toolkit/controls/SECBtnCaption.h"

#include "platform/afx/CMDIChildWnd.h"
#include "platform/comctl/CommCtrl.h"
#include "toolkit/controls/SECBtnDrawContext.h"
#include "toolkit/controls/SECCustomToolBar.h"
#include "toolkit/controls/SECMDIMenuBar.h"

const SECButtonClass SECBtnCaption::classSECBtnCaption = { []() -> SECStdBtn* { return new SECBtnCaption; } };

SECBtnCaption::SECBtnCaption()
    : m_nBtnWidth(::GetSystemMetrics(SM_CXSIZE) - 2)
    , m_nBtnHeight(::GetSystemMetrics(SM_CYSIZE) - 4)
{
    m_nType = kindCaption;
}

CRect SECBtnCaption::PartRect(int nPart) const
{
    int x = m_x + nPart * m_nBtnWidth;
    if (nPart == partClose)
        x += 2;
    return CRect(x, m_y, x + m_nBtnWidth, m_y + m_nBtnHeight);
}

int SECBtnCaption::HitTest(CPoint point) const
{
    if (!(m_nCaptionStyle & kShown))
        return partNone;
    for (int nPart = partMinimize; nPart <= partClose; ++nPart) {
        if (nPart != partClose && !(m_nCaptionStyle & kMinRestore))
            continue;
        if (PartRect(nPart).PtInRect(point))
            return nPart;
    }
    return partNone;
}

BOOL SECBtnCaption::BtnPressDown(CPoint point)
{
    const int nPart = HitTest(point);
    if ((m_nStyle & TBBS_DISABLED) || nPart == partNone)
        return FALSE;
    m_nPressed = nPart;
    m_nStyle |= TBBS_PRESSED;
    return TRUE;
}

void SECBtnCaption::BtnPressMouseMove(CPoint point)
{
    if (m_nPressed != partNone && HitTest(point) == m_nPressed)
        m_nStyle |= TBBS_PRESSED;
    else
        m_nStyle &= ~TBBS_PRESSED;
}

void SECBtnCaption::BtnPressCancel()
{
    m_nPressed = partNone;
    m_nStyle &= ~TBBS_PRESSED;
    Invalidate(FALSE);
}

UINT SECBtnCaption::BtnPressUp(CPoint point)
{
    static constexpr UINT kCommands[] = { SC_MINIMIZE, SC_RESTORE, SC_CLOSE };
    if (m_nPressed != partNone && HitTest(point) == m_nPressed && m_pToolBar) {
        if (CMDIChildWnd* pChild = SECMDIMenuBar::ActiveChildOf(m_pToolBar)) {
            CPoint screen(point);
            m_pToolBar->ClientToScreen(&screen);
            pChild->PostMessage(WM_SYSCOMMAND, kCommands[m_nPressed], MAKELPARAM(screen.x, screen.y));
        }
    }
    m_nPressed = partNone;
    m_nStyle &= ~TBBS_PRESSED;
    return 0;
}

INT_PTR SECBtnCaption::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (pTI && m_pToolBar) {
        static constexpr UINT kHitCodes[] = { HTMINBUTTON, HTMAXBUTTON, HTCLOSE };
        const int nPart = HitTest(point);
        pTI->hwnd = m_pToolBar->GetSafeHwnd();
        pTI->rect = GetRect();
        pTI->uId = m_nID;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        pTI->uFlags = nPart == partNone ? 0 : kHitCodes[nPart];
    }
    return static_cast<INT_PTR>(m_nID);
}

void SECBtnCaption::AdjustSize()
{
    m_cx = 3 * m_nBtnWidth + 2;
    m_cy = m_nBtnHeight;
    if (m_pToolBar)
        m_pToolBar->GrowLargestButton(CSize(m_cx, m_cy));
}

void SECBtnCaption::DrawButton(SECBtnDrawContext& context, BOOL, int x, int y, int cx, int cy, int)
{
    static constexpr UINT kKinds[] = { DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE };
    CDC& dc = context.m_offscreenDC;
    dc.FillSolidRect(x, y, cx, cy, ::GetSysColor(COLOR_BTNFACE));
    context.m_rectFace = CRect(x, y, x + cx, y + cy);
    if (!(m_nCaptionStyle & kShown))
        return;
    for (int nPart = partMinimize; nPart <= partClose; ++nPart) {
        CRect rect = PartRect(nPart);
        rect.OffsetRect(x - m_x, y - m_y);
        UINT nState = kKinds[nPart];
        if (nPart != partClose && !(m_nCaptionStyle & kMinRestore))
            nState |= DFCS_INACTIVE;
        if ((m_nStyle & TBBS_PRESSED) && m_nPressed == nPart)
            nState |= DFCS_PUSHED;
        ::DrawFrameControl(dc, &rect, DFC_CAPTION, nState);
    }
}
