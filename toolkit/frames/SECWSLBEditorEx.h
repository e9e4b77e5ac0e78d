#pragma once
// The list editor of the workspace dialog: it checks the names typed for workspaces and records what
// the user did in the caller's lists, which the workspace manager applies once the dialog ends with OK.
// The shown names and the current names stay parallel: a rename changes the current name only, a move
// or a deletion changes both at the same positions, and a deletion records the stored name.

#include "platform/afx/CStringList.h"
#include "toolkit/controls/SECListBoxEditor.h"

class SECWsMgrDialogEx;

class SECWSLBEditorEx : public SECListBoxEditor {
public:
    SECWSLBEditorEx(CStringList& names, CStringList& currentNames, CStringList& deleted, SECWsMgrDialogEx* pDialog);

    void OnBeginEdit() override;
    void OnEndEdit() override;
    void OnItemChanged(int nIndex, CString strOldText, CString strNewText) override;
    void OnItemAdded(int nIndex, CString strText) override;
    void OnItemMoved(int nFrom, int nTo, CString strText, BOOL bDragged) override;
    BOOL OnItemDelete(int nIndex, CString strText) override;

protected:
    // Puts the old text back at the index, keeping the selection there.
    void RestoreItem(int nIndex, const CString& strText);
    // Whether another workspace than the one at nExcept has the name, letter case aside.
    BOOL NameExists(const CString& strName, int nExcept) const;
    int Warn(UINT nID, LPCTSTR lpszDefault, const CString& strName, UINT nType = MB_OK);

    CStringList& m_names;
    CStringList& m_currentNames;
    CStringList& m_deleted;
    SECWsMgrDialogEx* m_pDialog { nullptr };
};
