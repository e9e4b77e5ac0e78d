#include "toolkit/frames/SECFrameCaption.h"

#include <algorithm>
#include <utility>

#include "platform/afx/AfxState.h"
#include "platform/afx/AfxThreadState.h"
#include "platform/afx/CBitmap.h"
#include "platform/afx/CBrush.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CMenu.h"
#include "platform/gdi/Images.h"
#include "toolkit/frames/SECDisplayCache.h"

namespace {

constexpr int kGradientSteps = 60;
constexpr UINT kCaptionTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Runs default processing with the window's WS_VISIBLE bit off, so that the system paints no caption.
template <typename Fn>
LRESULT WithoutVisibleBit(HWND hWnd, Fn fn)
{
    const LONG_PTR style = ::GetWindowLongPtr(hWnd, GWL_STYLE);
    ::SetWindowLongPtr(hWnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
    const LRESULT result = fn();
    ::SetWindowLongPtr(hWnd, GWL_STYLE, style);
    return result;
}

} // namespace

SECFrameCaption::SECFrameCaption(CFrameWnd& frame, PaintProc paint, BOOL bSendRepaint)
    : m_frame(frame)
    , m_paint(std::move(paint))
    , m_bSendRepaint(bSendRepaint)
{
}

BOOL SECFrameCaption::SetGradientCaption(BOOL bEnable, BOOL bRepaint)
{
    if (!m_bGradientSupported)
        return FALSE;
    const BOOL bOld = m_bGradientCaption;
    m_bGradientCaption = bEnable;
    if (bRepaint && m_frame.m_hWnd) {
        if (m_bSendRepaint)
            m_frame.SendMessage(WM_NCPAINT);
        else
            m_frame.PostMessage(WM_NCPAINT);
    }
    if (m_frame.m_hWnd)
        m_frame.PostMessage(WM_NCACTIVATE, 0, 0);
    return bOld;
}

BOOL SECFrameCaption::CreateCaptionFont(CFont& font, BOOL bItalic)
{
    NONCLIENTMETRICS metrics;
    if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return FALSE;
    if (bItalic)
        metrics.lfCaptionFont.lfItalic = TRUE;
    return font.CreateFontIndirect(&metrics.lfCaptionFont);
}

BOOL SECFrameCaption::GetCaptionRect(CRect& rect)
{
    CRect window;
    m_frame.GetWindowRect(&window);
    const DWORD dwStyle = m_frame.GetStyle();
    if (dwStyle & WS_THICKFRAME)
        rect.SetRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME),
            window.Width() - ::GetSystemMetrics(SM_CXFRAME), 0);
    else
        rect.SetRect(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER) + 1,
            window.Width() - ::GetSystemMetrics(SM_CXBORDER), 0);
    rect.bottom = rect.top + ::GetSystemMetrics(SM_CYSIZE);
    if (!displayCache().m_bWin4)
        return FALSE;
    int nButtons = 0;
    if (dwStyle & WS_SYSMENU) {
        nButtons += (dwStyle & WS_MAXIMIZEBOX) ? 1 : 0;
        nButtons += (dwStyle & WS_MINIMIZEBOX) ? 1 : 0;
    }
    const int nBorder = nButtons > 0 ? 1 : 0;
    CMenu* pSysMenu = m_frame.GetSystemMenu(FALSE);
    const UINT nState = pSysMenu ? pSysMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) : static_cast<UINT>(-1);
    const BOOL bCloseEnabled = nState != static_cast<UINT>(-1) && !(nState & (MF_GRAYED | MF_DISABLED));
    nButtons += bCloseEnabled ? 1 : 0;
    rect.right -= nButtons * ::GetSystemMetrics(SM_CXSIZE) + nBorder * ::GetSystemMetrics(SM_CXBORDER);
    return bCloseEnabled;
}

void SECFrameCaption::FillGradient(CDC* pDC, const CRect& rect, int nSteps, COLORREF clrFrom, COLORREF clrTo)
{
    const int nWidth = rect.Width();
    const int n = std::min(nSteps, nWidth);
    if (nWidth <= 0 || n <= 0)
        return;
    // 8.8 fixed point per component.
    struct Channel {
        int nCurrent;
        int nStep;
        int nLimit;
    };
    auto channel = [n](int from, int to) { return Channel { from * 256, ((to - from) * 256) / n, to * 256 }; };
    Channel red = channel(GetRValue(clrFrom), GetRValue(clrTo));
    Channel green = channel(GetGValue(clrFrom), GetGValue(clrTo));
    Channel blue = channel(GetBValue(clrFrom), GetBValue(clrTo));
    const int nBand = nWidth / n;
    CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
    int nLeft = rect.left;
    for (int i = 0; i < n; ++i) {
        const int nRight = i == n - 1 ? rect.right : nLeft + nBand;
        for (Channel* c : { &red, &green, &blue })
            c->nCurrent = std::min(c->nCurrent, c->nLimit);
        CBrush brush(RGB(red.nCurrent / 256, green.nCurrent / 256, blue.nCurrent / 256));
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        pDC->Rectangle(nLeft, rect.top, nRight + 1, rect.bottom);
        pDC->SelectObject(pOldBrush);
        for (Channel* c : { &red, &green, &blue })
            c->nCurrent += c->nStep;
        nLeft = nRight;
    }
    pDC->SelectObject(pOldPen);
}

void SECFrameCaption::DrawCaption(CFont& fontPlain, CFont& fontItalic)
{
    CRect rect;
    GetCaptionRect(rect);
    const CPoint ptCaption = rect.TopLeft();
    CString strTitle;
    m_frame.GetWindowText(strTitle);

    CDC* pWindowDC = m_frame.GetWindowDC();
    CDC dcMem;
    CBitmap bitmap;
    if (!pWindowDC || rect.Width() <= 0 || rect.Height() <= 0 || !dcMem.CreateCompatibleDC(pWindowDC)
        || !bitmap.CreateCompatibleBitmap(pWindowDC, rect.Width(), rect.Height())) {
        if (pWindowDC)
            m_frame.ReleaseDC(pWindowDC);
        // Without its off-screen picture the caption goes back to the system's.
        SetGradientCaption(FALSE, TRUE);
        return;
    }
    CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
    rect.OffsetRect(-rect.left, -rect.top);
    const BOOL bActive = m_bCaptionActive;
    const int cxSize = ::GetSystemMetrics(SM_CXSIZE);
    const int cySize = ::GetSystemMetrics(SM_CYSIZE);
    if (m_frame.GetStyle() & WS_SYSMENU) {
        CRect cell(0, 0, cxSize, cySize);
        dcMem.FillSolidRect(&cell, bActive ? kBlack : ::GetSysColor(COLOR_INACTIVECAPTION));
        cell.left += 2;
        cell.top += 1;
        cell.bottom -= 1;
        const auto hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(m_frame.m_hWnd, cxSize < 30 ? GCL_HICONSM : GCL_HICON));
        if (hIcon)
            ::DrawIconEx(dcMem.m_hDC, cell.left, cell.top, hIcon, cell.Width(), cell.Height(), 0, nullptr, DI_NORMAL);
        rect.left += cxSize;
    }
    dcMem.SetBkMode(TRANSPARENT);
    dcMem.SetTextColor(kWhite);
    if (bActive) {
        CRect band = rect;
        band.bottom += 1;
        FillGradient(&dcMem, band, kGradientSteps, kBlack, ::GetSysColor(COLOR_ACTIVECAPTION));
    } else {
        dcMem.FillSolidRect(&rect, ::GetSysColor(COLOR_INACTIVECAPTION));
    }
    // "Document - Application": the document part in italics, the rest plain.
    const int nDash = strTitle.Find('-');
    const CString strFirst = nDash >= 0 ? strTitle.Left(nDash) : strTitle;
    const CString strSecond = nDash >= 0 ? strTitle.Mid(nDash) : CString();
    CFont* pOldFont = dcMem.SelectObject(&fontItalic);
    const int nFirstWidth = dcMem.GetTextExtent(strFirst).cx + 6;
    const int nEllipsis = dcMem.GetTextExtent(CString("W...")).cx;
    CRect rectText = rect;
    rectText.left += 3;
    const BOOL bSecond = rectText.Width() >= nFirstWidth + nEllipsis;
    if (m_nCaptionAlign != 0) {
        int nTotal = nFirstWidth;
        if (bSecond) {
            dcMem.SelectObject(&fontPlain);
            nTotal += dcMem.GetTextExtent(strSecond).cx;
            dcMem.SelectObject(&fontItalic);
        }
        if (nTotal < rectText.Width()) {
            if (m_nCaptionAlign == 1)
                rectText.left += (rectText.right - nTotal - rectText.left) / 2;
            else
                rectText.left = rectText.right - nTotal - 1;
        }
    }
    dcMem.DrawText(strFirst, &rectText, kCaptionTextFormat);
    if (bSecond && !strSecond.IsEmpty()) {
        dcMem.SelectObject(&fontPlain);
        rectText.left += nFirstWidth;
        dcMem.SetTextColor(bActive ? kWhite : ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
        dcMem.DrawText(strSecond, &rectText, kCaptionTextFormat);
    }
    dcMem.SelectObject(pOldFont);
    pWindowDC->BitBlt(ptCaption.x, ptCaption.y, rect.right, rect.bottom, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
    m_frame.ReleaseDC(pWindowDC);
}

void SECFrameCaption::OnNcPaint()
{
    CRect window;
    m_frame.GetWindowRect(&window);
    CRect caption;
    GetCaptionRect(caption);
    caption.OffsetRect(window.TopLeft());
    MSG& current = AfxGetThreadState()->m_lastSentMsg;
    const WPARAM wParam = current.wParam;
    HRGN hWindow = ::CreateRectRgn(window.left, window.top, window.right, window.bottom);
    if (wParam > 1) {
        const auto hUpdate = reinterpret_cast<HRGN>(wParam);
        if (!::RectInRegion(hUpdate, &caption)) {
            ::DeleteObject(hWindow);
            m_frame.DefWindowProc(WM_NCPAINT, wParam, current.lParam);
            return;
        }
        ::CombineRgn(hWindow, hUpdate, nullptr, RGN_COPY);
    }
    // The system paints everything but the caption, which is painted here.
    HRGN hCaption = ::CreateRectRgn(caption.left, caption.top, caption.right, caption.bottom);
    ::CombineRgn(hWindow, hWindow, hCaption, RGN_DIFF);
    ::DeleteObject(hCaption);
    current.wParam = reinterpret_cast<WPARAM>(hWindow);
    m_frame.DefWindowProc(WM_NCPAINT, reinterpret_cast<WPARAM>(hWindow), 0);
    current.wParam = wParam;
    ::DeleteObject(hWindow);
    m_paint();
}

BOOL SECFrameCaption::OnNcActivate(BOOL bActive)
{
    BOOL bState = (m_frame.m_nFlags & WF_STAYACTIVE) ? TRUE : bActive;
    if (!m_frame.IsWindowEnabled())
        bState = FALSE;
    m_bCaptionActive = bState;
    if (CFrameWnd* pActive = m_frame.GetActiveFrame(); pActive && pActive != &m_frame) {
        pActive->SendMessage(WM_NCACTIVATE, bState);
        pActive->SendMessage(WM_NCPAINT, 1);
    }
    const LRESULT result
        = WithoutVisibleBit(m_frame.m_hWnd, [&] { return m_frame.CWnd::DefWindowProc(WM_NCACTIVATE, bState, 0); });
    m_frame.SendMessage(WM_NCPAINT, 1);
    return static_cast<BOOL>(result);
}

LRESULT SECFrameCaption::OnSetText(LPARAM lParam)
{
    WithoutVisibleBit(m_frame.m_hWnd, [&] { return m_frame.DefWindowProc(WM_SETTEXT, 0, lParam); });
    m_paint();
    return TRUE;
}
