#include "toolkit/frames/SECCaptionMsgFilter.h"

#include "platform/afx/CWnd.h"

IMPLEMENT_DYNCREATE(SECNcMsgFilter, SECMsgFilter)
IMPLEMENT_DYNCREATE(SECCaptionMsgFilter, SECNcMsgFilter)

DWORD SECCaptionMsgFilter::OwnerStyle() const
{
    const CWnd* pOwner = GetOwner();
    return pOwner && ::IsWindow(pOwner->m_hWnd) ? static_cast<DWORD>(::GetWindowLongPtr(pOwner->m_hWnd, GWL_STYLE)) : 0;
}

DWORD SECCaptionMsgFilter::OwnerExStyle() const
{
    const CWnd* pOwner = GetOwner();
    return pOwner && ::IsWindow(pOwner->m_hWnd) ? static_cast<DWORD>(::GetWindowLongPtr(pOwner->m_hWnd, GWL_EXSTYLE))
                                                : 0;
}

BOOL SECCaptionMsgFilter::GetCaptionRect(CRect& rect) const
{
    const CWnd* pOwner = GetOwner();
    if (!pOwner || !::IsWindow(pOwner->m_hWnd))
        return FALSE;
    const DWORD dwStyle = OwnerStyle();
    CSize border(0, 0);
    if ((dwStyle & WS_THICKFRAME) && !::IsIconic(pOwner->m_hWnd))
        border = CSize(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    else if (dwStyle & WS_DLGFRAME)
        border = CSize(::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME));
    else if (dwStyle & (WS_CAPTION | WS_THICKFRAME))
        border = CSize(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
    CRect rectWindow;
    ::GetWindowRect(pOwner->m_hWnd, rectWindow);
    int cy = 0;
    if ((dwStyle & WS_CAPTION) == WS_CAPTION)
        cy = ::GetSystemMetrics((OwnerExStyle() & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION)
            - ::GetSystemMetrics(SM_CYBORDER);
    rect = CRect(CPoint(border.cx, border.cy), CSize(rectWindow.Width() - 2 * border.cx, cy));
    return TRUE;
}

void SECCaptionMsgFilter::SetButtonSizeFromMetrics(CSize& size, int nMetricX, int nMetricY) const
{
    size = CSize(::GetSystemMetrics(nMetricX) - 2, ::GetSystemMetrics(nMetricY) - 4);
}

void SECCaptionMsgFilter::GetButtonSize(CSize& size) const
{
    if (OwnerExStyle() & WS_EX_TOOLWINDOW)
        SetButtonSizeFromMetrics(size, SM_CXSMSIZE, SM_CYSMSIZE);
    else
        SetButtonSizeFromMetrics(size, SM_CXSIZE, SM_CYSIZE);
}

CPoint SECCaptionMsgFilter::GetButtonOrigin(const CRect& rectCaption, const CSize& size) const
{
    return CPoint(rectCaption.right - size.cx - 2, rectCaption.top + 2);
}
