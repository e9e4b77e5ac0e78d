#include "toolkit/frames/SECControlBar.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/afx/CBrush.h"
#include "platform/afx/CClientDC.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CMiniDockFrameWnd.h"
#include "platform/gdi/FrameDrawing.h"
#include "toolkit/frames/SECDisplayCache.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECDockContext.h"
#include "toolkit/frames/SECFrameIds.h"

IMPLEMENT_DYNCREATE(SECControlBar, CControlBar)

BEGIN_MESSAGE_MAP(SECControlBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_SEC_HIDE, OnHide)
    ON_COMMAND(ID_SEC_ALLOWDOCKING, OnAllowDocking)
    ON_COMMAND(ID_SEC_MDIFLOAT, OnFloatInMainWindow)
END_MESSAGE_MAP()

namespace {

int NonNegative(int value) { return std::max(value, 0); }

// Flat borders take one pixel on each bordered side.
void DeflateFlatBorders(CRect& rect, DWORD dwStyle)
{
    rect.DeflateRect((dwStyle & CBRS_BORDER_LEFT) ? 1 : 0, (dwStyle & CBRS_BORDER_TOP) ? 1 : 0,
        (dwStyle & CBRS_BORDER_RIGHT) ? 1 : 0, (dwStyle & CBRS_BORDER_BOTTOM) ? 1 : 0);
}

} // namespace

BOOL SECControlBar::IsMDIChild() const
{
    const SECDockBar* pDockBar = GetSECDockBar();
    return pDockBar && pDockBar->IsMDIChild();
}

CSize& SECControlBar::DefaultSize()
{
    static CSize size { 300, 180 };
    return size;
}

SECControlBar::~SECControlBar()
{
    // The window goes first, taking the bar quietly out of its dock bar; the dock context after it.
    if (m_hWnd)
        DestroyWindow();
    if (m_pDockSite) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    delete m_pDockContext;
    m_pDockContext = nullptr;
}

UINT SECControlBar::FindUniqueBarID(CFrameWnd* pFrame, UINT nBaseID)
{
    if (!pFrame)
        return 0;
    std::unordered_set<UINT> used(17);
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos;) {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar && pBar->m_hWnd)
            used.insert(static_cast<UINT>(pBar->GetDlgCtrlID()));
    }
    for (UINT nID = nBaseID; nID <= nBaseID + 999; ++nID)
        if (!used.contains(nID))
            return nID;
    return 0;
}

BOOL SECControlBar::Create(
    CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID, CCreateContext* pContext)
{
    return CreateEx(nullptr, lpszWindowName, nID, dwStyle, dwExStyle, CRect(0, 0, 0, 0), pParentWnd, pContext);
}

BOOL SECControlBar::CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle, DWORD dwExStyle,
    const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    m_dwExStyle = dwExStyle;
    if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle & ~CBRS_ALL, rect, pParentWnd, nID, pContext))
        return FALSE;
    if (m_dwExStyle & BARX_SCALE_CHILDREN)
        RecordChildLayout();
    m_szHorz = m_szVert = m_szFloat = DefaultSize();
    m_nFlags |= WF_TOOLTIPS;
    return TRUE;
}

void SECControlBar::EnableDocking(DWORD dwDockStyle)
{
    if (!m_pDockContext)
        m_pDockContext = CreateDockContext();
    CControlBar::EnableDocking(dwDockStyle);
}

CDockContext* SECControlBar::CreateDockContext() { return new SECDockContext(this); }

CSize SECControlBar::CalcFixedLayout(BOOL, BOOL bHorz) { return bHorz ? m_szHorz : m_szVert; }

CSize SECControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nMode & LM_COMMIT) {
        int nCommitted = nLength;
        if (nMode & LM_STRETCH)
            nCommitted = static_cast<int>(static_cast<float>(nLength) * m_fPctWidth);
        const bool bLengthy = (nMode & LM_LENGTHY) != 0;
        CSize& size = (nMode & LM_HORZDOCK) ? m_szHorz : (nMode & LM_VERTDOCK) ? m_szVert : m_szFloat;
        (bLengthy ? size.cy : size.cx) = nCommitted;
        if (!(nMode & (LM_HORZDOCK | LM_VERTDOCK)) && !bLengthy)
            m_nMRUWidth = static_cast<UINT>(nCommitted);
    }
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
    return m_szFloat;
}

void SECControlBar::GetInsideRect(CRect& rectInside)
{
    GetClientRect(&rectInside);
    const int inset = m_gripperInfo.m_nInset;
    if ((m_dwExStyle & BARX_GRIPPER) && IsDocked()) {
        if (IsHorzDocked()) {
            rectInside.left += m_gripperInfo.GetWidth();
            rectInside.top += inset;
        } else {
            rectInside.top += m_gripperInfo.GetHeight();
            rectInside.left += inset;
        }
        rectInside.right -= inset;
        rectInside.bottom -= inset;
    } else if (m_dwExStyle & BARX_MARGINS) {
        rectInside.DeflateRect(m_rcBorderSpace.left, m_rcBorderSpace.top, m_rcBorderSpace.right,
            m_rcBorderSpace.bottom);
    }
}

void SECControlBar::SetExBarStyle(DWORD dwExStyle, BOOL bRedraw)
{
    if (IsFloating()) {
        if (CWnd* pFrame = GetParentFrame()) {
            if (dwExStyle & BARX_KEEP_LENGTH)
                pFrame->ModifyStyle(0, MFS_4THICKFRAME);
            else
                pFrame->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME);
            pFrame->SetWindowPos(nullptr, 0, 0, 0, 0,
                SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
    }
    if (!((m_dwExStyle & BARX_SCALE_CHILDREN) && (dwExStyle & BARX_SCALE_CHILDREN))) {
        if (dwExStyle & BARX_SCALE_CHILDREN)
            RecordChildLayout();
        else
            FreeChildLayout();
    }
    if (m_dwExStyle != dwExStyle && bRedraw && m_hWnd)
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE);
    m_dwExStyle = dwExStyle;
}

void SECControlBar::ModifyExBarStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    SetExBarStyle((m_dwExStyle & ~dwRemove) | dwAdd, bRedraw);
}

void SECControlBar::AddGripperSize(CSize& size, BOOL bHorz)
{
    if (bHorz)
        size.cx += m_gripperInfo.GetWidth();
    else
        size.cy += m_gripperInfo.GetHeight();
}

void SECControlBar::AdjustBorderRect(CRect& rect, BOOL bHorz, BOOL bAllowGripper)
{
    if (!(m_dwExStyle & BARX_FLAT_BORDERS)) {
        CalcInsideRect(rect, bHorz);
        return;
    }
    DeflateFlatBorders(rect, m_dwStyle);
    const bool bGripper = (m_dwExStyle & BARX_GRIPPER) && IsDocked();
    if (bHorz) {
        rect.left += bGripper ? m_gripperInfo.GetWidth() : m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += (bAllowGripper && bGripper) ? m_gripperInfo.GetHeight() : m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void SECControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
}

void SECControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const DWORD dwStyle = m_dwStyle;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;
    if (m_dwExStyle & BARX_FLAT_BORDERS) {
        DeflateFlatBorders(rect, dwStyle);
        if (m_dwExStyle & BARX_GRIPPER)
            DrawGripper(pDC, rect);
        return;
    }
    const SECDisplayCache& cache = displayCache();
    const bool bShaded = (m_dwExStyle & BARX_SHADED_BORDERS) != 0;
    const COLORREF clrDark = !bShaded ? cache.m_clrBtnFace : cache.m_bWin4 ? cache.m_clrBtnShadow : cache.m_clrWindowFrame;
    const COLORREF clrLight = bShaded ? cache.m_clrBtnHilite : cache.m_clrBtnFace;
    const bool b3d = (dwStyle & CBRS_BORDER_3D) != 0;
    const CRect r = rect;
    // With a 3-D border the dark lines of the right and bottom sides sit one pixel in.
    const int y1 = r.top + ((dwStyle & CBRS_BORDER_TOP) ? cache.m_nBorderY : 0);
    const int y2 = r.bottom - ((dwStyle & CBRS_BORDER_BOTTOM) ? cache.m_nBorderY : 0) - (b3d ? 1 : 0);
    const int xr = r.right - (b3d ? 1 : 0);
    const int yb = r.bottom - (b3d ? 1 : 0);
    const bool bHorzDock = IsHorzDocked() && !IsFloating();

    if (dwStyle & CBRS_BORDER_LEFT)
        bHorzDock ? pDC->FillSolidRect(0, y1, 1, y2 - y1, clrDark) : pDC->FillSolidRect(0, y1 - 2, 1, y2 - y1 + 6, clrDark);
    if (dwStyle & CBRS_BORDER_TOP)
        bHorzDock ? pDC->FillSolidRect(0, 0, r.right, 1, clrDark) : pDC->FillSolidRect(2, 0, r.right - 3, 1, clrDark);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(xr, y1, -1, y2 - y1, clrDark);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        bHorzDock ? pDC->FillSolidRect(0, yb, r.right, -1, clrDark) : pDC->FillSolidRect(2, yb, r.right - 3, -1, clrDark);
    if (b3d) {
        if (dwStyle & CBRS_BORDER_LEFT)
            bHorzDock ? pDC->FillSolidRect(1, y1, 1, y2 - y1, clrLight)
                      : pDC->FillSolidRect(1, y1 - 2, 1, y2 - y1 + 3, clrLight);
        if (dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(bHorzDock ? 0 : 1, 1, r.right, 1, clrLight);
        if (dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(r.right, y1, -1, y2 - y1 + (bHorzDock ? 0 : 1), clrLight);
        if (dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(bHorzDock ? 0 : 1, r.bottom, r.right, -1, clrLight);
    }
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += cache.m_nBorderX;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += cache.m_nBorderY;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cache.m_nBorderX;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cache.m_nBorderY;
}

void SECControlBar::DrawGripper(CDC* pDC, CRect& rect)
{
    if ((m_dwStyle & CBRS_FLOATING) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return;
    const COLORREF clrHi = displayCache().m_clrBtnHilite;
    const COLORREF clrShadow = displayCache().m_clrBtnShadow;
    const SECGripperInfo& g = m_gripperInfo;
    CRect grip = rect;
    grip.DeflateRect(1, 1);
    if (IsHorzDocked()) {
        grip.right = grip.left + g.GetWidth();
        grip.top += g.m_nInset;
        grip.bottom -= g.m_nInset;
        if (m_dwExStyle & BARX_CLOSE_BUTTON)
            CalcCloseButtonRect(pDC, grip, TRUE);
        if (m_dwExStyle & BARX_EXPAND_BUTTON)
            CalcExpandButtonRect(pDC, grip, TRUE);
        const int x = grip.left + g.m_cxLeadGap;
        pDC->Draw3dRect(x, grip.top, g.m_cxFirstLine, grip.Height(), clrHi, clrShadow);
        pDC->Draw3dRect(x + g.m_cxFirstLine + g.m_cxMidGap, grip.top, g.m_cxSecondLine, grip.Height(), clrHi, clrShadow);
    } else {
        grip.bottom = grip.top + g.GetHeight();
        grip.left += g.m_nInset;
        grip.right -= g.m_nInset;
        if (m_dwExStyle & BARX_CLOSE_BUTTON)
            CalcCloseButtonRect(pDC, grip, FALSE);
        if (m_dwExStyle & BARX_EXPAND_BUTTON)
            CalcExpandButtonRect(pDC, grip, FALSE);
        const int y = grip.top + g.m_cyLeadGap;
        pDC->Draw3dRect(grip.left, y, grip.Width(), g.m_cyFirstLine, clrHi, clrShadow);
        pDC->Draw3dRect(grip.left, y + g.m_cyFirstLine + g.m_cyMidGap, grip.Width(), g.m_cySecondLine, clrHi, clrShadow);
    }
}

namespace {

// The square of a gripper button at the leading end of the strip; the strip then starts past it.
CRect PlaceButton(const SECGripperInfo& g, CRect& grip, BOOL bHorz)
{
    CRect button;
    if (bHorz) {
        button.left = std::max(grip.left + g.m_cxLeadGap - 2, 0);
        button.right = std::min(grip.right - g.m_cxTrailGap + 2, grip.right);
        button.top = grip.top;
        button.bottom = button.top + button.Width();
        grip.top = button.bottom + 2;
    } else {
        button.top = std::max(grip.top + g.m_cyLeadGap - 2, 0);
        button.bottom = std::min(grip.bottom - g.m_cyTrailGap + 2, grip.bottom);
        button.right = grip.right;
        button.left = button.right - button.Height();
        grip.right = button.left - 2;
    }
    return button;
}

} // namespace

void SECControlBar::CalcCloseButtonRect(CDC* pDC, CRect& rectGripper, BOOL bHorz)
{
    m_rectClose = PlaceButton(m_gripperInfo, rectGripper, bHorz);
    DrawCloseButton(pDC);
}

void SECControlBar::CalcExpandButtonRect(CDC* pDC, CRect& rectGripper, BOOL bHorz)
{
    UpdateExpandButtonState(bHorz);
    m_rectExpand = PlaceButton(m_gripperInfo, rectGripper, bHorz);
    DrawExpandButton(pDC);
}

void SECControlBar::DrawCloseButton(CDC* pDC)
{
    CRect rect = m_rectClose;
    pDC->DrawFrameControl(&rect, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

void SECControlBar::DrawCloseButtonPushed(CDC* pDC)
{
    CRect rect = m_rectClose;
    pDC->DrawFrameControl(&rect, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED);
}

void SECControlBar::DrawExpandFace(CDC* pDC, UINT nExtra)
{
    CRect rect = m_rectExpand;
    rect.left -= 1;
    rect.top -= 1;
    const UINT nFace = m_bHorzButtons ? (m_bCanExpand ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)
                                      : (m_bCanExpand ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
    pDC->DrawFrameControl(&rect, DFC_SCROLL, nFace | nExtra);
}

void SECControlBar::DrawExpandButton(CDC* pDC) { DrawExpandFace(pDC, m_bExpandEnabled ? 0 : DFCS_INACTIVE); }

void SECControlBar::DrawExpandButtonPushed(CDC* pDC)
{
    DrawExpandFace(pDC, m_bExpandEnabled ? DFCS_PUSHED : DFCS_INACTIVE);
}

void SECControlBar::UpdateExpandButtonState(BOOL bHorz)
{
    m_bHorzButtons = bHorz;
    SECDockBar* pDockBar = GetSECDockBar();
    m_bCanExpand = !(pDockBar && pDockBar->IsBarExpanded(this));
    m_bExpandEnabled = !(pDockBar && pDockBar->IsBarAloneInRow(this));
}

SECDockBar* SECControlBar::GetSECDockBar() const
{
    return m_pDockBar && m_pDockBar->IsKindOf(RUNTIME_CLASS(SECDockBar)) ? static_cast<SECDockBar*>(m_pDockBar) : nullptr;
}

void SECControlBar::RecordChildLayout()
{
    FreeChildLayout();
    if (!m_hWnd)
        return;
    auto records = std::make_unique<std::vector<ChildLayout>>();
    CRect client;
    GetClientRect(&client);
    records->push_back({ nullptr, client });
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CRect rect;
        ::GetWindowRect(hChild, &rect);
        ScreenToClient(&rect);
        records->push_back({ hChild, rect });
    }
    m_childLayout = std::move(records);
}

void SECControlBar::OnSize(UINT nType, int cx, int cy)
{
    if (nType != SIZE_MINIMIZED && cx >= 1 && cy >= 1) {
        const SECGripperInfo& g = m_gripperInfo;
        const int inset = g.m_nInset;
        const bool bTopStrip = !(m_dwStyle & CBRS_ORIENT_HORZ);
        int x0 = 0;
        int y0 = 0;
        int w = cx;
        int h = cy;
        if (m_dwExStyle & BARX_GRIPPER) {
            if (bTopStrip) {
                x0 = inset;
                y0 = g.GetHeight();
                w = NonNegative(cx - 2 * inset);
                h = NonNegative(cy - inset - g.GetHeight());
            } else {
                x0 = g.GetWidth();
                y0 = inset;
                w = NonNegative(cx - g.GetWidth() - inset);
                h = NonNegative(cy - 2 * inset);
            }
        } else if (m_dwExStyle & BARX_MARGINS) {
            x0 = m_rcBorderSpace.left;
            y0 = m_rcBorderSpace.top;
            w = NonNegative(cx - m_rcBorderSpace.left - m_rcBorderSpace.right);
            h = NonNegative(cy - m_rcBorderSpace.top - m_rcBorderSpace.bottom);
        }
        UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if ((m_dwExStyle & BARX_SCALE_CHILDREN) && m_childLayout && !m_childLayout->empty()) {
            const CRect& recorded = m_childLayout->front().rect;
            if (recorded.Width() <= 0 || recorded.Height() <= 0) {
                // Recorded before the bar had a size: nothing to scale from, so this size becomes the
                // reference the children are scaled from later.
                RecordChildLayout();
            } else {
                const int W = recorded.Width();
                const int H = recorded.Height();
                const int dx = (m_dwExStyle & BARX_MARGINS) ? m_rcBorderSpace.left : 0;
                const int dy = (m_dwExStyle & BARX_MARGINS) ? m_rcBorderSpace.top : 0;
                HDWP hdwp = ::BeginDeferWindowPos(static_cast<int>(m_childLayout->size()));
                for (size_t i = 1; i < m_childLayout->size(); ++i) {
                    const auto& [hChild, r] = (*m_childLayout)[i];
                    if (!::IsWindow(hChild))
                        continue;
                    const int left = r.left * w / W + x0 + dx;
                    const int top = r.top * h / H + y0 + dy;
                    const int right = r.right * w / W + x0 + dx;
                    const int bottom = r.bottom * h / H + y0 + dy;
                    hdwp = ::DeferWindowPos(hdwp, hChild, nullptr, left, top, right - left, bottom - top, nFlags);
                }
                ::EndDeferWindowPos(hdwp);
                if (IsFloating())
                    Invalidate();
            }
        } else if (m_dwExStyle & BARX_FILL_CHILD) {
            if ((m_dwExStyle & BARX_GRIPPER) && IsFloating()) {
                x0 = y0 = 0;
                if (bTopStrip) {
                    w = NonNegative(w + 2 * inset);
                    h = NonNegative(h + g.GetHeight() + inset);
                } else {
                    w = NonNegative(w + g.GetWidth() + inset);
                    h = NonNegative(h + 2 * inset);
                }
            }
            if (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD))
                ::SetWindowPos(hChild, nullptr, x0, y0, w, h, nFlags);
        }
    }
    CControlBar::OnSize(nType, cx, cy);
}

BOOL SECControlBar::UsesBarHandling() const
{
    if (!IsFloating())
        return TRUE;
    CWnd* pFrame = GetParentFrame();
    return pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd));
}

void SECControlBar::PressButton(BOOL& bPressed, BOOL bAllowed, void (SECControlBar::*pfnDrawPushed)(CDC*))
{
    // A floating bar shows no gripper, so its buttons never hold the mouse.
    if (IsFloating()) {
        bPressed = FALSE;
        return;
    }
    if (bPressed || !bAllowed)
        return;
    CClientDC dc(this);
    (this->*pfnDrawPushed)(&dc);
    bPressed = TRUE;
    SetCapture();
}

void SECControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if ((m_dwExStyle & BARX_CLOSE_BUTTON) && m_rectClose.PtInRect(point)) {
        PressButton(m_bClosePressed, CanClose(), &SECControlBar::DrawCloseButtonPushed);
        return;
    }
    if ((m_dwExStyle & BARX_EXPAND_BUTTON) && m_bExpandEnabled && m_rectExpand.PtInRect(point)) {
        PressButton(m_bExpandPressed, CanExpand(), &SECControlBar::DrawExpandButtonPushed);
        return;
    }
    if (m_bClosePressed || m_bExpandPressed) {
        CClientDC dc(this);
        if (m_bClosePressed)
            DrawCloseButton(&dc);
        if (m_bExpandPressed)
            DrawExpandButton(&dc);
        m_bClosePressed = m_bExpandPressed = FALSE;
    }
    if (UsesBarHandling())
        CControlBar::OnLButtonDown(nFlags, point);
    else
        Default();
}

void SECControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CClientDC dc(this);
    if (m_bClosePressed && m_rectClose.PtInRect(point)) {
        DrawCloseButton(&dc);
        m_bClosePressed = FALSE;
        SendMessage(WM_COMMAND, ID_SEC_HIDE);
        return;
    }
    if (m_bExpandPressed && m_bExpandEnabled && m_rectExpand.PtInRect(point)) {
        DrawExpandButton(&dc);
        m_bExpandPressed = FALSE;
        if (SECDockBar* pDockBar = GetSECDockBar())
            pDockBar->ExpandBar(this, m_bCanExpand ? 1 : 2);
        return;
    }
    if (m_bClosePressed)
        DrawCloseButton(&dc);
    if (m_bExpandPressed)
        DrawExpandButton(&dc);
    m_bClosePressed = m_bExpandPressed = FALSE;
    CControlBar::OnLButtonUp(nFlags, point);
}

void SECControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_rectClose.PtInRect(point) || m_rectExpand.PtInRect(point))
        return;
    if (UsesBarHandling())
        CControlBar::OnLButtonDblClk(nFlags, point);
    else
        Default();
}

void SECControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!(m_dwExStyle & BARX_CONTEXT_MENU)) {
        Default();
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    CString text;
    if (!text.LoadString(ID_SEC_ALLOWDOCKING))
        text = "Allow Docking";
    menu.AppendMenu(MF_STRING | ((m_dwDockStyle & CBRS_ALIGN_ANY) ? MF_CHECKED : 0), ID_SEC_ALLOWDOCKING, text);
    if (!text.LoadString(ID_SEC_HIDE))
        text = "Hide";
    menu.AppendMenu(MF_STRING, ID_SEC_HIDE, text);
    OnBuildContextMenu(&menu);
    if (m_pDockContext && m_pDockContext->m_pDockSite)
        m_pDockContext->m_pDockSite->SendMessage(
            WM_SEC_BAR_CONTEXTMENU, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&menu));
    if (point.x == -1 && point.y == -1) {
        CWnd* pClicked = pWnd ? pWnd : this;
        CRect client;
        pClicked->GetClientRect(&client);
        point = CPoint(client.Width() / 4, 10);
        pClicked->ClientToScreen(&point);
    }
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
    menu.DestroyMenu();
}

INT_PTR SECControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!(m_dwStyle & CBRS_TOOLTIPS))
        return -1;
    if (const INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI); nHit != -1)
        return nHit;
    if (!IsDocked())
        return -1;
    INT_PTR nID = -1;
    const CRect* pRect = nullptr;
    const CString* pText = nullptr;
    if ((m_dwExStyle & BARX_CLOSE_BUTTON) && m_rectClose.PtInRect(point)) {
        nID = SEC_TOOLID_CLOSE;
        pRect = &m_rectClose;
        pText = &m_gripperInfo.m_strCloseTip;
    } else if ((m_dwExStyle & BARX_EXPAND_BUTTON) && m_rectExpand.PtInRect(point)) {
        nID = SEC_TOOLID_EXPAND;
        pRect = &m_rectExpand;
        pText = m_bCanExpand ? &m_gripperInfo.m_strExpandTip : &m_gripperInfo.m_strContractTip;
    }
    if (nID != -1 && pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(nID);
        pTI->rect = *pRect;
        // The tooltip control frees the text.
        pTI->lpszText = ::strdup(*pText);
    }
    return nID;
}

void SECControlBar::OnHide()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (m_pDockSite)
        pFrame = m_pDockSite;
    if (!pFrame)
        return;
    pFrame->ShowControlBar(this, FALSE, FALSE);
    if (CFrameWnd* pActive = pFrame->GetActiveFrame())
        pActive->SetFocus();
}

void SECControlBar::OnAllowDocking()
{
    if (m_dwDockStyle & CBRS_ALIGN_ANY) {
        m_dwSavedDockStyle = m_dwDockStyle & CBRS_ALIGN_ANY;
        if (!IsFloating() && m_pDockContext)
            m_pDockContext->ToggleDocking();
        EnableDocking(0);
    } else {
        EnableDocking(m_dwSavedDockStyle);
    }
}

void SECControlBar::OnFloatInMainWindow()
{
    if (auto* pContext = dynamic_cast<SECDockContext*>(m_pDockContext))
        pContext->FloatInMainWindow();
}

BOOL SECControlBar::OnEraseBkgnd(CDC* pDC)
{
    if (m_dwExStyle & BARX_MARGINS) {
        CRect clip;
        pDC->GetClipBox(&clip);
        CRect inside;
        GetInsideRect(inside);
        CBrush brush(displayCache().m_clrBtnFace);
        CBrush* pOld = pDC->SelectObject(&brush);
        pDC->PatBlt(clip.left, clip.top, clip.Width(), inside.top - clip.top, PATCOPY);
        pDC->PatBlt(clip.left, inside.bottom, clip.Width(), clip.bottom - inside.bottom, PATCOPY);
        pDC->PatBlt(clip.left, inside.top, inside.left - clip.left, inside.Height(), PATCOPY);
        pDC->PatBlt(inside.right, inside.top, clip.right - inside.right, inside.Height(), PATCOPY);
        pDC->SelectObject(pOld);
    }
    return static_cast<BOOL>(Default());
}

void SECControlBar::OnDestroy()
{
    if (SECDockBar* pDockBar = GetSECDockBar())
        pDockBar->RemoveFromRedrawList(this);
    FreeChildLayout();
    CFrameWnd* pFrame = m_pDockSite;
    CControlBar::OnDestroy();
    if (pFrame)
        pFrame->DelayRecalcLayout();
}
