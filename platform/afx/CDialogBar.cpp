#include "platform/afx/CDialogBar.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

namespace {

// The bar style a bar keeps of the style it is created with.
constexpr DWORD kBarStyleMask = CBRS_ALL;

} // namespace

CDialogBar::CDialogBar() = default;

CDialogBar::~CDialogBar() = default;

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    m_dwStyle = nStyle & kBarStyleMask;
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
        if (m_hWnd)
            DestroyWindow();
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    ModifyStyle(WS_CAPTION, WS_CLIPSIBLINGS);
    // The dialog manager makes the window before this object sees its creation (OnCreate), so the
    // bar joins its frame here; without it the frame would neither lay it out nor update it.
    if (!m_pDockSite && pParentWnd && pParentWnd->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParentWnd);
        m_pDockSite->AddControlBar(this);
    }
    SetWindowPos(nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | ((nStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
        return m_sizeDefault;
    return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
