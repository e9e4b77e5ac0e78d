#include "toolkit/frames/SECWorkbook.h"

#include <algorithm>
#include <cstring>

#include "platform/afx/CBrush.h"
#include "platform/afx/CClientDC.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CPaintDC.h"
#include "platform/afx/CRgn.h"
#include "platform/afx/CToolTipCtrl.h"
#include "toolkit/frames/SECControlBarWorksheet.h"
#include "toolkit/frames/SECWorkbookClient.h"
#include "toolkit/frames/SECWorksheet.h"

IMPLEMENT_DYNCREATE(SECWorkbook, SECMDIFrameWnd)

BEGIN_MESSAGE_MAP(SECWorkbook, SECMDIFrameWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_SEC_WORKBOOK_REFRESH, OnRefreshTabs)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
END_MESSAGE_MAP()

namespace {

constexpr int kIconSize = 16;
// The 3-D frame around the client lies this far outside it.
constexpr int kAreaFrame = 5;

} // namespace

SECWorkbook::SECWorkbook() { m_pMDIFloatClass = RUNTIME_CLASS(SECControlBarWorksheet); }

SECWorkbook::~SECWorkbook() = default;

// Sheets ----------------------------------------------------------------------------------------------------------

BOOL SECWorkbook::CanActivateSheet(SECWorksheet*) { return TRUE; }

int SECWorkbook::VisiblePosition(SECWorksheet* pSheet) const
{
    int nPosition = 0;
    for (SECWorksheet* pEach : m_sheets) {
        const BOOL bVisible = pEach->m_hWnd && (pEach->GetStyle() & WS_VISIBLE);
        if (pEach == pSheet)
            return bVisible ? nPosition : -1;
        nPosition += bVisible ? 1 : 0;
    }
    return -1;
}

BOOL SECWorkbook::UpdateTabWidth()
{
    const int nOld = m_nTabWidth;
    CRect rect;
    if (m_hWndMDIClient)
        ::GetWindowRect(m_hWndMDIClient, &rect);
    // Without sheets the tabs keep the widest width (nothing to divide among).
    m_nTabWidth = m_sheets.empty() ? m_nMaxTabWidth
                                   : std::min((rect.Width() + 5) / static_cast<int>(m_sheets.size()), m_nMaxTabWidth);
    return m_nTabWidth != nOld;
}

void SECWorkbook::InvalidateAfterSheetChange(BOOL bWidthChanged, SECWorksheet* pSheet)
{
    if (!m_hWnd)
        return;
    CRect rectArea;
    GetTabAreaRect(rectArea);
    if (bWidthChanged && m_bShowTabs)
        InvalidateRect(&rectArea);
    else if (m_sheets.size() >= 2 && pSheet)
        InvalidateTab(pSheet);
    else
        Invalidate();
}

void SECWorkbook::AddSheet(SECWorksheet* pSheet)
{
    if (!pSheet || std::find(m_sheets.begin(), m_sheets.end(), pSheet) != m_sheets.end())
        return;
    m_sheets.push_back(pSheet);
    pSheet->m_nSheetIndex = static_cast<int>(m_sheets.size()) - 1;
    InvalidateAfterSheetChange(UpdateTabWidth(), pSheet);
    if (m_sheets.size() == 1 && !m_pToolTip) {
        m_pToolTip = std::make_unique<CToolTipCtrl>();
        if (m_pToolTip->Create(this)) {
            m_pToolTip->Activate(TRUE);
            EnableToolTips(TRUE);
        } else {
            m_pToolTip.reset();
        }
    }
}

void SECWorkbook::RemoveSheet(SECWorksheet* pSheet)
{
    auto found = std::find(m_sheets.begin(), m_sheets.end(), pSheet);
    if (found == m_sheets.end())
        return;
    m_sheets.erase(found);
    for (size_t i = 0; i < m_sheets.size(); ++i)
        m_sheets[i]->m_nSheetIndex = static_cast<int>(i);
    pSheet->m_nSheetIndex = -1;
    InvalidateAfterSheetChange(UpdateTabWidth(), nullptr);
}

CString SECWorkbook::GetSheetTitle(SECWorksheet* pSheet)
{
    if (CDocument* pDocument = pSheet->GetActiveDocument())
        return pDocument->GetTitle();
    CString strTitle;
    pSheet->GetWindowText(strTitle);
    return strTitle;
}

HICON SECWorkbook::GetSheetIcon(SECWorksheet* pSheet) { return m_bShowSheetIcons && pSheet ? pSheet->m_hSheetIcon : nullptr; }

BOOL SECWorkbook::SetSheetIcon(SECWorksheet* pSheet, HICON hIcon, BOOL bRepaint)
{
    if (!pSheet)
        return FALSE;
    // The sheet owns its icon.
    if (pSheet->m_hSheetIcon && pSheet->m_hSheetIcon != hIcon)
        ::DestroyIcon(pSheet->m_hSheetIcon);
    pSheet->m_hSheetIcon = hIcon;
    if (bRepaint)
        InvalidateTab(pSheet);
    return TRUE;
}

void SECWorkbook::ShowTabs(BOOL bShow)
{
    m_bShowTabs = bShow;
    if (m_pClient) {
        const int nStrip = bShow ? m_nTabHeight + m_nActiveExtraHeight + 2 : 0;
        const int nFrame = bShow ? kAreaFrame : 0;
        m_pClient->m_rectMargins = CRect(nFrame, nFrame, nFrame, nFrame + nStrip);
    }
    if (m_hWnd) {
        RecalcLayout();
        Invalidate();
    }
}

// Geometry --------------------------------------------------------------------------------------------------------

void SECWorkbook::GetTabAreaRect(CRect& rect)
{
    rect.SetRectEmpty();
    if (!m_hWndMDIClient)
        return;
    ::GetWindowRect(m_hWndMDIClient, &rect);
    ScreenToClient(&rect);
    if (m_pClient) {
        rect.left -= m_pClient->m_rectMargins.left;
        rect.top -= m_pClient->m_rectMargins.top;
        rect.right += m_pClient->m_rectMargins.right;
        rect.bottom += m_pClient->m_rectMargins.bottom;
    }
}

BOOL SECWorkbook::IsTabActive(SECWorksheet* pSheet) { return pSheet && (GetActiveFrame() == pSheet || pSheet->m_bPressed); }

void SECWorkbook::GetTabPolygon(SECWorksheet* pSheet, POINT* pPoints, int& nCount)
{
    nCount = 0;
    const int v = VisiblePosition(pSheet);
    if (v < 0 || !m_hWndMDIClient)
        return;
    CRect rectClient;
    ::GetWindowRect(m_hWndMDIClient, &rectClient);
    ScreenToClient(&rectClient);
    const int a = IsTabActive(pSheet) ? 1 : 0;
    const int W = m_nTabWidth;
    const int H = m_nTabHeight;
    const int S = m_nTabSlant;
    pPoints[0] = POINT { v * W - (m_nActiveExtraWidth / 2) * a + rectClient.left, rectClient.bottom + 1 };
    pPoints[1] = POINT { pPoints[0].x, pPoints[0].y + H - S };
    pPoints[2] = POINT { pPoints[1].x + S, pPoints[1].y + S + m_nActiveExtraHeight * a };
    pPoints[3] = POINT { pPoints[2].x + W - 2 * S + m_nActiveExtraWidth * a, pPoints[2].y };
    pPoints[4] = POINT { pPoints[3].x + S, pPoints[1].y };
    pPoints[5] = POINT { pPoints[4].x, pPoints[0].y };
    pPoints[6] = pPoints[0];
    nCount = kTabPoints;
}

void SECWorkbook::GetTabTextRect(const POINT* pPoints, int nIconWidth, CRect& rect)
{
    if (!pPoints) {
        rect.SetRectEmpty();
        return;
    }
    rect.SetRect(pPoints[2].x + nIconWidth + 3, pPoints[0].y, pPoints[4].x - 2, pPoints[3].y);
}

BOOL SECWorkbook::TabLabelFits(int nSheet)
{
    if (nSheet < 0 || nSheet >= GetSheetCount())
        return TRUE;
    SECWorksheet* pSheet = GetSheet(nSheet);
    POINT points[kTabPoints];
    int nCount = 0;
    GetTabPolygon(pSheet, points, nCount);
    if (!nCount)
        return TRUE;
    CRect rectText;
    GetTabTextRect(points, GetSheetIcon(pSheet) ? kIconSize : 0, rectText);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(&m_fontTab);
    const CSize size = dc.GetTextExtent(GetSheetTitle(pSheet));
    dc.SelectObject(pOld);
    return size.cx <= rectText.Width();
}

SECWorksheet* SECWorkbook::SheetAt(CPoint point)
{
    for (SECWorksheet* pSheet : m_sheets) {
        POINT points[kTabPoints];
        int nCount = 0;
        GetTabPolygon(pSheet, points, nCount);
        CRgn region;
        if (nCount && region.CreatePolygonRgn(points, nCount, ALTERNATE) && region.PtInRegion(point.x, point.y))
            return pSheet;
    }
    return nullptr;
}

void SECWorkbook::InvalidateTab(SECWorksheet* pSheet)
{
    POINT points[kTabPoints];
    int nCount = 0;
    GetTabPolygon(pSheet, points, nCount);
    if (!nCount || !m_hWnd)
        return;
    CRect rect(points[0].x, points[0].y, points[0].x, points[0].y);
    for (const POINT& pt : points)
        rect.UnionRect(rect, CRect(pt.x, pt.y, pt.x + 1, pt.y + 1));
    rect.InflateRect(m_nActiveExtraWidth, 0, m_nActiveExtraWidth, m_nActiveExtraHeight);
    InvalidateRect(&rect, FALSE);
}

INT_PTR SECWorkbook::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    auto* pThis = const_cast<SECWorkbook*>(this);
    SECWorksheet* pSheet = pThis->m_bShowTabs ? pThis->SheetAt(point) : nullptr;
    if (!pSheet || pThis->TabLabelFits(pSheet->m_nSheetIndex))
        return -1;
    if (pTI) {
        POINT points[kTabPoints];
        int nCount = 0;
        pThis->GetTabPolygon(pSheet, points, nCount);
        CRect rect(points[0].x, points[0].y, points[4].x, points[3].y);
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(pSheet->m_nSheetIndex + 1);
        pTI->rect = rect;
        pTI->lpszText = ::strdup(pThis->GetSheetTitle(pSheet));
    }
    return pSheet->m_nSheetIndex + 1;
}

// Layout and painting ---------------------------------------------------------------------------------------------

CFrameWnd* SECWorkbook::CreateMDIFloatFrame(DWORD dwStyle, CControlBar* pBar)
{
    CFrameWnd* pFrame = SECMDIFrameWnd::CreateMDIFloatFrame(dwStyle, pBar);
    auto* pSheet = dynamic_cast<SECControlBarWorksheet*>(pFrame);
    if (HICON hIcon = pSheet && pBar ? reinterpret_cast<HICON>(pBar->SendMessage(WM_GETICON, ICON_BIG, 0)) : nullptr)
        SetSheetIcon(pSheet, ::CopyIcon(hIcon), TRUE);
    return pFrame;
}

BOOL SECWorkbook::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    if (!SECMDIFrameWnd::CreateClient(lpCreateStruct, pWindowMenu))
        return FALSE;
    m_pClient = std::make_unique<SECWorkbookClient>();
    if (!m_pClient->SubclassWindow(m_hWndMDIClient))
        m_pClient.reset();
    if (!m_fontTab.CreateStockObject(DEFAULT_GUI_FONT))
        m_fontTab.CreateStockObject(ANSI_VAR_FONT);
    m_penHilight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    m_penBlack.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void SECWorkbook::RecalcLayout(BOOL bNotify)
{
    SECMDIFrameWnd::RecalcLayout(bNotify);
    if (UpdateTabWidth() && m_bShowTabs)
        Invalidate();
}

void SECWorkbook::DrawTab(CDC* pDC, SECWorksheet* pSheet)
{
    POINT p[kTabPoints];
    int nCount = 0;
    GetTabPolygon(pSheet, p, nCount);
    if (!nCount)
        return;
    CRgn region;
    region.CreatePolygonRgn(p, nCount, ALTERNATE);
    CBrush brushFace(::GetSysColor(COLOR_BTNFACE));
    pDC->FillRgn(&region, &brushFace);
    CPen* pOld = pDC->SelectObject(&m_penHilight);
    pDC->MoveTo(p[0]);
    pDC->LineTo(p[1]);
    pDC->LineTo(p[2]);
    pDC->SelectObject(&m_penBlack);
    pDC->LineTo(p[3]);
    pDC->LineTo(p[4]);
    pDC->LineTo(p[5]);
    pDC->SelectObject(&m_penShadow);
    pDC->MoveTo(p[2].x, p[2].y - 1);
    pDC->LineTo(p[3].x, p[3].y - 1);
    pDC->LineTo(p[4].x - 1, p[4].y);
    pDC->LineTo(p[5].x - 1, p[5].y);
    pDC->SelectObject(pOld);
}

void SECWorkbook::DrawTabLabel(CDC* pDC, SECWorksheet* pSheet)
{
    POINT p[kTabPoints];
    int nCount = 0;
    GetTabPolygon(pSheet, p, nCount);
    if (!nCount)
        return;
    int nIconWidth = 0;
    if (m_bShowSheetIcons) {
        nIconWidth = kIconSize;
        if (HICON hIcon = GetSheetIcon(pSheet))
            ::DrawIconEx(pDC->m_hDC, p[2].x + 1, p[0].y + 4, hIcon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    }
    CRect rectText;
    GetTabTextRect(p, nIconWidth, rectText);
    CFont* pOld = pDC->SelectObject(&m_fontTab);
    CString strTitle = GetSheetTitle(pSheet);
    // Too long: the end becomes "..." one character at a time.
    while (pDC->GetTextExtent(strTitle).cx > rectText.Width() && strTitle.GetLength() >= 4)
        strTitle = strTitle.Left(strTitle.GetLength() - 4) + "...";
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(strTitle, &rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOld);
}

void SECWorkbook::DrawTabArea(CDC* pDC)
{
    CRect rectClient;
    ::GetWindowRect(m_hWndMDIClient, &rectClient);
    ScreenToClient(&rectClient);
    CRect rectArea;
    GetTabAreaRect(rectArea);
    CRect rectFrame = rectClient;
    rectFrame.InflateRect(kAreaFrame - 3, kAreaFrame - 3);
    pDC->Draw3dRect(&rectFrame, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    rectFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(&rectFrame, RGB(0, 0, 0), RGB(0, 0, 0));
    // The strip's top: a black line under the client and a shadow line under it, across the area.
    CPen* pOld = pDC->SelectObject(&m_penBlack);
    pDC->MoveTo(rectArea.left, rectClient.bottom);
    pDC->LineTo(rectArea.right, rectClient.bottom);
    pDC->SelectObject(&m_penShadow);
    pDC->MoveTo(rectArea.left, rectClient.bottom + 1);
    pDC->LineTo(rectArea.right, rectClient.bottom + 1);
    pDC->SelectObject(pOld);
}

void SECWorkbook::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bShowTabs || !m_hWndMDIClient)
        return;
    CRect rectClient;
    ::GetWindowRect(m_hWndMDIClient, &rectClient);
    if (rectClient.IsRectEmpty())
        return;
    for (SECWorksheet* pSheet : m_sheets) {
        DrawTab(&dc, pSheet);
        DrawTabLabel(&dc, pSheet);
    }
    DrawTabArea(&dc);
    if (auto* pActive = dynamic_cast<SECWorksheet*>(GetActiveFrame()); pActive && (pActive->GetStyle() & WS_VISIBLE)) {
        DrawTab(&dc, pActive);
        DrawTabLabel(&dc, pActive);
    }
    ScreenToClient(&rectClient);
    if (rectClient != m_rectLastClient) {
        m_rectLastClient = rectClient;
        Invalidate();
    }
}

BOOL SECWorkbook::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect);
    if (m_bTabAreaErase) {
        GetTabAreaRect(rect);
        Invalidate(FALSE);
    }
    if (m_hWndMDIClient) {
        CRect rectClient;
        ::GetWindowRect(m_hWndMDIClient, &rectClient);
        ScreenToClient(&rectClient);
        pDC->ExcludeClipRect(&rectClient);
    }
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    CPen* pOld = pDC->SelectObject(&m_penHilight);
    pDC->MoveTo(rect.left, rect.bottom - 2);
    pDC->LineTo(rect.right - 1, rect.bottom - 2);
    pDC->SelectObject(&m_penShadow);
    pDC->MoveTo(rect.right - 1, rect.top);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->LineTo(rect.left - 1, rect.bottom - 1);
    pDC->SelectObject(pOld);
    return TRUE;
}

// Tab clicks --------------------------------------------------------------------------------------------------------

void SECWorkbook::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bShowTabs) {
        SECWorksheet* pSheet = SheetAt(point);
        if (pSheet && pSheet != GetActiveFrame() && CanActivateSheet(pSheet)) {
            pSheet->m_bPressed = TRUE;
            Invalidate();
            UpdateWindow();
            pSheet->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        }
    }
    SECMDIFrameWnd::OnLButtonDown(nFlags, point);
}

void SECWorkbook::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bShowTabs) {
        for (SECWorksheet* pSheet : m_sheets) {
            if (pSheet->m_bPressed) {
                pSheet->m_bPressed = FALSE;
                Invalidate();
            }
        }
    }
    SECMDIFrameWnd::OnLButtonUp(nFlags, point);
}

LRESULT SECWorkbook::OnRefreshTabs(WPARAM, LPARAM)
{
    if (m_nLastActiveTab >= 0 && m_nLastActiveTab < GetSheetCount())
        InvalidateTab(GetSheet(m_nLastActiveTab));
    auto* pActive = dynamic_cast<SECWorksheet*>(GetActiveFrame());
    if (pActive)
        InvalidateTab(pActive);
    m_nLastActiveTab = pActive ? pActive->m_nSheetIndex : -1;
    if (!pActive || !::IsZoomed(pActive->m_hWnd))
        UpdateWindow();
    return 0;
}
