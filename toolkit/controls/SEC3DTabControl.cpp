// The 3-D tab strip's tabs, fonts, layout with label shortening, and its mouse and keys.
#include "toolkit/controls/SEC3DTabControl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/afx/AfxState.h"
#include "platform/afx/CClientDC.h"
#include "platform/gdi/Images.h"

namespace {

constexpr const char* kEllipsis = "...";
// The room the strip keeps free beyond its tabs.
constexpr int kSpare = 12;

} // namespace

SEC3DTabControl::~SEC3DTabControl() = default;

BEGIN_MESSAGE_MAP(SEC3DTabControl, SECTabControlBase)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SYSCOLORCHANGE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_RBUTTONDOWN()
ON_WM_CAPTURECHANGED()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

void SEC3DTabControl::Initialize(DWORD dwStyle)
{
    CreateFonts(dwStyle);
    m_pBlackPen = std::make_unique<CPen>(PS_SOLID, 1, RGB(0, 0, 0));
    m_pActiveBlackPen = std::make_unique<CPen>(PS_SOLID, 1, RGB(0, 0, 0));
    LoadColors();
    EnableToolTips(TRUE);
}

void SEC3DTabControl::LoadColors()
{
    m_rgbText = ::GetSysColor(COLOR_BTNTEXT);
    m_rgbActiveText = ::GetSysColor(COLOR_BTNTEXT);
    m_pShadowPen = std::make_unique<CPen>(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    m_pHighlightPen = std::make_unique<CPen>(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

void SEC3DTabControl::OnSysColorChange()
{
    LoadColors();
    Invalidate();
}

void SEC3DTabControl::DestroyGDIObjects()
{
    m_pNormalFont.reset();
    m_pActiveFont.reset();
    m_pMeasureFont.reset();
    m_pBlackPen.reset();
    m_pActiveBlackPen.reset();
    m_pShadowPen.reset();
    m_pHighlightPen.reset();
}

std::unique_ptr<CFont> SEC3DTabControl::MakeFont(const LOGFONT& base, int nWeight, DWORD dwStyle) const
{
    LOGFONT lf = base;
    lf.lfWeight = nWeight;
    lf.lfEscapement = (dwStyle & TCS_TABS_ON_LEFT) ? 900 : (dwStyle & TCS_TABS_ON_RIGHT) ? -900 : 0;
    lf.lfOrientation = lf.lfEscapement;
    auto pFont = std::make_unique<CFont>();
    if (!pFont->CreateFontIndirect(&lf))
        return nullptr;
    return pFont;
}

void SEC3DTabControl::CreateFonts(DWORD dwStyle)
{
    LOGFONT lf {};
    lf.lfHeight = 15;
    lf.lfPitchAndFamily = FF_SWISS;
    std::strncpy(lf.lfFaceName, "Arial Narrow", sizeof(lf.lfFaceName) - 1);
    m_pNormalFont = MakeFont(lf, FW_NORMAL, dwStyle);
    m_pActiveFont = MakeFont(lf, 600, dwStyle);
    m_pMeasureFont = MakeFont(lf, 600, 0);
}

std::unique_ptr<SECTab> SEC3DTabControl::CreateNewTab()
{
    return std::make_unique<SEC3DTab>();
}

SECTab* SEC3DTabControl::InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pWnd, DWORD dwData1, DWORD dwData2)
{
    nIndex = std::clamp(nIndex, 0, GetTabCount());
    SECTab* pTab = SECTabControlBase::InsertTab(nIndex, lpszLabel, pWnd, dwData1, dwData2);
    static_cast<SEC3DTab*>(pTab)->m_csFullLabel = pTab->m_csLabel;
    if (m_bActiveTab && nIndex <= m_nActiveTab)
        ++m_nActiveTab;
    RecalcLayout();
    for (int n = nIndex; n < GetTabCount(); ++n)
        InvalidateTab(n);
    return pTab;
}

void SEC3DTabControl::RenameTab(int nIndex, LPCTSTR lpszLabel)
{
    if (SEC3DTab* pTab = GetTab3D(nIndex))
        pTab->m_csFullLabel = lpszLabel ? lpszLabel : "";
    SECTabControlBase::RenameTab(nIndex, lpszLabel);
}

void SEC3DTabControl::SetTabIcon(int nIndex, LPCTSTR lpszResource, int cx, int cy)
{
    HINSTANCE hModule = AfxFindResourceHandle(lpszResource, RT_GROUP_ICON);
    SetTabIcon(nIndex, static_cast<HICON>(::LoadImage(hModule, lpszResource, IMAGE_ICON, cx, cy, 0)));
}

void SEC3DTabControl::SetTabIcon(int nIndex, UINT nResource, int cx, int cy)
{
    SetTabIcon(nIndex, MAKEINTRESOURCE(nResource), cx, cy);
}

void SEC3DTabControl::SetTabIcon(int nIndex, HICON hIcon)
{
    SEC3DTab* pTab = GetTab3D(nIndex);
    if (pTab == nullptr)
        return;
    if (pTab->m_hIcon != nullptr && pTab->m_hIcon != hIcon)
        ::DestroyIcon(pTab->m_hIcon);
    pTab->m_hIcon = hIcon;
    RecalcLayout();
    for (int n = nIndex; n < GetTabCount(); ++n)
        InvalidateTab(n);
}

void SEC3DTabControl::EnableTab(int nIndex, BOOL bEnable)
{
    SEC3DTab* pTab = GetTab3D(nIndex);
    if (pTab == nullptr || pTab->m_bEnabled == bEnable)
        return;
    pTab->m_bEnabled = bEnable;
    InvalidateTab(nIndex);
}

BOOL SEC3DTabControl::IsTabEnabled(int nIndex) const
{
    const SEC3DTab* pTab = GetTab3D(nIndex);
    return pTab != nullptr && pTab->m_bEnabled;
}

BOOL SEC3DTabControl::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD dwBefore = GetStyle();
    const BOOL bResult = CWnd::ModifyStyle(dwRemove, dwAdd, nFlags);
    if (((GetStyle() & ~dwBefore) & 0xF0) != 0) {
        // The labels turn with the strip: both fonts again from their own descriptions.
        LOGFONT normal {};
        LOGFONT active {};
        if (m_pNormalFont && m_pActiveFont && m_pNormalFont->GetLogFont(&normal) && m_pActiveFont->GetLogFont(&active)) {
            m_pNormalFont = MakeFont(normal, normal.lfWeight, GetStyle());
            m_pActiveFont = MakeFont(active, active.lfWeight, GetStyle());
            m_pMeasureFont = MakeFont(active, active.lfWeight, 0);
        }
    }
    RecalcLayout();
    Invalidate();
    return bResult;
}

BOOL SEC3DTabControl::SetFont(CFont* pFont, int nWhich, BOOL bRedraw)
{
    std::unique_ptr<CFont>& target = nWhich == 0 ? m_pNormalFont : m_pActiveFont;
    LOGFONT lf {};
    std::unique_ptr<CFont> pCopy;
    if (pFont != nullptr && pFont->GetLogFont(&lf))
        pCopy = MakeFont(lf, lf.lfWeight, GetStyle());
    if (!pCopy)
        return FALSE; // the old font stays
    target = std::move(pCopy);
    if (nWhich == 1)
        m_pMeasureFont = MakeFont(lf, lf.lfWeight, 0);
    RecalcLayout();
    if (bRedraw) {
        if (nWhich == 1 && m_bActiveTab)
            InvalidateTab(m_nActiveTab);
        else
            Invalidate();
    }
    return TRUE;
}

// --- layout -----------------------------------------------------------------------------------------

int SEC3DTabControl::LabelWidth(CDC* pDC, const CString& strLabel) const
{
    if (strLabel.IsEmpty())
        return 0;
    return pDC->GetTextExtent(strLabel).cx;
}

int SEC3DTabControl::MeasureExtent(CDC* pDC)
{
    int nExtent = 0;
    for (int n = 0; n < GetTabCount(); ++n) {
        const SEC3DTab* pTab = GetTab3D(n);
        nExtent += tabEnd + (pTab->m_hIcon ? iconLength : 0) + LabelWidth(pDC, pTab->m_csLabel) + tabEnd;
    }
    return nExtent;
}

void SEC3DTabControl::ShortenLabels(int nFullExtent, int nIconExtent, int nAvailable)
{
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(m_pMeasureFont.get());
    // Can "..." everywhere fit at all?
    for (const auto& pTab : m_tabs)
        if (static_cast<SEC3DTab*>(pTab.get())->m_csFullLabel.GetLength() >= 3)
            pTab->m_csLabel = kEllipsis;
    BOOL bCanHelp = MeasureExtent(&dc) + kSpare <= nAvailable;
    if (bCanHelp) {
        for (const auto& pTab : m_tabs) {
            auto* p3D = static_cast<SEC3DTab*>(pTab.get());
            p3D->m_csLabel = p3D->m_csFullLabel;
            p3D->m_bShortened = FALSE;
        }
    }
    m_bShowLabels = nAvailable > nIconExtent;
    if (nAvailable <= 0) {
        dc.SelectObject(pOldFont);
        return;
    }
    // The widest label that can still lose characters is cut, until the tabs fit. A label of "..."
    // alone cannot shrink (cutting it again would make it longer), and a cut that gains nothing ends
    // the shortening, so the loop always ends.
    while (nFullExtent + kSpare > nAvailable && bCanHelp) {
        SEC3DTab* pWidest = nullptr;
        int nWidest = -1;
        for (const auto& pTab : m_tabs) {
            auto* p3D = static_cast<SEC3DTab*>(pTab.get());
            const int w = LabelWidth(&dc, p3D->m_csLabel);
            if (p3D->m_csLabel.GetLength() > 3 && p3D->m_csLabel != kEllipsis && w > nWidest) {
                pWidest = p3D;
                nWidest = w;
            }
        }
        if (pWidest == nullptr) {
            bCanHelp = FALSE;
            break;
        }
        CString label = pWidest->m_csLabel;
        if (label == pWidest->m_csFullLabel) {
            const int nCut = label.GetLength() - (label.Left(3) == kEllipsis ? 3 : 4);
            label = label.Left(std::max(0, nCut));
        } else {
            if (label.Find(kEllipsis, 1) > 0)
                label = label.Left(std::max(0, label.GetLength() - 3));
            label = label.Left(std::max(0, label.GetLength() - 1));
        }
        if (pWidest->m_csFullLabel.GetLength() >= 3)
            label += kEllipsis;
        pWidest->m_csLabel = label;
        pWidest->m_bShortened = TRUE;
        const int nNow = MeasureExtent(&dc);
        if (nNow >= nFullExtent)
            bCanHelp = FALSE;
        nFullExtent = nNow;
    }
    if (nFullExtent + kSpare > nAvailable && m_bShowLabels && !bCanHelp) {
        for (const auto& pTab : m_tabs)
            static_cast<SEC3DTab*>(pTab.get())->m_bShortened = TRUE;
        while (nFullExtent + kSpare > nAvailable && m_bShowLabels) {
            SECTab* pWidest = nullptr;
            int nWidest = 0;
            for (const auto& pTab : m_tabs) {
                const int w = LabelWidth(&dc, pTab->m_csLabel);
                if (w > nWidest) {
                    pWidest = pTab.get();
                    nWidest = w;
                }
            }
            // Nothing left to cut: the labels go altogether.
            if (pWidest == nullptr || m_tabs.back()->m_csLabel.IsEmpty()) {
                m_bShowLabels = FALSE;
                break;
            }
            pWidest->m_csLabel = pWidest->m_csLabel.Left(pWidest->m_csLabel.GetLength() - 1);
            nFullExtent = MeasureExtent(&dc);
        }
    }
    dc.SelectObject(pOldFont);
}

void SEC3DTabControl::ComputeTabRect(int nIndex, int x, int y, DWORD dwStyle)
{
    SEC3DTab* pTab = GetTab3D(nIndex);
    if (pTab == nullptr)
        return;
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(m_pMeasureFont.get());
    int nLength = pTab->m_hIcon ? tabEnd + iconLength : tabEnd;
    if (m_bShowLabels)
        nLength += LabelWidth(&dc, pTab->m_csLabel) + tabEnd;
    dc.SelectObject(pOldFont);
    const BOOL bVertical = (dwStyle & (TCS_TABS_ON_BOTTOM | TCS_TABS_ON_TOP)) == 0;
    if (bVertical)
        pTab->m_rect.SetRect(x, y, x + m_nTabWidth, y + nLength);
    else
        pTab->m_rect.SetRect(x, y, x + nLength, y + m_nTabHeight);
    pTab->m_nWidth = pTab->m_rect.Width();
    pTab->m_nHeight = pTab->m_rect.Height();
}

void SEC3DTabControl::RecalcLayout()
{
    if (m_hWnd == nullptr || !m_pMeasureFont)
        return;
    const DWORD dwStyle = GetStyle();
    const BOOL bVertical = IsVertical();
    CRect client;
    GetClientRect(&client);
    // Each layout starts from the full labels, so labels grow back when the strip grows.
    int nFull = 0;
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(m_pMeasureFont.get());
        for (const auto& pTab : m_tabs) {
            auto* p3D = static_cast<SEC3DTab*>(pTab.get());
            p3D->m_csLabel = p3D->m_csFullLabel;
            p3D->m_bShortened = FALSE;
            nFull += tabEnd + (p3D->m_hIcon ? iconLength : 0) + LabelWidth(&dc, p3D->m_csFullLabel) + tabEnd;
        }
        dc.SelectObject(pOldFont);
    }
    const int nIcons = iconLength * GetTabCount();
    const int nAvailable = bVertical ? client.Height() : client.Width();
    m_bShowLabels = TRUE;
    if (m_bShortenLabels)
        ShortenLabels(nFull, nIcons, nAvailable);
    else
        m_bShowLabels = nFull + kSpare < nAvailable;
    int x = 0;
    int y = 0;
    if (!bVertical) {
        x = m_nFirstTabOffsetHorz;
        y = (dwStyle & TCS_TABS_ON_BOTTOM) ? client.top + 2 : client.bottom - m_nTabHeight - 3;
    } else {
        y = m_nFirstTabOffsetVert;
        x = (dwStyle & TCS_TABS_ON_LEFT) ? client.right - m_nTabWidth - 3 : client.left + 2;
    }
    for (int n = 0; n < GetTabCount(); ++n) {
        ComputeTabRect(n, x, y, dwStyle);
        const CRect& rect = GetTab3D(n)->m_rect;
        if (bVertical)
            y = rect.bottom;
        else
            x = rect.right;
    }
    if (m_bActiveTab && !(dwStyle & TCS_TAB_NOT_ENLARGED)) {
        if (SEC3DTab* pActive = GetTab3D(m_nActiveTab)) {
            CRect& rect = pActive->m_rect;
            if (!bVertical) {
                rect.InflateRect(3, 0);
                if (dwStyle & TCS_TABS_ON_BOTTOM)
                    rect.top -= 3;
                else
                    rect.bottom += 3;
            } else {
                rect.InflateRect(0, 3);
                if (dwStyle & TCS_TABS_ON_LEFT)
                    rect.left -= 3;
                else
                    rect.right += 3;
            }
        }
    }
}

void SEC3DTabControl::GetTabRect(int nIndex, CRect& rect) const
{
    const SEC3DTab* pTab = GetTab3D(nIndex);
    if (pTab != nullptr)
        rect = pTab->m_rect;
    else
        rect.SetRectEmpty();
}

void SEC3DTabControl::InvalidateTab(int nIndex)
{
    if (m_hWnd == nullptr)
        return;
    const SEC3DTab* pTab = GetTab3D(nIndex);
    if (pTab == nullptr)
        return;
    CRect rect = pTab->m_rect;
    rect.InflateRect(4, 4);
    InvalidateRect(&rect, FALSE);
}

int SEC3DTabControl::TabFromPoint(CPoint point) const
{
    // The active tab lies over its neighbours.
    if (m_bActiveTab && IsTabEnabled(m_nActiveTab) && GetTab3D(m_nActiveTab)->m_rect.PtInRect(point))
        return m_nActiveTab;
    for (int n = 0; n < GetTabCount(); ++n)
        if (IsTabEnabled(n) && GetTab3D(n)->m_rect.PtInRect(point))
            return n;
    return -1;
}

INT_PTR SEC3DTabControl::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    for (int n = 0; n < GetTabCount(); ++n) {
        const SEC3DTab* pTab = GetTab3D(n);
        if (!pTab->m_rect.PtInRect(point) || !(pTab->m_bShortened || (!m_bShowLabels && !m_bShortenLabels)))
            continue;
        if (pTI != nullptr) {
            pTI->hwnd = m_hWnd;
            pTI->uId = static_cast<UINT_PTR>(n + 1);
            pTI->rect = pTab->m_rect;
            pTI->lpszText = ::strdup(pTab->m_csFullLabel);
        }
        return n + 1;
    }
    return -1;
}

// --- tooltips -----------------------------------------------------------------------------------------

BOOL SEC3DTabControl::PreTranslateMessage(MSG* pMsg)
{
    // The control relays its mouse messages to the tooltips itself, so the tips also work where no
    // pre-translation runs (inside another window's modal loop).
    switch (pMsg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return FALSE;
    default: return SECTabControlBase::PreTranslateMessage(pMsg);
    }
}

void SEC3DTabControl::RelayToolTip(UINT message, UINT nFlags, CPoint point)
{
    if (m_hWnd == nullptr)
        return;
    MSG msg {};
    msg.hwnd = m_hWnd;
    msg.message = message;
    msg.wParam = nFlags;
    msg.lParam = MAKELPARAM(point.x, point.y);
    msg.pt = point;
    ClientToScreen(&msg.pt);
    FilterToolTipMessage(&msg);
}

void SEC3DTabControl::TrackToolTips(CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        // Holding the capture lets the control see the pointer leave, and take its tip away then.
        if (!m_bTrackingTips && ::GetCapture() == nullptr) {
            SetCapture();
            m_bTrackingTips = TRUE;
        }
    } else if (m_bTrackingTips && ::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
}

void SEC3DTabControl::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bTrackingTips) {
        m_bTrackingTips = FALSE;
        // A pointer far off every tool drops the tool and hides the tip.
        MSG leave {};
        leave.hwnd = m_hWnd;
        leave.message = WM_MOUSEMOVE;
        leave.pt = POINT { -32000, -32000 };
        FilterToolTipMessage(&leave);
    }
    SECTabControlBase::OnCaptureChanged(pWnd);
}

void SEC3DTabControl::OnRButtonDown(UINT nFlags, CPoint point)
{
    RelayToolTip(WM_RBUTTONDOWN, nFlags, point);
    Default();
}

// --- mouse and keys ---------------------------------------------------------------------------------

void SEC3DTabControl::OnLButtonDown(UINT nFlags, CPoint point)
{
    RelayToolTip(WM_LBUTTONDOWN, nFlags, point);
    const int nTab = TabFromPoint(point);
    if (nTab >= 0) {
        if (m_bActiveTab && nTab == m_nActiveTab)
            NotifyReselect();
        else
            ActivateTab(nTab);
    }
    Default();
    if ((GetStyle() & TCS_TABS_DRAGGABLE) && m_hWnd != nullptr)
        SetCapture();
    CWnd* pParent = GetParent();
    if (m_hWnd != nullptr && pParent != nullptr && (pParent->GetStyle() & WS_TABSTOP) && ::GetFocus() != m_hWnd)
        SetFocus();
}

void SEC3DTabControl::OnLButtonUp(UINT nFlags, CPoint point)
{
    RelayToolTip(WM_LBUTTONUP, nFlags, point);
    if ((GetStyle() & TCS_TABS_DRAGGABLE) && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Default();
}

void SEC3DTabControl::OnLButtonDblClk(UINT, CPoint point)
{
    const int nTab = TabFromPoint(point);
    CWnd* pParent = GetParent();
    if (nTab >= 0 && pParent != nullptr)
        pParent->SendMessage(TCM_TABDBLCLK, static_cast<WPARAM>(nTab), 0);
}

void SEC3DTabControl::OnMouseMove(UINT nFlags, CPoint point)
{
    RelayToolTip(WM_MOUSEMOVE, nFlags, point);
    Default();
    if (!(nFlags & MK_LBUTTON))
        TrackToolTips(point);
    if (!(GetStyle() & TCS_TABS_DRAGGABLE) || ::GetCapture() != m_hWnd || !(nFlags & MK_LBUTTON) || !m_bActiveTab)
        return;
    const int nActive = m_nActiveTab;
    int nOver = -1;
    for (int n = 0; n < GetTabCount(); ++n)
        if (n != nActive && GetTab3D(n)->m_rect.PtInRect(point))
            nOver = n;
    if (nOver < 0)
        return;
    // The active tab moves only when, placed where the other tab is, it would lie under the pointer.
    const CRect& over = GetTab3D(nOver)->m_rect;
    const CRect& active = GetTab3D(nActive)->m_rect;
    const BOOL bVertical = IsVertical();
    const int nLength = bVertical ? active.Height() : active.Width();
    const int pos = bVertical ? point.y : point.x;
    const BOOL bForward = nOver > nActive;
    const int start = bForward ? (bVertical ? over.bottom : over.right) - nLength : (bVertical ? over.top : over.left);
    if (pos < start || pos >= start + nLength)
        return;
    auto pMoved = std::move(m_tabs[static_cast<size_t>(nActive)]);
    m_tabs.erase(m_tabs.begin() + nActive);
    m_tabs.insert(m_tabs.begin() + nOver, std::move(pMoved));
    m_nActiveTab = nOver;
    m_bActiveTab = FALSE;
    ActivateTab(nOver);
    Invalidate();
}

void SEC3DTabControl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    int nStep = 0;
    if (nChar == VK_LEFT || nChar == VK_UP)
        nStep = -1;
    else if (nChar == VK_RIGHT || nChar == VK_DOWN)
        nStep = 1;
    if (nStep == 0) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    for (int n = m_nActiveTab + nStep; n >= 0 && n < GetTabCount(); n += nStep) {
        if (IsTabEnabled(n)) {
            ActivateTab(n);
            SetFocus();
            return;
        }
    }
}

void SEC3DTabControl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (CWnd* pParent = GetParent(); pParent != nullptr && (pParent->GetStyle() & WS_TABSTOP))
        Invalidate(FALSE);
}
