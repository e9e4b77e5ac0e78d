#include "app/CGenericSelectionDlg.h"

#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/_ADOConnectionHelper.h"
#include "platform/afx/AfxDDX.h"
#include "toolkit/controls/SECTreeCtrl.h"

BEGIN_MESSAGE_MAP(CGenericSelectionDlg, CGenericDialog)
ON_LBN_DBLCLK(IDC_SELECTION_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CGenericSelectionDlg::CGenericSelectionDlg(CWnd* pParent, BOOL bRowsCarryIds)
    : CGenericDialog(IDD_GENERIC_SELECTION, pParent)
    , m_bRowsCarryIds(bRowsCarryIds)
{
}

void CGenericSelectionDlg::DoDataExchange(CDataExchange* pDX)
{
    CGenericDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SELECTION_LIST, m_list);
    DDX_LBString(pDX, IDC_SELECTION_LIST, m_strSelection);
}

void CGenericSelectionDlg::SetSourceRecordset(_Recordset* pRecordset)
{
    m_sourceRecordset.Attach(pRecordset);
    if (pRecordset != nullptr)
        pRecordset->Release();
}

void CGenericSelectionDlg::SetSourceQuery(LPCTSTR lpszQuery) { m_strSourceQuery = lpszQuery ? lpszQuery : ""; }

void CGenericSelectionDlg::SetSourceTreeNode(SECTreeCtrl* pTree, HTREEITEM hItem)
{
    m_pSourceTree = pTree;
    m_hSourceItem = hItem;
}

CString CGenericSelectionDlg::RowText(const CString& strRow)
{
    if (strRow.Find(',') < 0)
        return strRow;
    CString strText(strRow);
    strText.Replace(",", " <");
    return strText + ">";
}

BOOL CGenericSelectionDlg::FillFromRecordset(_Recordset* pRecordset)
{
    return ForEachClipRow(pRecordset, m_bRowsCarryIds != FALSE, [this](const CString& strRow, bool, long nId) {
        const int nIndex = m_list.InsertString(-1, RowText(strRow));
        // A row without an id column gets 0: a value no record has.
        if (m_bRowsCarryIds && nIndex != LB_ERR && nIndex != LB_ERRSPACE)
            m_list.SetItemData(nIndex, static_cast<DWORD_PTR>(nId));
    }) ? TRUE : FALSE;
}

BOOL CGenericSelectionDlg::FillFromQuery()
{
    // The engine tells a stored query's name from SQL text, so the callers may give either.
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.ExecuteSql(m_strSourceQuery, rows.ReceivePointer(), adCmdUnknown))
        return FALSE;
    const BOOL bFilled = FillFromRecordset(rows.Get());
    rows.Release();
    return bFilled;
}

void CGenericSelectionDlg::FillFromTreeNode()
{
    for (HTREEITEM h = m_pSourceTree->GetChildItem(m_hSourceItem); h != nullptr; h = m_pSourceTree->GetNextSiblingItem(h))
        m_list.InsertString(-1, m_pSourceTree->GetItemText(h, 0));
}

BOOL CGenericSelectionDlg::OnInitDialog()
{
    CGenericDialog::OnInitDialog();
    if (m_sourceRecordset.HasRecordset()) {
        FillFromRecordset(m_sourceRecordset.Get());
        m_sourceRecordset.Release();
    } else if (!m_strSourceQuery.IsEmpty()) {
        FillFromQuery();
    } else if (m_pSourceTree != nullptr) {
        FillFromTreeNode();
    }
    if (m_list.GetCount() > 0)
        m_list.SetCurSel(0);
    m_dwSelectedId = 0;
    return TRUE;
}

void CGenericSelectionDlg::OnOK()
{
    const int nRow = m_list.GetCurSel();
    if (nRow == LB_ERR)
        return;
    m_dwSelectedId = m_list.GetItemData(nRow);
    m_list.GetText(nRow, m_strSelectedText);
    CGenericDialog::OnOK();
}

void CGenericSelectionDlg::OnListDoubleClick() { OnOK(); }
