#include "toolkit/frames/SECLayoutWndListener.h"

#include "platform/afx/AfxThreadState.h"
#include "toolkit/frames/SECListenerChain.h"

using quorvale::foundation::SECWndListener;

BEGIN_MESSAGE_MAP(SECLayoutWndListener, SECWndListener)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

BOOL SECLayoutWndListener::AttachToWindow(CWnd* pWnd, BOOL) { return SECWndListener::AttachToWindow(pWnd); }

BOOL SECLayoutWndListener::SetLayoutRoot(SECLayoutNode* pRoot)
{
    m_pRoot = pRoot;
    return TRUE;
}

BOOL SECLayoutWndListener::AttachLayoutToWindow(SECLayoutNode* pRoot, CWnd* pWnd, BOOL bAttachFlag, BOOL bRecalc,
    BOOL bUseWindowRect)
{
    if (!pWnd)
        return FALSE;
    m_bUseWindowRect = bUseWindowRect;
    RECT rc {};
    if (bUseWindowRect) {
        ::GetWindowRect(pWnd->m_hWnd, &rc);
        ::OffsetRect(&rc, -rc.left, -rc.top);
    } else {
        ::GetClientRect(pWnd->m_hWnd, &rc);
    }
    return AttachLayout(pRoot, pWnd, rc, bAttachFlag, bRecalc);
}

BOOL SECLayoutWndListener::AttachLayout(SECLayoutNode* pRoot, CWnd* pWnd, const RECT& rect, BOOL bAttachFlag,
    BOOL bRecalc)
{
    if (!pRoot || !pWnd)
        return FALSE;
    pRoot->SetInitialRect(rect);
    pRoot->InitNode(TRUE);
    if (!AttachToWindow(pWnd, bAttachFlag))
        return FALSE;
    SetLayoutRoot(pRoot);
    if (bRecalc) {
        RECT out {};
        pRoot->RecalcLayout(&out, rect, FALSE, TRUE);
        pRoot->RealizeLayout(FALSE);
        pRoot->InvalidateNode(FALSE, TRUE);
    }
    return TRUE;
}

LRESULT SECLayoutWndListener::DefaultFirst()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    const auto chain = FindChain(GetJoinedHandle());
    if (!chain || !chain->m_pfnSavedWndProc)
        return 0;
    const LRESULT result = ::CallWindowProc(chain->m_pfnSavedWndProc, msg.hwnd, msg.message, msg.wParam, msg.lParam);
    // Later listeners still see the message; the chain answers with this result instead of calling the
    // window's procedure a second time.
    SetResultFlags(kUseListenerResult);
    SetListenerResult(result);
    return result;
}

void SECLayoutWndListener::OnSize(UINT, int cx, int cy)
{
    DefaultFirst();
    if (!m_pRoot || !m_bAutoLayout)
        return;
    RECT rc {};
    m_pRoot->GetCurrentRect(&rc);
    if (m_bUseWindowRect && m_hWnd) {
        RECT window {};
        ::GetWindowRect(m_hWnd, &window);
        cx = window.right - window.left;
        cy = window.bottom - window.top;
    }
    rc.right = rc.left + cx;
    rc.bottom = rc.top + cy;
    RECT out {};
    m_pRoot->RecalcLayout(&out, rc, FALSE, TRUE);
    m_pRoot->RealizeLayout(FALSE);
}

void SECLayoutWndListener::OnGetMinMaxInfo(MINMAXINFO* pInfo)
{
    DefaultFirst();
    if (!m_pRoot || !pInfo)
        return;
    SIZE sizeMin {};
    SIZE sizeMax {};
    int flags = 0;
    m_pRoot->GetMinMaxSize(sizeMin, sizeMax, flags);
    RECT window {};
    RECT client {};
    ::GetWindowRect(m_hWnd, &window);
    ::GetClientRect(m_hWnd, &client);
    const int extraX = (window.right - window.left) - (client.right - client.left);
    const int extraY = (window.bottom - window.top) - (client.bottom - client.top);
    if (!(flags & SECLayoutNode::NoMinSize))
        pInfo->ptMinTrackSize = { sizeMin.cx + extraX, sizeMin.cy + extraY };
    if (!(flags & SECLayoutNode::NoMaxSize))
        pInfo->ptMaxTrackSize = { sizeMax.cx + extraX, sizeMax.cy + extraY };
}

BOOL SECLayoutWndListener::OnEraseBkgnd(CDC*)
{
    const LRESULT result = DefaultFirst();
    if (m_pRoot)
        m_pRoot->EraseNodeBackground(TRUE, nullptr);
    return static_cast<BOOL>(result);
}

void SECLayoutWndListener::OnPaint()
{
    DefaultFirst();
    if (m_pRoot)
        m_pRoot->PaintNode(TRUE, nullptr);
}

void SECLayoutWndListener::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { SetResultFlags(kStopWalk); }
