#include "toolkit/frames/SECStatusBar.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/afx/CFrameWnd.h"
#include "platform/comctl/CommCtrl.h"
#include "toolkit/frames/SECDisplayCache.h"
#include "toolkit/frames/SECStatusCmdUI.h"

IMPLEMENT_DYNAMIC(SECStatusBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECStatusBar, SECControlBar)
ON_WM_NCHITTEST()
ON_WM_NCCALCSIZE()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGING()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

namespace {

// Measures with the bar's font on a screen device context, which exists before the bar is shown.
class ScreenFontDC {
public:
    explicit ScreenFontDC(HWND hWnd)
        : m_hDC(::GetDC(nullptr))
    {
        const auto hFont = reinterpret_cast<HGDIOBJ>(::SendMessage(hWnd, WM_GETFONT, 0, 0));
        if (m_hDC && hFont)
            m_hOldFont = ::SelectObject(m_hDC, hFont);
    }
    ~ScreenFontDC()
    {
        if (m_hOldFont)
            ::SelectObject(m_hDC, m_hOldFont);
        if (m_hDC)
            ::ReleaseDC(nullptr, m_hDC);
    }
    ScreenFontDC(const ScreenFontDC&) = delete;
    ScreenFontDC& operator=(const ScreenFontDC&) = delete;
    HDC get() const { return m_hDC; }

private:
    HDC m_hDC { nullptr };
    HGDIOBJ m_hOldFont { nullptr };
};

// The gap the control keeps around a pane's text.
constexpr int kPaneTextMargin = 6;

} // namespace

SECStatusBar::SECStatusBar()
{
    m_cyTopBorder = 2;
    if (displayCache().m_bWin4) {
        m_cxLeftBorder = m_cxRightBorder = m_cyBottomBorder = 0;
    } else {
        m_cxLeftBorder = m_cxRightBorder = 2;
        m_cyBottomBorder = 1;
    }
}

BOOL SECStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL SECStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE | CCS_NODIVIDER;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwWndStyle |= SBARS_SIZEGRIP;
    dwWndStyle |= dwCtrlStyle;
    InitCommonControls();
    return CWnd::Create(STATUSCLASSNAME, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL SECStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    // A bottom bar with only a top border looks right without any border on the newer look.
    if (displayCache().m_bWin4 && (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) == (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP))
        m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
    return SECControlBar::PreCreateWindow(cs);
}

SECStatusBar::Pane* SECStatusBar::PaneAt(int nIndex)
{
    return const_cast<Pane*>(std::as_const(*this).PaneAt(nIndex));
}

const SECStatusBar::Pane* SECStatusBar::PaneAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_panes.size()) ? &m_panes[static_cast<size_t>(nIndex)] : nullptr;
}

BOOL SECStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    BOOL bResult = TRUE;
    if (lpIDArray) {
        m_panes.assign(static_cast<size_t>(std::max(nIDCount, 0)), Pane {});
        m_nCount = static_cast<int>(m_panes.size());
        ScreenFontDC dc(m_hWnd);
        for (int i = 0; i < m_nCount; ++i) {
            Pane& pane = m_panes[static_cast<size_t>(i)];
            pane.flags |= kUpdatePending;
            pane.id = lpIDArray[i];
            if (pane.id != 0) {
                CString text;
                if (!text.LoadString(pane.id) || text.IsEmpty())
                    text = "  ";
                SIZE size {};
                if (!dc.get() || !::GetTextExtentPoint32(dc.get(), text, text.GetLength(), &size)) {
                    bResult = FALSE;
                    break;
                }
                pane.width = size.cx;
                if (!SetPaneText(i, text, FALSE)) {
                    bResult = FALSE;
                    break;
                }
            } else {
                pane.width = ::GetSystemMetrics(SM_CXSCREEN) / 4;
                if (i == 0)
                    pane.style |= SBPS_NOBORDERS | SBPS_STRETCH;
            }
        }
    }
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int SECStatusBar::CommandToIndex(UINT nID) const
{
    const auto it = std::find_if(m_panes.begin(), m_panes.end(), [nID](const Pane& pane) { return pane.id == nID; });
    return it == m_panes.end() ? -1 : static_cast<int>(it - m_panes.begin());
}

UINT SECStatusBar::GetItemID(int nIndex) const
{
    const Pane* pane = PaneAt(nIndex);
    return pane ? pane->id : 0;
}

void SECStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessage(m_hWnd, SB_GETRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

UINT SECStatusBar::GetPaneStyle(int nIndex) const
{
    const Pane* pane = PaneAt(nIndex);
    return pane ? pane->style : 0;
}

int SECStatusBar::GetPaneWidth(int nIndex) const
{
    const Pane* pane = PaneAt(nIndex);
    return pane ? pane->width : 0;
}

CString SECStatusBar::GetPaneText(int nIndex) const
{
    const Pane* pane = PaneAt(nIndex);
    return pane ? pane->text : CString();
}

void SECStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    Pane* pane = PaneAt(nIndex);
    if (!pane || pane->style == nStyle)
        return;
    const bool bStretchChanged = ((pane->style ^ nStyle) & SBPS_STRETCH) != 0;
    pane->style = nStyle;
    if (bStretchChanged)
        UpdateAllPanes(TRUE, FALSE);
    // Setting the text again is what carries the style to the control.
    pane->flags |= kUpdatePending;
    SetPaneText(nIndex, pane->text, TRUE);
}

BOOL SECStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    Pane* pane = PaneAt(nIndex);
    if (!pane)
        return FALSE;
    const CString text = lpszNewText ? lpszNewText : "";
    if (!(pane->flags & kUpdatePending) && pane->text == text)
        return TRUE;
    pane->text = text;
    if (!bUpdate) {
        pane->flags |= kUpdatePending;
        return TRUE;
    }
    pane->flags &= ~kUpdatePending;
    if (m_hWnd) {
        const LPCTSTR shown = (pane->style & SBPS_DISABLED) ? nullptr : static_cast<LPCTSTR>(pane->text);
        ::SendMessage(m_hWnd, SB_SETTEXT, (pane->style & 0xFFFF) | static_cast<UINT>(nIndex), reinterpret_cast<LPARAM>(shown));
    }
    return TRUE;
}

void SECStatusBar::GetBorders(int borders[3]) const
{
    borders[0] = borders[1] = borders[2] = 0;
    ::SendMessage(m_hWnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
}

CSize SECStatusBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    if (!bHorz)
        return CSize(0, 0);
    TEXTMETRIC tm {};
    {
        ScreenFontDC dc(m_hWnd);
        if (dc.get())
            ::GetTextMetrics(dc.get(), &tm);
    }
    CRect rectInside;
    CalcInsideRect(rectInside, bHorz);
    int borders[3];
    GetBorders(borders);
    const int cy = tm.tmHeight - tm.tmInternalLeading - 1 + 2 * borders[1] + 2 * ::GetSystemMetrics(SM_CYBORDER) - rectInside.Height();
    return CSize(32767, std::max(cy, m_nMinHeight));
}

void SECStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    AdjustBorders(rect, bHorz);
    if (!m_hWnd || !(GetStyle() & SBARS_SIZEGRIP))
        return;
    const CWnd* pParent = GetParent();
    if (pParent && ::IsZoomed(pParent->m_hWnd))
        return;
    int borders[3];
    GetBorders(borders);
    rect.right -= borders[0] + ::GetSystemMetrics(SM_CXVSCROLL) + 2 * ::GetSystemMetrics(SM_CXBORDER);
}

void SECStatusBar::AdjustBorders(CRect& rect, BOOL bHorz) const
{
    const_cast<SECStatusBar*>(this)->AdjustBorderRect(rect, bHorz, FALSE);
}

void SECStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (bUpdateRects && m_hWnd) {
        CRect rect;
        GetWindowRect(rect);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcInsideRect(rect, TRUE);
        int borders[3];
        GetBorders(borders);
        int nSpare = rect.Width() + borders[2];
        int nStretch = 0;
        for (const Pane& pane : m_panes) {
            nSpare -= pane.width + kPaneTextMargin + borders[2];
            if (pane.style & SBPS_STRETCH)
                ++nStretch;
        }
        std::vector<int> rights;
        rights.reserve(m_panes.size());
        int right = borders[0];
        for (const Pane& pane : m_panes) {
            right += pane.width + kPaneTextMargin;
            if ((pane.style & SBPS_STRETCH) && nSpare > 0) {
                const int nShare = nSpare / nStretch;
                right += nShare;
                nSpare -= nShare;
                --nStretch;
            }
            rights.push_back(right);
            right += borders[2];
        }
        ::SendMessage(m_hWnd, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    }
    if (bUpdateText) {
        for (size_t i = 0; i < m_panes.size(); ++i)
            if (m_panes[i].flags & kUpdatePending)
                SetPaneText(static_cast<int>(i), m_panes[i].text, TRUE);
    }
}

void SECStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    SECStatusCmdUI state(*this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    for (size_t i = 0; i < m_panes.size(); ++i) {
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = m_panes[i].id;
        // The bar's own handlers come first; only a pane the bar does not handle asks the frame. A pane
        // is information, not a command: without a handler it stays as it is (the message pane has none).
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void SECStatusBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (m_hWnd && ((dwOldStyle ^ dwNewStyle) & CBRS_BORDER_ANY))
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL SECStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return SECControlBar::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

LRESULT SECStatusBar::OnNcHitTest(CPoint)
{
    // Only the size grip answers as non-client; the rest of the bar is client area.
    return Default() == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

void SECStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect;
    AdjustBorders(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top - 2;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}

void SECStatusBar::OnPaint()
{
    UpdateAllPanes(FALSE, TRUE);
    Default();
}

void SECStatusBar::OnSize(UINT, int, int)
{
    Default();
    UpdateAllPanes(TRUE, FALSE);
}

void SECStatusBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    // With the border bits off for the call, moving the bar does not invalidate its borders.
    const DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    SECControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle;
}

LRESULT SECStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return -1;
    return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam), TRUE) ? 0 : -1;
}

LRESULT SECStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const size_t nMax = static_cast<size_t>(wParam);
    auto* lpBuffer = reinterpret_cast<LPTSTR>(lParam);
    if (nMax == 0 || !lpBuffer)
        return 0;
    const int nIndex = CommandToIndex(0);
    const CString text = nIndex < 0 ? CString() : m_panes[static_cast<size_t>(nIndex)].text;
    const size_t nLen = std::min(nMax - 1, static_cast<size_t>(text.GetLength()));
    std::memcpy(lpBuffer, static_cast<LPCTSTR>(text), nLen);
    lpBuffer[nLen] = '\0';
    return static_cast<LRESULT>(nLen + 1);
}

LRESULT SECStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    const int nIndex = CommandToIndex(0);
    return nIndex < 0 ? 0 : m_panes[static_cast<size_t>(nIndex)].text.GetLength();
}

LRESULT SECStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    m_nMinHeight = static_cast<int>(wParam);
    return lResult;
}
