#include "toolkit/frames/SECCaptionControlMsgFilter.h"

#include "platform/afx/CWindowDC.h"
#include "platform/afx/CWnd.h"
#include "platform/user/WinMenu.h"
#include "toolkit/frames/SECCaptionControlMsgFilterTimer.h"

IMPLEMENT_DYNCREATE(SECCaptionControlMsgFilter, SECCaptionMsgFilter)

namespace {

// The system command of each kind, by id.
constexpr UINT kKindCommands[] = { SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CONTEXTHELP };
constexpr int kKindCount = static_cast<int>(sizeof kKindCommands / sizeof kKindCommands[0]);

enum Kind { kClose = 0, kMinimize = 1, kMaximize = 2, kRestore = 3, kHelp = 4 };

} // namespace

SECCaptionControlMsgFilter::SECCaptionControlMsgFilter(CWnd* pOwner, int nID, UINT nState, UINT nType)
    : SECCaptionMsgFilter(pOwner, nID)
    , m_nType(nType)
    , m_nState(nState)
{
}

SECCaptionControlMsgFilter::SECCaptionControlMsgFilter(const SECCaptionControlMsgFilter& other, CWnd* pOwner)
    : SECCaptionMsgFilter(other, pOwner)
    , m_rect(other.m_rect)
    , m_nType(other.m_nType)
    , m_nState(other.m_nState & ~DFCS_PUSHED)
    , m_nInterval(other.m_nInterval)
{
}

SECCaptionControlMsgFilter::~SECCaptionControlMsgFilter()
{
    if (m_bTracking && ::GetCapture() && GetOwner() && ::GetCapture() == GetOwner()->m_hWnd)
        ::ReleaseCapture();
    StopTimer();
}

UINT SECCaptionControlMsgFilter::GetDrawState() const
{
    return m_nState | ((GetID() >= 0 && GetID() < kMaxKindID) ? static_cast<UINT>(GetID()) : 0U);
}

CPoint SECCaptionControlMsgFilter::ToScreen(CPoint ptClient) const
{
    if (GetOwner())
        ::ClientToScreen(GetOwner()->m_hWnd, &ptClient);
    return ptClient;
}

void SECCaptionControlMsgFilter::SetPushed(BOOL bPushed)
{
    m_nState = bPushed ? (m_nState | DFCS_PUSHED) : (m_nState & ~DFCS_PUSHED);
}

int SECCaptionControlMsgFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (nMsg) {
    case WM_SETTEXT:
    case WM_SETCURSOR:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        Draw();
        return kHandled;
    case WM_NCHITTEST:
        // The control covers whatever the window has below it, so the press must reach the control.
        if (!HitTest(pt))
            break;
        *pResult = GetHitCode();
        return kConsumed;
    case WM_MOUSEMOVE:
        if (!m_bTracking)
            break;
        OnMouseMove(ToScreen(pt));
        return kConsumed;
    case WM_LBUTTONUP:
        if (!m_bTracking)
            break;
        OnLButtonUp(ToScreen(pt));
        return kConsumed;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        if (static_cast<LRESULT>(wParam) != GetHitCode() || !HitTest(pt))
            break;
        if (m_nState & DFCS_INACTIVE)
            return kConsumed;
        if (nMsg == WM_NCLBUTTONDOWN)
            OnLButtonDown(pt);
        else
            DoCommand(kRightClick, pt);
        return kConsumed;
    default:
        break;
    }
    return FilterChildren(nMsg, wParam, lParam, pResult);
}

void SECCaptionControlMsgFilter::Draw()
{
    CWnd* pOwner = GetOwner();
    if (!pOwner || !::IsWindow(pOwner->m_hWnd) || m_rect.IsRectEmpty())
        return;
    CWindowDC dc(pOwner);
    CRect rect = m_rect;
    dc.DrawFrameControl(rect, m_nType, GetDrawState());
}

BOOL SECCaptionControlMsgFilter::HitTest(CPoint ptScreen) const
{
    const CWnd* pOwner = GetOwner();
    if (!pOwner || !::IsWindow(pOwner->m_hWnd) || m_rect.IsRectEmpty())
        return FALSE;
    CRect rectWindow;
    ::GetWindowRect(pOwner->m_hWnd, rectWindow);
    return m_rect.PtInRect(CPoint(ptScreen.x - rectWindow.left, ptScreen.y - rectWindow.top));
}

void SECCaptionControlMsgFilter::OnLButtonDown(CPoint ptScreen)
{
    BeginTrack(TRUE, TRUE);
    // A control without a held press only tracks until the release.
    if (m_nInterval > 0)
        StartTimer(ptScreen);
    else if (m_nInterval == 0)
        OnRepeat(ptScreen);
}

void SECCaptionControlMsgFilter::OnLButtonUp(CPoint ptScreen)
{
    const BOOL bInside = HitTest(ptScreen);
    EndTrack(TRUE);
    // The command can destroy the owner and this filter: it comes last.
    if (bInside)
        DoCommand(kClick, ptScreen);
}

void SECCaptionControlMsgFilter::OnRepeat(CPoint ptScreen)
{
    EndTrack(FALSE);
    DoCommand(kHeld, ptScreen);
}

void SECCaptionControlMsgFilter::OnMouseMove(CPoint ptScreen)
{
    const BOOL bInside = HitTest(ptScreen);
    if (bInside == IsPushed())
        return;
    if (bInside && m_nInterval > 0)
        StartTimer(ptScreen);
    else
        StopTimer();
    SetPushed(bInside);
    Draw();
}

BOOL SECCaptionControlMsgFilter::GetCommand(int nGesture, CPoint ptScreen, MSG& msg) const
{
    const int nID = GetID();
    if (nGesture != kClick || !GetOwner() || nID < 0 || nID >= kKindCount)
        return FALSE;
    msg = MSG {};
    msg.hwnd = GetOwner()->m_hWnd;
    msg.message = WM_SYSCOMMAND;
    msg.wParam = kKindCommands[nID];
    msg.lParam = MAKELPARAM(ptScreen.x, ptScreen.y);
    return TRUE;
}

void SECCaptionControlMsgFilter::DoCommand(int nGesture, CPoint ptScreen)
{
    MSG msg;
    if (GetCommand(nGesture, ptScreen, msg))
        ::PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void SECCaptionControlMsgFilter::BeginTrack(BOOL bPushed, BOOL bRedraw)
{
    m_bTracking = TRUE;
    SetPushed(bPushed);
    if (GetOwner() && ::IsWindow(GetOwner()->m_hWnd))
        ::SetCapture(GetOwner()->m_hWnd);
    if (bRedraw)
        Draw();
}

void SECCaptionControlMsgFilter::EndTrack(BOOL bRedraw)
{
    m_bTracking = FALSE;
    SetPushed(FALSE);
    if (GetOwner() && ::GetCapture() == GetOwner()->m_hWnd)
        ::ReleaseCapture();
    StopTimer();
    if (bRedraw)
        Draw();
}

void SECCaptionControlMsgFilter::StopTimer()
{
    const HWND hTimer = m_hTimerWnd;
    m_hTimerWnd = nullptr;
    if (hTimer && ::IsWindow(hTimer))
        ::DestroyWindow(hTimer);
}

void SECCaptionControlMsgFilter::StartTimer(CPoint ptScreen)
{
    StopTimer();
    m_hTimerWnd = SECCaptionControlMsgFilterTimer::Start(GetOwner(), this, m_nInterval, ptScreen);
}

BOOL SECCaptionControlMsgFilter::IsVisible(BOOL* pbEnabled) const
{
    BOOL bEnabled = TRUE;
    BOOL bVisible = FALSE;
    const DWORD dwStyle = OwnerStyle();
    const BOOL bTool = (OwnerExStyle() & WS_EX_TOOLWINDOW) != 0;
    const BOOL bBoxes = (dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    const HWND hOwner = GetOwner() ? GetOwner()->m_hWnd : nullptr;
    const BOOL bZoomed = hOwner && ::IsZoomed(hOwner);
    const BOOL bIconic = hOwner && ::IsIconic(hOwner);
    if (dwStyle & WS_SYSMENU) {
        switch (GetID()) {
        case kClose: {
            bVisible = TRUE;
            const HMENU hSysMenu = ::GetSystemMenu(hOwner, FALSE);
            const UINT nMenuState = hSysMenu ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : 0;
            bEnabled = nMenuState == static_cast<UINT>(-1) || !(nMenuState & (MF_GRAYED | MF_DISABLED));
            break;
        }
        case kMaximize:
            bVisible = !bTool && bBoxes && !bZoomed;
            bEnabled = (dwStyle & WS_MAXIMIZEBOX) != 0;
            break;
        case kRestore:
            bVisible = !bTool && bBoxes && (bZoomed || bIconic);
            bEnabled = bZoomed ? (dwStyle & WS_MAXIMIZEBOX) != 0 : (dwStyle & WS_MINIMIZEBOX) != 0;
            break;
        case kMinimize:
            bVisible = !bTool && bBoxes && !bIconic;
            bEnabled = (dwStyle & WS_MINIMIZEBOX) != 0;
            break;
        case kHelp:
            bVisible = !bTool && !bBoxes && (OwnerExStyle() & WS_EX_CONTEXTHELP);
            break;
        default:
            break;
        }
    }
    if (pbEnabled)
        *pbEnabled = bEnabled;
    return bVisible;
}
