#include "app/CDockingTabWnd.h"

#include "app/CMainFrame.h"
#include "app/SearchDlgIds.h"
#include "toolkit/frames/SECMiniDockFrameWnd.h"

BEGIN_MESSAGE_MAP(CDockingTabWnd, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_MESSAGE(TCM_TABSEL, OnRefreshSearchTab)
END_MESSAGE_MAP()

CDockingTabWnd::CDockingTabWnd()
    : m_wndTree(this)
    , m_dlgSearch(&m_wndTabs)
{
}

CDockingTabWnd::~CDockingTabWnd()
{
    // The tab window's children go before it, and it before the bar.
    if (m_dlgSearch.m_hWnd)
        m_dlgSearch.DestroyWindow();
    if (m_wndTree.m_hWnd)
        m_wndTree.DestroyWindow();
    if (m_wndTabs.m_hWnd)
        m_wndTabs.DestroyWindow();
}

int CDockingTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyExBarStyle(0, addedExBarStyles, TRUE);
    if (!m_wndTabs.Create(this, WS_CHILD | WS_VISIBLE | TWS_TABS_ON_BOTTOM, AFX_IDW_PANE_FIRST))
        return -1;
    m_wndTree.Create(&m_wndTabs, CRect(0, 0, 0, 0));
    m_dlgSearch.Create(IDD_SEARCH, &m_wndTabs);
    m_wndTabs.AddTab(&m_wndTree, CString(MAKEINTRESOURCE(IDS_LIBRARY_TAB)));
    m_wndTabs.SetTabIcon(treeTab, IDI_TAB_LIBRARY, 16, 16);
    m_wndTabs.AddTab(&m_dlgSearch, CString(MAKEINTRESOURCE(IDS_SEARCH_TAB)));
    m_wndTabs.SetTabIcon(searchTab, IDI_TAB_SEARCH, 16, 16);
    m_wndTabs.ActivateTab(treeTab);
    m_wndTabs.EnableTab(searchTab, FALSE);
    m_wndTabs.SetNotifyWnd(this);
    return 0;
}

void CDockingTabWnd::OnSize(UINT nType, int cx, int cy)
{
    SECControlBar::OnSize(nType, cx, cy);
    // A floating docking window has no close button.
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)) && (frame->GetStyle() & WS_SYSMENU))
        frame->ModifyStyle(WS_SYSMENU, 0);
    if (m_wndTabs.m_hWnd) {
        CRect inside;
        GetInsideRect(inside);
        m_wndTabs.SetWindowPos(nullptr, inside.left, inside.top, inside.Width(), inside.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

BOOL CDockingTabWnd::OnEraseBkgnd(CDC* pDC)
{
    SECControlBar::OnEraseBkgnd(pDC);
    return TRUE;
}

LRESULT CDockingTabWnd::OnRefreshSearchTab(WPARAM, LPARAM)
{
    int active = -1;
    if (IsLibraryOpen() && m_wndTabs.GetActiveTab(active) && active == searchTab)
        m_dlgSearch.InitControls();
    return 0;
}

void CDockingTabWnd::EnableSearchTab(BOOL bEnable)
{
    // A disabled tab in front would keep showing its form: the library's tree takes its place.
    int active = -1;
    if (!bEnable && m_wndTabs.GetActiveTab(active) && active == searchTab)
        m_wndTabs.ActivateTab(treeTab);
    m_wndTabs.EnableTab(searchTab, bEnable);
}

void CDockingTabWnd::ShowSearchTab(int nSearchIn)
{
    m_wndTabs.ActivateTab(searchTab);
    m_dlgSearch.SetSearchIn(nSearchIn, TRUE);
}
