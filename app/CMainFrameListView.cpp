// The main frame's side of the record list: opening the selected node's records, refilling and
// requerying the list, the current row's values, and walking the tagged rows.
#include "app/CMainFrame.h"

#include "app/CMainTreeCtrl.h"
#include "app/CPelicanView.h"
#include "app/TreeNodeKind.h"
#include "app/TuneStewardIds.h"
#include "library/AppRoutines.h"
#include "library/ChangeTracking.h"
#include "library/ResultChecking.h"
#include "platform/afx/AfxPriv.h"

namespace {

constexpr UINT kPathFieldName = 32890;
constexpr UINT kNameFieldName = 32891;

CString TextOf(const _variant_t& value)
{
    return value.vt == VT_EMPTY || value.vt == VT_NULL ? CString() : CString(static_cast<const char*>(_bstr_t(value)));
}

bool IsTrue(const _variant_t& value) { return value.vt == VT_BOOL ? value.boolVal != 0 : false; }

// What the list needs of a tree item: its kind, label, record id and, below My Computer, its folder.
ViewNode NodeOfItem(CMainTreeCtrl& tree, HTREEITEM hItem)
{
    ViewNode node;
    node.kind = tree.GetNodeKind(hItem);
    node.text = tree.GetItemText(hItem, 0);
    node.recordId = tree.GetNodeRecordId(hItem);
    if (node.kind == kindMyComputer || node.kind == kindFolder || IsDriveKind(node.kind))
        tree.GetItemPath(hItem, node.folder, tree.m_hMyComputer, "\\");
    return node;
}

} // namespace

CPelicanView* CMainFrame::GetListView() const { return dynamic_cast<CPelicanView*>(m_pListView); }

bool CMainFrame::OpenViewForNode(const ViewNode& node, LPCTSTR order)
{
    CloseViewRecordset();
    m_selectedNode = node;
    AttachSearchResults(m_selectedNode);
    m_nSelectedKind = node.kind;
    bool tags = false;
    const bool opened = ViewSource::Open(m_selectedNode, order, m_viewRecordset, tags);
    if (CPelicanView* list = GetListView())
        list->SetTagsOn(opened && tags);
    return opened;
}

bool CMainFrame::OpenViewForSelection(CMainTreeCtrl& tree, HTREEITEM hItem, LPCTSTR order)
{
    return OpenViewForNode(NodeOfItem(tree, hItem), order);
}

bool CMainFrame::ReloadViewForItem(CMainTreeCtrl& tree, HTREEITEM hItem) { return ReloadView(NodeOfItem(tree, hItem)); }

bool CMainFrame::ReopenViewOrdered(LPCTSTR order) { return OpenViewForNode(ViewNode(m_selectedNode), order); }

bool CMainFrame::ReloadView(const ViewNode& node)
{
    SetBusy(true);
    OpenViewForNode(node);
    UpdateListView();
    SetBusy(false);
    return true;
}

bool CMainFrame::UpdateListView()
{
    m_bListFilled = TRUE;
    m_bDetailRebindPosted = FALSE;
    CPelicanView* list = GetListView();
    if (!list)
        return false;
    if (!list->FillFromRecordset()) {
        CloseViewRecordset();
        return false;
    }
    // A fill of a non-empty record set has already asked the sheet to follow its first row; an empty
    // one leaves the sheet's pages cleared.
    if (!m_bDetailRebindPosted)
        PostDetailRebind(-1);
    return true;
}

bool CMainFrame::RequeryView()
{
    if (!m_viewRecordset.HasRecordset())
        return true;
    SetBusy(true);
    try {
        CheckResult(m_viewRecordset.Get()->Requery(adOptionUnspecified));
    } catch (const _com_error&) {
        SetBusy(false);
        return false;
    }
    UpdateListView();
    SetBusy(false);
    return true;
}

void CMainFrame::CloseViewRecordset()
{
    // The sheet's binding points into the record set's rows.
    m_wndDetailSheet.ReleaseBinding();
    if (!m_viewRecordset.HasRecordset())
        return;
    m_viewRecordset.Release();
    if (CPelicanView* list = GetListView())
        list->SetTagsOn(false);
}

long CMainFrame::GetCurrentAlbumTrackId()
{
    if (!m_viewRecordset.HasRecordset())
        return -1;
    LONG id = -1;
    return VariantToLong(m_viewRecordset.GetValue("AlbumTrackID"), id) ? id : -1;
}

CString CMainFrame::GetCurrentTrackTitle()
{
    return m_viewRecordset.HasRecordset() ? TextOf(m_viewRecordset.GetValue("TrackTitle")) : CString();
}

bool CMainFrame::IsCurrentRowCD()
{
    return IsTrackSelection() && m_viewRecordset.HasRecordset() && IsTrue(m_viewRecordset.GetValue("IsCD"));
}

bool CMainFrame::IsCurrentRowHidden()
{
    return IsTrackSelection() && m_viewRecordset.HasRecordset() && IsTrue(m_viewRecordset.GetValue("HideFlag"));
}

CString CMainFrame::GetCurrentFilePath()
{
    CString path;
    ReadCurrentFilePath(path);
    return path;
}

bool CMainFrame::ReadCurrentFilePath(CString& path)
{
    path.Empty();
    if (!m_viewRecordset.HasRecordset())
        return false;
    CString pathField;
    CString nameField;
    pathField.LoadString(kPathFieldName);
    nameField.LoadString(kNameFieldName);
    path = TextOf(m_viewRecordset.GetValue(pathField));
    const CString name = TextOf(m_viewRecordset.GetValue(nameField));
    const bool complete = !path.IsEmpty() && !name.IsEmpty();
    if (!path.IsEmpty() && path.Right(1) != "\\")
        path += "\\";
    path += name;
    return complete;
}

long CMainFrame::GetFirstTaggedId(LPCTSTR idField)
{
    if (!m_viewRecordset.HasRecordset())
        return -1;
    m_nCurrentRow = -1;
    return GetNextTaggedId(idField);
}

long CMainFrame::GetNextTaggedId(LPCTSTR idField)
{
    CPelicanView* list = GetListView();
    int row = m_nCurrentRow;
    if (!list || !m_viewRecordset.HasRecordset() || !list->GetNextTaggedItem(row) || !m_viewRecordset.MoveToRow(row))
        return -1;
    m_nCurrentRow = row;
    LONG id = -1;
    VariantToLong(m_viewRecordset.GetValue(idField), id);
    if (list->GetCurrentRow() >= 0)
        m_viewRecordset.MoveToRow(list->GetCurrentRow());
    return id;
}

void CMainFrame::PostDetailRebind(int row)
{
    m_bDetailRebindPosted = TRUE;
    m_nRebindRow = row;
    ++m_nRebindsPosted;
    // Posted, so that the list has finished moving to the row before the sheet reads it.
    if (m_wndDetailSheet.m_hWnd)
        ::PostMessage(m_wndDetailSheet.m_hWnd, WM_COMMAND, ID_DETAIL_REBIND, static_cast<LPARAM>(row));
}

void CMainFrame::OnViewRefresh()
{
    if (!IsLibraryOpen())
        return;
    m_bListFilled = FALSE;
    if (CPelicanView* list = GetListView())
        list->ReapplyColumnWidths();
    if (!m_bListFilled)
        RequeryView();
}

void CMainFrame::OnTagsClearAll()
{
    if (CPelicanView* list = GetListView())
        list->ClearAllTags();
}

void CMainFrame::OnTagsSetAll()
{
    if (CPelicanView* list = GetListView())
        list->TagAll();
}
