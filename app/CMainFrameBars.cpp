// The main frame's bars and docked windows: the default toolbar and the menu bar through the toolbar
// manager, the workspace manager, the detail sheet docked below the list, and the bars' layout kept
// from one run to the next.
#include "app/CMainFrame.h"

#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "platform/afx/AfxPriv.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/controls/SECToolBarManager.h"
#include "toolkit/frames/SECWorkspaceManagerEx.h"

namespace {

// The workspace manager keeps its workspaces in the registry.
constexpr int kWorkspaceInRegistry = 1;

CString LoadedString(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

bool SavesWindowSettings()
{
    const CPelicanApp* app = GetPelicanApp();
    return app && app->m_bSaveWindowSettings;
}

} // namespace

BOOL CMainFrame::CreateToolBars()
{
    if (!m_pToolBarManager->LoadToolBarResource(IDR_MAINFRAME))
        return FALSE;
    if (!m_pToolBarManager->DefineDefaultToolBar(AFX_IDW_TOOLBAR, LoadedString(IDS_TOOLBAR_DEFAULT), IDR_MAINFRAME,
            &m_defaultToolBarButtons, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP))
        return FALSE;
    m_pToolBarManager->EnableCoolLook(TRUE, SEC_COOLLOOK_BITS);
    return TRUE;
}

void CMainFrame::CreateMenuBarAndDefaultBars()
{
    // Without its menu the bar stays empty; the program still runs with its toolbar and accelerators.
    if (m_pToolBarManager->SetMenuInfo({ IDR_MAINFRAME }))
        m_pFrameMenuBar->SwitchMenu(IDR_MAINFRAME);
    m_pToolBarManager->CreateDefaultBars();
}

void CMainFrame::InstallWorkspace()
{
    InstallWorkspaceManager(kWorkspaceKey, kWorkspaceInRegistry, RUNTIME_CLASS(SECWorkspaceManagerEx), FALSE);
}

BOOL CMainFrame::CreateDetailSheet()
{
    if (!m_dockingFeature.EnableDocking(this, SECFrameDockingFeatureBase::AllSides, FALSE, nullptr))
        return FALSE;
    m_wndDetailSheet.SetHost(&m_detailHost);
    if (!m_wndDetailSheet.Create(this, WS_CHILD | WS_VISIBLE))
        return FALSE;
    m_pDetailNode.reset(m_layoutFactory.CreateDockableWndNodeDefault(&m_wndDetailSheet, this, LoadedString(IDS_TRACK_INFORMATION)));
    if (!m_pDetailNode)
        return FALSE;
    CRect client;
    m_wndDetailSheet.GetClientRect(&client);
    return m_dockingFeature.EnableNodeDocking(m_pDetailNode.get(), TRUE, FALSE, nullptr)
        && m_dockingFeature.DockNode(m_pDetailNode.get(), SECFrameDockingFeatureBase::SideBottom, client.Height(), TRUE);
}

void CMainFrame::LoadBarLayout()
{
    // The layout of the last run is the user's; a first start keeps the bars where they were made.
    if (SavesWindowSettings())
        LoadBarState(kBarStateSection);
}

void CMainFrame::SaveBarLayout()
{
    if (SavesWindowSettings() && m_hWnd)
        SaveBarState(kBarStateSection);
}
