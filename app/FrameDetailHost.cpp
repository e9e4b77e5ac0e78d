#include "app/FrameDetailHost.h"

#include "app/CMainFrame.h"
#include "app/CMainTreeCtrl.h"
#include "app/CPelicanView.h"
#include "app/TreeNodeKind.h"

CMainTreeCtrl* FrameDetailHost::Tree() const
{
    CMainTreeCtrl* tree = m_frame.GetLibraryTree();
    if (!tree)
        tree = &m_frame.m_wndDockingTabs.m_wndTree;
    return tree->m_hWnd ? tree : nullptr;
}

int FrameDetailHost::GetSelectionKind()
{
    // Albums and groups list no row the sheet can show; they get its empty page.
    switch (const int kind = m_frame.GetSelectionKind()) {
    case TrackRows:
    case StationRows:
    case FileRows:
        return kind;
    default:
        return NoRows;
    }
}

_ADORecordsetHelper* FrameDetailHost::GetListRecordset()
{
    return m_frame.m_viewRecordset.HasRecordset() ? &m_frame.m_viewRecordset : nullptr;
}

void FrameDetailHost::RefreshListView()
{
    // A refill starts the list at its first row; the user stays on the row just edited.
    CPelicanView* list = m_frame.GetListView();
    const int row = list ? list->GetCurrentRow() : -1;
    m_frame.UpdateListView();
    if (list && row > 0)
        list->SelectRow(row);
}

void FrameDetailHost::RenameAlbumNodes(long albumId, LPCTSTR oldTitle, LPCTSTR newTitle)
{
    // The sheet has written the record already; only the album's items take the new title.
    (void)oldTitle;
    CMainTreeCtrl* tree = Tree();
    if (!tree)
        return;
    for (const HTREEITEM item : tree->FindRecordNodes(nullptr, albumId, kindAlbum, kindCDAlbum))
        tree->SetItemText(item, newTitle);
    if (tree->m_hAlbums)
        tree->SortChildren(tree->m_hAlbums, TRUE, TRUE);
}

void FrameDetailHost::RefreshArtists()
{
    if (CMainTreeCtrl* tree = Tree())
        tree->RefreshCategory(kindArtists);
}

void FrameDetailHost::MoveAlbumToGenreGroup(long genreId, long albumId, LPCTSTR title)
{
    if (CMainTreeCtrl* tree = Tree())
        tree->MoveAlbumToGenreGroup(genreId, albumId, title);
}

void FrameDetailHost::InsertRadioGroupNode(long groupId, LPCTSTR name)
{
    CMainTreeCtrl* tree = Tree();
    if (tree && tree->m_hRadioGroups)
        tree->InsertNode(name, tree->m_hRadioGroups, TVI_LAST, kindRadioGroup, static_cast<int>(groupId));
}
