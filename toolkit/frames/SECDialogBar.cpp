#include "toolkit/frames/SECDialogBar.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/frames/SECControlBarInfo.h"

IMPLEMENT_DYNCREATE(SECDialogBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECDialogBar, SECControlBar)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {

// The bar style the toolkit's bars keep.
constexpr DWORD kBarStyleMask = 0x40FFFF;

} // namespace

SECDialogBar::~SECDialogBar() { DestroyWindow(); }

BOOL SECDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, DWORD dwExStyle, UINT nID)
{
    m_dwStyle = nStyle & kBarStyleMask;
    m_dwExStyle = dwExStyle;
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
    m_lpszTemplateName = lpszTemplateName;
    m_lpszCreatingTemplate = lpszTemplateName;
    const BOOL bCreated = CreateDlgIndirect(static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(hInst, hResource))), pParentWnd, hInst);
    m_lpszCreatingTemplate = nullptr;
    if (!bCreated) {
        // Whatever part of the window was made goes with the failure.
        if (m_hWnd)
            DestroyWindow();
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    m_szHorz = m_sizeDefault;
    m_szVert = m_sizeDefault;
    m_szFloat = m_sizeDefault;
    ModifyStyle(WS_CAPTION, WS_CLIPSIBLINGS);
    if (!ExecuteDlgInit(lpszTemplateName)) {
        DestroyWindow();
        return FALSE;
    }
    // The dialog manager makes the window before this object sees its creation, so the bar joins its
    // frame here; without it the frame could neither find, show nor save the bar.
    if (!m_pDockSite && pParentWnd && pParentWnd->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParentWnd);
        m_pDockSite->AddControlBar(this);
    }
    SetWindowPos(nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | ((nStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return TRUE;
}

LRESULT SECDialogBar::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    COccManager* pManager = AfxGetOccManager();
    if (pManager && m_pOccDialogInfo)
        return pManager->CreateDlgControls(this, m_lpszCreatingTemplate, m_pOccDialogInfo);
    return TRUE;
}

void SECDialogBar::GetBarInfoEx(SECControlBarInfo* pInfo)
{
    if (pInfo)
        pInfo->m_dwResourceID = IS_INTRESOURCE(m_lpszTemplateName) ? LOWORD(reinterpret_cast<ULONG_PTR>(m_lpszTemplateName)) : 0;
    SECControlBar::GetBarInfoEx(pInfo);
}

void SECDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL SECDialogBar::SetOccDialogInfo(_AFX_OCC_DIALOG_INFO* pOccDialogInfo)
{
    m_pOccDialogInfo = pOccDialogInfo;
    return TRUE;
}
