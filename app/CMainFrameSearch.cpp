// The main frame's side of the docking tab window: creating and docking it, and the search results
// that the list shows for the tree's Search Results node.
#include "app/CMainFrame.h"

#include <cctype>

#include "app/TreeNodeKind.h"
#include "app/TuneStewardIds.h"
#include "toolkit/frames/SECDockBar.h"

namespace {

// The first control-bar id the docking tab window may take, and its docked width.
constexpr UINT kFirstBarId = 100;
constexpr int kDockedWidth = 220;
constexpr DWORD kDockingTabsStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
constexpr DWORD kDockingTabsExStyle = 0xF10;

} // namespace

bool CMainFrame::CreateDockingTabs()
{
    CString title;
    title.LoadString(IDS_DOCKING_WINDOW);
    const UINT id = SECControlBar::FindUniqueBarID(this, kFirstBarId);
    if (!m_wndDockingTabs.Create(this, title, kDockingTabsStyle, kDockingTabsExStyle, id))
        return false;
    m_wndDockingTabs.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    DockSizedControlBar(&m_wndDockingTabs, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0F, kDockedWidth);
    SetLibraryTree(&m_wndDockingTabs.m_wndTree);
    return true;
}

void CMainFrame::OnToolsSearchLibrary() { m_wndDockingTabs.ShowSearchTab(CSearchDlg::searchLibrary); }

void CMainFrame::OnToolsSearchForMusicFile() { m_wndDockingTabs.ShowSearchTab(CSearchDlg::searchDisk); }

void CMainFrame::ShowSearchResults()
{
    CMainTreeCtrl& tree = m_wndDockingTabs.m_wndTree;
    m_wndDockingTabs.m_wndTabs.ActivateTab(CDockingTabWnd::treeTab);
    tree.ShowSearchResultsNode();
    // Selecting the node again after the next search changes no selection, yet the results changed.
    ReloadViewForItem(tree, tree.m_hSearchResults);
}

int CMainFrame::GetSearchMode() const { return m_wndDockingTabs.m_dlgSearch.m_nResultKind == CSearchDlg::resultFiles ? 1 : 0; }

void CMainFrame::AttachSearchResults(ViewNode& node) const
{
    const CSearchDlg& search = m_wndDockingTabs.m_dlgSearch;
    if (node.kind != kindSearchResults || search.m_nResultKind == CSearchDlg::resultNone)
        return;
    node.searchMode = GetSearchMode();
    node.searchSql = search.m_strSql;
    node.foundFiles = &search.m_files;
}

void CMainFrame::OnMediaRemoved(DWORD unitMask)
{
    constexpr int kDrives = 26;
    int drive = 0;
    while (drive < kDrives && (unitMask & (1U << drive)) == 0)
        ++drive;
    if (drive == kDrives)
        return;
    const char letter = static_cast<char>('A' + drive);
    CMainTreeCtrl& tree = m_wndDockingTabs.m_wndTree;
    tree.ResetDriveNode(CString(letter));
    CSearchDlg& search = m_wndDockingTabs.m_dlgSearch;
    if (search.m_nSearchIn == CSearchDlg::searchLibrary || search.m_strLocation.IsEmpty()
        || std::toupper(static_cast<unsigned char>(search.m_strLocation[0])) != letter)
        return;
    search.m_files.RemoveAll();
    if (tree.m_hSearchResults != nullptr && tree.GetSelectedItem() == tree.m_hSearchResults)
        ReloadViewForItem(tree, tree.m_hSearchResults);
}
