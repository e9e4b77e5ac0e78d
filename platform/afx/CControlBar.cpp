#include "platform/afx/CControlBar.h"

#include <algorithm>

#include "platform/afx/AfxState.h"
#include "platform/afx/CControlBarInfo.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPaintDC.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

namespace {

// Item messages of owner-drawn and list controls, which a bar passes on to its owner.
constexpr UINT kVKeyToItem = 0x002E;
constexpr UINT kCharToItem = 0x002F;
constexpr UINT kCompareItem = 0x0039;

} // namespace

void afx::RepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (!hWnd || !lpRect || (lpLayout && !lpLayout->hDWP))
        return;
    HWND parent = ::GetParent(hWnd);
    CRect old;
    ::GetWindowRect(hWnd, &old);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&old), 2);
    if (old.EqualRect(lpRect))
        return;
    const int cx = lpRect->right - lpRect->left;
    const int cy = lpRect->bottom - lpRect->top;
    if (lpLayout)
        lpLayout->hDWP = ::DeferWindowPos(
            lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    // The dock context goes first so that leaving a dock bar is taken as shutting down.
    delete m_pDockContext;
    m_pDockContext = nullptr;
    if (m_hWnd)
        DestroyWindow();
    if (m_pDockSite) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
}

BOOL CControlBar::CreateFromTemplate(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    m_dwStyle = nStyle & CBRS_ALL;
    CREATESTRUCT cs {};
    cs.lpszClass = AFX_WNDCONTROLBAR;
    cs.style = static_cast<DWORD>(nStyle) | WS_CHILD;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    if (!PreCreateWindow(cs) || !lpszTemplateName)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    if (!hResource)
        return FALSE;
    if (!CreateDlgIndirect(static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(hInst, hResource))), pParentWnd, hInst)) {
        // Whatever part of the window was made goes with the failure.
        if (m_hWnd)
            DestroyWindow();
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    ModifyStyle(WS_CAPTION, WS_CLIPSIBLINGS);
    if (!ExecuteDlgInit(lpszTemplateName)) {
        DestroyWindow();
        return FALSE;
    }
    // The dialog manager makes the window before this object sees its creation (OnCreate), so the
    // bar joins its frame here; without it the frame could neither lay out, update, show nor save it.
    if (!m_pDockSite && pParentWnd && pParentWnd->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParentWnd);
        m_pDockSite->AddControlBar(this);
    }
    SetWindowPos(nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | ((nStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return TRUE;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AFX_WNDCONTROLBAR;
    // Bars overlap their neighbours at the borders: without clipping they would paint over each other.
    cs.style |= WS_CLIPSIBLINGS;
    // The plain border styles of the usual sides become 3-D borders.
    if (!(m_dwStyle & CBRS_BORDER_3D)) {
        DWORD borders = 0;
        switch (m_dwStyle & (CBRS_BORDER_ANY | CBRS_ALIGN_ANY)) {
        case CBRS_LEFT:
        case CBRS_RIGHT:
            borders = CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM;
            break;
        case CBRS_TOP:
            borders = CBRS_BORDER_TOP;
            break;
        case CBRS_BOTTOM:
            borders = CBRS_BORDER_BOTTOM;
            break;
        default:
            break;
        }
        if (borders) {
            m_dwStyle &= ~CBRS_BORDER_ANY;
            m_dwStyle |= borders | CBRS_BORDER_3D;
        }
    }
    return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CWnd* parent = GetParent();
    if (parent && parent->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(parent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar) {
        // Leaving quietly: the dock bar must not re-lay out or destroy a frame while we go.
        CDockContext* context = m_pDockContext;
        m_pDockContext = nullptr;
        m_pDockBar->RemoveControlBar(this);
        m_pDockContext = context;
        m_pDockBar = nullptr;
    }
    if (m_pDockSite) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += afx::kBorder2;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += afx::kBorder2;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= afx::kBorder2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= afx::kBorder2;
    const bool gripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
    const int gripperSpace = afx::kGripperBorder + afx::kGripper + afx::kGripperBorder;
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if (gripper)
            rect.left += gripperSpace;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if (gripper)
            rect.top += gripperSpace;
    }
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    if (IsFloating() || !(m_dwStyle & CBRS_BORDER_ANY))
        return;
    const DWORD style = m_dwStyle;
    CRect inner = rect;
    CRect sides = rect;
    if (style & CBRS_BORDER_3D) {
        inner.right -= 1;
        inner.bottom -= 1;
    }
    if (style & CBRS_BORDER_TOP)
        sides.top += afx::kBorder2;
    if (style & CBRS_BORDER_BOTTOM)
        sides.bottom -= afx::kBorder2;

    // The dark line, one pixel in on the right and bottom when there is a highlight outside it.
    COLORREF colour = ::GetSysColor(COLOR_BTNSHADOW);
    if (style & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(0, sides.top, 1, sides.Height(), colour);
    if (style & CBRS_BORDER_TOP)
        pDC->FillSolidRect(0, 0, rect.right, 1, colour);
    if (style & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(inner.right, sides.top, -1, sides.Height(), colour);
    if (style & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(0, inner.bottom, rect.right, -1, colour);
    if (style & CBRS_BORDER_3D) {
        colour = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        if (style & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(1, sides.top, 1, sides.Height(), colour);
        if (style & CBRS_BORDER_TOP)
            pDC->FillSolidRect(0, 1, rect.right, 1, colour);
        if (style & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(rect.right, sides.top, -1, sides.Height(), colour);
        if (style & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(0, rect.bottom, rect.right, -1, colour);
    }
    if (style & CBRS_BORDER_LEFT)
        rect.left += afx::kBorder2;
    if (style & CBRS_BORDER_TOP)
        rect.top += afx::kBorder2;
    if (style & CBRS_BORDER_RIGHT)
        rect.right -= afx::kBorder2;
    if (style & CBRS_BORDER_BOTTOM)
        rect.bottom -= afx::kBorder2;
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        pDC->Draw3dRect(rect.left + afx::kGripperBorder, rect.top + m_cyTopBorder, afx::kGripper,
            rect.Height() - m_cyTopBorder - m_cyBottomBorder, light, dark);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + afx::kGripperBorder,
            rect.Width() - m_cyTopBorder - m_cyBottomBorder, afx::kGripper, light, dark);
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    const DWORD old = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(old, dwStyle);
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (!m_pDockContext)
        m_pDockContext = new CDockContext(this);
    if (!m_hWndOwner)
        m_hWndOwner = ::GetParent(m_hWnd);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    const bool visible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !visible)
        m_nStateFlags |= delayShow;
    else if (!bShow && visible)
        m_nStateFlags |= delayHide;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar && m_pDockBar->m_bFloating;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD style = (m_dwStyle & CBRS_ALIGN_ANY) | (GetStyle() & WS_VISIBLE);
    if (!(m_nStateFlags & (delayHide | delayShow)))
        return style;
    UINT show = 0;
    if ((m_nStateFlags & delayHide) && (style & WS_VISIBLE))
        show = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !(style & WS_VISIBLE))
        show = SWP_SHOWWINDOW;
    if (show) {
        // The layout sees the bar as it will be.
        style ^= WS_VISIBLE;
        if (lpLayout && lpLayout->hDWP)
            lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0,
                show | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A query only looks; the pending change stays for the real layout.
    if (lpLayout && lpLayout->hDWP)
        m_nStateFlags &= ~(delayHide | delayShow);
    return style;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* frame = GetParentFrame();
    return frame ? frame : m_pDockSite;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!layout)
        return 0;
    const DWORD style = RecalcDelayShow(layout);
    if (!(style & WS_VISIBLE) || !(style & CBRS_ALIGN_ANY))
        return 0;
    CRect rect(layout->rect);
    const CSize available = rect.Size();
    DWORD mode = layout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        mode |= LM_HORZ | LM_MRUWIDTH;
    else if (style & CBRS_ORIENT_HORZ)
        mode |= LM_HORZ | LM_HORZDOCK;
    else
        mode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, mode);
    size.cx = std::min(size.cx, available.cx);
    size.cy = std::min(size.cy, available.cy);

    if (style & CBRS_ORIENT_HORZ) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
        if (style & CBRS_ALIGN_TOP) {
            layout->rect.top += size.cy;
        } else if (style & CBRS_ALIGN_BOTTOM) {
            rect.top = rect.bottom - size.cy;
            layout->rect.bottom -= size.cy;
        }
    } else if (style & CBRS_ORIENT_VERT) {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
        if (style & CBRS_ALIGN_LEFT) {
            layout->rect.left += size.cx;
        } else if (style & CBRS_ALIGN_RIGHT) {
            rect.left = rect.right - size.cx;
            layout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (layout->hDWP)
        afx::RepositionWindow(layout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* owner = GetOwner();
    CFrameWnd* target = owner && owner->IsFrameWnd() ? static_cast<CFrameWnd*>(owner) : GetParentFrame();
    if (target)
        OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

LRESULT CControlBar::OnInitialUpdate(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI(TRUE, 0);
    return 0;
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A press on the bar itself (not on one of its controls) starts dragging it.
    if (m_pDockContext && m_pDockBar && ::ChildWindowFromPoint(m_hWnd, point) == m_hWnd) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext && m_pDockBar && ::ChildWindowFromPoint(m_hWnd, point) == m_hWnd) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    // Tooltips and the fly-by prompt on the status line follow the bar's tools (OnToolHitTest).
    if ((m_dwStyle & (CBRS_TOOLTIPS | CBRS_FLYBY)) && !(m_nFlags & WF_TOOLTIPS))
        FilterToolTipMessage(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case kCompareItem:
    case kVKeyToItem:
    case kCharToItem: {
        LRESULT result = 0;
        if (OnWndMsg(nMsg, wParam, lParam, &result))
            return result;
        CWnd* owner = GetOwner();
        return owner && owner->m_hWnd != m_hWnd ? owner->SendMessage(nMsg, wParam, lParam) : 0;
    }
    default:
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID());
    pInfo->m_pBar = this;
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = static_cast<int>(m_nMRUWidth);
    if (m_pDockBar) {
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    if (m_pDockContext) {
        pInfo->m_bDocking = TRUE;
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*)
{
    UINT flags = (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (pInfo->m_pointPos.x == -1 && pInfo->m_pointPos.y == -1)
        flags |= SWP_NOMOVE;
    m_nMRUWidth = static_cast<UINT>(pInfo->m_nMRUWidth);
    CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    if (pInfo->m_bDocking && m_pDockContext) {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, flags);
    m_nStateFlags &= ~(delayHide | delayShow);
}
