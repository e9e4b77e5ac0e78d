#pragma once
// Lets the user choose one album, playlist or group from a list. The rows come from a record set, a
// stored query or SQL text, or the children of a tree item, in that order of preference; each row of
// the first two ends with the record's id, which the caller reads after OK.

#include "app/CGenericDialog.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/afx/CListBox.h"

class SECTreeCtrl;

class CGenericSelectionDlg : public CGenericDialog {
public:
    CGenericSelectionDlg(CWnd* pParent, BOOL bRowsCarryIds);

    // Takes over the caller's reference: the caller must not release it.
    void SetSourceRecordset(_Recordset* pRecordset);
    // A stored query's name or SQL text giving (text..., id) rows.
    void SetSourceQuery(LPCTSTR lpszQuery);
    // The children's labels of the tree item become the rows, without ids.
    void SetSourceTreeNode(SECTreeCtrl* pTree, HTREEITEM hItem);

    // A row's shown text: several values, separated by commas, show as "first <second>".
    static CString RowText(const CString& strRow);

    BOOL OnInitDialog() override;

    CListBox m_list;
    CString m_strSelection;       // the chosen row, by the list's string exchange
    DWORD_PTR m_dwSelectedId { 0 }; // the chosen row's id, once OK was pressed
    CString m_strSelectedText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // With no row chosen (an empty list) the dialog stays open: there is no record to give back.
    void OnOK() override;
    afx_msg void OnListDoubleClick();
    DECLARE_MESSAGE_MAP()

private:
    BOOL FillFromRecordset(_Recordset* pRecordset);
    BOOL FillFromQuery();
    void FillFromTreeNode();

    const BOOL m_bRowsCarryIds;
    _ADORecordsetHelper m_sourceRecordset;
    CString m_strSourceQuery;
    SECTreeCtrl* m_pSourceTree { nullptr };
    HTREEITEM m_hSourceItem { nullptr };
};
